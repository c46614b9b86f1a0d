#include "reconcile/CampaignOrdering.h"

#include "model/Campaign.h"
#include "model/QuestionnaireLoading.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "res/StringTable.h"

#include <QHash>
#include <QMap>
#include <algorithm>
#include <list>
#include <unordered_map>
#include <vector>

namespace pelko_wave {

namespace {

constexpr unsigned IDS_SOURCE_QUESTION_MISSING = 63206;
constexpr unsigned IDS_SOURCE_NOT_OPENED = 63308;

void ReportMissingSourceQuestion(const CVolume& volume, const QString& sourceId)
{
    GetWindowServices().MessageBox(
        FormatString(LoadString(IDS_SOURCE_QUESTION_MISSING), {volume.GetName(), sourceId}),
        MB_OK | MB_ICONWARNING);
}

// A new order being built: items are inserted after an item already in it, or at the front.
template <class T> class CSequence
{
public:
    bool Contains(T* item) const { return m_positions.count(item) != 0; }
    // Inserts the item after the anchor (at the front without one); returns the item, the
    // anchor of the next insertion.
    T* InsertAfter(T* anchor, T* item)
    {
        auto at = anchor ? std::next(m_positions.at(anchor)) : m_items.begin();
        m_positions.emplace(item, m_items.insert(at, item));
        return item;
    }
    T* Append(T* item)
    {
        m_positions.emplace(item, m_items.insert(m_items.end(), item));
        return item;
    }
    // Every item of the current order not placed yet goes right after the item before it in the
    // current order, the first one to the front. Walking the current order front to back, that
    // item is always placed already.
    void PlaceTheRestAfterPredecessors(const std::vector<T*>& current)
    {
        for (size_t i = 0; i < current.size(); ++i) {
            if (!Contains(current[i]))
                InsertAfter(i == 0 ? nullptr : current[i - 1], current[i]);
        }
    }
    const std::list<T*>& Items() const { return m_items; }

private:
    std::list<T*> m_items;
    std::unordered_map<T*, typename std::list<T*>::iterator> m_positions;
};

std::vector<CModality*> ModalitiesByOrder(const CQuestion& question)
{
    std::vector<CModality*> modalities = question.GetModalities();
    std::stable_sort(modalities.begin(), modalities.end(), [](CModality* a, CModality* b) {
        return a->GetModalityOrder() < b->GetModalityOrder();
    });
    return modalities;
}

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

    QMap<QString, int> bySource;
    volume->GetModalityIdsBySource(volume->GetVolumeId(), questionId, bySource, true);
    std::unordered_map<int, CModality*> byId;
    for (CModality* modality : campaignQuestion.GetModalities())
        byId.emplace(modality->GetModalityId(), modality);

    CSequence<CModality> sequence;
    for (int i = 0; i < source->GetNbreModalite(); ++i) {
        const auto matched = bySource.constFind(QString::number(source->GetModalite(i)->GetCode()));
        if (matched == bySource.cend())
            continue;
        const auto found = byId.find(*matched);
        if (found != byId.end() && !sequence.Contains(found->second))
            sequence.Append(found->second);
    }
    sequence.PlaceTheRestAfterPredecessors(ModalitiesByOrder(campaignQuestion));

    int order = 0;
    for (CModality* modality : sequence.Items())
        modality->SetModalityOrder(++order);
    campaignQuestion.SetMaxModalityOrder(std::max(campaignQuestion.GetMaxModalityOrder(), order));
    campaignQuestion.SortModalities();
    return 1;
}

int OrderCampaignQuestions(CCampaign& campaign, const CWave& wave)
{
    CSequence<CQuestion> sequence;
    for (int v = 0; v < wave.GetVolumeCount(); ++v) {
        CVolume& volume = *wave.GetVolume(v);
        if (!EnsureVolumeQuestionnaire(volume)) {
            GetWindowServices().MessageBox(FormatString(LoadString(IDS_SOURCE_NOT_OPENED),
                                                        {volume.GetMetaData().SourceString}),
                                           MB_OK | MB_ICONWARNING);
            return 0;
        }
        const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
        QHash<QString, const qnr::CQuestion*> sources;
        IndexQuestionnaireByCode(questionnaire, sources);
        QMap<QString, int> matched;
        volume.CollectMatchedSourceCodes(volume.GetVolumeId(), matched);
        for (auto it = matched.cbegin(); it != matched.cend(); ++it) {
            const CQuestion* question = campaign.GetQuestionById(it.value());
            if (question && !campaign.IsReservedQuestion(question) && !sources.contains(it.key())) {
                ReportMissingSourceQuestion(volume, it.key());
                return 0;
            }
        }
        // The questions matched here in source order: each one new to the order goes after the
        // one before it in this source, or after everything placed so far when none before it
        // is placed.
        CQuestion* anchor = nullptr;
        for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
            const auto found =
                matched.constFind(QString::number(questionnaire.GetQuestion(i)->GetCodeQuestion()));
            if (found == matched.cend())
                continue;
            CQuestion* question = campaign.GetQuestionById(*found);
            if (!question || campaign.IsReservedQuestion(question))
                continue;
            if (sequence.Contains(question))
                anchor = question;
            else if (anchor)
                anchor = sequence.InsertAfter(anchor, question);
            else
                anchor = sequence.Append(question);
        }
    }

    std::vector<CQuestion*> current;
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        if (!campaign.IsReservedQuestion(campaign.GetQuestion(i)))
            current.push_back(campaign.GetQuestion(i));
    }
    sequence.PlaceTheRestAfterPredecessors(current);

    int order = 0;
    for (CQuestion* question : sequence.Items())
        question->SetOrder(++order);
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
