#include "model/DefaultLanguageCaptions.h"

#include "model/Campaign.h"
#include "model/RecordMakers.h"

namespace pelko_wave {

namespace {

// The first caption of the holder (question or response) with a non-empty text that passes
// the language test.
template <typename Holder, typename TextOf, typename LanguageTest>
QString FindCaptionText(const Holder& holder, TextOf textOf, LanguageTest languageTest)
{
    for (int i = 0; i < holder.GetCaptionCount(); ++i) {
        const auto* caption = holder.GetCaption(i);
        const QString text = textOf(*caption);
        if (languageTest(caption->GetLanguageId()) && !text.isEmpty())
            return text;
    }
    return QString();
}

auto SamePrimaryLanguage(int languageId)
{
    return [languageId](int other) {
        return PrimaryLanguageOf(other) == PrimaryLanguageOf(languageId);
    };
}

bool AnyLanguage(int)
{
    return true;
}

QString LongOf(const CQuestionCaption& caption)
{
    return caption.GetLongCaption();
}

QString ShortOf(const CQuestionCaption& caption)
{
    return caption.GetShortCaption();
}

QString ResponseShortOf(const CModalityCaption& caption)
{
    return caption.GetShortCaption();
}

// Fills one caption text of the holder in the language, when it is empty there: from the
// first non-empty one of the same primary language, else of any language. An existing caption
// record gets the text (its former text noted), else a new record is made (and noted).
template <typename Holder, typename Caption>
void FillCaption(Holder& holder, int language, QString (*textOf)(const Caption&),
                 void (Caption::*setText)(const QString&),
                 std::unique_ptr<Caption> (*makeCaption)(const Holder&, int, const QString&),
                 QMap<Caption*, QString>* oldTexts, QList<Caption*>* added)
{
    Caption* caption = holder.FindCaption(language);
    if (caption && !textOf(*caption).isEmpty())
        return;
    QString text = FindCaptionText(holder, textOf, SamePrimaryLanguage(language));
    if (text.isEmpty())
        text = FindCaptionText(holder, textOf, AnyLanguage);
    if (text.isEmpty())
        return;
    if (caption) {
        if (oldTexts && !oldTexts->contains(caption))
            oldTexts->insert(caption, textOf(*caption));
        (caption->*setText)(text);
        return;
    }
    std::unique_ptr<Caption> made = makeCaption(holder, language, text);
    if (added)
        added->append(made.get());
    holder.AddCaption(std::move(made));
}

std::unique_ptr<CQuestionCaption> NewQuestionLongCaption(const CQuestion& question, int language,
                                                         const QString& text)
{
    return MakeQuestionCaption(question.GetQuestionId(), language, QString(), text);
}

std::unique_ptr<CQuestionCaption> NewQuestionShortCaption(const CQuestion& question, int language,
                                                          const QString& text)
{
    return MakeQuestionCaption(question.GetQuestionId(), language, text, QString());
}

std::unique_ptr<CModalityCaption> NewResponseCaption(const CModality& modality, int language,
                                                     const QString& text)
{
    return MakeModalityCaption(modality.GetQuestionId(), modality.GetModalityId(), language, text);
}

} // namespace

QString FindQuestionLongCaptionInPrimaryLanguage(const CQuestion& question, int languageId)
{
    return FindCaptionText(question, LongOf, SamePrimaryLanguage(languageId));
}

QString FindQuestionShortCaptionInPrimaryLanguage(const CQuestion& question, int languageId)
{
    return FindCaptionText(question, ShortOf, SamePrimaryLanguage(languageId));
}

QString FindResponseShortCaptionInPrimaryLanguage(const CModality& modality, int languageId)
{
    return FindCaptionText(modality, ResponseShortOf, SamePrimaryLanguage(languageId));
}

QString FindAnyQuestionLongCaption(const CQuestion& question)
{
    return FindCaptionText(question, LongOf, AnyLanguage);
}

QString FindAnyQuestionShortCaption(const CQuestion& question)
{
    return FindCaptionText(question, ShortOf, AnyLanguage);
}

QString FindAnyResponseShortCaption(const CModality& modality)
{
    return FindCaptionText(modality, ResponseShortOf, AnyLanguage);
}

void BuildDefaultLanguageCaptions(CCampaign& campaign, SPrepDefLangState* state)
{
    const int language = campaign.GetDefaultLanguageId();
    // Without a default language there is nothing to fill: captions of language 0 would be
    // captions of no language.
    if (language == 0)
        return;
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        CQuestion& question = *campaign.GetQuestion(i);
        FillCaption(question, language, LongOf, &CQuestionCaption::SetLongCaption,
                    NewQuestionLongCaption, state ? &state->OldQuestionLongCaptions : nullptr,
                    state ? &state->AddedQuestionCaptions : nullptr);
        FillCaption(question, language, ShortOf, &CQuestionCaption::SetShortCaption,
                    NewQuestionShortCaption, state ? &state->OldQuestionShortCaptions : nullptr,
                    state ? &state->AddedQuestionCaptions : nullptr);
    }
    for (int i = 0; i < campaign.GetModalityCount(); ++i) {
        FillCaption(*campaign.GetModality(i), language, ResponseShortOf,
                    &CModalityCaption::SetShortCaption, NewResponseCaption,
                    state ? &state->OldModalityShortCaptions : nullptr,
                    state ? &state->AddedModalityCaptions : nullptr);
    }
}

} // namespace pelko_wave
