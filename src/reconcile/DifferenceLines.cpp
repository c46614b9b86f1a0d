#include "reconcile/DifferenceLines.h"

#include "model/Modality.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "reconcile/DisplayCaptions.h"
#include "reconcile/PropertyCaptions.h"
#include "reconcile/PropertyTexts.h"
#include "reconcile/ReconciliationReport.h"
#include "res/StringIds.h"

using namespace pelko_wave;

QString QuestionDifferencesHeading(int count, const CQuestion& question,
                                   const qnr::CQuestion& source, const QString& sourceId,
                                   const CVolume& volume)
{
    return FormatReportText(count == 1 ? IDS_QUESTION_DIFFERENCE : IDS_QUESTION_DIFFERENCES, count,
                            question.GetShortcut(), question.GetQuestionId(), source.GetShortcut(),
                            sourceId, volume.GetName());
}

QString ResponseDifferencesHeading(int count, const CModality& modality,
                                   const qnr::CModalite& source, const QString& sourceId,
                                   const CVolume& volume, int languageId)
{
    return FormatReportText(count == 1 ? IDS_RESPONSE_DIFFERENCE : IDS_RESPONSE_DIFFERENCES, count,
                            GetModalityDisplayCaption(modality), modality.GetModalityId(),
                            source.GetLocalisedShortCaption(languageId), sourceId,
                            volume.GetName());
}

SDifferingPart DescribeQuestionPart(const CQuestion& question, const qnr::CQuestion& source,
                                    int waveId, int volumeId, int kind, int languageId)
{
    SDifferingPart part;
    if (kind == kQuestionShortCaptionsId || kind == kQuestionLongCaptionsId) {
        const bool useLong = kind == kQuestionLongCaptionsId;
        part.Title = GetQuestionColumnTitle(kind, languageId);
        part.Campaign =
            useLong ? question.GetLongCaption(languageId) : question.GetShortCaption(languageId);
        part.Source = useLong ? source.GetLocalisedLongCaption(languageId)
                              : source.GetLocalisedShortCaption(languageId);
    } else {
        part.Title = GetQuestionPropertyCaption(kind);
        GetCampaignQuestionVolumePropertyText(waveId, volumeId, question, kind, part.Campaign);
        GetQuestionPropertyText(source, kind, part.Source);
    }
    return part;
}

SDifferingPart DescribeResponsePart(const CModality& modality, const qnr::CModalite& source,
                                    int kind, int languageId)
{
    SDifferingPart part;
    if (kind == kModalityShortCaptionsId) {
        part.Title = GetModalityColumnTitle(kind, languageId);
        part.Campaign = modality.GetShortCaption(languageId);
        part.Source = source.GetLocalisedShortCaption(languageId);
    } else {
        part.Title = GetModalityPropertyCaption(kind);
        GetCampaignModalityPropertyText(modality, kind, part.Campaign);
        GetModalityPropertyText(source, kind, part.Source);
    }
    return part;
}
