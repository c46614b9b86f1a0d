#pragma once

#include "model/Campaign.h"
#include "support/QStringPrinter.h"
#include "support/SameDump.h"
#include "support/ScriptedWindowServices.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include <gtest/gtest.h>

// Campaigns, files and checks shared by the campaign-file tests.

namespace storage_test {

// The canonical text of what a campaign file keeps of the campaign.
QString StoredDump(const pelko_wave::CCampaign& campaign);

// A campaign with a record of every kind and no field left at its default where the file keeps
// it: three waves (orders 1, 3, 4; the last without volumes), five volumes in a tree whose links
// run both ways in file order (volume 3 inherits from volume 4, written after it), sources of
// every path kind (the relative one under the folder of campaignFilePath), questions with
// captions in two languages, responses, matchings with closed and open ends, mergings, a
// question class and a version.
std::unique_ptr<pelko_wave::CCampaign> MakeFullCampaign(const QString& campaignFilePath);

// Adds a response to the campaign and to its question.
pelko_wave::CModality* AddModality(pelko_wave::CCampaign& campaign, int id, int questionId,
                                   int order);

// A campaign-file test: a temporary folder, the scripted window services, and the campaign
// file path inside the folder.
class CStorageTest : public ::testing::Test
{
protected:
    QString FilePath(const QString& name = QStringLiteral("campaign.duv")) const
    {
        return m_folder.filePath(name);
    }
    // Creates the file and saves the campaign into it; the error text on failure.
    QString CreateAndSave(const pelko_wave::CCampaign& campaign, const QString& path);
    QString CreateAndSave(const pelko_wave::CCampaign& campaign)
    {
        return CreateAndSave(campaign, FilePath());
    }
    // Opens the file and saves the campaign into it.
    QString SaveInto(const pelko_wave::CCampaign& campaign, const QString& path);
    // Reads the file as the application does; null on failure (the error text in *error).
    std::unique_ptr<pelko_wave::CCampaign> Load(const QString& path, QString* error = nullptr);
    std::unique_ptr<pelko_wave::CCampaign> Load() { return Load(FilePath()); }

    QTemporaryDir m_folder;
    CScriptedWindowServices m_windows;
};

// The bytes of a file (empty when it does not exist).
QByteArray FileBytes(const QString& path);
// Runs statements on a file with the plain SQLite library, foreign keys off, as another
// program would: for making damaged or older files.
void ExecuteRaw(const QString& path, const QString& sql);
// The same, giving the database's error message instead of failing the test ("" on success).
QString TryExecuteRaw(const QString& path, const QString& sql);
// The integer that a query on the file returns.
qint64 QueryRaw(const QString& path, const QString& sql);

} // namespace storage_test
