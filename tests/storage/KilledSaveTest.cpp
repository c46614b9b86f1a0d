#include "StorageTestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

using namespace pelko_wave;
using namespace storage_test;

namespace {

// Questions of the campaign that the helper saves: 10 waves of 3 volumes, 10 responses each,
// every volume matching every question and response (about 50,000 rows).
constexpr const char* kHelperQuestions = "150";

class KilledSave : public CStorageTest
{
protected:
    // Starts the helper saving into the file; true once it has begun the save.
    bool StartSave(QProcess& helper, const QString& path)
    {
        helper.start(QStringLiteral(PLIM_STORAGE_SAVE_HELPER),
                     {path, QLatin1String(kHelperQuestions)});
        if (!helper.waitForStarted(5000))
            return false;
        return NextLine(helper, 10000) == "saving";
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

    // How long a whole save takes here, on a copy of the file.
    const QString copy = FilePath(QStringLiteral("copy.duv"));
    ASSERT_TRUE(QFile::copy(FilePath(), copy));
    QProcess calibration;
    ASSERT_TRUE(StartSave(calibration, copy));
    QElapsedTimer timer;
    timer.start();
    // Until the save has committed, not until the helper ends: its ending (freeing the campaign,
    // a sanitizer's checks) is no part of the save, and would put the kill after the commit.
    ASSERT_EQ(NextLine(calibration, 30000), QByteArray("saved"))
        << calibration.readAllStandardError().toStdString();
    const qint64 saveMs = timer.elapsed();
    ASSERT_TRUE(calibration.waitForFinished(30000));
    ASSERT_EQ(calibration.exitCode(), 0) << calibration.readAllStandardError().toStdString();
    ASSERT_GT(Load(copy)->GetQuestionCount(), 100);
    RecordProperty("whole_save_ms", int(saveMs));

    // Killed half-way through the same save.
    QProcess helper;
    ASSERT_TRUE(StartSave(helper, FilePath()));
    QThread::msleep(static_cast<unsigned long>(saveMs / 2));
    ASSERT_EQ(helper.state(), QProcess::Running) << "the save ended before it could be killed";
    helper.kill();
    ASSERT_TRUE(helper.waitForFinished(5000));
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
