#include "reconcile/PropertyTexts.h"

#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/OptionRecords.h"
#include "model/QuestionKinds.h"
#include "model/ValueTexts.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/PropertyCaptions.h"
#include "reconcile/PropertyValues.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QSet>

using namespace pelko_wave;

namespace {

const CCampaign* AppCampaign()
{
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetCampaign() : nullptr;
}

// The format for the language's name, or the id's plain caption when the campaign does not have
// the language.
QString ColumnTitle(unsigned formatId, const QString& plainCaption, int languageId)
{
    const CCampaign* campaign = AppCampaign();
    const CLanguage* language = campaign ? campaign->FindLanguage(languageId) : nullptr;
    if (!language)
        return plainCaption;
    return FormatString(LoadString(formatId), {language->GetLanguageName()});
}

// Sets the text and answers whether there is one.
bool Answer(QString& text, const QString& value, bool has = true)
{
    text = has ? value : QString();
    return has;
}

} // namespace

QString GetModalityColumnTitle(int id, int languageId)
{
    if (id == kModalityShortCaptionsId)
        return ColumnTitle(IDS_MODALITY_SHORT_CAPTIONS_FOR, GetModalityPropertyCaption(id),
                           languageId);
    return QString();
}

QString GetQuestionColumnTitle(int id, int languageId)
{
    if (id == kQuestionShortCaptionsId)
        return ColumnTitle(IDS_QUESTION_SHORT_CAPTIONS_FOR, GetQuestionPropertyCaption(id),
                           languageId);
    if (id == kQuestionLongCaptionsId)
        return ColumnTitle(IDS_QUESTION_LONG_CAPTIONS_FOR, GetQuestionPropertyCaption(id),
                           languageId);
    return QString();
}

bool GetModalityPropertyText(const qnr::CModalite& modality, int id, QString& text)
{
    if (id == kModalityShortCaptionsId) {
        const QString caption =
            modality.GetLocalisedShortCaption(GetCurrentQuestionnaireLanguage());
        return Answer(text, caption, !caption.isEmpty());
    }
    const SModalityProperty* property = FindModalityValueProperty(id);
    if (!property || property->Shown == EValueForm::None)
        return Answer(text, QString(), false);
    return Answer(text, ValueText(property->Shown, property->Source(modality)));
}

bool GetCampaignModalityPropertyText(const CModality& modality, int id, QString& text)
{
    if (id == kModalityShortCaptionsId) {
        const CModalityCaption* caption = modality.FindCaption(GetCurrentLanguageId());
        return Answer(text, caption ? caption->GetShortCaption() : QString(), caption != nullptr);
    }
    const SModalityProperty* property = FindModalityValueProperty(id);
    if (!property || property->Shown == EValueForm::None)
        return Answer(text, QString(), false);
    return Answer(text, ValueText(property->Shown, property->Campaign(modality)));
}

bool GetQuestionPropertyText(const qnr::CQuestion& question, int id, QString& text)
{
    switch (id) {
    case kQuestionShortCaptionsId:
        return Answer(text, question.GetLocalisedShortCaption(GetCurrentQuestionnaireLanguage()));
    case kQuestionLongCaptionsId:
        return Answer(text, question.GetLocalisedLongCaption(GetCurrentQuestionnaireLanguage()));
    case kQuestionResponseCountId:
        return Answer(text, IntToText(GetSourceResponseCount(&question)));
    default:
        break;
    }
    const SQuestionProperty* property = FindQuestionValueProperty(id);
    if (!property || property->Shown == EValueForm::None)
        return Answer(text, QString(), false);
    return Answer(text, ValueText(property->Shown, property->Source(question)));
}

bool GetCampaignQuestionPropertyText(const CQuestion& question, int id, QString& text)
{
    if (id == kQuestionShortCaptionsId || id == kQuestionLongCaptionsId) {
        const CQuestionCaption* caption = question.FindCaption(GetCurrentLanguageId());
        if (!caption)
            return Answer(text, QString(), false);
        return Answer(text, id == kQuestionShortCaptionsId ? caption->GetShortCaption()
                                                           : caption->GetLongCaption());
    }
    const SQuestionProperty* property = FindQuestionValueProperty(id);
    if (!property || property->Shown == EValueForm::None)
        return Answer(text, QString(), false);
    return Answer(text, ValueText(property->Shown, property->Campaign(question)));
}

bool GetCampaignQuestionVolumePropertyText(int waveId, int volumeId, const CQuestion& question,
                                           int id, QString& text)
{
    if (id == kQuestionResponseCountId)
        return Answer(text, IntToText(GetCampaignResponseCount(waveId, volumeId, question)));
    return GetCampaignQuestionPropertyText(question, id, text);
}

int GetSourceResponseCount(const qnr::CQuestion* question)
{
    int count = 0;
    QSet<const qnr::CQuestion*> counted;
    // The chain of linked questions, each counted once: a file whose links come back round
    // would otherwise be followed for ever.
    while (question && IsSourceQuestionWithResponses(*question) && !counted.contains(question)) {
        counted.insert(question);
        count += question->GetNbreModalite();
        question = question->GetQuestionSource();
    }
    return count;
}

int GetCampaignResponseCount(int waveId, int volumeId, const CQuestion& question)
{
    if (!IsQuestionWithResponses(question))
        return 0;
    const CCampaign* campaign = AppCampaign();
    int count = 0;
    for (int i = 0; i < question.GetModalityCount(); ++i) {
        const CModality* modality = question.GetModality(i);
        const bool notYetDeleted = IsWaveBefore(campaign, waveId, modality->GetDeletionWaveId());
        const int appeared = modality->GetAppearanceVolumeId();
        const bool present = appeared == volumeId || IsVolumeBefore(campaign, appeared, volumeId);
        count += notYetDeleted && present ? 1 : 0;
    }
    return count;
}

bool HasSameResponseCount(int waveId, int volumeId, const CQuestion& question,
                          const qnr::CQuestion& source)
{
    return GetCampaignResponseCount(waveId, volumeId, question) == GetSourceResponseCount(&source);
}

void GetVolumeMatchStatistics(const CCampaign& campaign, const CVolume& volume,
                              const qnr::CQuestionnaire& source, double& r1, double& r2)
{
    r1 = 0.0;
    r2 = 0.0;
    QMap<QString, int> matchedCodes; // source code -> campaign question id
    volume.CollectMatchedSourceCodes(volume.GetVolumeId(), matchedCodes);
    int campaignQuestions = 0;
    for (const int questionId : std::as_const(matchedCodes))
        campaignQuestions += questionId == RESERVED_QUESTION_ID ? 0 : 1;

    const int sourceQuestions = source.GetNbreQuestion();
    if (sourceQuestions == 0)
        return;
    if (campaignQuestions > 0)
        r1 = double(sourceQuestions) / double(campaignQuestions);
    int matched = 0;
    for (int i = 0; i < sourceQuestions; ++i) {
        const qnr::CQuestion* question = source.GetQuestion(i);
        const auto it = matchedCodes.constFind(QString::number(question->GetCodeQuestion()));
        if (it == matchedCodes.constEnd())
            continue;
        const CQuestion* matchedQuestion = campaign.GetQuestionById(it.value());
        if (matchedQuestion && matchedQuestion->GetShortcut().compare(question->GetShortcut(),
                                                                      Qt::CaseInsensitive) == 0)
            ++matched;
    }
    r2 = double(matched) / double(sourceQuestions);
}
