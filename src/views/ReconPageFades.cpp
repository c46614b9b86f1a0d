// The reconciliation page's row fades: a row whose state changed goes from its old background
// to the new one over kHighlightDuration of the views' clock, a step every 100 ms, so that the
// user sees which rows a command touched.

#include "views/RightReconciliationPage.h"

#include "views/ViewClock.h"
#include "views/WaveGridCtrl.h"

#include <QTimer>

namespace {

constexpr int kFadeStepMilliseconds = 100;

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

} // namespace

void CRightReconciliationPage::StartQuestionRowFade(int row, COLORREF colour)
{
    StartRowFade(true, row, colour);
}

void CRightReconciliationPage::StartResponseRowFade(int row, COLORREF colour)
{
    StartRowFade(false, row, colour);
}

void CRightReconciliationPage::StartRowFade(bool questionGrid, int row, COLORREF colour)
{
    DropRowFade(questionGrid, row);
    const CWaveGridCtrl& grid = questionGrid ? *m_gridQuestions : *m_gridResponses;
    // The background of the row is that of its first column after the row numbers.
    const CGridCellBase* cell = grid.GetCell(row, grid.GetFixedColumnCount());
    if (!cell)
        return;
    const SFade fade{Now(), Resolved(grid, cell->GetBackColour()), colour, row, questionGrid};
    if (fade.From == Resolved(grid, colour)) {
        // Nothing to see: the row takes the colour word at once, all of it (cells written since,
        // a side of the row taken from another, may show another colour than the first).
        FadeRow(fade, colour);
        return;
    }
    m_fadeCells.push_back(fade);
    StartFadeTimer();
}

void CRightReconciliationPage::StartFadeTimer()
{
    if (!m_fadeTimer) {
        m_fadeTimer = new QTimer(this);
        m_fadeTimer->setInterval(kFadeStepMilliseconds);
        connect(m_fadeTimer, &QTimer::timeout, this, [this] { OnFadeTimer(); });
    }
    if (!m_fadeTimer->isActive())
        m_fadeTimer->start();
}

void CRightReconciliationPage::StopFades()
{
    if (m_fadeTimer)
        m_fadeTimer->stop();
    m_fadeCells.clear();
}

bool CRightReconciliationPage::IsFadeTimerRunning() const
{
    return m_fadeTimer && m_fadeTimer->isActive();
}

void CRightReconciliationPage::DropRowFade(bool questionGrid, int row)
{
    m_fadeCells.remove_if([questionGrid, row](const SFade& fade) {
        return fade.QuestionGrid == questionGrid && fade.Row == row;
    });
}

void CRightReconciliationPage::DropFadesOfGrid(bool questionGrid)
{
    m_fadeCells.remove_if(
        [questionGrid](const SFade& fade) { return fade.QuestionGrid == questionGrid; });
}

void CRightReconciliationPage::ShiftRowFades(bool questionGrid, int fromRow, int delta)
{
    const int rows = (questionGrid ? m_gridQuestions : m_gridResponses)->GetRowCount();
    for (SFade& fade : m_fadeCells)
        if (fade.QuestionGrid == questionGrid && fade.Row >= fromRow && fade.Row + delta <= rows)
            fade.Row += delta;
}

void CRightReconciliationPage::FadeRow(const SFade& fade, COLORREF colour)
{
    CWaveGridCtrl& grid = fade.QuestionGrid ? *m_gridQuestions : *m_gridResponses;
    if (fade.Row < grid.GetFixedRowCount() || fade.Row >= grid.GetRowCount())
        return;
    for (int col = grid.GetFixedColumnCount(); col < grid.GetColumnCount(); ++col)
        if (CGridCellBase* cell = grid.GetCell(fade.Row, col))
            cell->SetBackColour(colour);
    grid.RedrawRow(fade.Row);
}

void CRightReconciliationPage::OnFadeTimer()
{
    const qint64 now = Now();
    for (auto it = m_fadeCells.begin(); it != m_fadeCells.end();) {
        const CWaveGridCtrl& grid = it->QuestionGrid ? *m_gridQuestions : *m_gridResponses;
        if (now <= it->Start + kHighlightDuration) {
            FadeRow(*it, BlendColour(it->Start, now, it->From, Resolved(grid, it->To)));
            ++it;
        } else {
            FadeRow(*it, it->To);
            it = m_fadeCells.erase(it);
        }
    }
    if (m_fadeCells.empty())
        StopFades();
}
