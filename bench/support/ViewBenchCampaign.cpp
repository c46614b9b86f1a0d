#include "ViewBenchCampaign.h"

#include "app/WaveApp.h"

#include "model/Campaign.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/RecordMakers.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Language.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/DiffsOptions.h"
#include "storage/DBAccess.h"

using namespace pelko_wave;

namespace view_bench {

void FillCampaign(CCampaign& campaign)
{
    campaign.SetName(QStringLiteral("Generated tracker"));
    constexpr int kChapterSize = 100; // the chapter and its 99 questions
    int modalityId = 0;
    for (int i = 0; i < kQuestions; ++i) {
        const int inChapter = i % kChapterSize;
        auto question = std::make_unique<CQuestion>();
        // Id 1 is the campaign's reserved question: the generated ones start after it.
        question->SetQuestionId(i + 2);
        question->SetOrder(i + 1);
        question->SetDeletionWaveId(NO_WAVE_ID);
        if (inChapter == 0) {
            question->SetShortcut(QStringLiteral("CHAPTER%1").arg(i / kChapterSize + 1));
            question->SetIndent(1);
            question->SetElementType(0);
        } else {
            question->SetShortcut(QStringLiteral("Q%1").arg(i + 1));
            // Questions 50 to 54 of a chapter: a loop and the four questions it holds.
            question->SetIndent(inChapter > 50 && inChapter <= 54 ? 3 : 2);
            question->SetElementType(inChapter == 50 ? 2 : 1);
            question->SetQuestionType(1 + inChapter % 5);
            for (int r = 0; r < kResponsesPerQuestion; ++r) {
                auto modality = std::make_unique<CModality>();
                modality->SetModalityId(++modalityId);
                modality->SetQuestionId(i + 2);
                modality->SetModalityOrder(r + 1);
                question->InsertModality(modality.get());
                campaign.AddModality(std::move(modality));
            }
        }
        campaign.InsertQuestion(std::move(question));
    }

    int volumeId = 0;
    for (int w = 1; w <= kWaves; ++w) {
        auto wave = std::make_unique<CWave>();
        wave->SetWaveId(w);
        wave->SetWaveOrder(w);
        wave->SetName(QStringLiteral("Wave %1").arg(w));
        CWave* added = wave.get();
        campaign.InsertWave(std::move(wave));
        CVolume* root = nullptr;
        const int volumes = 1 + (w - 1) % 3;
        for (int v = 0; v < volumes; ++v) {
            auto volume = std::make_unique<CVolume>();
            volume->SetVolumeId(++volumeId);
            volume->SetName(QStringLiteral("Volume %1").arg(volumeId));
            volume->SetWaveId(w);
            volume->SetInheritsFromVolumeId(root ? root->GetVolumeId() : volumeId);
            volume->SetStatus(VOLUME_RECONCILED);
            CVolume* raw = volume.get();
            added->AddVolume(std::move(volume));
            if (root) {
                raw->SetParent(root);
                root->AddChildVolume(raw);
            } else {
                root = raw;
            }
            for (int q = 2; q <= kQuestions + 1; ++q)
                if ((q + volumeId) % 5 != 0)
                    raw->AddQuestionMatching(MakeQuestionMatching(q, QString::number(q), *raw));
        }
    }
}

namespace {

constexpr int kLanguage = 2057;

QString QuestionCaption(const CQuestion& question)
{
    return QStringLiteral("How often did you choose %1 in the last month?")
        .arg(question.GetShortcut());
}

} // namespace

void AddWaveSources(CCampaign& campaign, int waveId)
{
    campaign.SetDefaultLanguageId(kLanguage);
    campaign.SetCurrentLanguageId(kLanguage);
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        CQuestion& question = *campaign.GetQuestion(i);
        question.SetShortCaption(kLanguage, question.GetShortcut() + QStringLiteral(" choice"));
        question.SetLongCaption(kLanguage, QuestionCaption(question));
        for (CModality* response : question.GetModalities())
            response->SetShortCaption(
                kLanguage, QStringLiteral("Answer %1").arg(response->GetModalityOrder()));
    }
    CWave* wave = campaign.FindWave(waveId);
    if (!wave)
        return;
    for (int v = 0; v < wave->GetVolumeCount(); ++v) {
        CVolume& volume = *wave->GetVolume(v);
        auto questionnaire = std::make_unique<qnr::CQuestionnaire>();
        questionnaire->AddLanguage(qnr::CLanguage(kLanguage));
        questionnaire->SetDefaultLanguageId(kLanguage);
        for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
            const CQuestion& question = *campaign.GetQuestion(i);
            const int code = question.GetQuestionId();
            auto source = std::make_unique<qnr::CQuestion>();
            source->SetCodeQuestion(code);
            source->SetShortcut(question.GetShortcut());
            source->SetTypeElement(question.GetElementType());
            source->SetTypeQuestion(question.GetQuestionType());
            source->SetIndent(question.GetIndent());
            const QString shortCaption = code % 10 == 0
                                             ? question.GetShortcut() + QStringLiteral(" chosen")
                                             : question.GetShortCaption(kLanguage);
            source->SetCaptions(kLanguage, question.GetLongCaption(kLanguage), shortCaption);
            const bool matched = volume.FindQuestionMatching(code) != nullptr;
            for (const CModality* response : question.GetModalities()) {
                auto sourceResponse = std::make_unique<qnr::CModalite>();
                sourceResponse->SetCode(response->GetModalityOrder());
                const bool differs = code % 7 == 0 && response->GetModalityOrder() == 2;
                sourceResponse->SetShortCaption(kLanguage,
                                                differs ? QStringLiteral("Another answer")
                                                        : response->GetShortCaption(kLanguage));
                source->AddModalite(std::move(sourceResponse));
                if (matched)
                    volume.AddModalityMatching(MakeModalityMatching(
                        response->GetModalityId(), QString::number(response->GetModalityOrder()),
                        volume, question));
            }
            questionnaire->AddQuestion(std::move(source));
        }
        questionnaire->PreparerSaisie();
        volume.ReplaceQuestionnaire(std::move(questionnaire));
    }
}

void EnableEveryDifferenceKind(CWaveApp& app)
{
    CQuestionDiffsOptions questions;
    for (int kind : GetStoredQuestionDiffKinds())
        questions.SetEnabled(kind, true);
    app.SetQuestionDiffsOptions(questions);
    CModalityDiffsOptions responses;
    for (int kind : GetStoredModalityDiffKinds())
        responses.SetEnabled(kind, true);
    app.SetModalityDiffsOptions(responses);
}

} // namespace view_bench
