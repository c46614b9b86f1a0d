#pragma once

#include <QList>
#include <QMap>
#include <QString>

// Captions of the campaign's default language filled from the other languages, where a
// question or response lacks them.

namespace pelko_wave {

class CCampaign;
class CModality;
class CModalityCaption;
class CQuestion;
class CQuestionCaption;

// What BuildDefaultLanguageCaptions added and replaced, kept by the prepare-default-language
// command to undo it. The added caption records belong to their question or response while in
// the model, and to whoever holds this record while out of it.
struct SPrepDefLangState
{
    QList<CQuestionCaption*> AddedQuestionCaptions;
    QList<CModalityCaption*> AddedModalityCaptions;
    QMap<CQuestionCaption*, QString> OldQuestionLongCaptions;
    QMap<CQuestionCaption*, QString> OldQuestionShortCaptions;
    QMap<CModalityCaption*, QString> OldModalityShortCaptions;
};

// For every question (long and short caption) and every response (short caption) whose
// caption in the default language is empty: the first non-empty one of a language with the
// same primary language, else of any language, is set (or a caption record made). Nothing is
// done while the campaign has no default language.
void BuildDefaultLanguageCaptions(CCampaign& campaign, SPrepDefLangState* state);

// The first non-empty caption of a language whose primary language is the language's.
QString FindQuestionLongCaptionInPrimaryLanguage(const CQuestion& question, int languageId);
QString FindQuestionShortCaptionInPrimaryLanguage(const CQuestion& question, int languageId);
QString FindResponseShortCaptionInPrimaryLanguage(const CModality& modality, int languageId);
// The first non-empty caption of any language.
QString FindAnyQuestionLongCaption(const CQuestion& question);
QString FindAnyQuestionShortCaption(const CQuestion& question);
QString FindAnyResponseShortCaption(const CModality& modality);

} // namespace pelko_wave
