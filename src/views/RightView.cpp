#include "views/RightView.h"

#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "platform/AppServices.h"
#include "platform/WindowServices.h"
#include "reconcile/ReconciliationReport.h"
#include "res/StringIds.h"
#include "views/ReconciliationPage.h"
#include "views/RightTreePage.h"

#include <QStackedWidget>
#include <QVBoxLayout>

using namespace pelko_wave;

namespace {

QWidget* EmptyPage()
{
    auto* page = new QWidget;
    page->setAutoFillBackground(true);
    page->setBackgroundRole(QPalette::Base);
    return page;
}

} // namespace

CRightView::CRightView(CCommandActions* actions, QWidget* parent)
    : QWidget(parent), m_actions(actions)
{
    setObjectName(QStringLiteral("RightView"));
    m_stack = new QStackedWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    m_pTreePage = new CRightTreePage;
    m_reconPlace = EmptyPage();
    m_stack->addWidget(m_pTreePage);
    m_stack->addWidget(m_reconPlace);
    m_stack->addWidget(EmptyPage());
    m_stack->setCurrentIndex(PageNone);
    // The splitters may make the pane as small as they like.
    setMinimumSize(0, 0);
    m_stack->setMinimumSize(0, 0);
    if (actions)
        RegisterCommands(*actions);
    ShowCampaignQuestions();
}

CRightView::~CRightView()
{
    if (m_actions)
        m_actions->RemoveHandlers(this);
}

void CRightView::SetReconciliationPage(std::unique_ptr<IReconciliationPage> page)
{
    QWidget* window = page ? page->GetWindow() : nullptr;
    QWidget* place = window ? window : EmptyPage();
    const int index = m_stack->indexOf(m_reconPlace);
    m_stack->insertWidget(index, place);
    m_stack->removeWidget(m_reconPlace);
    // The old place goes unless it is the old page's own window, which goes with the page.
    if (!m_pReconPage || m_pReconPage->GetWindow() != m_reconPlace)
        delete m_reconPlace;
    m_reconPlace = place;
    m_pReconPage = std::move(page);
    if (m_pReconPage)
        m_pReconPage->SetCommandStateListener([this] { RequestCommandUpdate(); });
    m_stack->setCurrentIndex(m_nPage >= 0 && m_nPage <= PageNone ? m_nPage : PageNone);
}

// Layout --------------------------------------------------------------------------------------

void CRightView::SaveLayout()
{
    view_layout::SavePaneSize(QStringLiteral("RightView"), *this);
    if (m_pReconPage && m_pReconPage->GetWindow())
        view_layout::WriteValue(QStringLiteral("QuestionsGridHeight"),
                                m_pReconPage->GetQuestionGridHeight());
}

void CRightView::ReadLayout(int& width, int& height)
{
    view_layout::ReadPaneSize(QStringLiteral("RightView"), width, height);
}

void CRightView::ApplyLayout()
{
    // The stack places its pages itself; the shown page stays the shown one.
    if (m_nPage >= 0 && m_nPage <= PageNone)
        m_stack->setCurrentIndex(m_nPage);
    if (m_pReconPage)
        m_pReconPage->SetQuestionGridHeight(
            view_layout::ReadValue(QStringLiteral("QuestionsGridHeight")));
}

// Pages ---------------------------------------------------------------------------------------

void CRightView::ShowPage(int page)
{
    m_nPage = page;
    if (page >= 0 && page <= PageNone)
        m_stack->setCurrentIndex(page);
    RequestCommandUpdate();
}

void CRightView::ResetAfterLoad()
{
    m_nWaveId = -1;
    m_nVolumeId = -1;
    if (m_pReconPage)
        m_pReconPage->ForgetWave();
    ShowCampaignQuestions();
}

void CRightView::ShowCampaignQuestions()
{
    ShowPage(PageQuestionTree);
    m_pTreePage->ShowCampaign();
}

void CRightView::ShowWaveQuestions(int waveId)
{
    ShowPage(PageQuestionTree);
    if (waveId <= 0)
        return;
    m_nWaveId = waveId;
    m_pTreePage->ShowWave(waveId);
}

void CRightView::ShowVolumeQuestions(int volumeId)
{
    ShowPage(PageQuestionTree);
    if (volumeId <= 0)
        return;
    m_nVolumeId = volumeId;
    m_pTreePage->ShowVolume(volumeId);
}

void CRightView::ShowReconciliation(int waveId)
{
    ShowPage(PageReconciliation);
    m_nWaveId = waveId;
    if (m_pReconPage) {
        m_pReconPage->ShowWave(waveId);
        if (QWidget* window = m_pReconPage->GetWindow())
            window->setFocus();
    }
    UpdateForwardedCommands();
}

// Queries and refreshes -----------------------------------------------------------------------

int CRightView::GetCurrentQuestionId() const
{
    return m_nPage == PageReconciliation && m_pReconPage ? m_pReconPage->GetCurrentQuestionId()
                                                         : -1;
}

int CRightView::GetFocusedModalityId() const
{
    return m_nPage == PageReconciliation && m_pReconPage ? m_pReconPage->GetFocusedModalityId()
                                                         : -1;
}

void CRightView::SelectReconQuestion(int questionId)
{
    if (m_nPage == PageReconciliation && m_pReconPage)
        m_pReconPage->SelectQuestion(questionId);
}

void CRightView::RefreshReconQuestionGrid()
{
    if (m_pReconPage)
        m_pReconPage->RefreshQuestionGrid();
}

void CRightView::RefreshReconciliationGrids()
{
    if (m_nPage == PageReconciliation && m_pReconPage)
        m_pReconPage->RefillFromFocusedQuestion();
}

void CRightView::ReloadReconciliation()
{
    if (m_nPage == PageReconciliation && m_pReconPage)
        m_pReconPage->ReloadWave();
}

void CRightView::RefillShownPage()
{
    if (m_nPage == PageReconciliation) {
        ReloadReconciliation();
        return;
    }
    if (m_nPage != PageQuestionTree)
        return;
    switch (m_pTreePage->GetMode()) {
    case CRightTreePage::ModeWave:
        m_pTreePage->ShowWave(m_nWaveId);
        break;
    case CRightTreePage::ModeVolume:
        m_pTreePage->ShowVolume(m_nVolumeId);
        break;
    default:
        m_pTreePage->ShowCampaign();
        break;
    }
}

bool CRightView::IsReconciliationPageWindow() const
{
    return m_pReconPage && m_pReconPage->GetWindow();
}

// Commands ------------------------------------------------------------------------------------

void CRightView::RegisterCommands(CCommandActions& actions)
{
    for (unsigned id : kForwardedCommands) {
        const bool pageEnabled =
            std::ranges::find(kPageEnabledCommands, id) != std::end(kPageEnabledCommands);
        // The page's commands act on its rows, which only the page shown has for sure.
        const bool pageShownOnly = id != ID_FIND_OPEN_NUMERIC;
        CCommandActions::CommandHandler onCommand = [this, id] {
            if (id == ID_FIND_OPEN_NUMERIC)
                OnFindOpenNumericEquivalents();
            else if (m_pReconPage)
                m_pReconPage->OnCommand(id);
        };
        CCommandActions::UpdateHandler onUpdate = [this, id, pageEnabled,
                                                   pageShownOnly](CCmdUI& ui) {
            if (!IsReconciliationPageWindow() || (pageShownOnly && m_nPage != PageReconciliation))
                ui.Enable(false);
            else if (id == ID_FIND_OPEN_NUMERIC)
                // It reports on the wave last handed to a page, and has nothing to do without one.
                ui.Enable(FindLoadedWave() != nullptr);
            else if (pageEnabled)
                m_pReconPage->OnUpdateCommand(ui);
            else
                ui.Enable(true);
        };
        actions.AddHandler(id, CCommandActions::View, this, std::move(onCommand),
                           std::move(onUpdate));
    }
}

void CRightView::UpdateForwardedCommands()
{
    if (!m_actions)
        return;
    for (unsigned id : kForwardedCommands)
        m_actions->Update(id);
}

void CRightView::RequestCommandUpdate()
{
    if (m_actions)
        m_actions->RequestUpdate();
}

const CWave* CRightView::FindLoadedWave() const
{
    const IWaveApp* app = GetWaveApp();
    const CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    return campaign ? campaign->FindWave(m_nWaveId) : nullptr;
}

void CRightView::OnFindOpenNumericEquivalents()
{
    const CWave* wave = FindLoadedWave();
    if (!wave)
        return;
    const CCampaign* campaign = GetWaveApp()->GetCampaign();
    QList<SOpenNumericPair> pairs;
    FindOpenNumericEquivalents(*campaign, *wave, pairs);
    if (pairs.isEmpty())
        GetWindowServices().MessageBoxId(IDS_NO_OPEN_NUMERIC, MB_OK | MB_ICONINFORMATION);
    else
        ShowOpenNumericPairsReport(*campaign, *wave, pairs);
}
