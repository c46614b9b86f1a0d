#include "ModelFixtures.h"

#include "model/RecordMakers.h"

using namespace pelko_wave;

namespace model_test {

std::unique_ptr<CWave> MakeWave(int id, int order, const QString& name)
{
    auto wave = std::make_unique<CWave>();
    wave->SetWaveId(id);
    wave->SetWaveOrder(order);
    wave->SetName(name.isEmpty() ? QStringLiteral("Wave %1").arg(id) : name);
    return wave;
}

std::unique_ptr<CVolume> MakeVolume(int id, int waveId, int parentId)
{
    auto volume = std::make_unique<CVolume>();
    volume->SetVolumeId(id);
    volume->SetWaveId(waveId);
    volume->SetName(QStringLiteral("Volume %1").arg(id));
    volume->SetInheritsFromVolumeId(parentId < 0 ? id : parentId);
    volume->SetQuestionMatchingMethods({1, 2, 3});
    volume->SetResponseMatchingMethods({2, 1});
    CSourcePath meta;
    meta.SourceStorageType = 0;
    meta.SourceFilePathFormat = PATH_ABSOLUTE;
    meta.SourceString = QStringLiteral("/data/volume%1.zoz").arg(id);
    volume->SetMetaData(meta);
    return volume;
}

std::unique_ptr<CQuestion> MakeQuestion(int id, int order, const QString& shortcut, int indent,
                                        int elementType)
{
    auto question = std::make_unique<CQuestion>();
    question->SetQuestionId(id);
    question->SetOrder(order);
    question->SetShortcut(shortcut);
    question->SetIndent(indent);
    question->SetElementType(elementType);
    question->SetQuestionType(elementType == 1 ? 1 : 0);
    question->SetDeletionWaveId(NO_WAVE_ID);
    question->SetAppearanceVolumeId(1);
    question->SetLinkQuestionId(-1);
    question->SetQuestionClassId(-1);
    return question;
}

std::unique_ptr<CModality> MakeModality(int id, int questionId, int order,
                                        const QString& entryCode)
{
    auto modality = std::make_unique<CModality>();
    modality->SetModalityId(id);
    modality->SetQuestionId(questionId);
    modality->SetModalityOrder(order);
    modality->SetEntryCode(entryCode);
    modality->SetDeletionWaveId(NO_WAVE_ID);
    modality->SetAppearanceVolumeId(1);
    return modality;
}

CModality* AddModalityTo(CCampaign& campaign, std::unique_ptr<CModality> modality)
{
    CModality* added = modality.get();
    campaign.AddModality(std::move(modality));
    if (CQuestion* question = campaign.GetQuestionById(added->GetQuestionId()))
        question->InsertModality(added);
    return added;
}

CQuestionMatching* AddQuestionMatching(CVolume& volume, int questionId, const QString& source,
                                       int start, int end)
{
    auto matching = MakeQuestionMatching(questionId, source, volume);
    matching->SetStartVolumeId(start);
    matching->SetEndVolumeId(end);
    CQuestionMatching* added = matching.get();
    volume.AddQuestionMatching(std::move(matching));
    return added;
}

CModalityMatching* AddModalityMatching(CVolume& volume, int modalityId, int questionId,
                                       const QString& source, int start, int end)
{
    auto matching = std::make_unique<CModalityMatching>();
    matching->SetModalityId(modalityId);
    matching->SetQuestionId(questionId);
    matching->SetVolumeId(volume.GetVolumeId());
    matching->SetModalitySourceId(source);
    matching->SetStartVolumeId(start);
    matching->SetEndVolumeId(end);
    CModalityMatching* added = matching.get();
    volume.AddModalityMatching(std::move(matching));
    return added;
}

void LinkToParent(CCampaign& campaign, CVolume& volume)
{
    if (volume.IsRoot())
        return;
    if (CVolume* parent = campaign.FindVolume(volume.GetInheritsFromVolumeId())) {
        volume.SetParent(parent);
        parent->AddChildVolume(&volume);
    }
}

std::unique_ptr<CCampaign> MakeFullCampaign()
{
    auto campaign = std::make_unique<CCampaign>();
    campaign->SetName(QStringLiteral("Tracking \"2024\""));
    campaign->SetDescription(QStringLiteral("Brand tracking\nwith two waves"));
    campaign->AddLanguage(MakeLanguage(1033, 1, QStringLiteral("English (United States)"),
                                       QStringLiteral("ENU")));
    campaign->AddLanguage(MakeLanguage(1036, 0, QStringLiteral("French (France)"),
                                       QStringLiteral("FRA")));
    campaign->SetCurrentLanguageId(1033);
    auto questionClass = std::make_unique<CQuestionClass>();
    questionClass->SetQuestionClassId(7);
    questionClass->SetCaption(QStringLiteral("Demographics"));
    campaign->AddQuestionClass(std::move(questionClass));
    auto version = std::make_unique<CVersion>();
    version->SetVersionId(3);
    version->SetLongCaption(QStringLiteral("Version A"));
    version->SetShortCaption(QStringLiteral("A"));
    campaign->AddVersion(std::move(version));

    auto wave1 = MakeWave(1, 1);
    wave1->SetWaveStart(QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    wave1->AddVolume(MakeVolume(1, 1));
    wave1->AddVolume(MakeVolume(2, 1, 1));
    campaign->InsertWave(std::move(wave1));
    auto wave2 = MakeWave(2, 2);
    wave2->AddVolume(MakeVolume(3, 2, 2));
    wave2->AddVolume(MakeVolume(4, 2));
    campaign->InsertWave(std::move(wave2));
    for (const int id : {2, 3})
        LinkToParent(*campaign, *campaign->FindVolume(id));

    CVolume& v1 = *campaign->FindVolume(1);
    CVolume& v2 = *campaign->FindVolume(2);
    CVolume& v4 = *campaign->FindVolume(4);
    campaign->CreateReservedQuestion(1, QStringLiteral("Wave"), 1033);
    campaign->CreateReservedQuestionMatching(&v1);
    campaign->CreateReservedModality(&v1, QStringLiteral("Wave 1"), 1033);
    campaign->CreateReservedModalityMatching(&v1);
    campaign->CreateReservedModality(&v4, QStringLiteral("Wave 2"), 1033);
    campaign->CreateReservedModalityMatching(&v4);

    campaign->InsertQuestion(MakeQuestion(10, 1, QStringLiteral("CH1"), 1, 0));
    campaign->InsertQuestion(MakeQuestion(11, 2, QStringLiteral("Q1"), 2));
    campaign->InsertQuestion(MakeQuestion(12, 3, QStringLiteral("Q2"), 2));
    campaign->GetQuestionById(11)->SetQuestionClassId(7);
    campaign->GetQuestionById(12)->SetMinValue(0.5);
    for (const int id : {10, 11, 12}) {
        CQuestion* question = campaign->GetQuestionById(id);
        question->AddCaption(MakeQuestionCaption(id, 1033, QStringLiteral("Short %1").arg(id),
                                                 QStringLiteral("Long %1").arg(id)));
        question->AddCaption(MakeQuestionCaption(id, 1036, QStringLiteral("Court %1").arg(id),
                                                 QStringLiteral("Long %1").arg(id)));
    }
    int order = 0;
    for (const auto& [id, questionId] :
         {std::pair{100, 11}, std::pair{101, 11}, std::pair{102, 12}, std::pair{103, 12}}) {
        CModality* modality = AddModalityTo(
            *campaign, MakeModality(id, questionId, order++ % 2, QString::number(id - 99)));
        modality->AddCaption(MakeModalityCaption(questionId, id, 1033, QStringLiteral("Yes %1").arg(id)));
        modality->AddCaption(MakeModalityCaption(questionId, id, 1036, QStringLiteral("Oui %1").arg(id)));
    }

    AddQuestionMatching(v1, 11, QStringLiteral("11"), 1, OPEN_END_ID);
    AddQuestionMatching(v1, 12, QStringLiteral("12"), 1, 1);
    AddQuestionMatching(v2, 12, QStringLiteral("22"), 2, OPEN_END_ID);
    AddQuestionMatching(v4, 11, QStringLiteral("41"), 4, OPEN_END_ID);
    AddModalityMatching(v1, 100, 11, QStringLiteral("1"), 1, OPEN_END_ID);
    AddModalityMatching(v1, 101, 11, QStringLiteral("2"), 1, OPEN_END_ID);
    AddModalityMatching(v2, 102, 12, QStringLiteral("1"), 2, OPEN_END_ID);
    AddModalityMatching(v2, 103, 12, QStringLiteral("2"), 2, OPEN_END_ID);

    campaign->AddModalityMerging(MakeModalityMerging(*campaign->GetModalityById(100),
                                                     *campaign->GetModalityById(101), v2));
    return campaign;
}

} // namespace model_test
