#include "views/ReconRows.h"

#include "platform/FormatString.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/OverviewBar.h"
#include "views/ReconColours.h"
#include "views/ViewClock.h"
#include "views/WaveGridCtrl.h"

#include <algorithm>
#include <utility>

const QString CReconRows::kNoSourceKey = QStringLiteral("-999999999");

namespace {

qint64 Now()
{
    return GetViewClock().MonotonicMilliseconds();
}

// The colour a cell background word stands for in the grid (the default marker: the data
// cells' colour).
COLORREF Resolved(const CGridCtrl& grid, COLORREF colour)
{
    return colour == CLR_DEFAULT ? grid.GetDefaultCell(false, false)->GetBackColour() : colour;
}

// The text of a row number; made once, so that renumbering the rows below an inserted or
// deleted row shares the texts instead of making them again.
QString RowNumberText(int number)
{
    static const QString format = LoadString(IDS_ROW_NUMBER);
    static const bool plain = format == u"%d";
    const auto make = [](qint64 n) {
        return plain ? QString::number(n) : FormatString(format, {n});
    };
    static std::vector<QString> texts;
    if (number < 0)
        return make(number);
    if (size_t(number) >= texts.size()) {
        const size_t from = texts.size();
        texts.resize(size_t(number) + 1);
        for (size_t n = from; n < texts.size(); ++n)
            texts[n] = make(qint64(n));
    }
    return texts[size_t(number)];
}

} // namespace

void CReconRows::Attach(CWaveGridCtrl& grid, COverviewBar& bar, SColumns columns,
                        std::function<void()> fadeStarted)
{
    m_grid = &grid;
    m_bar = &bar;
    m_columns = std::move(columns);
    m_fadeStarted = std::move(fadeStarted);
}

// Look-ups -----------------------------------------------------------------------------------

int CReconRows::GetVolumeId(int row) const
{
    const auto it = m_volumes.find(row);
    return it == m_volumes.end() ? kNoVolume : it->second;
}

int CReconRows::FindRow(long id, int volumeId) const
{
    for (const int row : m_items.FindRows(id))
        if (GetVolumeId(row) == volumeId)
            return row;
    return kNoRow;
}

int CReconRows::FindSourceRow(const QString& key, int volumeId) const
{
    for (const int row : m_sources.FindRows(key))
        if (GetVolumeId(row) == volumeId)
            return row;
    return kNoRow;
}

// Entries ------------------------------------------------------------------------------------

void CReconRows::SetId(int row, long id)
{
    if (const long held = m_items.FindId(row); held != kNoId)
        m_items.Remove(held, row);
    m_items.Add(id, row);
}

long CReconRows::SetUnmatchedId(int row)
{
    const long key = m_nextUnmatchedKey--;
    SetId(row, key);
    return key;
}

void CReconRows::SetSource(int row, const QString& key, int volumeId)
{
    RemoveSource(row);
    if (key == kNoSourceKey)
        return;
    m_sources.Add(key, row);
    m_volumes[row] = volumeId;
}

void CReconRows::RemoveSource(int row)
{
    if (const QString held = m_sources.FindId(row); held != kNoSourceKey)
        m_sources.Remove(held, row);
    m_volumes.erase(row);
}

void CReconRows::Clear()
{
    m_items.Clear();
    m_sources.Clear();
    m_volumes.clear();
    m_fades.clear();
    if (m_bar)
        m_bar->DeleteAllItems();
}

void CReconRows::ForgetRow(int row)
{
    if (const long held = m_items.FindId(row); held != kNoId)
        m_items.Remove(held, row);
    RemoveSource(row);
}

void CReconRows::ShiftEntries(int fromRow, int delta)
{
    m_items.ShiftRows(fromRow, delta);
    m_sources.ShiftRows(fromRow, delta);
    std::map<int, int> moved;
    for (auto it = m_volumes.lower_bound(fromRow); it != m_volumes.end();) {
        auto node = m_volumes.extract(it++);
        node.key() += delta;
        moved.insert(std::move(node));
    }
    m_volumes.merge(moved);
}

// Rows ---------------------------------------------------------------------------------------

void CReconRows::WriteRowNumber(int row)
{
    // The row-number column's own default cell gives the heading font, centred.
    m_grid->SetCellText(row, 0, RowNumberText(row - m_grid->GetFixedRowCount() + 1));
}

void CReconRows::AppendState(int state)
{
    m_bar->AddItem(state);
}

void CReconRows::SetState(int row, int state)
{
    m_bar->SetItemState(unsigned(row - m_grid->GetFixedRowCount()), state);
}

int CReconRows::InsertRow(int row, int state)
{
    CWaveGridCtrl& grid = *m_grid;
    const int fixed = grid.GetFixedRowCount();
    const int count = grid.GetRowCount();
    row = std::clamp(row, fixed, count);
    // The entries of the rows below go one row down.
    ShiftEntries(row, 1);
    grid.InsertRow(QString(), row < count ? row : -1);
    grid.SetRowHeight(row, grid.GetDefaultCell(false, false)->GetHeight());
    for (int r = row; r < grid.GetRowCount(); ++r)
        WriteRowNumber(r);
    if (row - fixed < m_bar->GetItemCount())
        m_bar->InsertItem(unsigned(row - fixed), state);
    else
        m_bar->AddItem(state);
    ShiftFades(row, 1);
    if (m_currentRow >= row)
        ++m_currentRow;
    return row;
}

int CReconRows::AppendRow(int state)
{
    const int row = m_grid->GetRowCount();
    m_grid->SetRowCount(row + 1);
    WriteRowNumber(row);
    m_bar->AddItem(state);
    return row;
}

void CReconRows::DeleteRow(int row)
{
    CWaveGridCtrl& grid = *m_grid;
    ForgetRow(row);
    grid.DeleteRow(row);
    m_bar->DeleteItem(unsigned(row - grid.GetFixedRowCount()));
    DropFade(row);
    ShiftFades(row, -1);
    // The rows below close up: their numbers and entries one row up.
    for (int r = row; r < grid.GetRowCount(); ++r)
        WriteRowNumber(r);
    ShiftEntries(row + 1, -1);
    if (m_currentRow == row)
        m_currentRow = -1;
    else if (m_currentRow > row)
        --m_currentRow;
}

void CReconRows::SwapRows(int rowA, int rowB)
{
    const long idA = GetId(rowA);
    const long idB = GetId(rowB);
    const QString sourceA = GetSourceKey(rowA);
    const QString sourceB = GetSourceKey(rowB);
    const int volumeA = GetVolumeId(rowA);
    const int volumeB = GetVolumeId(rowB);
    ForgetRow(rowA);
    ForgetRow(rowB);
    if (idA != kNoId)
        m_items.Add(idA, rowB);
    if (idB != kNoId)
        m_items.Add(idB, rowA);
    SetSource(rowB, sourceA, volumeA);
    SetSource(rowA, sourceB, volumeB);
    m_grid->SwapRowCells(rowA, rowB, m_grid->GetFixedColumnCount(), m_grid->GetColumnCount() - 1);
    const int fixed = m_grid->GetFixedRowCount();
    m_bar->SwapItems(rowA - fixed, rowB - fixed);
    // A fade under way goes on on the row its cells went to.
    for (SFade& fade : m_fades) {
        if (fade.Row == rowA)
            fade.Row = rowB;
        else if (fade.Row == rowB)
            fade.Row = rowA;
    }
}

void CReconRows::ApplyLook(int row, const LOGFONT* font, COLORREF back, COLORREF campaignText,
                           COLORREF sourceText, int state, bool fade)
{
    CWaveGridCtrl& grid = *m_grid;
    const int first = grid.GetFixedColumnCount();
    const int last = grid.GetColumnCount() - 1;
    for (int col = first; col <= last; ++col) {
        CGridCellBase* cell = grid.GetCell(row, col);
        if (!cell)
            continue;
        const bool image = std::find(m_columns.Images.begin(), m_columns.Images.end(), col) !=
                           m_columns.Images.end();
        // The image columns carry no text: like a fill, they keep their font and the default
        // colour.
        if (image) {
            cell->SetTextColour(recon_colours::Default);
        } else {
            cell->SetFont(font);
            cell->SetTextColour(col < m_columns.SourceFirst ? campaignText : sourceText);
        }
        if (!fade)
            cell->SetBackColour(back);
    }
    if (fade) {
        StartFade(row, back);
    } else {
        // A fade still under way would end in the row's former colour.
        DropFade(row);
    }
    SetState(row, state);
}

// Fades --------------------------------------------------------------------------------------

void CReconRows::StartFade(int row, COLORREF colour)
{
    DropFade(row);
    const CWaveGridCtrl& grid = *m_grid;
    // The background of the row is that of its first column after the row numbers.
    const CGridCellBase* cell = grid.GetCell(row, grid.GetFixedColumnCount());
    if (!cell)
        return;
    const SFade fade{Now(), Resolved(grid, cell->GetBackColour()), colour, row};
    if (fade.From == Resolved(grid, colour)) {
        // Nothing to see: the row takes the colour word at once, all of it (cells written since,
        // a side of the row taken from another, may show another colour than the first).
        PaintFade(row, colour);
        return;
    }
    m_fades.push_back(fade);
    if (m_fadeStarted)
        m_fadeStarted();
}

void CReconRows::DropFade(int row)
{
    m_fades.remove_if([row](const SFade& fade) { return fade.Row == row; });
}

void CReconRows::DropFades()
{
    m_fades.clear();
}

void CReconRows::ShiftFades(int fromRow, int delta)
{
    const int rows = m_grid->GetRowCount();
    for (SFade& fade : m_fades)
        if (fade.Row >= fromRow && fade.Row + delta <= rows)
            fade.Row += delta;
}

void CReconRows::PaintFade(int row, COLORREF colour)
{
    CWaveGridCtrl& grid = *m_grid;
    if (row < grid.GetFixedRowCount() || row >= grid.GetRowCount())
        return;
    for (int col = grid.GetFixedColumnCount(); col < grid.GetColumnCount(); ++col)
        if (CGridCellBase* cell = grid.GetCell(row, col))
            cell->SetBackColour(colour);
    grid.RedrawRow(row);
}

bool CReconRows::StepFades()
{
    const qint64 now = Now();
    for (auto it = m_fades.begin(); it != m_fades.end();) {
        if (now <= it->Start + kHighlightDuration) {
            PaintFade(it->Row, BlendColour(it->Start, now, it->From, Resolved(*m_grid, it->To)));
            ++it;
        } else {
            PaintFade(it->Row, it->To);
            it = m_fades.erase(it);
        }
    }
    return !m_fades.empty();
}
