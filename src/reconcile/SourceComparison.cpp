#include "reconcile/SourceComparison.h"

#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/QuestionKinds.h"
#include "model/QuestionnaireLoading.h"
#include "platform/ProgressThreadData.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/ParallelLoop.h"
#include "reconcile/ValidMatchings.h"

#include <QFileInfo>

#include <vector>

using namespace pelko_wave;

namespace {

// The comparison reads sources with this database type, whatever the format.
constexpr int COMPARISON_DATABASE_TYPE = 2;

enum ESourceFileProblem
{
    SOURCE_FILE_MISSING = 0,
    SOURCE_FILE_UNREADABLE = 1
};

// Enters the text under the key; a text already there stays unless it is empty.
template <typename Key>
void EnterText(std::map<Key, QString>& list, const Key& key, const QString& text)
{
    const auto [it, inserted] = list.emplace(key, text);
    if (!inserted && it->second.isEmpty())
        it->second = text;
}

// What the whole run reads of the campaign, prepared once before the threads start.
struct SCampaignFacts
{
    const CCampaign& Campaign;
    // Whether each campaign question (by position) lies inside a loop.
    std::vector<bool> InsideLoop;

    explicit SCampaignFacts(const CCampaign& campaign) : Campaign(campaign)
    {
        for (const uint32_t mask : GetQuestionLoopMasks(campaign))
            InsideLoop.push_back(ReduceLoopMask(mask) != 0);
    }
    bool IsInsideLoop(int questionId) const
    {
        const int position = Campaign.GetQuestionIndexById(questionId);
        return position >= 0 && InsideLoop[size_t(position)];
    }
    // Deleted in the wave or an earlier one.
    bool IsDeletedBy(int isDeleted, int deletionWaveId, int waveId) const
    {
        return isDeleted &&
               (deletionWaveId == waveId || IsWaveBefore(&Campaign, deletionWaveId, waveId));
    }
};

class CVolumeCheck
{
public:
    CVolumeCheck(const SCampaignFacts& facts, CVolume& volume, CUPDialogUserProcData* progress,
                 SSourceComparisonLists& lists)
        : m_facts(facts), m_campaign(facts.Campaign), m_volume(volume), m_progress(progress),
          m_lists(lists)
    {
    }

    void Run()
    {
        const CSourcePath& source = m_volume.GetMetaData();
        if (source.IsFile() && !QFileInfo::exists(source.SourceString)) {
            m_lists.MissingSourceFiles.emplace(m_volume.GetVolumeId(), SOURCE_FILE_MISSING);
            return;
        }
        qnr::CQuestionnaire& questionnaire = m_volume.GetQuestionnaire();
        if (!LoadQuestionnaire(questionnaire, source, m_volume.GetSourceType(),
                               COMPARISON_DATABASE_TYPE)) {
            m_lists.MissingSourceFiles.emplace(m_volume.GetVolumeId(), SOURCE_FILE_UNREADABLE);
            return;
        }
        if (Cancelled())
            return;
        CheckLanguages(questionnaire);
        const SValidMatchings matchings = CollectValidMatchings(m_volume);
        for (const CQuestionMatching* matching : matchings.Questions) {
            if (Cancelled())
                return;
            if (matching->GetQuestionId() == RESERVED_QUESTION_ID)
                continue;
            if (m_progress)
                m_progress->StepPos();
            CheckQuestion(questionnaire, *matching, matchings);
        }
    }

private:
    bool Cancelled() const { return m_progress && m_progress->IsCancelled(); }

    void CheckLanguages(const qnr::CQuestionnaire& questionnaire)
    {
        for (int i = 0; i < questionnaire.GetLanguageCount(); ++i) {
            const qnr::CLanguage& language = *questionnaire.GetLanguage(i);
            if (m_campaign.FindLanguage(language.GetId()))
                continue;
            m_lists.NewLanguages.emplace(
                language.GetId(),
                SNewLanguage{language.GetId(), 0, language.GetAbbreviation(), language.GetName()});
        }
    }

    void CheckQuestion(const qnr::CQuestionnaire& questionnaire, const CQuestionMatching& matching,
                       const SValidMatchings& matchings)
    {
        const int questionId = matching.GetQuestionId();
        const int volumeId = m_volume.GetVolumeId();
        const qnr::CQuestion* source =
            questionnaire.FindQuestionById(matching.GetSourceId().toInt());
        const CQuestion* question = m_campaign.GetQuestionById(questionId);
        if (!question) {
            EnterText(m_lists.MissingQuestions, questionId,
                      source ? source->GetShortcut() : QString());
            return;
        }
        if (!source) {
            m_lists.InvalidQuestionMatches.emplace(questionId, volumeId);
            return;
        }
        if (m_facts.IsDeletedBy(question->IsDeleted(), question->GetDeletionWaveId(),
                                m_volume.GetWaveId()))
            m_lists.DeletedQuestionMatches.emplace(questionId, volumeId);
        if (m_facts.IsInsideLoop(questionId) != (ReduceLoopMask(GetSourceLoopMask(*source)) != 0))
            m_lists.LoopHierarchyMatches.emplace(questionId, volumeId);
        CheckResponses(questionnaire, *source, matchings.ModalitiesByQuestion.value(questionId));
    }

    void CheckResponses(const qnr::CQuestionnaire& questionnaire, const qnr::CQuestion& source,
                        const QList<const CModalityMatching*>& matchings)
    {
        const int volumeId = m_volume.GetVolumeId();
        for (const CModalityMatching* matching : matchings) {
            const CModalityKey key(matching->GetQuestionId(), matching->GetModalityId());
            const qnr::CModalite* sourceModality =
                source.FindModaliteById(matching->GetModalitySourceId().toInt());
            const CModality* modality = m_campaign.GetModalityById(matching->GetModalityId());
            if (!modality) {
                EnterText(m_lists.MissingModalities, key,
                          sourceModality ? sourceModality->GetLocalisedShortCaption(
                                               questionnaire.GetDefaultLanguageId())
                                         : QString());
            } else if (!sourceModality) {
                m_lists.InvalidModalityMatches.emplace(key, volumeId);
            } else if (m_facts.IsDeletedBy(modality->IsDeleted(), modality->GetDeletionWaveId(),
                                           m_volume.GetWaveId())) {
                m_lists.DeletedModalityMatches.emplace(key, volumeId);
            }
        }
    }

    const SCampaignFacts& m_facts;
    const CCampaign& m_campaign;
    CVolume& m_volume;
    CUPDialogUserProcData* m_progress;
    SSourceComparisonLists& m_lists;
};

// Adds one volume's findings to the whole run's, keeping the rules of each list: the first
// non-empty text and the first language record stay, multimaps grow in campaign order.
void MergeFindings(SSourceComparisonLists& into, SSourceComparisonLists&& from)
{
    for (const auto& [id, text] : from.MissingQuestions)
        EnterText(into.MissingQuestions, id, text);
    for (const auto& [key, text] : from.MissingModalities)
        EnterText(into.MissingModalities, key, text);
    into.InvalidQuestionMatches.insert(from.InvalidQuestionMatches.begin(),
                                       from.InvalidQuestionMatches.end());
    into.InvalidModalityMatches.insert(from.InvalidModalityMatches.begin(),
                                       from.InvalidModalityMatches.end());
    into.NewLanguages.insert(from.NewLanguages.begin(), from.NewLanguages.end());
    into.MissingSourceFiles.insert(from.MissingSourceFiles.begin(), from.MissingSourceFiles.end());
    into.DeletedQuestionMatches.insert(from.DeletedQuestionMatches.begin(),
                                       from.DeletedQuestionMatches.end());
    into.DeletedModalityMatches.insert(from.DeletedModalityMatches.begin(),
                                       from.DeletedModalityMatches.end());
    into.LoopHierarchyMatches.insert(from.LoopHierarchyMatches.begin(),
                                     from.LoopHierarchyMatches.end());
}

} // namespace

bool SSourceComparisonLists::IsEmpty() const
{
    return MissingQuestions.empty() && MissingModalities.empty() &&
           InvalidQuestionMatches.empty() && InvalidModalityMatches.empty() &&
           NewLanguages.empty() && MissingSourceFiles.empty() && DeletedQuestionMatches.empty() &&
           DeletedModalityMatches.empty() && LoopHierarchyMatches.empty();
}

bool CompareSourcesParallel(CUPDialogUserProcData* progress, CCampaign& campaign,
                            SSourceComparisonLists& lists, int threads)
{
    // The volumes to check, in campaign order. Each iteration writes only its own volume's
    // questionnaire and its own findings; the campaign is otherwise only read.
    std::vector<CVolume*> volumes;
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        const CWave& wave = *campaign.GetWave(w);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            if (wave.GetVolume(v)->GetStatus() != VOLUME_UNRECONCILED)
                volumes.push_back(wave.GetVolume(v));
        }
    }
    // Nothing reconciled, nothing to check: the campaign's indexes are not even built.
    if (volumes.empty())
        return lists.IsEmpty();
    const SCampaignFacts facts(campaign);
    std::vector<SSourceComparisonLists> findings(volumes.size());
    ParallelFor(int(volumes.size()), threads, [&](int i) {
        if (progress && progress->IsCancelled())
            return;
        CVolumeCheck(facts, *volumes[size_t(i)], progress, findings[size_t(i)]).Run();
    });
    // Merged in campaign order, so that the lists do not depend on which thread ended first.
    for (SSourceComparisonLists& volumeFindings : findings)
        MergeFindings(lists, std::move(volumeFindings));
    return lists.IsEmpty();
}

int CountCampaignVolumeQuestions(const CCampaign& campaign)
{
    int count = 0;
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        const CWave& wave = *campaign.GetWave(w);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            const CVolume& volume = *wave.GetVolume(v);
            QList<CQuestionMatching*> matchings;
            volume.CollectValidQuestionMatchings(volume.GetVolumeId(), matchings);
            for (const CQuestionMatching* matching : std::as_const(matchings))
                count += matching->GetQuestionId() == RESERVED_QUESTION_ID ? 0 : 1;
        }
    }
    return count;
}
