// The reconciliation page's layout: the places of its bars, grids and splitter, the column
// widths that follow the page's width, the bars' band heights, and the view modes of the
// grids' texts.

#include "views/RightReconciliationPage.h"

#include "app/WaveApp.h"
#include "controls/SplitterBar.h"
#include "grid/LogFont.h"
#include "model/OptionRecords.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/OverviewBar.h"
#include "views/ReconColumnLayout.h"
#include "views/WaveGridCtrl.h"

#include <QResizeEvent>

#include <cmath>

using namespace recon_columns;

namespace {

// What the columns need to show their headings and their placeholders whole in the page's fonts,
// whatever the rows: the code columns of either grid their headings and placeholders ("Not
// matched", "(none)"; a response column under a question code column has the widths of the
// other question columns it lies under too), the text columns their headings.
SColumnNeeds MeasureColumnNeeds(const CRightReconciliationPage& page, int margin)
{
    const QFont heading = LogFontToQFont(page.GetHeadingFont());
    const QFont cellFonts[] = {LogFontToQFont(page.GetNormalFont()),
                               LogFontToQFont(page.GetBoldFont())};
    const auto need = [margin](const QFont& font, const QString& text) {
        return CGridCtrl::ColumnWidthForText(font, text, margin);
    };
    // A column's own need: its heading, and with whole set its placeholder in either cell font.
    const auto columnNeed = [&](const SColumn& column, bool whole) {
        int width = column.HeadingId ? need(heading, LoadString(column.HeadingId)) : 0;
        if (whole && column.PlaceholderId) {
            const QString placeholder = FormatString(LoadString(column.PlaceholderId), {QString()});
            for (const QFont& font : cellFonts)
                width = std::max(width, need(font, placeholder));
        }
        return width;
    };
    SColumnNeeds needs;
    const auto& questionColumns = QuestionColumns();
    for (const SQuestionColumn& column : questionColumns) {
        if (column.Width == EWidth::Code)
            needs.Code = std::max(needs.Code, columnNeed(column, true));
        else if (column.Width == EWidth::Text)
            needs.Text = std::max(needs.Text, columnNeed(column, false));
    }
    for (const SResponseColumn& column : ResponseColumns()) {
        int others = 0;
        bool underCode = false;
        bool underText = false;
        for (int under = column.UnderFirst; under <= column.UnderLast; ++under) {
            const EWidth width = questionColumns[size_t(under)].Width;
            underCode = underCode || width == EWidth::Code;
            underText = underText || width == EWidth::Text;
            if (width == EWidth::Image)
                others += ImageColumnWidth(margin);
        }
        if (underCode)
            needs.Code = std::max(needs.Code, columnNeed(column, true) - others);
        else if (underText)
            needs.Text = std::max(needs.Text, columnNeed(column, false));
    }
    return needs;
}

const CViewSettings& ViewSettings()
{
    static const CViewSettings defaults;
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetViewSettings() : defaults;
}

// Writes the view options back; only the program's own application keeps them.
void StoreViewSettings(const CViewSettings& settings)
{
    if (auto* app = dynamic_cast<CWaveApp*>(GetWaveApp()))
        app->SetViewSettings(settings);
}

} // namespace

// Placing the controls ------------------------------------------------------------------------

int CRightReconciliationPage::GetQuestionGridHeight() const
{
    // Before the page was ever placed it gives back the height it was asked for.
    if (!m_layoutSize.isValid())
        return m_requestedSplit;
    return m_gridQuestions->GetClientSize().height();
}

void CRightReconciliationPage::SetQuestionGridHeight(int height)
{
    ApplyLayout(height);
}

void CRightReconciliationPage::ApplyLayout(int splitPosition)
{
    m_requestedSplit = splitPosition;
    // A page never shown has no size of its own yet: its first size places it.
    if (!m_initialised || (!isVisible() && !m_layoutSize.isValid()))
        return;
    const int height = this->height();
    PlaceControlsAndShares(splitPosition != -1 && splitPosition < height ? splitPosition
                                                                         : height * 2 / 3);
}

int CRightReconciliationPage::GetGridsHeight() const
{
    return std::max(0, height() - SplitterBarThickness());
}

void CRightReconciliationPage::PlaceControlsAndShares(int split)
{
    PlaceControls(split);
    if (const int grids = GetGridsHeight(); grids > 0)
        m_questionShare = double(m_gridQuestions->height()) / grids;
}

void CRightReconciliationPage::PlaceControls(int split)
{
    const int width = this->width();
    const int height = this->height();
    const int bar = SplitterBarThickness();
    split = std::clamp(split, 0, std::max(0, height - bar));
    const int below = split + bar;
    m_overviewQuestions->setGeometry(0, 0, kBarWidth, split);
    m_gridQuestions->setGeometry(kBarWidth + 1, 0, std::max(0, width - kBarWidth - 1), split);
    m_overviewResponses->setGeometry(0, below, kBarWidth, std::max(0, height - below));
    m_gridResponses->setGeometry(kBarWidth + 1, below, std::max(0, width - kBarWidth - 1),
                                 std::max(0, height - below));
    m_layoutSize = size();
    LayoutQuestionColumns(false);
    LayoutResponseColumns(false);
    m_splitter->UpdatePosition();
    UpdateOverviewHeights();
    update();
}

void CRightReconciliationPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_initialised)
        return;
    if (!m_layoutSize.isValid()) {
        PlaceControlsAndShares(m_requestedSplit != -1 && m_requestedSplit < height()
                                   ? m_requestedSplit
                                   : height() * 2 / 3);
        return;
    }
    if (height() == m_layoutSize.height()) {
        PlaceControls(m_gridQuestions->height());
        return;
    }
    // The grids keep their shares of the height, so that a page shrunk and grown again shows
    // both as they were, and neither is left collapsed.
    PlaceControls(int(std::lround(m_questionShare * GetGridsHeight())));
}

// Columns -------------------------------------------------------------------------------------

void CRightReconciliationPage::RelayoutQuestionColumns()
{
    LayoutQuestionColumns(true);
    m_gridQuestions->viewport()->update();
}

void CRightReconciliationPage::LayoutQuestionColumns(bool force)
{
    CWaveGridCtrl& grid = *m_gridQuestions;
    const int width = grid.GetClientSize().width();
    if (grid.GetColumnCount() != kQuestionColumns || (!force && width == m_questionColumnsWidth))
        return;
    QuestionWidths widths;
    const int margin = int(grid.GetDefaultCell(false, false)->GetMargin());
    // The needs follow the fonts and the margin only: they are measured again when one changed.
    const SMeasuredNeeds key{m_fontNormal, m_fontBold, m_fontHeading, margin, {}};
    if (!m_columnNeeds || !m_columnNeeds->SameFonts(key)) {
        m_columnNeeds = key;
        m_columnNeeds->Needs = MeasureColumnNeeds(*this, margin);
    }
    if (!QuestionColumnWidths(width, margin, ViewSettings().GetQuestionGridViewText(), widths,
                              m_columnNeeds->Needs))
        return;
    m_questionColumnsWidth = width;
    for (int col = 0; col < kQuestionColumns; ++col)
        grid.SetColumnWidth(col, widths[size_t(col)]);
    grid.ResetScrollBars();
    grid.Refresh();
}

void CRightReconciliationPage::LayoutResponseColumns(bool force)
{
    CWaveGridCtrl& grid = *m_gridResponses;
    const int width = grid.GetClientSize().width();
    if (grid.GetColumnCount() != kResponseColumns ||
        m_gridQuestions->GetColumnCount() != kQuestionColumns ||
        (!force && width == m_responseColumnsWidth))
        return;
    m_responseColumnsWidth = width;
    QuestionWidths question;
    for (int col = 0; col < kQuestionColumns; ++col)
        question[size_t(col)] = m_gridQuestions->GetColumnWidth(col);
    const ResponseWidths widths =
        ResponseColumnWidths(question, ViewSettings().GetViewEntryCodes());
    for (int col = 0; col < kResponseColumns; ++col)
        grid.SetColumnWidth(col, widths[size_t(col)]);
    grid.ResetScrollBars();
    grid.Refresh();
}

// Overview bars -------------------------------------------------------------------------------

int CRightReconciliationPage::GetOverviewBandHeight(const CWaveGridCtrl& grid)
{
    const int client = grid.GetClientSize().height();
    const int fixed = grid.GetFixedRowsHeight();
    const int body = grid.GetBodyRowsHeight();
    if (body == 0 || client - fixed <= body)
        return client - fixed + 4;
    return body + 2;
}

void CRightReconciliationPage::UpdateOverviewHeights()
{
    m_overviewQuestions->SetTopMargin(m_gridQuestions->GetFixedRowsHeight());
    m_overviewResponses->SetTopMargin(m_gridResponses->GetFixedRowsHeight());
    m_overviewQuestions->SetBarHeight(GetOverviewBandHeight(*m_gridQuestions));
    m_overviewResponses->SetBarHeight(GetOverviewBandHeight(*m_gridResponses));
    m_overviewQuestions->update();
    m_overviewResponses->update();
}

void CRightReconciliationPage::RepaintRows()
{
    UpdateOverviewHeights();
    m_gridQuestions->viewport()->update();
    m_gridResponses->viewport()->update();
}

// View modes ----------------------------------------------------------------------------------

void CRightReconciliationPage::SetQuestionGridViewText(int mode)
{
    CViewSettings settings = ViewSettings();
    settings.SetQuestionGridViewText(mode);
    StoreViewSettings(settings);
    LayoutQuestionColumns(true);
    m_gridQuestions->viewport()->update();
}

void CRightReconciliationPage::SetViewEntryCodes(int mode)
{
    CViewSettings settings = ViewSettings();
    settings.SetViewEntryCodes(mode);
    StoreViewSettings(settings);
    LayoutResponseColumns(true);
    m_gridResponses->viewport()->update();
}

void CRightReconciliationPage::AddViewCommand(unsigned id,
                                              void (CRightReconciliationPage::*setMode)(int),
                                              int mode)
{
    AddCommand(id, [this, setMode, mode] { (this->*setMode)(mode); });
}

void CRightReconciliationPage::RegisterLayoutCommands()
{
    const auto questionText = &CRightReconciliationPage::SetQuestionGridViewText;
    const auto entryCodes = &CRightReconciliationPage::SetViewEntryCodes;
    AddViewCommand(ID_QUESTION_VIEW_SHORTCUTS, questionText, CViewSettings::ViewShortcuts);
    AddViewCommand(ID_QUESTION_VIEW_SHORT_CAPTIONS, questionText, CViewSettings::ViewShortCaptions);
    AddViewCommand(ID_QUESTION_VIEW_LONG_CAPTIONS, questionText, CViewSettings::ViewLongCaptions);
    AddViewCommand(ID_RESPONSE_VIEW_CODES, entryCodes, 0);
    AddViewCommand(ID_RESPONSE_VIEW_ENTRY_CODES, entryCodes, 1);
}
