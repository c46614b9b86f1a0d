#include "commands/CampaignValidation.h"

#include "commands/LanguageCommands.h"
#include "commands/MatchingCommands.h"
#include "commands/MetaCmd.h"
#include "model/Campaign.h"
#include "platform/AppServices.h"
#include "reconcile/SourceComparison.h"
#include "res/StringIds.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <algorithm>
#include <map>
#include <vector>

using namespace pelko_wave;

namespace {

// The volumes of the entries of one key, from both lists, taken out of the lists.
template <class Key>
std::vector<int> TakeEntries(const Key& key, std::multimap<Key, int>& first,
                             std::multimap<Key, int>& second)
{
    std::vector<int> volumeIds;
    for (std::multimap<Key, int>* list : {&first, &second}) {
        const auto [from, to] = list->equal_range(key);
        for (auto it = from; it != to; ++it)
            volumeIds.push_back(it->second);
        list->erase(from, to);
    }
    return volumeIds;
}

// One break for each distinct matching that holds at the entries' volumes, at the first volume
// in campaign order where it holds: breaking it there ends it for the later ones too, and a
// later volume that holds a matching of its own is broken there. Returns false when a volume is
// missing or no matching holds at one.
template <class Key, class FindHeld, class MakeBreak>
bool AddBreaks(const CCampaign& campaign, std::multimap<Key, int>& first,
               std::multimap<Key, int>& second, std::atomic<int>& doneCount, FindHeld findHeld,
               MakeBreak makeBreak)
{
    while (!first.empty() || !second.empty()) {
        const Key key = !first.empty() ? first.begin()->first : second.begin()->first;
        std::vector<int> volumeIds = TakeEntries(key, first, second);
        std::sort(volumeIds.begin(), volumeIds.end(),
                  [&](int a, int b) { return campaign.IsVolumeBefore(a, b); });
        std::vector<const void*> broken;
        for (const int volumeId : volumeIds) {
            CVolume* volume = campaign.FindVolume(volumeId);
            const void* held = volume ? findHeld(key, *volume) : nullptr;
            if (!held)
                return false;
            if (std::find(broken.begin(), broken.end(), held) != broken.end())
                continue;
            broken.push_back(held);
            if (!makeBreak(key, *volume))
                return false;
        }
        doneCount.fetch_add(int(volumeIds.size()));
    }
    return true;
}

// Runs the command through the application's command execution on the thread that owns the
// application object, waiting for it when that is another thread.
bool ExecuteOnOwnerThread(std::unique_ptr<CCmdVirtual>& command)
{
    bool result = false;
    const auto execute = [&] {
        IWaveApp* app = GetWaveApp();
        result = app && app->ExecuteCommand(command, CCmdCallBacks(), nullptr, nullptr, true);
    };
    QCoreApplication* owner = QCoreApplication::instance();
    if (!owner || QThread::currentThread() == owner->thread())
        execute();
    else
        QMetaObject::invokeMethod(owner, execute, Qt::BlockingQueuedConnection);
    return result;
}

} // namespace

int GetValidationIssueCount(const CValidationThreadParams& params)
{
    if (!params.Lists)
        return 0;
    const SSourceComparisonLists& lists = *params.Lists;
    return int(lists.MissingQuestions.size() + lists.MissingModalities.size() +
               lists.InvalidQuestionMatches.size() + lists.InvalidModalityMatches.size() +
               lists.NewLanguages.size() + lists.DeletedQuestionMatches.size() +
               lists.DeletedModalityMatches.size());
}

unsigned ValidationThreadProc(CValidationThreadParams* params)
{
    params->Result = params->Campaign && params->Lists &&
                     ValidateCampaign(params->DoneCount, *params->Campaign, *params->Lists);
    return params->Result ? 1 : 0;
}

bool ValidateCampaign(std::atomic<int>& doneCount, CCampaign& campaign,
                      SSourceComparisonLists& lists)
{
    auto composite = std::make_unique<CMetaCmd>(IDS_VALIDATED_CAMPAIGN);
    const std::vector<CVolume*> volumes = GetVolumesInCampaignOrder(campaign);

    // Matchings to responses the campaign lacks, then to questions it lacks: the question's
    // removal takes the volume's response matchings of the question that are left with it.
    for (const auto& [key, caption] : lists.MissingModalities) {
        for (CVolume* volume : volumes) {
            for (int i = 0; i < volume->GetModalityMatchingCount(); ++i) {
                CModalityMatching* matching = volume->GetModalityMatching(i);
                if (matching->GetQuestionId() == key.first &&
                    matching->GetModalityId() == key.second)
                    composite->AddCmd(
                        std::make_unique<CCmdRemoveModalityMatching>(&campaign, matching));
            }
        }
        doneCount.fetch_add(1);
    }
    for (const auto& [questionId, shortcut] : lists.MissingQuestions) {
        for (CVolume* volume : volumes) {
            for (int i = 0; i < volume->GetQuestionMatchingCount(); ++i) {
                CQuestionMatching* matching = volume->GetQuestionMatching(i);
                if (matching->GetQuestionId() == questionId)
                    composite->AddCmd(
                        std::make_unique<CCmdRemoveQuestionMatching>(&campaign, matching));
            }
        }
        doneCount.fetch_add(1);
    }
    // The languages of the sources that the campaign lacks, none of them its default.
    for (const auto& entry : lists.NewLanguages) {
        const SNewLanguage& language = entry.second;
        composite->AddCmd(std::make_unique<CCmdAddLanguage>(&campaign, language.LanguageId,
                                                            language.Reserved != 0, language.Name,
                                                            language.Abbreviation));
        doneCount.fetch_add(1);
    }

    const bool responses = AddBreaks(
        campaign, lists.InvalidModalityMatches, lists.DeletedModalityMatches, doneCount,
        [&](const CModalityKey& key, const CVolume& volume) -> const void* {
            return volume.FindModalityMatchingInherited(key.second, volume.GetVolumeId());
        },
        [&](const CModalityKey& key, CVolume& volume) {
            CModality* modality = campaign.GetModalityById(key.second);
            if (!modality)
                return false;
            const CModalityMatching* held =
                volume.FindModalityMatchingInherited(key.second, volume.GetVolumeId());
            composite->AddCmd(std::make_unique<CCmdBreakModMatching>(&campaign, &volume, modality,
                                                                     held->GetModalitySourceId()));
            return true;
        });
    if (!responses)
        return false;
    const bool questions = AddBreaks(
        campaign, lists.InvalidQuestionMatches, lists.DeletedQuestionMatches, doneCount,
        [&](int questionId, const CVolume& volume) -> const void* {
            return volume.FindQuestionMatchingInherited(questionId, volume.GetVolumeId());
        },
        [&](int questionId, CVolume& volume) {
            CQuestion* question = campaign.GetQuestionById(questionId);
            if (!question)
                return false;
            const CQuestionMatching* held =
                volume.FindQuestionMatchingInherited(questionId, volume.GetVolumeId());
            composite->AddCmd(std::make_unique<CCmdBreakQuesMatching>(&campaign, &volume, question,
                                                                      held->GetSourceId()));
            return true;
        });
    if (!questions)
        return false;

    std::unique_ptr<CCmdVirtual> command = std::move(composite);
    return ExecuteOnOwnerThread(command);
}
