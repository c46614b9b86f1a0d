#pragma once

#include "app/ShellWindow.h"
#include "app/WaveApp.h"
#include "model/Campaign.h"
#include "reconcile/SourceComparison.h"
#include "storage/DBAccessDAO.h"
#include "support/QStringPrinter.h"
#include "support/SameDump.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestCommands.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include <gtest/gtest.h>

// What the tests of the application's roads (New, Open, Save, Save As, Package) share.

namespace shell_test {

// The window program's document and views as a script: records each call, and refuses or
// fails where the test says.
class CScriptedShellWindow : public IShellWindow
{
public:
    void NewDocument() override { Calls << QStringLiteral("new"); }
    bool OpenDocument(const QString& path) override
    {
        Calls << QStringLiteral("open ") + path;
        return !RefuseOpen;
    }
    void SetDocumentPath(const QString& path, bool modified) override
    {
        Calls << QStringLiteral("path ") + path + (modified ? QStringLiteral(" *") : QString());
    }
    bool ResetViewsAfterLoad() override
    {
        Calls << QStringLiteral("views");
        return !FailViews;
    }

    void ShowValidationDialog(const SSourceComparisonLists& lists, const QString& report) override
    {
        Calls << QStringLiteral("validation");
        ValidationLists = lists;
        ValidationReport = report;
    }

    QStringList Calls;
    SSourceComparisonLists ValidationLists;
    QString ValidationReport;
    bool RefuseOpen = false;
    bool FailViews = false;
};

// The campaign file with one step failing on demand (its name: "Save", "CreateDatabase",
// "Open" or a read such as "ReadQuestions"), with the error text "Error <step> failed".
class CFailingStorage : public CDBAccessDAO
{
public:
    explicit CFailingStorage(QString failAt) : m_failAt(std::move(failAt)) {}

    bool Open() override { return Step("Open") && CDBAccessDAO::Open(); }
    bool CreateDatabase() override
    {
        return Step("CreateDatabase") && CDBAccessDAO::CreateDatabase();
    }
    bool Save(const pelko_wave::CCampaign& campaign) override
    {
        return Step("Save") && CDBAccessDAO::Save(campaign);
    }
    bool ReadWaves(pelko_wave::CCampaign& campaign) override
    {
        return Step("ReadWaves") && CDBAccessDAO::ReadWaves(campaign);
    }
    bool ReadQuestions(pelko_wave::CCampaign& campaign) override
    {
        return Step("ReadQuestions") && CDBAccessDAO::ReadQuestions(campaign);
    }
    bool ReadModalityMergings(pelko_wave::CCampaign& campaign) override
    {
        return Step("ReadModalityMergings") && CDBAccessDAO::ReadModalityMergings(campaign);
    }

private:
    bool Step(const char* name)
    {
        if (m_failAt != QLatin1String(name))
            return true;
        SetErrorText(QStringLiteral("Error %1 failed").arg(QLatin1String(name)));
        return false;
    }

    QString m_failAt;
};

// A test of the roads: a temporary folder holding copies of the sample sources, the scripted
// window services and document, and the application object.
class CShellTest : public ::testing::Test
{
protected:
    CShellTest();

    // A path in the temporary folder.
    QString Path(const QString& name) const { return m_folder.filePath(name); }
    // Copies a sample source (e.g. "wave1.zoz") into the folder (or a sub-folder of it).
    QString CopySample(const QString& sample, const QString& as = QString());
    // A campaign of two waves ("Spring", "Autumn") of two volumes each, whose questionnaire
    // sources are copies of the samples in the folder, interviews in the same file, absolute
    // paths; the samples' languages 2057 (default) and 1036.
    std::unique_ptr<pelko_wave::CCampaign> MakeCampaign();
    // Saves a campaign into a new file at the path; fails the test when that fails.
    void WriteCampaignFile(const pelko_wave::CCampaign& campaign, const QString& path);
    // MakeCampaign with its volumes reconciled and a matching of question 11 ("Q11") to the
    // source question of code `sourceCode` in volume 1, written at the path.
    void WriteReconciledCampaign(const QString& path, const QString& sourceCode);
    // The code of a question of the first sample wave, which every volume of wave 1 has.
    static QString SampleCode();
    // Makes the application's campaign a fresh one of MakeCampaign saved at the path, as if
    // opened from it.
    void OpenCampaignAt(const QString& path);
    // Makes the storage objects fail at the step from now on (empty: never).
    void FailStorageAt(const QString& step);
    // The campaign read back from a file; null when it cannot be read.
    std::unique_ptr<pelko_wave::CCampaign> ReadBack(const QString& path);

    QTemporaryDir m_folder;
    CScriptedWindowServices m_windows;
    CScriptedShellWindow m_shell;
    // Outlives the application, whose history may hold test commands.
    STestJournal m_journal;
    CWaveApp m_app;
};

// The bytes of a file (empty when it does not exist).
QByteArray FileBytes(const QString& path);
// The canonical text of what a file keeps of a campaign.
QString StoredDump(const pelko_wave::CCampaign& campaign);

} // namespace shell_test
