// The reconciliation page's row fades: a row whose state changed goes from its old background
// to the new one over kHighlightDuration of the views' clock, a step every 100 ms, so that the
// user sees which rows a command touched. Each grid's rows keep their fades; the page runs the
// one timer that steps them.

#include "views/RightReconciliationPage.h"

#include <QTimer>

namespace {

constexpr int kFadeStepMilliseconds = 100;

} // namespace

void CRightReconciliationPage::StartQuestionRowFade(int row, COLORREF colour)
{
    m_questionRows.StartFade(row, colour);
}

void CRightReconciliationPage::StartResponseRowFade(int row, COLORREF colour)
{
    m_responseRows.StartFade(row, colour);
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
    m_questionRows.DropFades();
    m_responseRows.DropFades();
}

bool CRightReconciliationPage::IsFadeTimerRunning() const
{
    return m_fadeTimer && m_fadeTimer->isActive();
}

int CRightReconciliationPage::GetFadeCount() const
{
    return m_questionRows.GetFadeCount() + m_responseRows.GetFadeCount();
}

void CRightReconciliationPage::OnFadeTimer()
{
    const bool questionsFading = m_questionRows.StepFades();
    const bool responsesFading = m_responseRows.StepFades();
    if (!questionsFading && !responsesFading)
        StopFades();
}
