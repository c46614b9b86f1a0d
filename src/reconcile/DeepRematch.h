#pragma once

#include <QString>

// Which source item of one volume belongs to a campaign question (or response) after the user
// matched it by hand elsewhere: the current matching when it still holds, else the first source
// item that the volume's matching methods accept, by exact text equality ignoring case instead
// of n-gram scores. Each gives 1 and the source item's code ("%d") in sourceCode, or 0.

namespace qnr {
class CQuestion;
}

namespace pelko_wave {

class CCampaign;
class CModality;
class CQuestion;
class CVolume;

// The volume's questionnaire must be loaded.
int DeepRematchQuestion(const CVolume& volume, const CQuestion& campaignQuestion,
                        QString& sourceCode, const CCampaign& campaign);

// The same for one response of the campaign question, among the responses of the source question
// matched to it; the current matching is tried only with checkInherited.
int DeepRematchModality(const CVolume& volume, const CQuestion& campaignQuestion,
                        const CModality& campaignResponse, const qnr::CQuestion& sourceQuestion,
                        QString& sourceCode, bool checkInherited, const CCampaign& campaign);

} // namespace pelko_wave
