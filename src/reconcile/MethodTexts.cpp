#include "reconcile/MethodTexts.h"

#include "model/OptionRecords.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/ParentSourceItems.h"

namespace pelko_wave {

bool IsQuestionTextMethod(int method)
{
    return method == QUESTION_METHOD_SHORTCUT || method == QUESTION_METHOD_SHORT_CAPTION ||
           method == QUESTION_METHOD_LONG_CAPTION || method == QUESTION_METHOD_USER_DATA;
}

bool IsResponseTextMethod(int method)
{
    return method == RESPONSE_METHOD_SHORT_CAPTION || method == RESPONSE_METHOD_USER_DATA;
}

QString GetQuestionMethodText(int method, const CQuestion& question)
{
    switch (method) {
    case QUESTION_METHOD_SHORTCUT:
        return question.GetShortcut();
    case QUESTION_METHOD_SHORT_CAPTION:
        return question.GetShortCaption(GetCurrentLanguageId());
    case QUESTION_METHOD_LONG_CAPTION:
        return question.GetLongCaption(GetCurrentLanguageId());
    case QUESTION_METHOD_USER_DATA:
        return question.GetUserData();
    default:
        return QString();
    }
}

QString GetSourceQuestionMethodText(int method, const qnr::CQuestion& question)
{
    switch (method) {
    case QUESTION_METHOD_SHORTCUT:
        return question.GetShortcut();
    case QUESTION_METHOD_SHORT_CAPTION:
        return question.GetLocalisedShortCaption(GetCurrentQuestionnaireLanguage());
    case QUESTION_METHOD_LONG_CAPTION:
        return question.GetLocalisedLongCaption(GetCurrentQuestionnaireLanguage());
    case QUESTION_METHOD_USER_DATA:
        return question.GetUserData();
    default:
        return QString();
    }
}

QString GetCampaignQuestionMatchText(int method, const CVolume& volume, const CQuestion& question)
{
    if (volume.GetMatchUsingAncestorValues()) {
        if (const qnr::CQuestion* parentSource = FindParentSourceQuestion(volume, question))
            return GetSourceQuestionMethodText(method, *parentSource);
    }
    return GetQuestionMethodText(method, question);
}

} // namespace pelko_wave
