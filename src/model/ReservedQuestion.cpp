// The reserved analysis question (id 1): one response per wave, named after the wave, matched
// in the wave's first volume with the reserved source id.

#include "model/Campaign.h"

namespace pelko_wave {

CQuestion* CCampaign::CreateReservedQuestion(int volumeId, const QString& caption, int languageId)
{
    if (ContainsQuestion(RESERVED_QUESTION_ID))
        return nullptr;
    auto question = std::make_unique<CQuestion>();
    question->SetQuestionId(RESERVED_QUESTION_ID);
    question->SetAppearanceVolumeId(volumeId);
    question->SetDeletionWaveId(NO_WAVE_ID);
    question->SetElementType(1);
    question->SetQuestionType(1);
    question->SetMaxResponseCount(1);
    question->SetIndent(1);
    question->SetShortcut(caption);
    question->SetOrder(0);
    auto questionCaption = std::make_unique<CQuestionCaption>();
    questionCaption->SetQuestionId(RESERVED_QUESTION_ID);
    questionCaption->SetLanguageId(languageId);
    questionCaption->SetLongCaption(caption);
    questionCaption->SetShortCaption(caption);
    question->AddCaption(std::move(questionCaption));
    CQuestion* created = question.get();
    InsertQuestion(std::move(question));
    return created;
}

CModality* CCampaign::CreateReservedModality(const CVolume* volume, const QString& caption,
                                             int languageId)
{
    CQuestion* reserved = GetQuestionById(RESERVED_QUESTION_ID);
    if (!reserved || !volume)
        return nullptr;
    auto modality = std::make_unique<CModality>();
    modality->SetModalityId(m_maxModalityId + 1);
    modality->SetQuestionId(RESERVED_QUESTION_ID);
    modality->SetModalityOrder(reserved->GetModalityCount() + 1);
    modality->SetAppearanceVolumeId(volume->GetVolumeId());
    modality->SetDeletionWaveId(NO_WAVE_ID);
    auto modalityCaption = std::make_unique<CModalityCaption>();
    modalityCaption->SetModalityId(modality->GetModalityId());
    modalityCaption->SetQuestionId(RESERVED_QUESTION_ID);
    modalityCaption->SetLanguageId(languageId);
    modalityCaption->SetShortCaption(caption);
    modality->AddCaption(std::move(modalityCaption));
    CModality* created = modality.get();
    reserved->InsertModality(created);
    AddModality(std::move(modality));
    return created;
}

CQuestionMatching* CCampaign::CreateReservedQuestionMatching(CVolume* volume)
{
    if (!ContainsQuestion(RESERVED_QUESTION_ID) || !volume)
        return nullptr;
    auto matching = std::make_unique<CQuestionMatching>();
    matching->SetQuestionId(RESERVED_QUESTION_ID);
    matching->SetVolumeId(volume->GetVolumeId());
    matching->SetSourceId(RESERVED_SOURCE_ID);
    matching->SetStartVolumeId(volume->GetVolumeId());
    matching->SetEndVolumeId(volume->GetVolumeId());
    CQuestionMatching* created = matching.get();
    volume->AddQuestionMatching(std::move(matching));
    return created;
}

CModalityMatching* CCampaign::CreateReservedModalityMatching(CVolume* volume)
{
    const CQuestion* reserved = GetQuestionById(RESERVED_QUESTION_ID);
    if (!reserved || !volume || reserved->GetModalityCount() == 0)
        return nullptr;
    const CModality* last = reserved->GetModality(reserved->GetModalityCount() - 1);
    auto matching = std::make_unique<CModalityMatching>();
    matching->SetModalityId(last->GetModalityId());
    matching->SetQuestionId(RESERVED_QUESTION_ID);
    matching->SetVolumeId(volume->GetVolumeId());
    matching->SetModalitySourceId(RESERVED_SOURCE_ID);
    matching->SetStartVolumeId(volume->GetVolumeId());
    matching->SetEndVolumeId(OPEN_END_ID);
    CModalityMatching* created = matching.get();
    volume->AddModalityMatching(std::move(matching));
    return created;
}

} // namespace pelko_wave
