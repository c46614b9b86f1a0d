#include "reconcile/Differences.h"

#include "model/Campaign.h"
#include "model/OptionRecords.h"
#include "platform/AppServices.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "reconcile/DiffsOptions.h"
#include "reconcile/PropertyCaptions.h"
#include "reconcile/PropertyValues.h"

using namespace pelko_wave;

namespace {

constexpr int LAST_COMPARED_QUESTION_KIND = kQuestionLongCaptionsId;
constexpr int LAST_COMPARED_MODALITY_KIND = kModalityShortCaptionsId;

} // namespace

CDifferenceComparer::CDifferenceComparer()
{
    const IWaveApp* app = GetWaveApp();
    if (!app)
        return;
    m_defaultLanguageOnly = app->GetLanguageSettings().GetCompareCaptionsInDefaultLangOnly() != 0;
    if (const CCampaign* campaign = app->GetCampaign())
        m_defaultLanguageId = campaign->GetDefaultLanguageId();
    const CQuestionDiffsOptions& questionOptions = app->GetQuestionDiffsOptions();
    for (int kind = 0; kind <= LAST_COMPARED_QUESTION_KIND; ++kind) {
        if (!app->IsQuestionDiffKindHidden(kind) && questionOptions.IsEnabled(kind))
            m_questionKinds.push_back(kind);
    }
    const CModalityDiffsOptions& modalityOptions = app->GetModalityDiffsOptions();
    for (int kind = 0; kind <= LAST_COMPARED_MODALITY_KIND; ++kind) {
        if (!app->IsModalityDiffKindHidden(kind) && modalityOptions.IsEnabled(kind))
            m_modalityKinds.push_back(kind);
    }
}

// Appends one caption difference per source language whose text the campaign item does not
// have, ignoring case. campaignCaption gives the campaign caption of a language, or null when
// the item has no caption record in it.
template <typename CampaignCaption>
void CDifferenceComparer::CompareCaptions(const qnr::CLocalisedTexts& texts, int kind, bool useLong,
                                          bool skipEmptySource,
                                          const CampaignCaption& campaignCaption,
                                          CDiffList& diffs) const
{
    for (const qnr::CLocalisedTexts::SEntry& entry : texts.GetEntries()) {
        if (!ComparesLanguage(entry.languageId))
            continue;
        const QString& text = useLong ? entry.longCaption : entry.shortCaption;
        if (skipEmptySource && text.isEmpty())
            continue;
        const QString* caption = campaignCaption(entry.languageId);
        if (caption && caption->compare(text, Qt::CaseInsensitive) == 0)
            continue;
        diffs.emplace(kind, std::make_shared<CCaptionDiffInfo>(entry.languageId));
    }
}

bool CDifferenceComparer::GetQuestionDifferences(const CQuestion& question,
                                                 const qnr::CQuestion& source,
                                                 CDiffList& diffs) const
{
    diffs.clear();
    for (const int kind : m_questionKinds) {
        if (kind == kQuestionShortCaptionsId || kind == kQuestionLongCaptionsId) {
            const bool useLong = kind == kQuestionLongCaptionsId;
            CompareCaptions(
                source.GetCaptions(), kind, useLong, true,
                [&](int languageId) -> const QString* {
                    const CQuestionCaption* caption = question.FindCaption(languageId);
                    if (!caption)
                        return nullptr;
                    return useLong ? &caption->GetLongCaption() : &caption->GetShortCaption();
                },
                diffs);
            continue;
        }
        const SQuestionProperty* property = FindQuestionValueProperty(kind);
        if (property && property->Compared != EValueForm::None &&
            ValuesDiffer(property->Compared, property->Campaign(question),
                         property->Source(source)))
            diffs.emplace(kind, CDiffInfoPtr());
    }
    return !diffs.empty();
}

bool CDifferenceComparer::GetModalityDifferences(const CModality& modality,
                                                 const qnr::CModalite& source,
                                                 CDiffList& diffs) const
{
    diffs.clear();
    for (const int kind : m_modalityKinds) {
        if (kind == kModalityShortCaptionsId) {
            // A response caption missing in a language differs even when the source's is empty.
            CompareCaptions(
                source.GetCaptions(), kind, false, false,
                [&](int languageId) -> const QString* {
                    const CModalityCaption* caption = modality.FindCaption(languageId);
                    return caption ? &caption->GetShortCaption() : nullptr;
                },
                diffs);
            continue;
        }
        const SModalityProperty* property = FindModalityValueProperty(kind);
        if (property && property->Compared != EValueForm::None &&
            ValuesDiffer(property->Compared, property->Campaign(modality),
                         property->Source(source)))
            diffs.emplace(kind, CDiffInfoPtr());
    }
    return !diffs.empty();
}

bool GetQuestionDifferences(const CQuestion& question, const qnr::CQuestion& source,
                            CDiffList& diffs)
{
    return CDifferenceComparer().GetQuestionDifferences(question, source, diffs);
}

bool GetModalityDifferences(const CModality& modality, const qnr::CModalite& source,
                            CDiffList& diffs)
{
    return CDifferenceComparer().GetModalityDifferences(modality, source, diffs);
}
