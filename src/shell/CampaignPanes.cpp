#include "shell/CampaignPanes.h"

#include "menus/CommandActions.h"
#include "views/BottomView.h"
#include "views/LeftView.h"
#include "views/RightReconciliationPage.h"
#include "views/RightView.h"

namespace {

// The campaign tree's selection operations run in mode 0: the right-hand host and the property
// pane follow the restored selection.
constexpr int kFollowSelection = 0;

CViewLayout* Layout(const CCampaignPanes& panes, IShellPanes::EPane pane)
{
    switch (pane) {
    case IShellPanes::LeftPane:
        return panes.GetLeftView();
    case IShellPanes::RightPane:
        return panes.GetRightView();
    case IShellPanes::BottomPane:
        return panes.GetBottomView();
    }
    return nullptr;
}

} // namespace

CCampaignPanes::CCampaignPanes(CCommandActions& actions)
    : m_left(new CLeftView(&actions)), m_right(new CRightView(&actions)), m_bottom(new CBottomView)
{
    m_right->SetReconciliationPage(std::make_unique<CRightReconciliationPage>());
    m_left->SetPanes(m_right, m_bottom);
    // A command chosen in the tree's context menu runs as the same command of the menu bar.
    QObject::connect(m_left, &CLeftView::ContextCommand, &actions,
                     [&actions](unsigned id) { actions.Execute(id); });
}

CCampaignPanes::~CCampaignPanes()
{
    // The frame's splitters own the views; those never placed go here.
    for (QWidget* pane : {static_cast<QWidget*>(m_left), static_cast<QWidget*>(m_right),
                          static_cast<QWidget*>(m_bottom)})
        if (pane && !pane->parent())
            delete pane;
}

std::unique_ptr<IShellPanes> CCampaignPanes::Make(CCommandActions& actions)
{
    return std::make_unique<CCampaignPanes>(actions);
}

QWidget* CCampaignPanes::GetPaneWidget(EPane pane) const
{
    switch (pane) {
    case LeftPane:
        return m_left;
    case RightPane:
        return m_right;
    case BottomPane:
        return m_bottom;
    }
    return nullptr;
}

void CCampaignPanes::ReadLayout(EPane pane, int& width, int& height) const
{
    width = height = -1;
    if (CViewLayout* layout = Layout(*this, pane))
        layout->ReadLayout(width, height);
}

void CCampaignPanes::SaveLayout(EPane pane)
{
    if (CViewLayout* layout = Layout(*this, pane))
        layout->SaveLayout();
}

void CCampaignPanes::ApplyLayout(EPane pane)
{
    if (CViewLayout* layout = Layout(*this, pane))
        layout->ApplyLayout();
}

bool CCampaignPanes::ResetAfterLoad()
{
    return m_left && m_left->ResetAfterLoad() == 1;
}

int CCampaignPanes::GetSelectedWaveId() const
{
    return m_left ? m_left->GetSelectedWaveId() : -1;
}

int CCampaignPanes::GetSelectedVolumeId() const
{
    return m_left ? m_left->GetSelectedVolumeId() : -1;
}

void CCampaignPanes::SelectWave(int waveId)
{
    if (m_left)
        m_left->SelectWaveItem(waveId, kFollowSelection);
}

void CCampaignPanes::SelectVolume(int volumeId)
{
    if (m_left)
        m_left->SelectVolumeItem(volumeId, kFollowSelection);
}

void CCampaignPanes::SelectCampaign()
{
    if (m_left)
        m_left->SelectCampaign(kFollowSelection);
}

int CCampaignPanes::GetShownPage() const
{
    return m_right ? m_right->GetShownPage() : PageNone;
}

int CCampaignPanes::GetReconciliationWaveId() const
{
    return m_right && m_right->GetShownPage() == PageReconciliation ? m_right->GetWaveId() : -1;
}

int CCampaignPanes::GetCurrentQuestionId() const
{
    return m_right ? m_right->GetCurrentQuestionId() : -1;
}

int CCampaignPanes::GetFocusedModalityId() const
{
    return m_right ? m_right->GetFocusedModalityId() : -1;
}

void CCampaignPanes::ShowReconciliation(int waveId)
{
    if (m_right)
        m_right->ShowReconciliation(waveId);
}

void CCampaignPanes::SelectReconQuestion(int questionId)
{
    if (m_right)
        m_right->SelectReconQuestion(questionId);
}

void CCampaignPanes::ReloadReconciliation()
{
    if (m_right)
        m_right->ReloadReconciliation();
}

void CCampaignPanes::RefreshReconciliationGrids()
{
    if (m_right)
        m_right->RefreshReconciliationGrids();
}

void CCampaignPanes::RefreshReconQuestionGrid()
{
    if (m_right)
        m_right->RefreshReconQuestionGrid();
}

void CCampaignPanes::RefillFromCampaign()
{
    if (m_left)
        m_left->RedrawTree();
    if (m_right)
        m_right->RefillShownPage();
    if (m_bottom)
        m_bottom->Refill();
}

bool CCampaignPanes::IsReconciliationPageWindow() const
{
    return m_right && m_right->IsReconciliationPageWindow();
}

int CCampaignPanes::GetBottomValue() const
{
    return m_bottom ? m_bottom->GetShownKind() : CBottomView::ShownNothing;
}
