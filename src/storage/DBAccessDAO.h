#pragma once

#include "storage/DBAccess.h"
#include "storage/SqliteDatabase.h"

#include <functional>

namespace pelko_wave {
class CCampaign;
}

// The campaign file on SQLite: the storage object that the application makes for every
// campaign file. The file is kept in rollback-journal mode with full synchronisation, so that a
// process killed in the middle of a write leaves the file as it was before that write; foreign
// keys are enforced on every connection, so that the file's cascade-delete relations hold.
//
// A save, an upgrade and every saving step called on its own run as one transaction: they
// write all or nothing. An operation that fails sets the error text "Error <message>" with the
// database's message, or "Error CDBAccessDAO::<operation>" for any other failure.
class CDBAccessDAO : public CDBAccess
{
public:
    CDBAccessDAO();
    ~CDBAccessDAO() override;

    // Whether the file begins as every database file of this storage does (an SQLite file's
    // header). One that does not cannot be a campaign file, whatever its name.
    static bool IsDatabaseFile(const QString& path);

    // Opens the file without ever creating or changing it; a file that is not an SQLite
    // database or lacks a campaign table is refused.
    bool Open() override;
    bool Close() override;
    // Replaces the file at the path by an empty campaign file and leaves it open.
    bool CreateDatabase() override;

    bool Save(const pelko_wave::CCampaign& campaign) override;
    bool SaveCampaign(const pelko_wave::CCampaign& campaign) override;

    bool ReadCampaign(pelko_wave::CCampaign& campaign) override;
    bool ReadWaves(pelko_wave::CCampaign& campaign) override;
    bool ReadVolumes(pelko_wave::CCampaign& campaign) override;
    bool ReadQuestions(pelko_wave::CCampaign& campaign) override;
    bool ReadQuestionMatchings(pelko_wave::CCampaign& campaign) override;
    bool ReadQuestionClasses(pelko_wave::CCampaign& campaign) override;
    bool ReadQuestionCaptions(pelko_wave::CCampaign& campaign) override;
    bool ReadModalityMatchings(pelko_wave::CCampaign& campaign) override;
    bool ReadModalityCaptions(pelko_wave::CCampaign& campaign) override;
    bool ReadModalities(pelko_wave::CCampaign& campaign) override;
    bool ReadLanguages(pelko_wave::CCampaign& campaign) override;
    bool ReadModalityMergings(pelko_wave::CCampaign& campaign) override;
    bool ReadVersions(pelko_wave::CCampaign& campaign) override;

    // Adds the columns that a file of the campaign's (older) version lacks and fills them,
    // and lets the Versions texts be empty.
    bool Upgrade(pelko_wave::CCampaign& campaign) override;
    void UpgradeWithNextSave(const QString& fileVersion) override;

    const QString& GetErrorText() const override { return m_errorText; }
    void SetErrorText(const QString& text) override { m_errorText = text; }

    // Whether the next Open opens the file for reading only.
    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsOpen() const { return m_database.IsOpen(); }

    // The saving steps, in the order Save runs them.
    bool SaveLanguages(const pelko_wave::CCampaign& campaign);
    bool SaveQuestionClasses(const pelko_wave::CCampaign& campaign);
    bool SaveVersions(const pelko_wave::CCampaign& campaign);
    // Waves, each followed by its volumes, each volume followed by its matchings.
    bool SaveWaves(const pelko_wave::CCampaign& campaign);
    // Questions, each followed by its captions.
    bool SaveQuestions(const pelko_wave::CCampaign& campaign);
    // Responses, each followed by its captions.
    bool SaveModalities(const pelko_wave::CCampaign& campaign);
    bool SaveModalityMergings(const pelko_wave::CCampaign& campaign);

    // Deletion passes: each deletes the rows of its table whose object the campaign no longer
    // holds (with what hangs on them by the file's relations). The saving steps run them
    // before they write.
    bool DeleteRemovedWaves(const pelko_wave::CCampaign& campaign);
    // Also deletes the volumes of a wave whose rows would no longer read back in the wave's
    // order, so that they are written again in order.
    bool DeleteRemovedVolumes(const pelko_wave::CCampaign& campaign);
    bool DeleteRemovedQuestionMatchings(const pelko_wave::CCampaign& campaign);
    bool DeleteRemovedModalityMatchings(const pelko_wave::CCampaign& campaign);
    bool DeleteRemovedQuestions(const pelko_wave::CCampaign& campaign);
    bool DeleteRemovedQuestionCaptions(const pelko_wave::CCampaign& campaign);
    bool DeleteRemovedModalities(const pelko_wave::CCampaign& campaign);
    bool DeleteRemovedModalityCaptions(const pelko_wave::CCampaign& campaign);
    bool DeleteRemovedLanguages(const pelko_wave::CCampaign& campaign);
    bool DeleteRemovedQuestionClasses(const pelko_wave::CCampaign& campaign);
    bool DeleteRemovedVersions(const pelko_wave::CCampaign& campaign);
    bool DeleteRemovedModalityMergings(const pelko_wave::CCampaign& campaign);

    // Upgrade helpers on the open file. AddFieldIfMissing: true when it added the column.
    bool FieldExists(const QString& table, const QString& column);
    bool AddFieldIfMissing(const QString& table, const QString& column, int type, int size);
    // Runs "UPDATE <table> SET <name> = <value>, ..." for the pairs name, value, ...
    void SetColumnValueForAll(const QString& table, const QStringList& pairs);

    // The connection, for the storage's own row classes.
    CSqliteDatabase& GetDatabase() { return m_database; }

private:
    // Thrown inside an operation when a nested operation failed and has set the error text.
    struct SNestedFailure
    {
    };

    // Runs work under the error convention, with the file opened first when needed; a write
    // runs in a transaction.
    bool RunRead(const char* operation, const std::function<void()>& work);
    bool RunWrite(const char* operation, const std::function<void()>& work);
    bool Guarded(const char* operation, const std::function<void()>& work);
    // The error text of a failure that is not the database's: "Error CDBAccessDAO::<name>".
    void SetOperationError(const char* operation);
    // Sets the connection's options: foreign keys, synchronisation, waiting for a lock.
    void ConfigureConnection();
    void CheckCampaignTables();
    void AllowZeroLength(const QString& table, const QString& column);
    // Upgrade's steps for a file of the given version, inside the caller's transaction; throws
    // on a database error.
    void UpgradeSchema(const QString& fileVersion);

    CSqliteDatabase m_database;
    bool m_readOnly = false;
    // The version of a file that the next Save brings up to date; empty when none.
    QString m_upgradeVersion;
    QString m_errorText;
};
