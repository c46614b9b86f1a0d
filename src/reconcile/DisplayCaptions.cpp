#include "reconcile/DisplayCaptions.h"

#include "model/Campaign.h"
#include "model/Language.h"
#include "model/OptionRecords.h"
#include "platform/AppServices.h"
#include "questionnaire/Question.h"

#include <algorithm>
#include <functional>
#include <vector>

using namespace pelko_wave;

namespace {

enum ECaptionMode
{
    LOCALISED_CAPTIONS = 0,
    SOURCE_CAPTIONS = 1
};

const CCampaign* GetAppCampaign()
{
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetCampaign() : nullptr;
}

int GetDisplayLanguage()
{
    const CCampaign* campaign = GetAppCampaign();
    return campaign ? campaign->GetCurrentLanguageId() : 0;
}

int GetCaptionMode()
{
    const IWaveApp* app = GetWaveApp();
    return app ? app->GetLanguageSettings().GetSourceItems() : CLanguageSettings().GetSourceItems();
}

// The caption in the display language; when it is empty, the first non-empty caption among
// the campaign's languages of the same primary language, then among the others, each group in
// ascending language id.
QString CaptionWithFallback(const std::function<QString(int languageId)>& captionIn)
{
    const int display = GetDisplayLanguage();
    const QString caption = captionIn(display);
    if (!caption.isEmpty())
        return caption;
    const CCampaign* campaign = GetAppCampaign();
    if (!campaign)
        return QString();
    std::vector<int> samePrimary;
    std::vector<int> others;
    for (int i = 0; i < campaign->GetLanguageCount(); ++i) {
        const int id = campaign->GetLanguage(i)->GetLanguageId();
        (PrimaryLanguageOf(id) == PrimaryLanguageOf(display) ? samePrimary : others).push_back(id);
    }
    for (std::vector<int>* group : {&samePrimary, &others}) {
        std::sort(group->begin(), group->end());
        for (const int id : *group) {
            const QString text = captionIn(id);
            if (!text.isEmpty())
                return text;
        }
    }
    return QString();
}

// A source item's caption as the caption mode asks: localised in the display language, or its
// own; empty for an unknown mode.
QString SourceCaptionByMode(const std::function<QString()>& ownCaption,
                            const std::function<QString(int languageId)>& localisedCaption)
{
    switch (GetCaptionMode()) {
    case LOCALISED_CAPTIONS:
        return localisedCaption(GetDisplayLanguage());
    case SOURCE_CAPTIONS:
        return ownCaption();
    default:
        return QString();
    }
}

} // namespace

QString GetSourceQuestionDisplayLongCaption(const qnr::CQuestion& question)
{
    return SourceCaptionByMode(
        [&question] { return question.GetLongCaption(); },
        [&question](int languageId) { return question.GetLocalisedLongCaption(languageId); });
}

QString GetSourceQuestionDisplayShortCaption(const qnr::CQuestion& question)
{
    return SourceCaptionByMode(
        [&question] { return question.GetShortCaption(); },
        [&question](int languageId) { return question.GetLocalisedShortCaption(languageId); });
}

QString GetModalityDisplayCaption(const CModality& modality)
{
    return CaptionWithFallback(
        [&modality](int languageId) { return modality.GetShortCaption(languageId); });
}

QString GetQuestionDisplayLongCaption(const CQuestion& question)
{
    return CaptionWithFallback(
        [&question](int languageId) { return question.GetLongCaption(languageId); });
}

QString GetQuestionDisplayShortCaption(const CQuestion& question)
{
    return CaptionWithFallback(
        [&question](int languageId) { return question.GetShortCaption(languageId); });
}
