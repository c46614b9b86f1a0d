#include "model/QuestionKinds.h"

#include "model/Campaign.h"
#include "questionnaire/Questionnaire.h"

#include <algorithm>
#include <map>

namespace pelko_wave {

namespace {

constexpr int kLoopElement = 2;

uint32_t LoopBit(int elementType, int indent)
{
    if (elementType != kLoopElement || indent < 1 || indent > 32)
        return 0;
    return uint32_t(1) << (indent - 1);
}

} // namespace

int GetQuestionKindOf(int elementType, int questionType, bool multiple, bool scale)
{
    switch (elementType) {
    case 0:
        return 0;
    case 1:
        switch (questionType) {
        case 1:
            return multiple ? 13 : scale ? 6 : 2;
        case 3:
            return 4;
        case 4:
            return 17;
        case 5:
            return 15;
        case 6:
        case 7:
            return 6;
        default:
            return 0;
        }
    case 2:
        switch (questionType) {
        case 2:
            return 11;
        case 3:
            return 19;
        case 4:
            return 12;
        default:
            return 10;
        }
    default:
        return 0;
    }
}

int GetSourceQuestionKind(const qnr::CQuestion& question)
{
    return GetQuestionKindOf(question.GetTypeElement(), question.GetTypeQuestion(),
                             question.EstMultiple() != 0, question.EstEchelle() != 0);
}

int GetQuestionKind(const CQuestion& question)
{
    return GetQuestionKindOf(question.GetElementType(), question.GetQuestionType(),
                             question.IsMultiple() != 0, question.IsScale() != 0);
}

int GetQuestionKindOrNone(const CQuestion* question)
{
    return question ? GetQuestionKind(*question) : QUESTION_KIND_NONE;
}

bool IsSourceQuestionWithResponses(const qnr::CQuestion& question)
{
    return question.GetTypeQuestion() == 1 || question.GetTypeElement() == kLoopElement;
}

bool IsQuestionWithResponses(const CQuestion& question)
{
    return question.GetQuestionType() == 1 || question.GetElementType() == kLoopElement;
}

uint32_t GetQuestionLoopBit(const CQuestion& question)
{
    return LoopBit(question.GetElementType(), question.GetIndent());
}

uint32_t GetQuestionLoopMask(const CCampaign& campaign, const CQuestion& question)
{
    // Up through the parents, each before the one below it in the campaign's order, so the walk
    // ends; a loop, not a recursion, however deep a damaged file nests its questions.
    uint32_t mask = LoopBit(question.GetElementType(), question.GetIndent());
    for (const CQuestion* child = &question; child->GetIndent() > 1;) {
        const CQuestion* parent = campaign.GetParentQuestion(child);
        if (!parent || parent == child)
            break;
        mask |= LoopBit(parent->GetElementType(), parent->GetIndent());
        child = parent;
    }
    return mask;
}

std::vector<uint32_t> GetQuestionLoopMasks(const CCampaign& campaign)
{
    // The parent of a question is the nearest question before it one indent up, unless a
    // question further up comes first. So the latest position seen at each indent stays a
    // parent candidate until a question with a smaller indent passes: that one forgets the
    // positions of every deeper indent.
    const int count = campaign.GetQuestionCount();
    std::vector<uint32_t> masks(size_t(std::max(count, 0)), 0);
    std::map<int, int> latestAtIndent;
    for (int position = 0; position < count; ++position) {
        const CQuestion& question = *campaign.GetQuestion(position);
        const int indent = question.GetIndent();
        uint32_t mask = LoopBit(question.GetElementType(), indent);
        // A question that its id does not find (a duplicate id) has no parent, as alone.
        if (indent > 1 && campaign.GetQuestionIndexById(question.GetQuestionId()) == position) {
            const auto parent = latestAtIndent.find(indent - 1);
            if (parent != latestAtIndent.end())
                mask |= masks[size_t(parent->second)];
        }
        masks[size_t(position)] = mask;
        latestAtIndent.erase(latestAtIndent.upper_bound(indent), latestAtIndent.end());
        latestAtIndent[indent] = position;
    }
    return masks;
}

uint32_t GetSourceLoopMask(const qnr::CQuestion& question)
{
    const qnr::CQuestionnaire* questionnaire = question.GetQuestionnaire();
    if (!questionnaire)
        return 0;
    uint32_t mask = LoopBit(question.GetTypeElement(), question.GetIndent());
    for (int position = questionnaire->FindQuestionIndex(question.GetCodeQuestion());;) {
        const int parent = questionnaire->GetParentQuestion(position);
        const qnr::CQuestion* parentQuestion = questionnaire->GetQuestion(parent);
        if (!parentQuestion || parent >= position)
            break;
        mask |= LoopBit(parentQuestion->GetTypeElement(), parentQuestion->GetIndent());
        position = parent;
    }
    return mask;
}

uint32_t ReduceLoopMask(uint32_t mask)
{
    for (int i = 0; i < 32 && mask != 1 && mask != 0; ++i)
        mask >>= 1;
    return mask;
}

bool HasSameLoopAncestry(const CCampaign& campaign, const CQuestion& question,
                         const qnr::CQuestion& source)
{
    return ReduceLoopMask(GetQuestionLoopMask(campaign, question)) ==
           ReduceLoopMask(GetSourceLoopMask(source));
}

} // namespace pelko_wave
