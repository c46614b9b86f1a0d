#include "CampaignGenerator.h"

using namespace pelko_wave;

std::unique_ptr<CCampaign> GenerateCampaign(const SCampaignSize& size, int idOffset)
{
    auto campaign = std::make_unique<CCampaign>();
    campaign->SetName(QStringLiteral("Generated campaign"));
    campaign->SetDescription(QStringLiteral("%1 waves of %2 volumes, %3 questions of %4 responses")
                                 .arg(size.Waves)
                                 .arg(size.VolumesPerWave)
                                 .arg(size.Questions)
                                 .arg(size.ResponsesPerQuestion));
    auto english = std::make_unique<CLanguage>(1033);
    english->SetIsDefault(1);
    campaign->AddLanguage(std::move(english));
    campaign->AddLanguage(std::make_unique<CLanguage>(1036));
    campaign->SetCurrentLanguageId(1033);

    int volumeId = 0;
    for (int w = 1; w <= size.Waves; ++w) {
        auto wave = std::make_unique<CWave>();
        wave->SetWaveId(w);
        wave->SetWaveOrder(w);
        wave->SetName(QStringLiteral("Wave %1").arg(w));
        wave->SetWaveStart(QDateTime(QDate(2000 + w, 1, 1), QTime(0, 0)));
        for (int v = 0; v < size.VolumesPerWave; ++v) {
            auto volume = std::make_unique<CVolume>();
            volume->SetVolumeId(++volumeId);
            volume->SetWaveId(w);
            volume->SetName(QStringLiteral("Volume %1.%2").arg(w).arg(v + 1));
            volume->SetInheritsFromVolumeId(w == 1 ? volumeId : volumeId - size.VolumesPerWave);
            volume->SetQuestionMatchingMethods({1, 2, 3});
            volume->SetResponseMatchingMethods({2, 1});
            CSourcePath source;
            source.SourceStorageType = 0;
            source.SourceFilePathFormat = PATH_ABSOLUTE;
            source.SourceString = QStringLiteral("/data/wave%1/volume%2.zoz").arg(w).arg(v + 1);
            volume->SetMetaData(source);
            volume->SetCaseData(source);
            volume->SetStatus(VOLUME_RECONCILED);
            wave->AddVolume(std::move(volume));
        }
        campaign->InsertWave(std::move(wave));
    }
    for (int w = 0; w < campaign->GetWaveCount(); ++w) {
        const CWave& wave = *campaign->GetWave(w);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            CVolume* volume = wave.GetVolume(v);
            if (volume->IsRoot())
                continue;
            CVolume* parent = campaign->FindVolume(volume->GetInheritsFromVolumeId());
            volume->SetParent(parent);
            parent->AddChildVolume(volume);
        }
    }

    int modalityId = idOffset;
    for (int q = 0; q < size.Questions; ++q) {
        const int questionId = idOffset + q + 2;
        auto question = std::make_unique<CQuestion>();
        question->SetQuestionId(questionId);
        question->SetOrder(q + 1);
        question->SetShortcut(QStringLiteral("Q%1").arg(questionId));
        question->SetIndent(1);
        question->SetElementType(1);
        question->SetQuestionType(1);
        question->SetMaxResponseCount(1);
        question->SetVersions(QStringLiteral("1;"));
        question->SetAppearanceVolumeId(1);
        question->SetDeletionWaveId(NO_WAVE_ID);
        for (const int language : {1033, 1036}) {
            question->SetShortCaption(
                language, QStringLiteral("Question %1 [%2]").arg(questionId).arg(language));
            question->SetLongCaption(language,
                                     QStringLiteral("How would you rate brand number %1? [%2]")
                                         .arg(questionId)
                                         .arg(language));
        }
        CQuestion* added = question.get();
        campaign->InsertQuestion(std::move(question));
        for (int r = 0; r < size.ResponsesPerQuestion; ++r) {
            auto modality = std::make_unique<CModality>();
            modality->SetModalityId(++modalityId);
            modality->SetQuestionId(questionId);
            modality->SetModalityOrder(r);
            modality->SetValue(r + 1);
            modality->SetEntryCode(QString::number(r + 1));
            modality->SetVersions(QStringLiteral("1;"));
            modality->SetAppearanceVolumeId(1);
            modality->SetDeletionWaveId(NO_WAVE_ID);
            modality->SetShortCaption(1033, QStringLiteral("Answer %1").arg(r + 1));
            modality->SetShortCaption(1036, QStringLiteral("Réponse %1").arg(r + 1));
            CModality* response = modality.get();
            campaign->AddModality(std::move(modality));
            added->InsertModality(response);
        }
    }

    for (int w = 0; w < campaign->GetWaveCount(); ++w) {
        const CWave& wave = *campaign->GetWave(w);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            CVolume* volume = wave.GetVolume(v);
            const int id = volume->GetVolumeId();
            for (int q = 0; q < campaign->GetQuestionCount(); ++q) {
                const CQuestion& question = *campaign->GetQuestion(q);
                auto matching = std::make_unique<CQuestionMatching>();
                matching->SetQuestionId(question.GetQuestionId());
                matching->SetVolumeId(id);
                matching->SetSourceId(QString::number(question.GetQuestionId()));
                matching->SetStartVolumeId(id);
                matching->SetEndVolumeId(id);
                volume->AddQuestionMatching(std::move(matching));
                for (int r = 0; r < question.GetModalityCount(); ++r) {
                    const CModality& response = *question.GetModality(r);
                    auto responseMatching = std::make_unique<CModalityMatching>();
                    responseMatching->SetModalityId(response.GetModalityId());
                    responseMatching->SetQuestionId(question.GetQuestionId());
                    responseMatching->SetVolumeId(id);
                    responseMatching->SetModalitySourceId(QString::number(r + 1));
                    responseMatching->SetStartVolumeId(id);
                    responseMatching->SetEndVolumeId(id);
                    volume->AddModalityMatching(std::move(responseMatching));
                }
            }
        }
    }
    return campaign;
}
