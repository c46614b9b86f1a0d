#include "model/RecordMakers.h"

#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"

namespace pelko_wave {

std::unique_ptr<CModalityMerging> MakeModalityMerging(const CModality& master,
                                                      const CModality& child,
                                                      const CVolume& volume)
{
    auto merging = std::make_unique<CModalityMerging>();
    merging->SetMasterModalityId(master.GetModalityId());
    merging->SetChildModalityId(child.GetModalityId());
    merging->SetMergeVolumeId(volume.GetVolumeId());
    return merging;
}

std::unique_ptr<CModalityMatching> MakeModalityMatching(int modalityId, const QString& sourceId,
                                                        const CVolume& volume,
                                                        const CQuestion& question)
{
    auto matching = std::make_unique<CModalityMatching>();
    matching->SetModalityId(modalityId);
    matching->SetQuestionId(question.GetQuestionId());
    matching->SetVolumeId(volume.GetVolumeId());
    matching->SetModalitySourceId(sourceId);
    matching->SetStartVolumeId(volume.GetVolumeId());
    matching->SetEndVolumeId(OPEN_END_ID);
    return matching;
}

std::unique_ptr<CQuestionMatching> MakeQuestionMatching(int questionId, const QString& sourceId,
                                                        const CVolume& volume)
{
    auto matching = std::make_unique<CQuestionMatching>();
    matching->SetQuestionId(questionId);
    matching->SetVolumeId(volume.GetVolumeId());
    matching->SetSourceId(sourceId);
    matching->SetStartVolumeId(volume.GetVolumeId());
    matching->SetEndVolumeId(OPEN_END_ID);
    return matching;
}

std::unique_ptr<CLanguage> MakeLanguage(int languageId, int isDefault, const QString& name,
                                        const QString& abbreviation)
{
    auto language = std::make_unique<CLanguage>();
    language->SetLanguageId(languageId);
    language->SetIsDefault(isDefault);
    language->SetLanguageName(name);
    language->SetLanguageAbbreviation(abbreviation);
    return language;
}

std::unique_ptr<CModalityCaption> MakeModalityCaption(int questionId, int modalityId,
                                                      int languageId, const QString& shortCaption)
{
    auto caption = std::make_unique<CModalityCaption>();
    caption->SetQuestionId(questionId);
    caption->SetModalityId(modalityId);
    caption->SetLanguageId(languageId);
    caption->SetShortCaption(shortCaption);
    return caption;
}

std::unique_ptr<CQuestionCaption> MakeQuestionCaption(int questionId, int languageId,
                                                      const QString& shortCaption,
                                                      const QString& longCaption)
{
    auto caption = std::make_unique<CQuestionCaption>();
    caption->SetQuestionId(questionId);
    caption->SetLanguageId(languageId);
    caption->SetShortCaption(shortCaption);
    caption->SetLongCaption(longCaption);
    return caption;
}

} // namespace pelko_wave
