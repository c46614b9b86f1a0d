#include "reconcile/ResponseTextScan.h"

#include "model/Modality.h"
#include "model/OptionRecords.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/MethodTexts.h"
#include "reconcile/NGram.h"
#include "reconcile/ParentSourceItems.h"

#include <set>

using namespace pelko_wave;

QString GetModalityMethodText(const CModality& modality, int method)
{
    if (method == RESPONSE_METHOD_SHORT_CAPTION)
        return modality.GetShortCaption(GetCurrentLanguageId());
    if (method == RESPONSE_METHOD_USER_DATA)
        return modality.GetUserData();
    return QString();
}

QString GetSourceModalityMethodText(const qnr::CModalite& response, int method)
{
    if (method == RESPONSE_METHOD_SHORT_CAPTION)
        return response.GetLocalisedShortCaption(GetCurrentQuestionnaireLanguage());
    if (method == RESPONSE_METHOD_USER_DATA)
        return response.GetUserData();
    return QString();
}

QString GetCampaignModalityScanText(const CVolume& volume, const CQuestion& question,
                                    const CModality& modality, int method)
{
    if (volume.GetMatchUsingAncestorValues()) {
        if (const qnr::CModalite* parentResponse =
                FindParentSourceModality(volume, question, modality))
            return GetSourceModalityMethodText(*parentResponse, method);
    }
    return GetModalityMethodText(modality, method);
}

CTextScanIndex::SSettings MakeTextScanSettings(const CVolume& volume, int bothEmptyResult,
                                               TextScanMode mode)
{
    CTextScanIndex::SSettings settings;
    settings.Mode = mode;
    settings.UpperCase = volume.GetCaseSensitiveMatching() ? 0 : 1;
    settings.Trim = GetAppNGramSettings().GetIgnoreWhitespace();
    settings.BothEmptyResult = bothEmptyResult;
    return settings;
}

void RunResponseTextScan(const CVolume& volume, const CQuestion& campaignQuestion,
                         const qnr::CQuestion& sourceQuestion,
                         QList<CModality*>& campaignCandidates, QList<int>& sourceCandidates,
                         QMap<int, QString>& newMatchings, int method, TextScanMode mode,
                         const ResponseScanExtraStep& extraStep)
{
    if (!IsResponseTextMethod(method) || campaignCandidates.isEmpty() || sourceCandidates.isEmpty())
        return;

    // Scan entries: campaign candidates and source candidates by their place in the lists.
    QStringList sourceTexts;
    for (const int position : sourceCandidates) {
        const qnr::CModalite* response = sourceQuestion.GetModalite(position);
        sourceTexts.append(response ? GetSourceModalityMethodText(*response, method) : QString());
    }
    CTextScan scan(sourceTexts, MakeTextScanSettings(volume, 0, mode), GetMatchingThreshold());
    for (int s = 0; s < int(sourceCandidates.size()); ++s) {
        if (!sourceQuestion.GetModalite(sourceCandidates[s]))
            scan.RemoveSource(s);
    }

    std::vector<CTextScan::SPair> pairs;
    for (int c = 0; c < int(campaignCandidates.size()); ++c) {
        const QString text =
            GetCampaignModalityScanText(volume, campaignQuestion, *campaignCandidates[c], method);
        const int source = scan.ScanText(c, text);
        if (source >= 0)
            pairs.push_back({c, source, 1.0});
        else if (extraStep)
            extraStep(scan, c, text);
    }
    for (const CTextScan::SPair& pair : scan.TakeProposals())
        pairs.push_back(pair);

    std::set<int> pairedCampaign;
    std::set<int> pairedSource;
    for (const CTextScan::SPair& pair : pairs) {
        const CModality* modality = campaignCandidates[pair.CampaignEntry];
        const qnr::CModalite* response =
            sourceQuestion.GetModalite(sourceCandidates[pair.SourceEntry]);
        newMatchings.insert(modality->GetModalityId(), QString::number(response->GetCode()));
        pairedCampaign.insert(pair.CampaignEntry);
        pairedSource.insert(pair.SourceEntry);
    }
    QList<CModality*> campaignLeft;
    for (int c = 0; c < int(campaignCandidates.size()); ++c) {
        if (!pairedCampaign.count(c))
            campaignLeft.append(campaignCandidates[c]);
    }
    QList<int> sourceLeft;
    for (int s = 0; s < int(sourceCandidates.size()); ++s) {
        if (!pairedSource.count(s))
            sourceLeft.append(sourceCandidates[s]);
    }
    campaignCandidates = campaignLeft;
    sourceCandidates = sourceLeft;
}

void MatchResponsesByText(const CVolume& volume, const CQuestion& campaignQuestion,
                          const qnr::CQuestion& sourceQuestion,
                          QList<CModality*>& campaignCandidates, QList<int>& sourceCandidates,
                          QMap<int, QString>& newMatchings, int method, TextScanMode mode)
{
    RunResponseTextScan(volume, campaignQuestion, sourceQuestion, campaignCandidates,
                        sourceCandidates, newMatchings, method, mode);
}
