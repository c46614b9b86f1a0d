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
    return [languageId](int other) { return PrimaryLanguageOf(other) == PrimaryLanguageOf(languageId); };
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

void FillQuestionLongCaption(CQuestion& question, int language, SPrepDefLangState* state)
{
    if (!question.GetLongCaption(language).isEmpty())
        return;
    QString text = FindQuestionLongCaptionInPrimaryLanguage(question, language);
    if (text.isEmpty())
        text = FindAnyQuestionLongCaption(question);
    if (text.isEmpty())
        return;
    if (CQuestionCaption* caption = question.FindCaption(language)) {
        if (state && !state->OldQuestionLongCaptions.contains(caption))
            state->OldQuestionLongCaptions.insert(caption, caption->GetLongCaption());
        caption->SetLongCaption(text);
        return;
    }
    auto caption = MakeQuestionCaption(question.GetQuestionId(), language, QString(), text);
    if (state)
        state->AddedQuestionCaptions.append(caption.get());
    question.AddCaption(std::move(caption));
}

void FillQuestionShortCaption(CQuestion& question, int language, SPrepDefLangState* state)
{
    if (!question.GetShortCaption(language).isEmpty())
        return;
    QString text = FindQuestionShortCaptionInPrimaryLanguage(question, language);
    if (text.isEmpty())
        text = FindAnyQuestionShortCaption(question);
    if (text.isEmpty())
        return;
    if (CQuestionCaption* caption = question.FindCaption(language)) {
        if (state && !state->OldQuestionShortCaptions.contains(caption))
            state->OldQuestionShortCaptions.insert(caption, caption->GetShortCaption());
        caption->SetShortCaption(text);
        return;
    }
    auto caption = MakeQuestionCaption(question.GetQuestionId(), language, text, QString());
    if (state)
        state->AddedQuestionCaptions.append(caption.get());
    question.AddCaption(std::move(caption));
}

void FillResponseShortCaption(CModality& modality, int language, SPrepDefLangState* state)
{
    if (!modality.GetShortCaption(language).isEmpty())
        return;
    QString text = FindResponseShortCaptionInPrimaryLanguage(modality, language);
    if (text.isEmpty())
        text = FindAnyResponseShortCaption(modality);
    if (text.isEmpty())
        return;
    if (CModalityCaption* caption = modality.FindCaption(language)) {
        if (state && !state->OldModalityShortCaptions.contains(caption))
            state->OldModalityShortCaptions.insert(caption, caption->GetShortCaption());
        caption->SetShortCaption(text);
        return;
    }
    auto caption = MakeModalityCaption(modality.GetQuestionId(), modality.GetModalityId(),
                                       language, text);
    if (state)
        state->AddedModalityCaptions.append(caption.get());
    modality.AddCaption(std::move(caption));
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
        FillQuestionLongCaption(question, language, state);
        FillQuestionShortCaption(question, language, state);
    }
    for (int i = 0; i < campaign.GetModalityCount(); ++i)
        FillResponseShortCaption(*campaign.GetModality(i), language, state);
}

} // namespace pelko_wave
