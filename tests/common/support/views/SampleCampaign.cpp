#include "support/views/SampleCampaign.h"

#include "app/WaveApp.h"
#include "commands/MatchingCommands.h"
#include "commands/QuestionCommands.h"
#include "commands/ReconcileCommands.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCommands.h"
#include "model/Campaign.h"
#include "model/Question.h"
#include "model/QuestionnaireLoading.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "storage/DBAccessDAO.h"

#include <QDir>
#include <QFile>

#include <chrono>

using namespace pelko_wave;

namespace sample_campaign {

namespace {

struct SSampleVolume
{
    const char* Name;
    const char* File;
    int SourceType;
    int ParentVolumeId;
};

struct SSampleWave
{
    const char* Name;
    std::vector<SSampleVolume> Volumes;
};

bool Run(CWaveApp& app, std::unique_ptr<CCmdVirtual> command, QString& errorText)
{
    const QString name = command->GetName();
    if (app.ExecuteCommand(command, {}, nullptr, nullptr, true))
        return true;
    errorText = command ? command->GetErrorText() : QString();
    if (errorText.isEmpty())
        errorText = QStringLiteral("\"%1\" failed.").arg(name);
    return false;
}

} // namespace

bool BuildSampleCampaign(CWaveApp& app, const QString& path, QString& errorText)
{
    const QDir samples(QStringLiteral(PLIM_SOURCE_DIR "/samples"));
    const std::vector<SSampleWave> waves = {
        {"Spring", {{"Online", "wave1.zoz", 0, -1}}},
        {"Summer", {{"Online", "wave2.zoz", 0, 1}, {"Phone", "wave2.zoz", 0, 2}}},
        {"Autumn", {{"Online", "wave3.zoz", 0, 2}}},
    };
    CCampaign* campaign = app.GetCampaign();
    if (!campaign) {
        errorText = QStringLiteral("The application has no campaign.");
        return false;
    }
    campaign->SetName(QStringLiteral("Coffee shop tracker"));
    const QDateTime start(QDate(2025, 3, 1), QTime(0, 0));
    int month = 0;
    for (const SSampleWave& setup : waves) {
        if (!Run(app,
                 std::make_unique<CCmdNewWave>(campaign, -1, QString::fromLatin1(setup.Name),
                                               QString(), start.addMonths(month),
                                               start.addMonths(month).addDays(14),
                                               start.addMonths(month + 1)),
                 errorText))
            return false;
        month += 4;
        CWave* wave = campaign->GetWave(campaign->GetWaveCount() - 1);
        for (const SSampleVolume& volume : setup.Volumes) {
            SNewVolumeProperties properties;
            properties.ParentVolumeId = volume.ParentVolumeId;
            properties.SourceType = volume.SourceType;
            properties.QuestionMatchingMethods = {1, 2, 3};
            properties.ResponseMatchingMethods = {2, 1};
            properties.MetaData.SourceFilePathFormat = PATH_ABSOLUTE;
            properties.MetaData.SourceString = samples.filePath(QString::fromLatin1(volume.File));
            if (!Run(app,
                     std::make_unique<CCmdNewVolume>(campaign, wave,
                                                     QString::fromLatin1(volume.Name), properties),
                     errorText))
                return false;
        }
        if (!Run(app, std::make_unique<CCmdReconcileWave>(campaign, wave, SReconcileWaveOptions{}),
                 errorText))
            return false;
    }

    QFile::remove(path);
    CDBAccessDAO storage;
    storage.SetFilePath(path);
    if (!storage.CreateDatabase() || !storage.Save(*campaign)) {
        errorText = storage.GetErrorText();
        return false;
    }
    storage.Close();
    app.SetSourceCheckPause(std::chrono::milliseconds(0));
    if (!app.OpenDocumentFile(path)) {
        errorText = QStringLiteral("The sample campaign could not be opened again.");
        return false;
    }
    return true;
}

CQuestion* MakeDuplicateQuestion(CWaveApp& app, int volumeId, const QString& shortcut,
                                 QString& errorText)
{
    CCampaign* campaign = app.GetCampaign();
    CVolume* volume = campaign ? campaign->FindVolume(volumeId) : nullptr;
    CQuestion* original = campaign ? campaign->FindQuestionByShortcut(shortcut) : nullptr;
    if (!volume || !original || !EnsureVolumeQuestionnaire(*volume)) {
        errorText = QStringLiteral("No volume %1 with question %2.").arg(volumeId).arg(shortcut);
        return nullptr;
    }
    const qnr::CQuestionnaire& questionnaire = volume->GetQuestionnaire();
    const qnr::CQuestion* source = nullptr;
    for (int i = 0; i < questionnaire.GetNbreQuestion() && !source; ++i)
        if (questionnaire.GetQuestion(i)->GetShortcut() == shortcut)
            source = questionnaire.GetQuestion(i);
    if (!source) {
        errorText = QStringLiteral("Volume %1's source has no %2.").arg(volumeId).arg(shortcut);
        return nullptr;
    }
    if (!Run(app, std::make_unique<CCmdBreakQuesMatching>(campaign, volume, original, source),
             errorText))
        return nullptr;
    auto made = std::make_unique<CCmdNewQuestion>(campaign, volume, source, -1);
    CCmdNewQuestion* newQuestion = made.get();
    if (!Run(app, std::move(made), errorText))
        return nullptr;
    CQuestion* duplicate = newQuestion->GetQuestion();
    if (!Run(app, std::make_unique<CCmdCreateQuesMatching>(campaign, volume, duplicate, source),
             errorText))
        return nullptr;
    return duplicate;
}

} // namespace sample_campaign
