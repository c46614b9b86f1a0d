// The batch run inside the test process, where a storage double can fail the steps that a real
// file hardly ever fails: the lines printed, the exit code and what stays on disk.

#include "ShellTestSupport.h"

#include "model/Campaign.h"

#include <QFile>
#include <QFileInfo>

using namespace pelko_wave;
using namespace shell_test;

namespace {

class BatchRunInProcess : public CShellTest
{
protected:
    BatchRunInProcess()
    {
        m_app.SetShellWindow(nullptr);
        m_app.SetBatchOutput([this](const QString& line) { m_lines << line; });
    }

    bool Run(const QStringList& arguments)
    {
        m_app.GetCmdLineInfo() = CWaveCmdLineInfo();
        EXPECT_TRUE(m_app.GetCmdLineInfo().ParseCommandLine(arguments));
        return m_app.RunCommandLine();
    }

    QStringList m_lines;
};

TEST_F(BatchRunInProcess, AFailedSaveSaysSoAndLeavesTheFileAsItWas)
{
    const QString target = Path("coffee.duv");
    WriteCampaignFile(*MakeCampaign(), target);
    const QByteArray before = FileBytes(target);
    const QString source = CopySample(QStringLiteral("wave2.zoz"));
    FailStorageAt(QStringLiteral("Save"));

    EXPECT_FALSE(Run({QStringLiteral("-source:") + source, QStringLiteral("-target:") + target,
                      QStringLiteral("-A:QR"), QStringLiteral("-I:QR"),
                      QStringLiteral("-output:") + Path("r.html")}));
    EXPECT_EQ(m_app.GetExitCode(), CWaveApp::BATCH_FAILED);
    ASSERT_EQ(m_lines.size(), 1) << qPrintable(m_lines.join('\n'));
    EXPECT_EQ(m_lines[0], QStringLiteral("PelkoPlim was unable to save the campaign due to a "
                                         "database error. The database error message returned "
                                         "was: \n\nError Save failed"));
    m_app.DestroyCampaignObjects();
    EXPECT_EQ(FileBytes(target), before);
    // The report of the reconciliation is written all the same, after the save.
    EXPECT_TRUE(QFileInfo::exists(Path("r.html")));
}

// The campaign file as the program writes it, noting whether the report was there at the save.
class CReportWatchingStorage : public CDBAccessDAO
{
public:
    CReportWatchingStorage(QString report, QStringList& seen)
        : m_report(std::move(report)), m_seen(seen)
    {
    }
    bool Save(const CCampaign& campaign) override
    {
        m_seen << (QFileInfo::exists(m_report) ? QStringLiteral("report there")
                                               : QStringLiteral("no report yet"));
        return CDBAccessDAO::Save(campaign);
    }

private:
    QString m_report;
    QStringList& m_seen;
};

TEST_F(BatchRunInProcess, TheReportIsWrittenAfterTheSave)
{
    const QString report = Path("r.html");
    QStringList seen;
    m_app.SetStorageFactory([&] { return std::make_unique<CReportWatchingStorage>(report, seen); });
    const QString source = CopySample(QStringLiteral("wave1.zoz"));
    EXPECT_TRUE(Run({QStringLiteral("-source:") + source, QStringLiteral("-A:QR"),
                     QStringLiteral("-output:") + report}));
    EXPECT_EQ(m_app.GetExitCode(), CWaveApp::BATCH_DONE) << qPrintable(m_lines.join('\n'));
    EXPECT_EQ(seen, QStringList{"no report yet"});
    EXPECT_TRUE(QFileInfo::exists(report));
}

TEST_F(BatchRunInProcess, ACampaignFileThatCannotBeMadeStopsTheRun)
{
    const QString source = CopySample(QStringLiteral("wave1.zoz"));
    for (const char* step : {"CreateDatabase", "Save"}) {
        FailStorageAt(QLatin1String(step));
        m_lines.clear();
        EXPECT_FALSE(Run({QStringLiteral("-source:") + source, QStringLiteral("-A:QR")})) << step;
        EXPECT_EQ(m_app.GetExitCode(), CWaveApp::BATCH_FAILED) << step;
        ASSERT_EQ(m_lines.size(), 1) << step;
        EXPECT_TRUE(m_lines[0].endsWith(QStringLiteral("\n\nError %1 failed").arg(step)))
            << qPrintable(m_lines[0]);
        // The empty campaign file made for the run does not stay.
        EXPECT_FALSE(QFileInfo::exists(Path("wave1.duv"))) << step;
        m_app.DestroyCampaignObjects();
    }
}

TEST_F(BatchRunInProcess, TheCreatedLinesGoAfterTheCommandLineLine)
{
    const QString output = Path("report.html");
    ASSERT_TRUE(m_app.GetCmdLineInfo().ParseCommandLine(
        {QStringLiteral("-source:x.zoz"), QStringLiteral("-output:") + output}));
    m_app.CreateCampaignObjects(nullptr, nullptr);
    m_app.SetCampaignPath(Path("study.duv"));
    CWave wave;
    wave.SetName(QStringLiteral("Wave <7>"));
    const QString created = QStringLiteral("<p class = \"indent0 fontBold color0\"/>\nCreated wave "
                                           "\"Wave &lt;7&gt;\"\n");
    struct SCase
    {
        QString Report;
        QString Expected;
    };
    const SCase cases[] = {
        {QStringLiteral("<html><P>Run\n<p>Command line: \"plim\"\n<p>Volume 1\n</html>"),
         QStringLiteral("<html><P>Run\n<p>Command line: \"plim\"\n") + created +
             QStringLiteral("<p>Volume 1\n</html>")},
        // A paragraph start in capitals counts too.
        {QStringLiteral("<p>Command line: \"plim\"\n<P>Volume 1"),
         QStringLiteral("<p>Command line: \"plim\"\n") + created + QStringLiteral("<P>Volume 1")},
        // No paragraph after the line: at the end.
        {QStringLiteral("<p>Command line: \"plim\"\n"),
         QStringLiteral("<p>Command line: \"plim\"\n") + created},
        // No command-line line: at the head.
        {QStringLiteral("<p>Volume 1"), created + QStringLiteral("<p>Volume 1")},
    };
    for (const SCase& c : cases) {
        ASSERT_TRUE(m_app.WriteReconciliationReport(wave, c.Report));
        EXPECT_EQ(QString::fromUtf8(FileBytes(output)), c.Expected) << qPrintable(c.Report);
    }
}

} // namespace
