// The reconciliation page's response moves: "Move the response up" and "Move the response down"
// swap the focused campaign response with its neighbour by an undoable command, and the page then
// exchanges the two rows in place instead of filling the response grid again.

#include "views/RightReconciliationPage.h"

#include "commands/OrderCommands.h"
#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/OptionRecords.h"
#include "model/Wave.h"
#include "platform/AppServices.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "views/IssueCommand.h"
#include "views/OverviewBar.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;

void CRightReconciliationPage::RegisterMoveCommands()
{
    for (const bool up : {true, false}) {
        AddCommand(
            up ? ID_RESPONSE_MOVE_UP : ID_RESPONSE_MOVE_DOWN, [this, up] { MoveResponse(up); },
            [this, up](CCmdUI& ui) { ui.Enable(CanMoveResponse(up)); });
    }
}

bool CRightReconciliationPage::CanMoveResponse(bool up) const
{
    const IWaveApp* app = GetWaveApp();
    if (!app)
        return false;
    // With a filter off the rows are not the question's responses in order, so a row's
    // neighbour need not be the response next to it.
    const CViewSettings& view = app->GetViewSettings();
    if (!view.GetShowImperfectResponseMatches() || !view.GetShowPerfectResponseMatches() ||
        !view.GetShowUnmatchedCampaignResponses() || !view.GetShowUnmatchedSourceResponses())
        return false;
    if (!HasResponseFocusCell())
        return false;
    const CModality* response = GetCampaignResponseAtRow(m_gridResponses->GetFocusCell().row);
    const CQuestion* question = GetCurrentQuestion();
    // Only a response of the question the grid shows moves among its responses.
    if (!response || !question || response->GetQuestionId() != question->GetQuestionId())
        return false;
    return question->GetModalityByOrder(response->GetModalityOrder() + (up ? -1 : 1)) != nullptr;
}

void CRightReconciliationPage::MoveResponse(bool up)
{
    CCampaign* campaign = AppCampaign();
    if (!campaign || m_gridQuestions->GetFocusCell().row == -1)
        return;
    const int row = m_gridResponses->GetFocusCell().row;
    const auto responseAt = [this, campaign](int at) {
        const long id = m_responseRows.GetId(at);
        return id > 0 ? campaign->GetModalityById(int(id)) : nullptr;
    };
    CModality* moved = responseAt(row);
    CModality* neighbour = moved ? responseAt(up ? row - 1 : row + 1) : nullptr;
    // Both rows show responses of the current question.
    if (!neighbour || moved->GetQuestionId() != m_curQuestionId ||
        neighbour->GetQuestionId() != m_curQuestionId)
        return;

    IssueCommand(std::make_unique<CCmdSwapResponseOrder>(campaign, moved, neighbour),
                 SwapResponseOrderCallBacks(), nullptr, true);
}

void CRightReconciliationPage::SwapResponseRows(const CModality& first, const CModality& second)
{
    // The question's differences are stale in every wave. A swap takes nothing out of the
    // campaign, so the question is marked in each wave's entry without the cache's sweep for
    // removed items, which costs more than the whole swap.
    const IWaveApp* app = GetWaveApp();
    const CCampaign* campaign = AppCampaign();
    if (CCampaignDiffsCache* cache = app ? app->GetDiffsCache() : nullptr; cache && campaign) {
        for (int w = 0; w < campaign->GetWaveCount(); ++w)
            if (CWaveDiffsEntry* entry =
                    cache->GetWaveEntry(campaign->GetWave(w)->GetWaveId(), false))
                entry->InvalidateQuestion(first.GetQuestionId());
    }

    const int rowA = m_responseRows.GetFirstRow(first.GetModalityId());
    const int rowB = m_responseRows.GetFirstRow(second.GetModalityId());
    if (rowA == kNoRow || rowB == kNoRow || rowA == rowB) {
        // The grid shows another question, or not both responses: the question's rows, when
        // shown, are made again in the new order.
        if (m_curQuestionId == first.GetQuestionId())
            RefreshResponses();
        return;
    }

    // The cells, the source responses and the bands go with their rows. The generated entry
    // codes count the responses before each one: they change with its place.
    m_responseRows.SwapRows(rowA, rowB);
    const CQuestion* question =
        campaign ? campaign->GetQuestionById(first.GetQuestionId()) : nullptr;
    m_gridResponses->SetCellText(rowA, RColEntryCode, EntryCodeText(question, &second));
    m_gridResponses->SetCellText(rowB, RColEntryCode, EntryCodeText(question, &first));

    const CCellID focus = m_gridResponses->GetFocusCell();
    if (focus.row == rowA)
        m_gridResponses->SetFocusCellNotify(rowB, focus.col);
    m_gridResponses->viewport()->update();

    const int fixed = m_gridResponses->GetFixedRowCount();
    m_overviewResponses->EnsureMarkerOnRow(unsigned(rowB - fixed));
    m_overviewResponses->update();
}
