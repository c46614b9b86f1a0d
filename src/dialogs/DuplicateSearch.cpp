#include "dialogs/DuplicateSearch.h"

#include "model/Campaign.h"
#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"

#include <algorithm>
#include <climits>
#include <map>
#include <set>
#include <unordered_map>

using namespace pelko_wave;

namespace {

// The waves (by position) in which each question and each response is matched, by any volume of
// the wave, with its own matchings or inherited ones.
class CWavesMatched
{
public:
    explicit CWavesMatched(const CCampaign& campaign)
    {
        for (int w = 0; w < campaign.GetWaveCount(); ++w) {
            const CWave& wave = *campaign.GetWave(w);
            std::set<int> questionIds;
            std::set<int> modalityIds;
            QList<CModalityMatching*> modalityMatchings;
            for (int v = 0; v < wave.GetVolumeCount(); ++v) {
                const CVolume& volume = *wave.GetVolume(v);
                volume.CollectMatchedQuestionIds(volume.GetVolumeId(), questionIds);
                modalityMatchings.clear();
                volume.CollectValidModalityMatchings(volume.GetVolumeId(), modalityMatchings);
                for (const CModalityMatching* matching : modalityMatchings)
                    modalityIds.insert(matching->GetModalityId());
            }
            for (const int id : questionIds)
                m_questions[id].push_back(w);
            for (const int id : modalityIds)
                m_modalities[id].push_back(w);
        }
    }

    // Whether the two are matched in one wave.
    bool QuestionsShareWave(const CQuestion& a, const CQuestion& b) const
    {
        return Share(m_questions, a.GetQuestionId(), b.GetQuestionId());
    }
    bool ResponsesShareWave(const CModality& a, const CModality& b) const
    {
        return Share(m_modalities, a.GetModalityId(), b.GetModalityId());
    }

private:
    using WaveLists = std::unordered_map<int, std::vector<int>>;

    static bool Share(const WaveLists& lists, int a, int b)
    {
        const auto first = lists.find(a);
        const auto second = lists.find(b);
        if (first == lists.end() || second == lists.end())
            return false;
        // Both lists are in wave order.
        auto x = first->second.begin();
        auto y = second->second.begin();
        while (x != first->second.end() && y != second->second.end()) {
            if (*x == *y)
                return true;
            if (*x < *y)
                ++x;
            else
                ++y;
        }
        return false;
    }

    WaveLists m_questions;
    WaveLists m_modalities;
};

class CDuplicateFinder
{
public:
    CDuplicateFinder(const CCampaign& campaign, const SDuplicateSearchProgress& progress,
                     const std::atomic<bool>* stop)
        : m_campaign(campaign), m_progress(progress), m_stop(stop),
          m_language(campaign.GetDefaultLanguageId()), m_waves(campaign)
    {
    }

    SDuplicateSearchResults Run()
    {
        std::multimap<QString, CQuestion*> byName;
        for (int i = 0; i < m_campaign.GetQuestionCount(); ++i) {
            CQuestion* question = m_campaign.GetQuestion(i);
            if (!m_campaign.IsReservedQuestion(question))
                byName.emplace(question->GetShortcut(), question);
        }
        if (m_progress.SetRange)
            m_progress.SetRange(int(std::min<size_t>(byName.size() * 2, INT_MAX)));

        for (auto it = byName.begin(); it != byName.end() && !Stopped();) {
            const auto end = byName.upper_bound(it->first);
            std::vector<CQuestion*> candidates;
            for (auto same = it; same != end; ++same)
                candidates.push_back(same->second);
            if (candidates.size() > 1)
                GroupQuestions(it->first, candidates);
            Advance(int(candidates.size()) + 1);
            it = end;
        }

        for (auto it = byName.begin(); it != byName.end() && !Stopped(); ++it) {
            GroupResponses(*it->second);
            Advance(1);
        }
        return std::move(m_results);
    }

private:
    bool Stopped() const { return m_stop && m_stop->load(); }

    void Advance(int steps) const
    {
        if (m_progress.Advance)
            m_progress.Advance(steps);
    }

    // Splits the questions of one name into groups, each of a pivot and its partners.
    void GroupQuestions(const QString& name, std::vector<CQuestion*> candidates)
    {
        while (!candidates.empty()) {
            CQuestion& pivot = *candidates.front();
            QList<CQuestion*> group;
            for (size_t i = 1; i < candidates.size(); ++i)
                if (IsQuestionPartner(pivot, *candidates[i]))
                    group.append(candidates[i]);
            group.append(&pivot);
            std::erase_if(candidates, [&group](CQuestion* q) { return group.contains(q); });
            if (group.size() > 1)
                m_results.Questions.push_back({name, group});
        }
    }

    bool IsQuestionPartner(const CQuestion& pivot, const CQuestion& partner) const
    {
        return partner.GetElementType() == pivot.GetElementType() &&
               partner.GetDeletionWaveId() == pivot.GetDeletionWaveId() &&
               CanTakeResponses(pivot, partner) && !m_waves.QuestionsShareWave(pivot, partner);
    }

    // Whether every response of the partner pairs, one to one, with a response of the pivot
    // captioned the same (ignoring case) and never matched in a wave where it is matched.
    bool CanTakeResponses(const CQuestion& pivot, const CQuestion& partner) const
    {
        const int pivotCount = pivot.GetModalityCount();
        const int partnerCount = partner.GetModalityCount();
        if (pivotCount < partnerCount)
            return false;
        // The pivot's responses each partner response may pair with.
        std::vector<std::vector<int>> fits(static_cast<size_t>(partnerCount));
        for (int r = 0; r < partnerCount; ++r) {
            const CModality& response = *partner.GetModality(r);
            const QString& caption = response.GetShortCaption(m_language);
            for (int p = 0; p < pivotCount; ++p) {
                const CModality& candidate = *pivot.GetModality(p);
                if (caption.compare(candidate.GetShortCaption(m_language), Qt::CaseInsensitive) ==
                        0 &&
                    !m_waves.ResponsesShareWave(candidate, response))
                    fits[size_t(r)].push_back(p);
            }
            if (fits[size_t(r)].empty())
                return false;
        }
        // A pairing of every partner response by augmenting paths.
        std::vector<int> pairedWith(size_t(pivotCount), -1);
        for (int r = 0; r < partnerCount; ++r) {
            std::vector<char> visited(size_t(pivotCount), 0);
            if (!Augment(r, fits, pairedWith, visited))
                return false;
        }
        return true;
    }

    static bool Augment(int response, const std::vector<std::vector<int>>& fits,
                        std::vector<int>& pairedWith, std::vector<char>& visited)
    {
        for (const int p : fits[size_t(response)]) {
            if (visited[size_t(p)])
                continue;
            visited[size_t(p)] = 1;
            if (pairedWith[size_t(p)] < 0 ||
                Augment(pairedWith[size_t(p)], fits, pairedWith, visited)) {
                pairedWith[size_t(p)] = response;
                return true;
            }
        }
        return false;
    }

    void GroupResponses(CQuestion& question)
    {
        std::multimap<QString, CModality*> byCaption;
        for (CModality* response : question.GetModalities())
            byCaption.emplace(response->GetShortCaption(m_language), response);
        for (auto it = byCaption.begin(); it != byCaption.end();) {
            const auto end = byCaption.upper_bound(it->first);
            std::vector<CModality*> candidates;
            for (auto same = it; same != end; ++same)
                candidates.push_back(same->second);
            it = end;
            while (candidates.size() > 1) {
                CModality& pivot = *candidates.front();
                QList<CModality*> group;
                for (size_t i = 1; i < candidates.size(); ++i) {
                    const CModality& partner = *candidates[i];
                    if (partner.GetDeletionWaveId() == pivot.GetDeletionWaveId() &&
                        !m_waves.ResponsesShareWave(pivot, partner))
                        group.append(candidates[i]);
                }
                group.append(&pivot);
                std::erase_if(candidates, [&group](CModality* r) { return group.contains(r); });
                if (group.size() > 1)
                    m_results.Responses.push_back({&question, group});
            }
        }
    }

    const CCampaign& m_campaign;
    const SDuplicateSearchProgress& m_progress;
    const std::atomic<bool>* m_stop;
    const int m_language;
    const CWavesMatched m_waves;
    SDuplicateSearchResults m_results;
};

} // namespace

SDuplicateSearchResults FindDuplicates(const CCampaign& campaign,
                                       const SDuplicateSearchProgress& progress,
                                       const std::atomic<bool>* stop)
{
    return CDuplicateFinder(campaign, progress, stop).Run();
}
