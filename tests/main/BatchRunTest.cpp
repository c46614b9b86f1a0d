// The batch run of the built program on copies of the sample study: what it prints, its exit
// code, the campaign file it leaves and the report it writes; and on bad input, that it says
// why and leaves every file as it was.

#include "RunPlim.h"

#include "support/QStringPrinter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const QByteArray kCreated =
    "\" has been created and a new wave added. Check the report for details.\n";
const QByteArray kUpdated =
    "The DUV file has been updated and a new wave added. Check the report for details.\n";
const QByteArray kReportOnly = "The new wave was added successfully but the DUV was not updated. "
                               "Check the report for details.\n";
const QByteArray kRefused =
    "Errors occurred during reconciliation. Check the report for details.\n";
const QByteArray kUnreadableTarget =
    "Errors in the DUV mean that it could not be read. Reconciliation was not performed. Error "
    "details: \n";

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Runs SQL on a campaign file; the first column of the last row as text ("" for none, or the
// error text after "error: ").
QString Sql(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    QString result;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
        SQLITE_OK) {
        const QByteArray text = sql.toUtf8();
        const char* tail = text.constData();
        while (tail && *tail) {
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(db, tail, -1, &statement, &tail) != SQLITE_OK) {
                result = QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db));
                break;
            }
            if (!statement)
                break;
            while (sqlite3_step(statement) == SQLITE_ROW)
                result = QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
            sqlite3_finalize(statement);
        }
    }
    sqlite3_close(db);
    return result;
}

// A folder holding copies of the sample sources, where each test runs the program.
class BatchRun : public ::testing::Test
{
protected:
    BatchRun()
    {
        for (const char* name : {"wave1.zoz", "wave2.zoz", "wave1.sss", "wave1.mdd"})
            QFile::copy(QStringLiteral(PLIM_SOURCE_DIR "/samples/") + QLatin1String(name),
                        Path(QLatin1String(name)));
    }

    QString Path(const QString& name) const { return m_folder.filePath(name); }
    QStringList Files() const { return QDir(m_folder.path()).entryList(QDir::Files, QDir::Name); }

    // Runs the program in the folder.
    SRun Run(const QStringList& arguments) const { return RunPlim(arguments, m_folder.path()); }

    // A campaign of one wave made from wave1.zoz at the path, by the program itself.
    void MakeFirstWave(const QString& path)
    {
        const SRun run =
            Run({QStringLiteral("-source:wave1.zoz"), QStringLiteral("-target:") + path,
                 QStringLiteral("-A:QR"), QStringLiteral("-output:first.html")});
        ASSERT_EQ(run.ExitCode, 0) << run.Out.constData();
    }

    QTemporaryDir m_folder;
};

TEST_F(BatchRun, ANewCampaignIsCreatedBesideTheFirstSourceWithItsReport)
{
    // A relative source path, recorded absolute.
    const SRun run = Run({QStringLiteral("-source:wave1.zoz"), QStringLiteral("-A:QR"),
                          QStringLiteral("-output:") + Path("r1.html")});
    const QString campaign = Path("wave1.duv");
    EXPECT_FALSE(run.Crashed);
    EXPECT_EQ(run.ExitCode, 0) << run.Out.constData();
    EXPECT_EQ(run.Out, "The DUV file \"" + campaign.toUtf8() + kCreated);
    EXPECT_TRUE(run.Err.isEmpty()) << run.Err.constData();

    EXPECT_EQ(Sql(campaign, "select count(*) from Waves"), "1");
    EXPECT_EQ(Sql(campaign, "select Name from Waves"), "Wave 1");
    EXPECT_EQ(Sql(campaign, "select Name || '|' || SourceType || '|' || InterviewMergeMethod || "
                            "'|' || IsMainVolume from Volumes"),
              "Volume 1|0|1|1");
    const QString metaData = Sql(campaign, "select MetaData from Volumes");
    EXPECT_TRUE(metaData.contains(QStringLiteral("SourceString:s=") + Path("wave1.zoz") + ';'))
        << qPrintable(metaData);
    EXPECT_EQ(
        Sql(campaign, "select Description from Waves"),
        QStringLiteral("Command line generated wave for source file '%1'").arg(Path("wave1.zoz")));
    EXPECT_GT(Sql(campaign, "select count(*) from QuestionMatchings").toInt(), 20);

    // The lines of what this run created come right after the command-line line.
    const QString report = QString::fromUtf8(FileBytes(Path("r1.html")));
    const qsizetype commandLine = report.indexOf(QStringLiteral("Command line: \""));
    const qsizetype createdCampaign =
        report.indexOf(QStringLiteral("Created campaign \"wave1.duv\""));
    const qsizetype createdWave = report.indexOf(QStringLiteral("Created wave \"Wave 1\""));
    const qsizetype firstVolume = report.indexOf(QStringLiteral("Reconciling volume 1 of 1"));
    ASSERT_GE(commandLine, 0) << qPrintable(report);
    EXPECT_LT(commandLine, createdCampaign);
    EXPECT_LT(createdCampaign, createdWave);
    EXPECT_LT(createdWave, firstVolume);
    EXPECT_EQ(report.count(QStringLiteral("Created wave")), 1);
    EXPECT_TRUE(report.trimmed().endsWith(QStringLiteral("</html>")))
        << qPrintable(report.right(200));
}

TEST_F(BatchRun, ASecondWaveIsReportedRefusedOrSavedAsTheSwitchesSay)
{
    const QString campaign = Path("wave1.duv");
    MakeFirstWave(campaign);
    const QByteArray before = FileBytes(campaign);
    const QStringList second = {QStringLiteral("-source:wave2.zoz"),
                                QStringLiteral("-target:") + campaign};

    // Report only: the report is written, the file is not touched.
    SRun run = Run(second + QStringList{"-A:QR", "-I:QR", "-R", "-output:r.html"});
    EXPECT_EQ(run.ExitCode, 0) << run.Out.constData();
    EXPECT_EQ(run.Out, kReportOnly);
    EXPECT_EQ(FileBytes(campaign), before);
    const QString reportOnly = QString::fromUtf8(FileBytes(Path("r.html")));
    EXPECT_TRUE(reportOnly.contains(QStringLiteral("Created wave \"Wave 2\"")));
    EXPECT_FALSE(reportOnly.contains(QStringLiteral("Created campaign")));

    // Wave 2 adds questions and drops one: refused without the switches that allow it. The
    // report names the reason in red; nothing is saved.
    run = Run(second + QStringList{"-output:refused.html"});
    EXPECT_EQ(run.ExitCode, 3) << run.Out.constData();
    EXPECT_EQ(run.Out, kRefused);
    EXPECT_EQ(FileBytes(campaign), before);
    const QString refused = QString::fromUtf8(FileBytes(Path("refused.html")));
    EXPECT_TRUE(refused.contains(QStringLiteral("No changes to the DUV have been saved.")))
        << qPrintable(refused);
    EXPECT_TRUE(refused.contains(QStringLiteral("Created wave \"Wave 2\"")));

    // Allowed: saved, with the report beside the campaign under the default name.
    run = Run(second + QStringList{"-A:QR", "-I:QR"});
    EXPECT_EQ(run.ExitCode, 0) << run.Out.constData();
    EXPECT_EQ(run.Out, kUpdated);
    EXPECT_EQ(Sql(campaign, "select count(*) from Waves"), "2");
    EXPECT_EQ(Sql(campaign, "select group_concat(Name, ',') from (select Name from Waves order "
                            "by WaveOrder)"),
              "Wave 1,Wave 2");
    EXPECT_TRUE(Files().contains(QStringLiteral("wave1_Wave 2_1.html")))
        << qPrintable(Files().join(' '));
}

TEST_F(BatchRun, EachSourceIsReadAsTheFormatItHolds)
{
    struct SCase
    {
        const char* Source;
        const char* Target;
        const char* SourceType;
    };
    // The Dimensions file is also given a name that says nothing of its format.
    QFile::copy(Path("wave1.mdd"), Path("wave1.xml"));
    const SCase cases[] = {
        {"wave1.sss", "s.duv", "2"}, {"wave1.mdd", "m.duv", "1"}, {"wave1.xml", "x.duv", "1"}};
    for (const SCase& c : cases) {
        const QString target = Path(QLatin1String(c.Target));
        const SRun run = Run({QStringLiteral("-source:") + QLatin1String(c.Source),
                              QStringLiteral("-target:") + target, QStringLiteral("-A:QR")});
        EXPECT_EQ(run.ExitCode, 0) << c.Source << ": " << run.Out.constData();
        EXPECT_EQ(run.Out, "The DUV file \"" + target.toUtf8() + kCreated) << c.Source;
        EXPECT_EQ(Sql(target, "select SourceType from Volumes"), QLatin1String(c.SourceType))
            << c.Source;
        EXPECT_GT(Sql(target, "select count(*) from Questions").toInt(), 20) << c.Source;
    }
}

TEST_F(BatchRun, AListFileNamesTheCampaignAndGivesOneVolumePerLine)
{
    ASSERT_TRUE(WriteFile(Path("sources.txt"), Path("wave1.zoz").toUtf8() + "\n\nwave1.sss\n"));
    const SRun run = Run({QStringLiteral("-source:sources.txt"), QStringLiteral("-A:QR"),
                          QStringLiteral("-I:QR"), QStringLiteral("-linkq:s1")});
    const QString campaign = Path("sources.duv");
    EXPECT_EQ(run.ExitCode, 0) << run.Out.constData();
    EXPECT_EQ(run.Out, "The DUV file \"" + campaign.toUtf8() + kCreated);
    // Linked through question S1 (source code 1): the second volume names the code, and the
    // reconciliation turned the main volume's link into the campaign question of S1.
    const QString linkId = Sql(campaign, "select QuestionID from Questions where Shortcut = 'S1'");
    EXPECT_EQ(Sql(campaign, "select group_concat(Name || ':' || SourceType || ':' || "
                            "InterviewMergeMethod || ':' || MainVolumeLinkQuestionID || ':' || "
                            "ifnull(ThisVolumeLinkQuestionID, ''), ' ') from (select * from "
                            "Volumes order by VolumeID)"),
              QStringLiteral("Volume 1:0:1:0: Volume 2:2:2:%1:1").arg(linkId));
    EXPECT_EQ(Sql(campaign, "select Description from Waves"),
              QStringLiteral("Command line generated wave for source file '%1;%2'")
                  .arg(Path("wave1.zoz"), Path("wave1.sss")));
}

TEST_F(BatchRun, BadInputStopsWithAClearLineAndChangesNoFile)
{
    const QString campaign = Path("wave1.duv");
    MakeFirstWave(campaign);
    ASSERT_TRUE(WriteFile(Path("truncated.duv"), FileBytes(campaign).left(5000)));
    ASSERT_TRUE(WriteFile(Path("notes.duv"), "not a campaign\n"));
    ASSERT_TRUE(WriteFile(Path("data.csv"), "id;answer\n1;2\n"));
    ASSERT_TRUE(WriteFile(Path("broken.zoz"),
                          "<?xml version=\"1.0\"?>\n<zoz version=\"1\"><questions><question "));
    ASSERT_TRUE(WriteFile(Path("list.txt"), "wave2.zoz\nmissing.zoz\n"));

    struct SCase
    {
        const char* Source;
        const char* Target; // empty: a new campaign
        const char* Extra;
        QByteArray Out; // the whole output; "..." at the end: its start
    };
    const QString folder = m_folder.path() + '/';
    const SCase cases[] = {
        {"missing.zoz", "wave1.duv", "",
         "The ZOZ file '" + folder.toUtf8() +
             "missing.zoz' specified in the command line could not be found.\n"},
        {"missing.zoz", "", "",
         "The ZOZ file '" + folder.toUtf8() +
             "missing.zoz' specified in the command line could not be found.\n"},
        {"list.txt", "wave1.duv", "",
         "The ZOZ file '" + folder.toUtf8() +
             "missing.zoz' specified in the command line could not be found.\n"},
        {"wave2.zoz", "wave1.duv", "-linkq:NOPE",
         "Unable to find the link question 'NOPE' in the ZOZ file '" + folder.toUtf8() +
             "wave2.zoz'\n"},
        {"wave2.zoz", "truncated.duv", "", kUnreadableTarget + "Error ..."},
        {"wave2.zoz", "notes.duv", "", kUnreadableTarget + "Error ..."},
        {"data.csv", "wave1.duv", "",
         "Unable to open the ZOZ file at '" + folder.toUtf8() +
             "data.csv'\nIt is neither a ZOZ, a Triple-S nor a Dimensions questionnaire.\n"},
        {"broken.zoz", "", "-linkq:S1",
         "Unable to open the ZOZ file at '" + folder.toUtf8() + "broken.zoz'\n..."},
        {"broken.zoz", "wave1.duv", "",
         "Unable to open the ZOZ file at '" + folder.toUtf8() + "broken.zoz'\n..."},
    };
    for (const SCase& c : cases) {
        const QStringList filesBefore = Files();
        QHash<QString, QByteArray> bytes;
        for (const QString& file : filesBefore)
            bytes.insert(file, FileBytes(Path(file)));
        QStringList arguments = {QStringLiteral("-source:") + QLatin1String(c.Source),
                                 QStringLiteral("-A:QR"), QStringLiteral("-I:QR")};
        if (*c.Target)
            arguments << QStringLiteral("-target:") + Path(QLatin1String(c.Target));
        if (*c.Extra)
            arguments << QLatin1String(c.Extra);
        const SRun run = Run(arguments);
        const std::string label = std::string(c.Source) + " -> " + c.Target + " " + c.Extra;
        EXPECT_FALSE(run.Crashed) << label;
        EXPECT_EQ(run.ExitCode, 1) << label;
        if (c.Out.endsWith("...")) {
            EXPECT_TRUE(run.Out.startsWith(c.Out.chopped(3)))
                << label << ": " << run.Out.constData();
            EXPECT_GT(run.Out.size(), c.Out.size() - 3) << label << ": the reason is missing";
        } else {
            EXPECT_EQ(run.Out, c.Out) << label;
        }
        EXPECT_TRUE(run.Err.isEmpty()) << label << ": " << run.Err.constData();
        // No file made (no empty campaign, no report), none changed.
        EXPECT_EQ(Files(), filesBefore) << label;
        for (const QString& file : filesBefore)
            EXPECT_EQ(FileBytes(Path(file)), bytes.value(file))
                << label << ": " << qPrintable(file);
    }
}

// A report never takes the place of what the run reads or saves: an output that names the
// target, a source or a list of sources (by any path to the same file) refuses the command line
// before anything is read or written.
TEST_F(BatchRun, AReportOverTheCampaignOrASourceIsRefused)
{
    const QString campaign = Path("study.duv");
    MakeFirstWave(campaign);
    ASSERT_TRUE(WriteFile(Path("list.txt"), "wave2.zoz\n"));
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("sub")));
    ASSERT_TRUE(QFile::link(Path("wave2.zoz"), Path("alias.zoz")));
    // Another name of the same file.
    std::filesystem::create_hard_link(Path("wave2.zoz").toStdString(),
                                      Path("hard.html").toStdString());
    struct SCase
    {
        QStringList Arguments;
        QString Output;
        QString Named; // the file it would overwrite
    };
    const QString target = QStringLiteral("-target:") + campaign;
    const SCase cases[] = {
        {{"-source:wave2.zoz", target}, campaign, campaign},
        {{"-source:wave2.zoz", target}, "sub/../study.duv", campaign},
        {{"-source:wave2.zoz", target}, "wave2.zoz", Path("wave2.zoz")},
        {{"-source:alias.zoz", target}, Path("wave2.zoz"), Path("alias.zoz")},
        {{"-source:wave2.zoz", target}, "hard.html", "wave2.zoz"},
        {{"-source:list.txt", target}, "list.txt", "list.txt"},
        {{"-source:list.txt", target}, "wave2.zoz", "wave2.zoz"},
        // No target: the campaign that the run would create.
        {{"-source:wave2.zoz"}, "wave2.duv", Path("wave2.duv")},
        // A new target that does not exist yet.
        {{"-source:wave2.zoz", "-target:new.duv"}, Path("new.duv"), Path("new.duv")},
    };
    for (const SCase& c : cases) {
        const QString label = c.Arguments.join(' ') + " -output:" + c.Output;
        const QStringList filesBefore = Files();
        QHash<QString, QByteArray> bytes;
        for (const QString& file : filesBefore)
            bytes.insert(file, FileBytes(Path(file)));
        const SRun run =
            Run(c.Arguments + QStringList{"-A:QR", "-I:QR", QStringLiteral("-output:") + c.Output});
        EXPECT_EQ(run.ExitCode, 2) << qPrintable(label) << ": " << run.Out.constData();
        EXPECT_TRUE(run.Out.isEmpty()) << qPrintable(label) << ": " << run.Out.constData();
        // Both named by absolute paths.
        const QDir folder(m_folder.path());
        EXPECT_EQ(QString::fromUtf8(run.Err),
                  QStringLiteral("plim: The report file '%1' is the same file as '%2', which the "
                                 "run reads or saves: the report would overwrite it.\n")
                      .arg(QDir::cleanPath(folder.absoluteFilePath(c.Output)),
                           folder.absoluteFilePath(c.Named)))
            << qPrintable(label);
        EXPECT_EQ(Files(), filesBefore) << qPrintable(label);
        for (const QString& file : filesBefore)
            EXPECT_EQ(FileBytes(Path(file)), bytes.value(file))
                << qPrintable(label) << ": " << qPrintable(file);
    }
    // Another file of the same folder is no problem, even one named like the campaign.
    const SRun run = Run({QStringLiteral("-source:wave2.zoz"), target, QStringLiteral("-A:QR"),
                          QStringLiteral("-I:QR"), QStringLiteral("-output:study.duv.html")});
    EXPECT_EQ(run.ExitCode, 0) << run.Out.constData() << run.Err.constData();
}

// A report file that is there already is replaced whole once the new one is written; a report
// beside the campaign never replaces one.
TEST_F(BatchRun, AnExistingReportIsReplacedWhole)
{
    ASSERT_TRUE(WriteFile(Path("r.html"), QByteArray(100000, 'x')));
    const SRun run = Run({QStringLiteral("-source:wave1.zoz"), QStringLiteral("-A:QR"),
                          QStringLiteral("-output:r.html")});
    EXPECT_EQ(run.ExitCode, 0) << run.Out.constData();
    const QByteArray report = FileBytes(Path("r.html"));
    EXPECT_TRUE(report.startsWith("<html")) << report.left(100).constData();
    EXPECT_FALSE(report.contains("xxxx"));
}

TEST_F(BatchRun, ACampaignThatDisagreesWithItsSourcesIsNotTouched)
{
    QFile::copy(Path("wave1.zoz"), Path("gone.zoz"));
    const QString campaign = Path("gone.duv");
    SRun run = Run({QStringLiteral("-source:gone.zoz"), QStringLiteral("-A:QR")});
    ASSERT_EQ(run.ExitCode, 0) << run.Out.constData();
    const QByteArray before = FileBytes(campaign);

    // Its source removed: reported as a missing source file.
    QFile::remove(Path("gone.zoz"));
    run = Run({QStringLiteral("-source:wave2.zoz"), QStringLiteral("-target:") + campaign,
               QStringLiteral("-A:QR"), QStringLiteral("-I:QR")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Out,
              kUnreadableTarget +
                  "The campaign contains volume source files that either do not exist or "
                  "could not be opened. Open the campaign file in Plim for more details.\n");
    EXPECT_EQ(FileBytes(campaign), before);

    // Its source replaced by the next wave's questionnaire: some matchings no longer hold.
    QFile::copy(Path("wave2.zoz"), Path("gone.zoz"));
    run = Run({QStringLiteral("-source:wave2.zoz"), QStringLiteral("-target:") + campaign,
               QStringLiteral("-A:QR"), QStringLiteral("-I:QR")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Out, kUnreadableTarget + "The campaign could not be validated. Open the DUV "
                                           "file in Plim to see details.\n");
    EXPECT_EQ(FileBytes(campaign), before);
}

TEST_F(BatchRun, AnOlderFileIsUpgradedOnlyWhenTheRunSaves)
{
    const QString campaign = Path("old.duv");
    MakeFirstWave(campaign);
    // As an older program wrote it: an older version text and a column that came later missing.
    ASSERT_EQ(Sql(campaign, "update Campaigns set VersionNumber = '5.1.6.14'; alter table "
                            "Volumes drop column MatchUsingAncestorValues"),
              QString());
    const QByteArray before = FileBytes(campaign);
    const QStringList second = {QStringLiteral("-source:wave2.zoz"),
                                QStringLiteral("-target:") + campaign, QStringLiteral("-A:QR"),
                                QStringLiteral("-I:QR")};

    SRun run = Run(second + QStringList{"-R"});
    EXPECT_EQ(run.ExitCode, 0) << run.Out.constData();
    EXPECT_EQ(run.Out, kReportOnly);
    EXPECT_EQ(FileBytes(campaign), before);

    // A run that stops, however, leaves the file byte for byte as it was: refused by the
    // switches, a source missing or unreadable, the link question missing.
    ASSERT_TRUE(WriteFile(Path("broken.zoz"), "<?xml version=\"1.0\"?>\n<zoz "));
    const std::pair<QStringList, int> stops[] = {
        {{"-source:wave2.zoz", "-target:" + campaign}, 3},
        {{"-source:missing.zoz", "-target:" + campaign, "-A:QR", "-I:QR"}, 1},
        {{"-source:broken.zoz", "-target:" + campaign, "-A:QR", "-I:QR"}, 1},
        {{"-source:wave2.zoz", "-target:" + campaign, "-A:QR", "-I:QR", "-linkq:NOPE"}, 1},
    };
    for (const auto& [arguments, exitCode] : stops) {
        run = Run(arguments);
        EXPECT_EQ(run.ExitCode, exitCode) << qPrintable(arguments.join(' '));
        EXPECT_EQ(QCryptographicHash::hash(FileBytes(campaign), QCryptographicHash::Sha256),
                  QCryptographicHash::hash(before, QCryptographicHash::Sha256))
            << qPrintable(arguments.join(' '));
    }

    run = Run(second);
    EXPECT_EQ(run.ExitCode, 0) << run.Out.constData();
    EXPECT_EQ(run.Out, kUpdated);
    EXPECT_EQ(Sql(campaign, "select count(*) from pragma_table_info('Volumes') where name = "
                            "'MatchUsingAncestorValues'"),
              "1");
    EXPECT_EQ(Sql(campaign, "select VersionNumber from Campaigns"), "5,2,3,8");
    EXPECT_EQ(Sql(campaign, "select count(*) from Waves"), "2");
}

TEST_F(BatchRun, ANewerFileKeepsItsVersion)
{
    const QString campaign = Path("new.duv");
    MakeFirstWave(campaign);
    ASSERT_EQ(Sql(campaign, "update Campaigns set VersionNumber = '9,0,0,0'"), QString());
    const SRun run =
        Run({QStringLiteral("-source:wave2.zoz"), QStringLiteral("-target:") + campaign,
             QStringLiteral("-A:QR"), QStringLiteral("-I:QR")});
    EXPECT_EQ(run.ExitCode, 0) << run.Out.constData();
    EXPECT_EQ(Sql(campaign, "select VersionNumber from Campaigns"), "9,0,0,0");
    EXPECT_EQ(Sql(campaign, "select count(*) from Waves"), "2");
}

TEST_F(BatchRun, AReportThatCannotBeWrittenFailsTheRun)
{
    // The output names a folder: the report cannot take its place.
    QDir(m_folder.path()).mkdir(QStringLiteral("report.html"));
    const SRun run = Run({QStringLiteral("-source:wave1.zoz"), QStringLiteral("-A:QR"),
                          QStringLiteral("-output:") + Path("report.html")});
    EXPECT_EQ(run.ExitCode, 1) << run.Out.constData();
    EXPECT_TRUE(run.Out.contains("The reconciliation report could not be written to '" +
                                 Path("report.html").toUtf8() + "'."))
        << run.Out.constData();
    EXPECT_TRUE(QFileInfo(Path("report.html")).isDir());
    // Only the report failed: the campaign was saved before it, and stays.
    EXPECT_TRUE(run.Out.endsWith(kCreated)) << run.Out.constData();
    EXPECT_EQ(Sql(Path("wave1.duv"), "select count(*) from Waves"), "1");
}

} // namespace
