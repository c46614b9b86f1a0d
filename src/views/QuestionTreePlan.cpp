#include "views/QuestionTreePlan.h"

#include "model/Campaign.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"

#include <algorithm>
#include <set>

using namespace pelko_wave;

std::vector<SQuestionTreeEntry> PlanQuestionTree(const CCampaign& campaign,
                                                 std::vector<const CQuestion*> questions)
{
    std::stable_sort(
        questions.begin(), questions.end(),
        [](const CQuestion* a, const CQuestion* b) { return a->GetOrder() < b->GetOrder(); });
    std::vector<SQuestionTreeEntry> entries;
    entries.reserve(questions.size());
    // The last entry placed at each level (index 0: level 1); -1 where none was.
    std::vector<int> lastAtLevel;
    for (const CQuestion* question : questions) {
        if (campaign.IsReservedQuestion(question))
            continue;
        const int indent = question->GetIndent();
        SQuestionTreeEntry entry;
        entry.QuestionId = question->GetQuestionId();
        if (indent > 1 && int(lastAtLevel.size()) >= indent - 1)
            entry.Parent = lastAtLevel[size_t(indent - 2)];
        // Deeper levels end here: what follows cannot go under an item above this one.
        lastAtLevel.resize(size_t(std::max(indent, 1)), -1);
        lastAtLevel.back() = int(entries.size());
        entries.push_back(entry);
    }
    return entries;
}

std::vector<const CQuestion*> GetCampaignTreeQuestions(const CCampaign& campaign)
{
    std::vector<const CQuestion*> questions;
    questions.reserve(size_t(campaign.GetQuestionCount()));
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        const CQuestion* question = campaign.GetQuestion(i);
        if (!campaign.IsReservedQuestion(question) && question->GetDeletionWaveId() == NO_WAVE_ID)
            questions.push_back(question);
    }
    return questions;
}

std::vector<const CQuestion*> GetMatchedTreeQuestions(const CCampaign& campaign,
                                                      const std::vector<const CVolume*>& volumes,
                                                      QList<int>& missing)
{
    std::set<int> ids;
    for (const CVolume* volume : volumes)
        volume->CollectMatchedQuestionIds(volume->GetVolumeId(), ids);
    std::vector<const CQuestion*> questions;
    for (int id : ids) {
        const CQuestion* question = campaign.GetQuestionById(id);
        if (!question)
            missing << id;
        else if (!campaign.IsReservedQuestion(question))
            questions.push_back(question);
    }
    return questions;
}
