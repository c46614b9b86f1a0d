#include "views/ReconEntryCodes.h"

#include "model/Campaign.h"
#include "platform/FormatString.h"
#include "questionnaire/Question.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

using namespace pelko_wave;

namespace {

// The digits of the count: 1 for 0.
int DigitsOf(int count)
{
    int digits = 1;
    for (int rest = count; rest >= 10; rest /= 10)
        ++digits;
    return digits;
}

} // namespace

QString EntryCodeText(const CCampaign& campaign, int waveId, const CQuestion* question,
                      const CModality* response)
{
    if (!response)
        return LoadString(IDS_NOT_MATCHED);
    if (!response->GetEntryCode().isEmpty())
        return FormatString(LoadString(IDS_ENTRY_CODE), {response->GetEntryCode()});
    int count = 0;
    int before = 0;
    if (question) {
        for (const CModality* other : question->GetModalities()) {
            if (!campaign.IsWaveBefore(waveId, other->GetDeletionWaveId()))
                continue;
            ++count;
            if (other->GetModalityOrder() < response->GetModalityOrder())
                ++before;
        }
        count += (question->IsDontKnow() ? 1 : 0) + (question->IsSemiOpen() ? 1 : 0);
    }
    return FormatString(LoadString(IDS_GENERATED_ENTRY_CODE), {DigitsOf(count), before + 1});
}

QString SourceEntryCodeNumber(const qnr::CQuestion& question, int index)
{
    const int count =
        question.GetNbreModalite() + question.EstSemiOuverte() + question.EstNonReponse();
    return QString::asprintf("%0*d", DigitsOf(count), index + 1);
}
