#include "reconcile/CampaignOrdering.h"

#include "model/Campaign.h"
#include "model/ConnectionText.h"
#include "model/MatchIndexes.h"
#include "model/QuestionnaireLoading.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QHash>
#include <QList>
#include <algorithm>
#include <vector>

namespace pelko_wave {

namespace {

void ReportMissingSourceQuestion(const CVolume& volume, const QString& sourceId)
{
    GetWindowServices().MessageBox(
        FormatString(LoadString(IDS_SOURCE_QUESTION_MISSING), {volume.GetName(), sourceId}),
        MB_OK | MB_ICONWARNING);
}

// A new order being built over items numbered 0 to n - 1: items are inserted after an item
// already in it, or at the front.
class CSequence
{
public:
    explicit CSequence(int count)
        : m_next(size_t(count), -1), m_previous(size_t(count), -1), m_placed(size_t(count), 0)
    {
    }
    bool Contains(int item) const { return m_placed[size_t(item)] != 0; }
    // Inserts the item after the anchor (at the front without one, -1); returns the item, the
    // anchor of the next insertion.
    int InsertAfter(int anchor, int item)
    {
        const int next = anchor >= 0 ? m_next[size_t(anchor)] : m_first;
        m_previous[size_t(item)] = anchor;
        m_next[size_t(item)] = next;
        (anchor >= 0 ? m_next[size_t(anchor)] : m_first) = item;
        (next >= 0 ? m_previous[size_t(next)] : m_last) = item;
        m_placed[size_t(item)] = 1;
        return item;
    }
    int Append(int item) { return InsertAfter(m_last, item); }
    // Every item of the current order not placed yet goes right after the item before it in the
    // current order, the first one to the front. Walking the current order front to back, that
    // item is always placed already.
    void PlaceTheRestAfterPredecessors(const std::vector<int>& current)
    {
        for (size_t i = 0; i < current.size(); ++i) {
            if (!Contains(current[i]))
                InsertAfter(i == 0 ? -1 : current[i - 1], current[i]);
        }
    }
    // The items in their new order.
    template <typename Visit> void ForEach(Visit visit) const
    {
        for (int item = m_first; item >= 0; item = m_next[size_t(item)])
            visit(item);
    }

private:
    std::vector<int> m_next;
    std::vector<int> m_previous;
    std::vector<char> m_placed;
    int m_first = -1;
    int m_last = -1;
};

} // namespace

int OrderQuestionModalities(CCampaign& campaign, CQuestion& campaignQuestion, const CWave& wave)
{
    Q_UNUSED(campaign);
    const int questionId = campaignQuestion.GetQuestionId();
    CVolume* volume = nullptr;
    const CQuestionMatching* matching = nullptr;
    for (int v = 0; v < wave.GetVolumeCount() && !matching; ++v) {
        volume = wave.GetVolume(v);
        matching = volume->FindQuestionMatchingInherited(questionId, volume->GetVolumeId());
    }
    if (!matching)
        return 1;

    bool numeric = false;
    const int code = matching->GetSourceId().toInt(&numeric);
    const qnr::CQuestion* source = nullptr;
    if (EnsureVolumeQuestionnaire(*volume) && numeric)
        source = volume->GetQuestionnaire().FindQuestionById(code);
    if (!source) {
        ReportMissingSourceQuestion(*volume, matching->GetSourceId());
        return 0;
    }

    // The responses are numbered by their place in the question. Source code -> response id of
    // the matchings valid for the volume, the nearest volume winning, sorted by code (a source
    // id not written as a code names no source response); and response id -> number, the first
    // of equal ids winning, sorted by id.
    QList<CModalityMatching*> matchings;
    volume->CollectModalityMatchingsOfQuestion(volume->GetVolumeId(), questionId, matchings, true);
    std::vector<std::pair<int, int>> byCode;
    byCode.reserve(size_t(matchings.size()));
    for (const CModalityMatching* m : std::as_const(matchings)) {
        int sourceCode = 0;
        if (ReadCodeAsWritten(m->GetModalitySourceId(), sourceCode))
            byCode.emplace_back(sourceCode, m->GetModalityId());
    }
    std::stable_sort(byCode.begin(), byCode.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const std::vector<CModality*>& modalities = campaignQuestion.GetModalities();
    std::vector<std::pair<int, int>> byId;
    byId.reserve(modalities.size());
    for (size_t i = 0; i < modalities.size(); ++i)
        byId.emplace_back(modalities[i]->GetModalityId(), int(i));
    std::stable_sort(byId.begin(), byId.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    CSequence sequence(int(modalities.size()));
    for (int i = 0; i < source->GetNbreModalite(); ++i) {
        const int sourceCode = source->GetModalite(i)->GetCode();
        const auto matched =
            std::lower_bound(byCode.begin(), byCode.end(), sourceCode,
                             [](const auto& entry, int code) { return entry.first < code; });
        if (matched == byCode.end() || matched->first != sourceCode)
            continue;
        const auto found =
            std::lower_bound(byId.begin(), byId.end(), matched->second,
                             [](const auto& entry, int id) { return entry.first < id; });
        if (found != byId.end() && found->first == matched->second &&
            !sequence.Contains(found->second))
            sequence.Append(found->second);
    }
    // The responses by their current order (a stable sort).
    std::vector<int> byOrder(modalities.size());
    for (size_t i = 0; i < byOrder.size(); ++i)
        byOrder[i] = int(i);
    std::stable_sort(byOrder.begin(), byOrder.end(), [&modalities](int a, int b) {
        return modalities[size_t(a)]->GetModalityOrder() <
               modalities[size_t(b)]->GetModalityOrder();
    });
    sequence.PlaceTheRestAfterPredecessors(byOrder);

    int order = 0;
    sequence.ForEach([&](int i) { modalities[size_t(i)]->SetModalityOrder(++order); });
    campaignQuestion.SetMaxModalityOrder(std::max(campaignQuestion.GetMaxModalityOrder(), order));
    campaignQuestion.SortModalities();
    return 1;
}

int OrderCampaignQuestions(CCampaign& campaign, const CWave& wave)
{
    // The questions are numbered by their place in the campaign's array.
    CSequence sequence(campaign.GetQuestionCount());
    for (int v = 0; v < wave.GetVolumeCount(); ++v) {
        CVolume& volume = *wave.GetVolume(v);
        if (!EnsureVolumeQuestionnaire(volume)) {
            GetWindowServices().MessageBox(
                FormatString(LoadString(IDS_SOURCE_NOT_OPENED),
                             {GetDisplayedSourceText(volume.GetMetaData())}),
                MB_OK | MB_ICONWARNING);
            return 0;
        }
        const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
        // Source id -> campaign question id of the matchings valid for the volume, the nearest
        // volume winning: by code for the source ids written as codes, by text for the others
        // (which name no source question).
        QList<CQuestionMatching*> valid;
        volume.CollectValidQuestionMatchings(volume.GetVolumeId(), valid);
        QHash<int, int> matchedByCode;
        matchedByCode.reserve(valid.size());
        QHash<QString, int> matchedOtherwise;
        for (const CQuestionMatching* matching : std::as_const(valid)) {
            int code = 0;
            if (ReadCodeAsWritten(matching->GetSourceId(), code)) {
                if (!matchedByCode.contains(code))
                    matchedByCode.insert(code, matching->GetQuestionId());
            } else if (!matchedOtherwise.contains(matching->GetSourceId())) {
                matchedOtherwise.insert(matching->GetSourceId(), matching->GetQuestionId());
            }
        }
        // A matched question whose source question is gone stops the ordering; the first such
        // source id, in the order of the texts, is named.
        const auto isOrdered = [&campaign](int questionId) {
            const CQuestion* question = campaign.GetQuestionById(questionId);
            return question && !campaign.IsReservedQuestion(question);
        };
        QString missing;
        bool anyMissing = false;
        const auto miss = [&](const QString& sourceId) {
            if (!anyMissing || sourceId < missing)
                missing = sourceId;
            anyMissing = true;
        };
        for (auto it = matchedByCode.cbegin(); it != matchedByCode.cend(); ++it) {
            if (questionnaire.FindQuestionIndex(it.key()) < 0 && isOrdered(it.value()))
                miss(QString::number(it.key()));
        }
        for (auto it = matchedOtherwise.cbegin(); it != matchedOtherwise.cend(); ++it) {
            if (isOrdered(it.value()))
                miss(it.key());
        }
        if (anyMissing) {
            ReportMissingSourceQuestion(volume, missing);
            return 0;
        }
        // The questions matched here in source order: each one new to the order goes after the
        // one before it in this source, or after everything placed so far when none before it
        // is placed.
        int anchor = -1;
        for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
            const auto found =
                matchedByCode.constFind(questionnaire.GetQuestion(i)->GetCodeQuestion());
            if (found == matchedByCode.cend())
                continue;
            const int position = campaign.GetQuestionIndexById(*found);
            if (position < 0 || campaign.IsReservedQuestion(campaign.GetQuestion(position)))
                continue;
            if (sequence.Contains(position))
                anchor = position;
            else if (anchor >= 0)
                anchor = sequence.InsertAfter(anchor, position);
            else
                anchor = sequence.Append(position);
        }
    }

    std::vector<int> current;
    current.reserve(size_t(campaign.GetQuestionCount()));
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        if (!campaign.IsReservedQuestion(campaign.GetQuestion(i)))
            current.push_back(i);
    }
    sequence.PlaceTheRestAfterPredecessors(current);

    int order = 0;
    sequence.ForEach([&](int i) { campaign.GetQuestion(i)->SetOrder(++order); });
    campaign.SetMaxQuestionOrder(std::max(campaign.GetMaxQuestionOrder(), order));
    campaign.SortQuestions();
    return 1;
}

int OrderAllQuestionModalities(CCampaign& campaign, const CWave& wave)
{
    // The questions to order are taken first: ordering responses never moves questions, but
    // the walk should not depend on that.
    std::vector<CQuestion*> questions;
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        CQuestion* question = campaign.GetQuestion(i);
        if (!campaign.IsReservedQuestion(question) && question->GetModalityCount() >= 2)
            questions.push_back(question);
    }
    for (CQuestion* question : questions) {
        if (!OrderQuestionModalities(campaign, *question, wave))
            return 0;
    }
    return 1;
}

} // namespace pelko_wave
