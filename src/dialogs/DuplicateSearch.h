#pragma once

#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <vector>

namespace pelko_wave {
class CCampaign;
class CModality;
class CQuestion;
} // namespace pelko_wave

// Campaign questions that duplicate each other: they share a name, and one of them can take the
// others' place.
struct SQuestionDuplicates
{
    QString Name;
    QList<pelko_wave::CQuestion*> Questions;
};

// Responses of one campaign question that duplicate each other: they share a caption in the
// campaign's default language, and one of them can take the others' place.
struct SResponseDuplicates
{
    pelko_wave::CQuestion* Question = nullptr;
    QList<pelko_wave::CModality*> Responses;
};

struct SDuplicateSearchResults
{
    std::vector<SQuestionDuplicates> Questions;
    std::vector<SResponseDuplicates> Responses;
};

// How far the search has come: the whole range once, then steps as they are done.
struct SDuplicateSearchProgress
{
    std::function<void(int range)> SetRange;
    std::function<void(int steps)> Advance;
};

// Searches the campaign for duplicate questions and duplicate responses. It only reads the
// campaign, so it may run on a worker thread while nothing changes the campaign.
//
// Questions are grouped by their name (the shortcut, compared exactly), the reserved question
// left out. Among the questions of a name, the first left is the pivot, and its partners are
// the others that pass, one after the other: the same element type; the same deletion wave;
// each of the partner's responses paired, one to one, with a response of the pivot captioned
// the same in the default language (ignoring case) that is never matched in a wave where it is
// matched; and no wave where both are matched. The pivot and its partners make one group, taken
// out of the questions left. Responses of a question are grouped the same way by their caption
// (compared exactly), with the same deletion wave and no wave where both are matched.
//
// The range is twice the number of questions searched; each name then advances the progress by
// its number of questions plus one, and each question's responses by one. A stop flag that
// becomes true ends the search early, with the groups found so far.
SDuplicateSearchResults FindDuplicates(const pelko_wave::CCampaign& campaign,
                                       const SDuplicateSearchProgress& progress = {},
                                       const std::atomic<bool>* stop = nullptr);
