#pragma once

#include <QString>

// The matching methods, and the text each question text method compares: campaign questions in
// the current campaign language, source questions in the current questionnaire language.

namespace qnr {
class CQuestion;
}

namespace pelko_wave {

class CQuestion;
class CVolume;

// Question matching methods.
enum EQuestionMethod : int
{
    QUESTION_METHOD_INTERNAL_CODE = 0,
    QUESTION_METHOD_SHORTCUT = 1,
    QUESTION_METHOD_SHORT_CAPTION = 2,
    QUESTION_METHOD_LONG_CAPTION = 3,
    QUESTION_METHOD_MANUAL = 4,
    QUESTION_METHOD_USER_DATA = 5,
};
// Response matching methods.
enum EResponseMethod : int
{
    RESPONSE_METHOD_INTERNAL_CODE = 0,
    RESPONSE_METHOD_ENTRY_CODE = 1,
    RESPONSE_METHOD_SHORT_CAPTION = 2,
    RESPONSE_METHOD_ORDER = 3,
    RESPONSE_METHOD_MANUAL = 4,
    RESPONSE_METHOD_USER_DATA = 5,
};

// Whether the question method compares texts (shortcut, short caption, long caption, user
// data).
bool IsQuestionTextMethod(int method);
// Whether the response method compares texts (short caption, user data).
bool IsResponseTextMethod(int method);

// The text of a question method: the shortcut, short caption, long caption or user data; empty
// for any other method.
QString GetQuestionMethodText(int method, const CQuestion& question);
QString GetSourceQuestionMethodText(int method, const qnr::CQuestion& question);
// The campaign side of a comparison in the volume: the parent volume's source question when the
// volume matches using parent values and the parent has one, else the campaign question.
QString GetCampaignQuestionMatchText(int method, const CVolume& volume, const CQuestion& question);

} // namespace pelko_wave
