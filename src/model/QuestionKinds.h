#pragma once

#include <cstdint>
#include <vector>

// Question icon kinds (the index of a question's icon in the views' question images) and loop
// ancestry of campaign and source questions.

namespace qnr {
class CQuestion;
}

namespace pelko_wave {

class CCampaign;
class CQuestion;

// The kind that stands for "no question".
inline constexpr int QUESTION_KIND_NONE = 22;

// The icon kind of an element type and question type; multiple and scale refine closed
// questions.
int GetQuestionKindOf(int elementType, int questionType, bool multiple, bool scale);
int GetSourceQuestionKind(const qnr::CQuestion& question);
int GetQuestionKind(const CQuestion& question);
// QUESTION_KIND_NONE for null.
int GetQuestionKindOrNone(const CQuestion* question);

// Closed questions and loops have responses.
bool IsSourceQuestionWithResponses(const qnr::CQuestion& question);
bool IsQuestionWithResponses(const CQuestion& question);

// The loop's bit of the question alone: bit Indent - 1 when it is a loop, else 0.
uint32_t GetQuestionLoopBit(const CQuestion& question);
// The indent levels of the loops that enclose the question (bit Indent - 1 of each loop, the
// question itself included when it is a loop).
uint32_t GetQuestionLoopMask(const CCampaign& campaign, const CQuestion& question);
// GetQuestionLoopMask of every campaign question, by position, in one pass over the campaign
// (asking each question alone walks back to its parents, which grows with the chapters).
std::vector<uint32_t> GetQuestionLoopMasks(const CCampaign& campaign);
uint32_t GetSourceLoopMask(const qnr::CQuestion& question);
// 1 for any non-zero mask, 0 for 0.
uint32_t ReduceLoopMask(uint32_t mask);
// Whether both questions lie inside some loop, or neither does.
bool HasSameLoopAncestry(const CCampaign& campaign, const CQuestion& question,
                         const qnr::CQuestion& source);

} // namespace pelko_wave
