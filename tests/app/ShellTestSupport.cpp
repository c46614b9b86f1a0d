#include "ShellTestSupport.h"

#include "model/CampaignDump.h"
#include "model/RecordMakers.h"
#include "questionnaire/Questionnaire.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace pelko_wave;

namespace shell_test {

CShellTest::CShellTest()
{
    m_app.SetShellWindow(&m_shell);
    m_app.SetSourceCheckPause(std::chrono::milliseconds(0));
}

QString CShellTest::CopySample(const QString& sample, const QString& as)
{
    const QString target = Path(as.isEmpty() ? sample : as);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(QStringLiteral(PLIM_SOURCE_DIR "/samples/") + sample, target))
        << qPrintable(target);
    return target;
}

std::unique_ptr<CCampaign> CShellTest::MakeCampaign()
{
    auto campaign = std::make_unique<CCampaign>();
    campaign->SetName(QStringLiteral("Coffee"));
    for (const int id : {2057, 1036}) {
        auto language = std::make_unique<CLanguage>(id);
        language->SetIsDefault(id == 2057);
        campaign->AddLanguage(std::move(language));
    }
    const char* const waveNames[] = {"Spring", "Autumn"};
    int volumeId = 0;
    for (int w = 1; w <= 2; ++w) {
        auto wave = std::make_unique<CWave>();
        wave->SetWaveId(w);
        wave->SetWaveOrder(w);
        wave->SetName(QLatin1String(waveNames[w - 1]));
        CWave* added = wave.get();
        campaign->InsertWave(std::move(wave));
        for (int v = 1; v <= 2; ++v) {
            ++volumeId;
            auto volume = std::make_unique<CVolume>();
            volume->SetVolumeId(volumeId);
            volume->SetWaveId(w);
            volume->SetName(QStringLiteral("Volume %1").arg(volumeId));
            volume->SetInheritsFromVolumeId(volumeId);
            volume->SetIsMainVolume(v == 1);
            volume->SetQuestionMatchingMethods({1, 2, 3});
            volume->SetResponseMatchingMethods({2, 1});
            CSourcePath source;
            source.SourceStorageType = 0;
            source.SourceFilePathFormat = PATH_ABSOLUTE;
            source.SourceString = CopySample(QStringLiteral("wave%1.zoz").arg(w),
                                             QStringLiteral("sources/w%1v%2.zoz").arg(w).arg(v));
            volume->SetMetaData(source);
            volume->SetCaseData(source);
            added->AddVolume(std::move(volume));
        }
    }
    campaign->SetCurrentLanguageId(2057);
    campaign->SetMaxWaveId(2);
    campaign->SetMaxWaveOrder(2);
    return campaign;
}

void CShellTest::WriteCampaignFile(const CCampaign& campaign, const QString& path)
{
    CDBAccessDAO storage;
    storage.SetFilePath(path);
    ASSERT_TRUE(storage.CreateDatabase() && storage.Save(campaign))
        << qPrintable(storage.GetErrorText());
    storage.Close();
}

void CShellTest::WriteReconciledCampaign(const QString& path, const QString& sourceCode)
{
    std::unique_ptr<CCampaign> campaign = MakeCampaign();
    for (int id = 1; id <= 4; ++id)
        campaign->FindVolume(id)->SetStatus(VOLUME_RECONCILED);
    auto question = std::make_unique<CQuestion>();
    question->SetQuestionId(11);
    question->SetOrder(1);
    question->SetShortcut(QStringLiteral("Q11"));
    question->SetElementType(1);
    question->SetQuestionType(1);
    question->SetDeletionWaveId(NO_WAVE_ID);
    question->SetAppearanceVolumeId(1);
    question->SetLinkQuestionId(-1);
    question->SetQuestionClassId(-1);
    campaign->InsertQuestion(std::move(question));
    CVolume& volume = *campaign->FindVolume(1);
    auto matching = MakeQuestionMatching(11, sourceCode, volume);
    matching->SetStartVolumeId(1);
    matching->SetEndVolumeId(1);
    volume.AddQuestionMatching(std::move(matching));
    WriteCampaignFile(*campaign, path);
}

QString CShellTest::SampleCode()
{
    qnr::CQuestionnaire questionnaire;
    EXPECT_TRUE(
        questionnaire.Read(QStringLiteral(PLIM_SOURCE_DIR "/samples/wave1.zoz"), {}, 0, 1033));
    return QString::number(questionnaire.GetQuestion(1)->GetCodeQuestion());
}

void CShellTest::OpenCampaignAt(const QString& path)
{
    WriteCampaignFile(*MakeCampaign(), path);
    ASSERT_TRUE(m_app.OpenDocumentFile(path)) << qPrintable(m_windows.Prompts.join('\n'));
    m_shell.Calls.clear();
}

void CShellTest::FailStorageAt(const QString& step)
{
    if (step.isEmpty()) {
        m_app.SetStorageFactory({});
        return;
    }
    m_app.SetStorageFactory([step] { return std::make_unique<CFailingStorage>(step); });
}

std::unique_ptr<CCampaign> CShellTest::ReadBack(const QString& path)
{
    CDBAccessDAO storage;
    auto campaign = std::make_unique<CCampaign>();
    SLoadCampaignRecord record;
    record.Campaign = campaign.get();
    record.DBAccess = &storage;
    record.Path = path;
    record.ShowMessages = false;
    const bool read = LoadCampaign(record);
    storage.Close();
    return read ? std::move(campaign) : nullptr;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString StoredDump(const CCampaign& campaign)
{
    return DumpCampaign(campaign, DUMP_STORED);
}

} // namespace shell_test
