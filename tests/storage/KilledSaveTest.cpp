#include "StorageTestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

using namespace pelko_wave;
using namespace storage_test;

namespace {

// Questions of the campaign that the helper saves: 10 waves of 3 volumes, 10 responses each,
// every volume matching every question and response (about 50,000 rows).
constexpr const char* kHelperQuestions = "150";

// How long the test waits for a line of the helper before it gives up: a guard against a helper
// that hangs, far beyond a save's time on a busy machine; no step of the test is timed.
constexpr int kLineTimeoutMs = 120000;

class KilledSave : public CStorageTest
{
protected:
    // Starts the helper saving into the file, stopping after the given rows when stopAfterRows
    // is positive; true once it has begun the save.
    bool StartSave(QProcess& helper, const QString& path, qint64 stopAfterRows = 0)
    {
        QStringList arguments{path, QLatin1String(kHelperQuestions)};
        if (stopAfterRows > 0)
            arguments << QString::number(stopAfterRows);
        helper.start(QStringLiteral(PLIM_STORAGE_SAVE_HELPER), arguments);
        if (!helper.waitForStarted(kLineTimeoutMs))
            return false;
        return NextLine(helper, kLineTimeoutMs) == "saving";
    }

    // The helper's next line of output, trimmed; empty when none comes in time.
    static QByteArray NextLine(QProcess& helper, int timeoutMs)
    {
        while (!helper.canReadLine()) {
            if (!helper.waitForReadyRead(timeoutMs))
                return QByteArray();
        }
        return helper.readLine().trimmed();
    }
};

TEST_F(KilledSave, PreviousCampaignStaysReadable)
{
    const auto campaign = MakeFullCampaign(FilePath());
    ASSERT_EQ(CreateAndSave(*campaign), QString());
    const QString savedDump = StoredDump(*campaign);
    const QByteArray savedBytes = FileBytes(FilePath());

    // The whole save, on a copy of the file: it commits, and tells how many rows it changes.
    const QString copy = FilePath(QStringLiteral("copy.duv"));
    ASSERT_TRUE(QFile::copy(FilePath(), copy));
    QProcess whole;
    ASSERT_TRUE(StartSave(whole, copy));
    const QByteArray saved = NextLine(whole, kLineTimeoutMs);
    ASSERT_TRUE(saved.startsWith("saved "))
        << saved.toStdString() << " " << whole.readAllStandardError().toStdString();
    const qint64 savedRows = saved.mid(6).toLongLong();
    ASSERT_TRUE(whole.waitForFinished(kLineTimeoutMs));
    ASSERT_EQ(whole.exitCode(), 0) << whole.readAllStandardError().toStdString();
    ASSERT_GT(Load(copy)->GetQuestionCount(), 100);
    ASSERT_GT(savedRows, 10000);
    RecordProperty("whole_save_rows", int(savedRows));

    // The same save killed half-way: the helper stops inside the save once it has changed half
    // the rows, and is killed there, its transaction open.
    const qint64 halfRows = savedRows / 2;
    QProcess helper;
    ASSERT_TRUE(StartSave(helper, FilePath(), halfRows));
    ASSERT_EQ(NextLine(helper, kLineTimeoutMs), "written " + QByteArray::number(halfRows))
        << helper.readAllStandardError().toStdString();
    ASSERT_EQ(helper.state(), QProcess::Running) << "the save ended before it could be killed";
    helper.kill();
    ASSERT_TRUE(helper.waitForFinished(kLineTimeoutMs));
    EXPECT_EQ(helper.exitStatus(), QProcess::CrashExit);
    // The save was under way and had written into the file: a hot journal is left behind.
    EXPECT_NE(FileBytes(FilePath()), savedBytes);
    const QByteArray journal = FileBytes(FilePath() + QStringLiteral("-journal"));
    ASSERT_GE(journal.size(), 8);
    EXPECT_NE(journal.left(8), QByteArray(8, '\0'));

    const auto loaded = Load();
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(SameDump(StoredDump(*loaded), savedDump));
    EXPECT_FALSE(QFile::exists(FilePath() + QStringLiteral("-journal")));
    EXPECT_EQ(QueryRaw(FilePath(), QStringLiteral("SELECT count(*) FROM pragma_integrity_check "
                                                  "WHERE integrity_check <> 'ok'")),
              0);
    // And the file takes the next save.
    loaded->SetName(QStringLiteral("After the crash"));
    ASSERT_EQ(SaveInto(*loaded, FilePath()), QString());
    EXPECT_EQ(Load()->GetName(), QStringLiteral("After the crash"));
}

} // namespace
