// The reconciliation page's "Find Question": the find question dialog searches the campaign
// questions and the source questions of the page's rows, and the page selects the row of the one
// the user picks.

#include "views/RightReconciliationPage.h"

#include "views/ViewDialogs.h"
#include "views/WaveGridCtrl.h"

void CRightReconciliationPage::OnFindQuestion()
{
    IViewDialogs* dialogs = GetViewDialogs();
    if (!dialogs)
        return;
    SFindQuestionRequest request;
    request.WaveId = int(m_waveId);
    for (int row = m_gridQuestions->GetFixedRowCount(); row < m_gridQuestions->GetRowCount();
         ++row) {
        // The rows of unmatched source questions carry keys below 0, no campaign question.
        const long questionId = m_questionRows.GetId(row);
        if (questionId > 0)
            request.CampaignQuestionIds.insert(int(questionId));
        const QString sourceId = m_questionRows.GetSourceKey(row);
        const int volumeId = m_questionRows.GetVolumeId(row);
        if (sourceId != kNoSourceKey && volumeId != -1)
            request.SourceQuestions.push_back({volumeId, sourceId, GetSourceQuestionAtRow(row)});
    }

    SFindQuestionChoice choice;
    {
        const CModalDialogScope modal;
        if (dialogs->RunFindQuestionDlg(this, request, choice) != IDOK)
            return;
    }
    if (choice.CampaignQuestionChosen) {
        if (choice.CampaignQuestionId != -1)
            SelectCampaignQuestion(choice.CampaignQuestionId);
        return;
    }
    const int row = FindSourceQuestionRow(choice.SourceId, choice.VolumeId);
    if (row != kNoRow)
        SelectQuestionRow(row, QColSourceShortcut);
}
