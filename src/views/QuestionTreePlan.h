#pragma once

#include <QList>

#include <vector>

namespace pelko_wave {
class CCampaign;
class CQuestion;
class CVolume;
} // namespace pelko_wave

// Which campaign questions the question tree page shows, and where each goes in the tree. The
// plan is made from the model alone; the page then builds the tree from it.

// One item of the tree, in insertion order: the question and the index of its parent entry
// (-1 for the root level).
struct SQuestionTreeEntry
{
    int QuestionId = -1;
    int Parent = -1;
};

// Insertion by indent: the questions in ascending question order (equal orders keep the order
// given); a question of indent 1 or less goes to the root level, one of indent n under the last
// item placed at level n - 1 when there has been one, else to the root level. Each item becomes
// the last item placed at its own indent's level, and the levels below it end: a later question
// never goes under an item that an item of a smaller indent has closed. Reserved questions are
// left out.
std::vector<SQuestionTreeEntry>
PlanQuestionTree(const pelko_wave::CCampaign& campaign,
                 std::vector<const pelko_wave::CQuestion*> questions);

// The questions of the whole campaign: every one that is not reserved and was not deleted.
std::vector<const pelko_wave::CQuestion*>
GetCampaignTreeQuestions(const pelko_wave::CCampaign& campaign);

// The campaign questions that the volumes match (each volume with its inherited matchings).
// Ids that name no campaign question are skipped and listed in `missing`, in ascending order.
std::vector<const pelko_wave::CQuestion*>
GetMatchedTreeQuestions(const pelko_wave::CCampaign& campaign,
                        const std::vector<const pelko_wave::CVolume*>& volumes,
                        QList<int>& missing);
