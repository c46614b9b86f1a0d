// The reconciliation page's "Apply Caption Libraries": the responses of the wave's campaign
// questions whose captions a caption group calls the same are merged into the response with the
// group's base caption, every merge a command of one group that Undo takes back as one step.

#include "views/RightReconciliationPage.h"

#include "commands/DuplicateCommands.h"
#include "commands/MatchingCommands.h"
#include "commands/PlaceHolderCommands.h"
#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/CaptionLibrary.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/OptionRecords.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/AppServices.h"
#include "platform/WindowServices.h"
#include "reconcile/DisplayCaptions.h"
#include "res/StringIds.h"
#include "views/IssueCommand.h"
#include "views/ViewDialogs.h"

#include <QHash>

#include <algorithm>

using namespace pelko_wave;

namespace {

// Whether a library uses the caption: it keeps a state for it and the state is not 0. A caption
// added to a group in the caption library dialog is kept unticked (0) until the user ticks it.
bool LibrariesHold(const QList<CResponseLibrary*>& libraries, const CResponseCaption* caption)
{
    return std::any_of(libraries.begin(), libraries.end(),
                       [caption](const CResponseLibrary* library) {
                           return library && library->GetCaptionState(caption) != 0;
                       });
}

// The caption groups as a run applies them: for each group whose base caption a library uses,
// that caption and the group's other captions a library uses, as case-folded texts, in the
// group's order; and the groups by their base caption, each list in group order.
class CCaptionGroupIndex
{
public:
    struct SGroup
    {
        QString Base;
        std::vector<QString> Others;
    };

    CCaptionGroupIndex(const QList<CResponseCaptionGroup*>& groups,
                       const QList<CResponseLibrary*>& libraries)
    {
        for (const CResponseCaptionGroup* group : groups) {
            const CResponseCaption* base = group ? group->GetBaseLabel() : nullptr;
            if (!base || !LibrariesHold(libraries, base))
                continue;
            SGroup applied{base->GetText().toCaseFolded(), {}};
            for (int i = 0; const CResponseCaption* caption = group->GetCaptionAt(i); ++i) {
                if (caption != base && LibrariesHold(libraries, caption))
                    applied.Others.push_back(caption->GetText().toCaseFolded());
            }
            if (applied.Others.empty())
                continue;
            m_byBase[applied.Base].push_back(int(m_groups.size()));
            m_groups.push_back(std::move(applied));
        }
    }

    const SGroup& GetGroup(int index) const { return m_groups[size_t(index)]; }

    // The groups whose base caption is one of the texts, in group order.
    std::vector<int> GroupsWithBaseIn(const QHash<QString, CModality*>& captions) const
    {
        std::vector<int> found;
        for (auto it = captions.begin(); it != captions.end(); ++it) {
            const auto groups = m_byBase.constFind(it.key());
            if (groups != m_byBase.constEnd())
                found.insert(found.end(), groups->begin(), groups->end());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

private:
    std::vector<SGroup> m_groups;
    QHash<QString, std::vector<int>> m_byBase;
};

// The first response of the question under each of its captions (case-folded).
QHash<QString, CModality*> ResponsesByCaption(const CQuestion& question)
{
    QHash<QString, CModality*> responses;
    responses.reserve(question.GetModalityCount());
    for (CModality* response : question.GetModalities()) {
        const QString caption = GetModalityDisplayCaption(*response).toCaseFolded();
        if (!responses.contains(caption))
            responses.insert(caption, response);
    }
    return responses;
}

// The first volume of the wave that matches the question, by its own matching or an inherited
// one; null when none does.
CVolume* VolumeMatching(const CWave& wave, int questionId)
{
    for (int v = 0; v < wave.GetVolumeCount(); ++v) {
        CVolume* volume = wave.GetVolume(v);
        if (volume->FindQuestionMatchingInherited(questionId, volume->GetVolumeId()))
            return volume;
    }
    return nullptr;
}

} // namespace

void CRightReconciliationPage::OnApplyCaptionLibraries()
{
    IWaveApp* app = GetWaveApp();
    IViewDialogs* dialogs = GetViewDialogs();
    if (!app || !dialogs)
        return;
    {
        const CModalDialogScope modal;
        SCaptionLibraryDlgRequest request;
        request.Mode = CAPTION_LIBRARY_APPLY;
        if (dialogs->RunCaptionLibraryDlg(this, request) != IDOK)
            return;
    }
    CCampaign* campaign = app->GetCampaign();
    CWave* wave = campaign ? campaign->FindWave(int(m_waveId)) : nullptr;
    if (!wave || wave->GetVolumeCount() == 0)
        return;
    // Without groups or libraries there is nothing to apply, and nothing is recorded.
    const QList<CResponseCaptionGroup*>& groups = app->GetCaptionGroups();
    const QList<CResponseLibrary*>& libraries = app->GetCaptionLibraries();
    if (groups.isEmpty() || libraries.isEmpty())
        return;

    const CWaitCursor wait;
    const CCaptionGroupIndex index(groups, libraries);
    const int waveId = wave->GetWaveId();
    // Responses are compared by the captions the page shows.
    SetCurrentLanguageId(campaign->GetCurrentLanguageId());
    // Only responses of the wave take part: not one removed as of the wave, nor one that
    // appears after it. The merge passes the merged response's matchings in every volume to the
    // kept one, so the kept one must not appear after it: its matchings in the volumes before
    // its appearance would be shown nowhere, and the source responses would drop out of those
    // waves.
    const int lastVolumeId = wave->GetVolume(wave->GetVolumeCount() - 1)->GetVolumeId();
    const auto outOfWave = [campaign, waveId, lastVolumeId](const CModality& response) {
        return (response.IsDeleted() &&
                !campaign->IsWaveBefore(waveId, response.GetDeletionWaveId())) ||
               campaign->IsVolumeBefore(lastVolumeId, response.GetAppearanceVolumeId());
    };
    // Two responses that one volume matches both are two answers there: the merge would take
    // the merged one's matching out of that volume and give it to nobody.
    const std::vector<CVolume*> volumes = GetVolumesInCampaignOrder(*campaign);
    const auto matchedTogether = [&volumes](const CModality& kept, const CModality& merged) {
        return std::any_of(volumes.begin(), volumes.end(), [&](const CVolume* volume) {
            const int id = volume->GetVolumeId();
            return volume->FindModalityMatchingInherited(kept.GetModalityId(), id) &&
                   volume->FindModalityMatchingInherited(merged.GetModalityId(), id);
        });
    };
    const auto canFold = [&](const CModality& kept, const CModality& merged) {
        return !outOfWave(kept) && !outOfWave(merged) &&
               !campaign->IsVolumeBefore(merged.GetAppearanceVolumeId(),
                                         kept.GetAppearanceVolumeId()) &&
               !matchedTogether(kept, merged);
    };

    // The merges the libraries call for, in the order the run makes them, each judged on the
    // campaign as the merges before it left it; the visit returns false to stop.
    const auto forEachMerge = [&](const auto& visit) {
        for (int i = 0; i < campaign->GetQuestionCount(); ++i) {
            CQuestion* question = campaign->GetQuestion(i);
            if (!question || question->GetQuestionId() == RESERVED_QUESTION_ID ||
                question->IsDeleted() || question->GetModalityCount() < 2)
                continue;
            const QHash<QString, CModality*> responses = ResponsesByCaption(*question);
            const std::vector<int> applied = index.GroupsWithBaseIn(responses);
            if (applied.empty())
                continue;
            CVolume* volume = VolumeMatching(*wave, question->GetQuestionId());
            for (const int g : applied) {
                const CCaptionGroupIndex::SGroup& group = index.GetGroup(g);
                CModality* kept = responses.value(group.Base);
                if (!kept)
                    continue;
                for (const QString& caption : group.Others) {
                    CModality* duplicate = responses.value(caption);
                    if (!duplicate || duplicate == kept || !canFold(*kept, *duplicate) ||
                        !CanMergeModalities(*campaign, volume, kept->GetModalityId(),
                                            duplicate->GetModalityId()))
                        continue;
                    if (!visit(*question, volume, *kept, *duplicate))
                        return;
                }
            }
        }
    };
    // Libraries that merge nothing record nothing: no step, no modified mark, and the page is
    // not shown again, so it keeps its place. Until the first merge is made the campaign is as
    // it stands now, so the first merge found here is the run's first.
    bool anyMerge = false;
    forEachMerge([&anyMerge](CQuestion&, CVolume*, CModality&, CModality&) {
        anyMerge = true;
        return false;
    });
    if (!anyMerge)
        return;

    GUID groupId;
    CreateGuid(groupId);
    // The place holders open and close the step: the history takes everything between them
    // back as one. Neither can fail, so the step is never left open. The wave is shown again
    // once the whole step is done, undone or redone: after the closing one's Do and Redo and
    // after the opening one's Undo.
    const CCmdCallBacks reload = FixAllPlaceHolderCallBacks();
    IssueCommand(std::make_unique<CCmdPlaceHolder>(IDS_APPLY_CAPTION_LIBRARIES, groupId),
                 {{}, reload.AfterUndo, {}}, nullptr, true);
    forEachMerge([&](CQuestion& question, CVolume* volume, CModality& kept, CModality& duplicate) {
        auto merge = std::make_unique<CCmdRemoveDuplicateModality>(
            campaign, wave, volume, question.GetQuestionId(), &kept, &duplicate);
        merge->SetGroupId(groupId);
        IssueCommand(std::move(merge), {}, nullptr, true);
        return true;
    });
    IssueCommand(std::make_unique<CCmdPlaceHolder>(IDS_APPLY_CAPTION_LIBRARIES, groupId),
                 {reload.AfterDo, {}, reload.AfterRedo}, nullptr, true);
}
