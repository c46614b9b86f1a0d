#pragma once

#include "model/Campaign.h"
#include "model/Language.h"
#include "model/OptionRecords.h"
#include "questionnaire/Questionnaire.h"

#include <QString>
#include <memory>
#include <utility>
#include <vector>

// Small campaigns and questionnaires built by hand for the engine's text and caption tests.

namespace text_engine_test {

using CaptionList = std::vector<std::pair<int, QString>>; // (language id, caption)

inline void AddLanguage(pelko_wave::CCampaign& campaign, int languageId, bool isDefault = false)
{
    auto language = std::make_unique<pelko_wave::CLanguage>();
    language->SetLanguageId(languageId);
    language->SetIsDefault(isDefault ? 1 : 0);
    campaign.AddLanguage(std::move(language));
}

inline pelko_wave::CWave* AddWave(pelko_wave::CCampaign& campaign, int waveId, int order)
{
    auto wave = std::make_unique<pelko_wave::CWave>();
    wave->SetWaveId(waveId);
    wave->SetWaveOrder(order);
    wave->SetName(QStringLiteral("Wave %1").arg(waveId));
    campaign.InsertWave(std::move(wave));
    return campaign.FindWave(waveId);
}

// A volume of the wave; with a parent id it inherits from that volume (linked both ways).
inline pelko_wave::CVolume* AddVolume(pelko_wave::CCampaign& campaign, int waveId, int volumeId,
                                      int parentId = -1)
{
    auto volume = std::make_unique<pelko_wave::CVolume>();
    volume->SetVolumeId(volumeId);
    volume->SetWaveId(waveId);
    volume->SetName(QStringLiteral("Volume %1").arg(volumeId));
    volume->SetInheritsFromVolumeId(parentId < 0 ? volumeId : parentId);
    campaign.FindWave(waveId)->AddVolume(std::move(volume));
    pelko_wave::CVolume* added = campaign.FindVolume(volumeId);
    if (parentId >= 0) {
        pelko_wave::CVolume* parent = campaign.FindVolume(parentId);
        added->SetParent(parent);
        parent->AddChildVolume(added);
    }
    return added;
}

// A question (element 1, type 1) deleted in no wave, with short captions per language.
inline pelko_wave::CQuestion* AddQuestion(pelko_wave::CCampaign& campaign, int questionId,
                                          const QString& shortcut,
                                          const CaptionList& shortCaptions = {})
{
    auto question = std::make_unique<pelko_wave::CQuestion>();
    question->SetQuestionId(questionId);
    question->SetOrder(campaign.GetQuestionCount());
    question->SetShortcut(shortcut);
    question->SetIndent(1);
    question->SetElementType(1);
    question->SetQuestionType(1);
    question->SetDeletionWaveId(pelko_wave::NO_WAVE_ID);
    for (const auto& [languageId, text] : shortCaptions)
        question->SetShortCaption(languageId, text);
    campaign.InsertQuestion(std::move(question));
    return campaign.GetQuestionById(questionId);
}

inline pelko_wave::CModality* AddModality(pelko_wave::CCampaign& campaign,
                                          pelko_wave::CQuestion& question, int modalityId,
                                          const CaptionList& shortCaptions = {},
                                          const QString& userData = QString())
{
    auto modality = std::make_unique<pelko_wave::CModality>();
    modality->SetModalityId(modalityId);
    modality->SetQuestionId(question.GetQuestionId());
    modality->SetModalityOrder(question.GetModalityCount());
    modality->SetDeletionWaveId(pelko_wave::NO_WAVE_ID);
    modality->SetUserData(userData);
    for (const auto& [languageId, text] : shortCaptions)
        modality->SetShortCaption(languageId, text);
    pelko_wave::CModality* added = modality.get();
    campaign.AddModality(std::move(modality));
    question.InsertModality(added);
    return added;
}

inline pelko_wave::CQuestionMatching*
AddQuestionMatching(pelko_wave::CVolume& volume, int questionId, const QString& source,
                    int endVolumeId = pelko_wave::NO_VOLUME_ID)
{
    auto matching = std::make_unique<pelko_wave::CQuestionMatching>();
    matching->SetQuestionId(questionId);
    matching->SetVolumeId(volume.GetVolumeId());
    matching->SetSourceId(source);
    matching->SetStartVolumeId(volume.GetVolumeId());
    matching->SetEndVolumeId(endVolumeId);
    pelko_wave::CQuestionMatching* added = matching.get();
    volume.AddQuestionMatching(std::move(matching));
    return added;
}

inline pelko_wave::CModalityMatching*
AddModalityMatching(pelko_wave::CVolume& volume, int questionId, int modalityId,
                    const QString& source, int endVolumeId = pelko_wave::NO_VOLUME_ID)
{
    auto matching = std::make_unique<pelko_wave::CModalityMatching>();
    matching->SetModalityId(modalityId);
    matching->SetQuestionId(questionId);
    matching->SetVolumeId(volume.GetVolumeId());
    matching->SetModalitySourceId(source);
    matching->SetStartVolumeId(volume.GetVolumeId());
    matching->SetEndVolumeId(endVolumeId);
    pelko_wave::CModalityMatching* added = matching.get();
    volume.AddModalityMatching(std::move(matching));
    return added;
}

// A source question with short (and the same long) captions per language.
inline qnr::CQuestion* AddSourceQuestion(qnr::CQuestionnaire& questionnaire, int code,
                                         const QString& shortcut, const CaptionList& captions = {})
{
    auto question = std::make_unique<qnr::CQuestion>();
    question->SetCodeQuestion(code);
    question->SetShortcut(shortcut);
    question->SetTypeElement(1);
    question->SetTypeQuestion(1);
    for (const auto& [languageId, text] : captions)
        question->SetCaptions(languageId, text, text);
    return questionnaire.AddQuestion(std::move(question));
}

inline qnr::CModalite* AddSourceResponse(qnr::CQuestion& question, int code,
                                         const CaptionList& captions = {},
                                         const QString& userData = QString())
{
    auto response = std::make_unique<qnr::CModalite>();
    response->SetCode(code);
    response->SetUserData(userData);
    for (const auto& [languageId, text] : captions)
        response->SetShortCaption(languageId, text);
    return question.AddModalite(std::move(response));
}

// Puts the process-wide current languages back to their start values when it ends.
class CCurrentLanguagesGuard
{
public:
    ~CCurrentLanguagesGuard()
    {
        SetCurrentLanguageId(0);
        SetCurrentQuestionnaireLanguage(0);
    }
};

} // namespace text_engine_test
