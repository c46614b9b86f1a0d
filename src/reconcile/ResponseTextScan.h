#pragma once

#include "reconcile/TextScan.h"

#include <QList>
#include <QMap>
#include <QString>
#include <functional>

// The text scan of the response methods short caption (2) and user data (5): the texts each
// side is scanned with, and the scan that pairs the responses of one question pair.

namespace pelko_wave {
class CModality;
class CQuestion;
class CVolume;
} // namespace pelko_wave
namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

// Method 2: the campaign response's short caption in the current campaign language; 5: its
// user data; empty for any other method.
QString GetModalityMethodText(const pelko_wave::CModality& modality, int method);
// Method 2: the source response's short caption in the current questionnaire language; 5: its
// user data; empty for any other method.
QString GetSourceModalityMethodText(const qnr::CModalite& response, int method);
// The text a campaign response is compared with: when the volume matches using its parent's
// source values and the parent has a source response for it, that response's text; else its
// own.
QString GetCampaignModalityScanText(const pelko_wave::CVolume& volume,
                                    const pelko_wave::CQuestion& question,
                                    const pelko_wave::CModality& modality, int method);

// The CNGram settings of the volume's text scans: upper-cased unless the volume matches case
// sensitively, trimmed as the n-gram options say.
CTextScanIndex::SSettings MakeTextScanSettings(const pelko_wave::CVolume& volume,
                                               int bothEmptyResult, TextScanMode mode);

// Called for each campaign response that the plain scan did not pair at once, with its entry
// in the scan and its text, to add proposals of its own (the caption libraries).
using ResponseScanExtraStep =
    std::function<void(CTextScan& scan, int campaignEntry, const QString& campaignText)>;

// The scan of one question pair by method 2 or 5 (nothing for another method): every campaign
// candidate, in candidate order, against the source candidates still unpaired (positions in
// the source question), threshold GetMatchingThreshold, both-empty result 0. A pair made goes
// into newMatchings (campaign response id -> the source response's code, "%d") and both leave
// their candidate lists, which otherwise keep their order.
void RunResponseTextScan(const pelko_wave::CVolume& volume,
                         const pelko_wave::CQuestion& campaignQuestion,
                         const qnr::CQuestion& sourceQuestion,
                         QList<pelko_wave::CModality*>& campaignCandidates,
                         QList<int>& sourceCandidates, QMap<int, QString>& newMatchings, int method,
                         TextScanMode mode, const ResponseScanExtraStep& extraStep = {});

// The plain text scan of method 2 or 5.
void MatchResponsesByText(const pelko_wave::CVolume& volume,
                          const pelko_wave::CQuestion& campaignQuestion,
                          const qnr::CQuestion& sourceQuestion,
                          QList<pelko_wave::CModality*>& campaignCandidates,
                          QList<int>& sourceCandidates, QMap<int, QString>& newMatchings,
                          int method, TextScanMode mode = TextScanMode::Indexed);
