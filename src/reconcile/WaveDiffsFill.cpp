#include "reconcile/WaveDiffsFill.h"

#include "model/Campaign.h"
#include "model/QuestionnaireLoading.h"
#include "platform/AppServices.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/Differences.h"
#include "reconcile/DiffsCache.h"
#include "reconcile/DiffsOptions.h"
#include "reconcile/PropertyCaptions.h"
#include "reconcile/PropertyTexts.h"
#include "reconcile/ValidMatchings.h"

#include <QHash>
#include <QList>

#include <vector>

using namespace pelko_wave;

namespace {

// What a volume of the wave matches: campaign question id -> source code (the nearest volume's
// matching winning), and the response matchings of each question.
struct SVolumeMatches
{
    CVolume* Volume = nullptr;
    QHash<int, QString> QuestionSources;
    QHash<int, QList<const CModalityMatching*>> ModalityMatchings;
};

std::vector<SVolumeMatches> CollectWaveMatches(CWave& wave)
{
    std::vector<SVolumeMatches> volumes;
    for (int i = 0; i < wave.GetVolumeCount(); ++i) {
        SVolumeMatches matches;
        matches.Volume = wave.GetVolume(i);
        // A source that cannot be read has nothing to compare with.
        if (!EnsureVolumeQuestionnaire(*matches.Volume))
            continue;
        SValidMatchings valid = CollectValidMatchings(*matches.Volume);
        for (const CQuestionMatching* matching : std::as_const(valid.Questions)) {
            if (!matches.QuestionSources.contains(matching->GetQuestionId()))
                matches.QuestionSources.insert(matching->GetQuestionId(), matching->GetSourceId());
        }
        matches.ModalityMatchings = std::move(valid.ModalitiesByQuestion);
        volumes.push_back(std::move(matches));
    }
    return volumes;
}

class CWaveFiller
{
public:
    CWaveFiller(CCampaign& campaign, CWave& wave, CWaveDiffsEntry& entry)
        : m_campaign(campaign), m_wave(wave), m_entry(entry), m_volumes(CollectWaveMatches(wave))
    {
        const IWaveApp* app = GetWaveApp();
        m_comparesResponseCount =
            app && !app->IsQuestionDiffKindHidden(kQuestionResponseCountId) &&
            app->GetQuestionDiffsOptions().IsEnabled(kQuestionResponseCountId);
    }

    void FillAll()
    {
        m_entry.GetQuestionDiffs().Clear();
        m_entry.GetModalityDiffs().Clear();
        std::set<int> questionIds;
        for (const SVolumeMatches& volume : m_volumes) {
            for (auto it = volume.QuestionSources.cbegin(); it != volume.QuestionSources.cend();
                 ++it)
                questionIds.insert(it.key());
        }
        for (const int questionId : questionIds)
            Compute(questionId);
        // Every question is fresh now, the stale ones that no volume matches included.
        const std::set<int> stale = m_entry.GetInvalidQuestions();
        for (const int questionId : stale)
            m_entry.ValidateQuestion(questionId);
    }

    void Recompute(int questionId)
    {
        Erase(questionId);
        Compute(questionId);
        m_entry.ValidateQuestion(questionId);
    }

private:
    // Erases the question's entries in the wave's volumes and its responses' entries.
    void Erase(int questionId)
    {
        for (int i = 0; i < m_wave.GetVolumeCount(); ++i)
            m_entry.GetQuestionDiffs().EraseKey({questionId, m_wave.GetVolume(i)->GetVolumeId()});
        for (const SVolumeMatches& volume : m_volumes) {
            for (const CModalityMatching* matching : volume.ModalityMatchings.value(questionId))
                m_entry.GetModalityDiffs().EraseKey(matching->GetModalityId());
        }
        if (const CQuestion* question = m_campaign.GetQuestionById(questionId)) {
            for (int i = 0; i < question->GetModalityCount(); ++i)
                m_entry.GetModalityDiffs().EraseKey(question->GetModality(i)->GetModalityId());
        }
    }

    void Compute(int questionId)
    {
        const CQuestion* question = m_campaign.GetQuestionById(questionId);
        if (!question || questionId == RESERVED_QUESTION_ID)
            return;
        for (const SVolumeMatches& volume : m_volumes) {
            const auto sourceId = volume.QuestionSources.constFind(questionId);
            if (sourceId == volume.QuestionSources.cend())
                continue;
            const qnr::CQuestion* source =
                volume.Volume->GetQuestionnaire().FindQuestionById(sourceId.value().toInt());
            if (source)
                ComputeInVolume(*question, *source, volume);
        }
    }

    void ComputeInVolume(const CQuestion& question, const qnr::CQuestion& source,
                         const SVolumeMatches& volume)
    {
        const int volumeId = volume.Volume->GetVolumeId();
        CacheQuestionDifferences(m_comparer, question, source, volumeId,
                                 m_entry.GetQuestionDiffs());
        bool responsesDiffer = false;
        for (const CModalityMatching* matching :
             volume.ModalityMatchings.value(question.GetQuestionId())) {
            const CModality* modality = m_campaign.GetModalityById(matching->GetModalityId());
            const qnr::CModalite* sourceModality =
                source.FindModaliteById(matching->GetModalitySourceId().toInt());
            if (modality && sourceModality &&
                CacheModalityDifferences(m_comparer, *modality, *sourceModality,
                                         m_entry.GetModalityDiffs()))
                responsesDiffer = true;
        }
        const CRowMultimap::CKey key(question.GetQuestionId(), volumeId);
        if (responsesDiffer)
            m_entry.GetQuestionDiffs().Insert(key, kQuestionResponsesId, CDiffInfoPtr());
        if (m_comparesResponseCount &&
            !HasSameResponseCount(m_wave.GetWaveId(), volumeId, question, source))
            m_entry.GetQuestionDiffs().Insert(key, kQuestionResponseCountId, CDiffInfoPtr());
    }

    CCampaign& m_campaign;
    CWave& m_wave;
    CWaveDiffsEntry& m_entry;
    std::vector<SVolumeMatches> m_volumes;
    const CDifferenceComparer m_comparer;
    bool m_comparesResponseCount = false;
};

} // namespace

CWaveDiffsEntry* FillWaveDifferences(CCampaignDiffsCache& cache, CCampaign& campaign, int waveId)
{
    CWave* wave = campaign.FindWave(waveId);
    if (!wave)
        return nullptr;
    CWaveDiffsEntry* entry = cache.GetWaveEntry(waveId, true);
    CWaveFiller filler(campaign, *wave, *entry);
    if (entry->IsWholeWaveInvalid()) {
        filler.FillAll();
        entry->SetWholeWaveInvalid(false);
        return entry;
    }
    const std::set<int> stale = entry->GetInvalidQuestions();
    for (const int questionId : stale)
        filler.Recompute(questionId);
    return entry;
}
