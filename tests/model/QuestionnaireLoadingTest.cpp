#include "FakeWaveApp.h"
#include "ModelFixtures.h"

#include "model/ModelHelpers.h"
#include "platform/FormatString.h"
#include "questionnaire/Questionnaire.h"
#include "res/StringTable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pelko_wave;

namespace {

QString Sample(const char* name)
{
    return QStringLiteral(PLIM_SOURCE_DIR "/samples/") + QLatin1String(name);
}

CSourcePath FileSource(const QString& path)
{
    CSourcePath source;
    source.SourceStorageType = 0;
    source.SourceFilePathFormat = PATH_ABSOLUTE;
    source.SourceString = path;
    return source;
}

} // namespace

TEST(QuestionnaireLoading, EverySupportedFormatIsRead)
{
    struct Case
    {
        const char* file;
        int sourceType;
    };
    const Case cases[] = {{"wave1.zoz", SOURCE_ZOZ},
                          {"wave1.mdd", SOURCE_DIMENSIONS},
                          {"wave1.sss", SOURCE_TRIPLE_S}};
    for (const Case& c : cases) {
        qnr::CQuestionnaire questionnaire;
        QString error;
        EXPECT_TRUE(
            LoadQuestionnaire(questionnaire, FileSource(Sample(c.file)), c.sourceType, 0, &error))
            << c.file << ": " << error.toStdString();
        EXPECT_GT(questionnaire.GetNbreQuestion(), 0) << c.file;
    }
}

TEST(QuestionnaireLoading, FailuresSayWhyAndLeaveItEmpty)
{
    qnr::CQuestionnaire questionnaire;
    QString error;
    // A spreadsheet source cannot be read.
    EXPECT_FALSE(
        LoadQuestionnaire(questionnaire, FileSource(Sample("wave1.zoz")), SOURCE_EXCEL, 0, &error));
    EXPECT_EQ(error, FormatString(LoadString(63721), {3}));
    EXPECT_FALSE(LoadQuestionnaireFromSource(questionnaire, Sample("wave1.zoz"), -1, 0, &error));
    // A questionnaire in a database cannot either.
    CSourcePath database = FileSource(Sample("wave1.zoz"));
    database.SourceStorageType = 1;
    EXPECT_FALSE(LoadQuestionnaire(questionnaire, database, SOURCE_ZOZ, 0, &error));
    EXPECT_EQ(error, LoadString(63720));
    // A missing file, or a file of another format than the source type says.
    EXPECT_FALSE(
        LoadQuestionnaire(questionnaire, FileSource(Sample("missing.zoz")), SOURCE_ZOZ, 0, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(
        LoadQuestionnaire(questionnaire, FileSource(Sample("wave1.zoz")), SOURCE_TRIPLE_S));
    EXPECT_EQ(questionnaire.GetNbreQuestion(), 0);
}

TEST(QuestionnaireLoading, VolumeQuestionnaireLoadedOnDemandOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wave.zoz"));
    ASSERT_TRUE(QFile::copy(Sample("wave1.zoz"), path));
    CVolume volume;
    volume.SetSourceType(SOURCE_ZOZ);
    volume.SetMetaData(FileSource(path));
    ASSERT_TRUE(EnsureVolumeQuestionnaire(volume));
    const int count = volume.GetQuestionnaire().GetNbreQuestion();
    EXPECT_GT(count, 0);
    // Loaded once: removing the file changes nothing any more.
    QFile::remove(path);
    EXPECT_TRUE(EnsureVolumeQuestionnaire(volume, 0));
    EXPECT_EQ(volume.GetQuestionnaire().GetNbreQuestion(), count);

    // A volume whose file is missing stays empty and is tried again.
    CVolume missing;
    missing.SetMetaData(FileSource(path));
    EXPECT_FALSE(EnsureVolumeQuestionnaire(missing));
    ASSERT_TRUE(QFile::copy(Sample("wave2.zoz"), path));
    EXPECT_TRUE(EnsureVolumeQuestionnaire(missing));

    qnr::CQuestionnaire questionnaire;
    const int read =
        GetQuestionnaireQuestionCount(questionnaire, SOURCE_TRIPLE_S, Sample("wave1.sss"));
    EXPECT_GT(read, 0);
    EXPECT_EQ(read, questionnaire.GetNbreQuestion());
    qnr::CQuestionnaire broken;
    EXPECT_EQ(GetQuestionnaireQuestionCount(broken, SOURCE_ZOZ, Sample("missing.zoz")), 0);
    EXPECT_TRUE(EnsureQuestionnaireLoaded(questionnaire, Sample("missing.zoz"), SOURCE_ZOZ));
}

TEST(QuestionnaireLoading, ReadInTheProgramsLanguage)
{
    CFakeWaveApp app;
    // The sample is in 2057 (its default) and 1036: a program in French shows it in French.
    SVersionResource resource;
    resource.Translations = {{1036, 1200}};
    ASSERT_TRUE(app.VersionInfo.Load(QStringLiteral("plim"), &resource));
    qnr::CQuestionnaire questionnaire;
    ASSERT_TRUE(LoadQuestionnaireFromSource(questionnaire, Sample("wave1.zoz"), SOURCE_ZOZ));
    EXPECT_EQ(questionnaire.GetDisplayLanguageId(), 1036);
    const qnr::CQuestion& shown = *questionnaire.GetQuestion(1);
    EXPECT_FALSE(shown.GetShortCaption().isEmpty());
    EXPECT_EQ(shown.GetShortCaption(), shown.GetLocalisedShortCaption(1036));
    EXPECT_NE(shown.GetShortCaption(), shown.GetLocalisedShortCaption(2057));
    // A program language that the source lacks shows the source's default language.
    resource.Translations = {{1031, 1200}};
    ASSERT_TRUE(app.VersionInfo.Load(QStringLiteral("plim"), &resource));
    qnr::CQuestionnaire inGerman;
    ASSERT_TRUE(LoadQuestionnaireFromSource(inGerman, Sample("wave1.zoz"), SOURCE_ZOZ));
    EXPECT_EQ(inGerman.GetDisplayLanguageId(), 2057);

    QHash<QString, const qnr::CQuestion*> byCode;
    byCode.insert(QStringLiteral("stale"), nullptr);
    IndexQuestionnaireByCode(questionnaire, byCode);
    EXPECT_EQ(byCode.size(), questionnaire.GetNbreQuestion());
    EXPECT_FALSE(byCode.contains(QStringLiteral("stale")));
    const qnr::CQuestion* first = questionnaire.GetQuestion(0);
    EXPECT_EQ(byCode.value(QString::number(first->GetCodeQuestion())), first);
}
