#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace pelko_wave {
class CCampaign;
struct CSourcePath;
} // namespace pelko_wave

// The storage interface through which the application keeps a campaign in a campaign file:
// open and close the file, create an empty one, save the whole campaign, read it table by
// table, upgrade an older file, and report the last error as text. The storage object never
// owns the campaign: every operation that reads or writes takes it as an argument.
//
// Every operation returns true on success. After false the error text says what failed; a
// successful operation leaves the error text as it was. No operation throws.
class CDBAccess
{
public:
    CDBAccess() = default;
    virtual ~CDBAccess();
    CDBAccess(const CDBAccess&) = delete;
    CDBAccess& operator=(const CDBAccess&) = delete;

    // Opens the file at the path; true at once when it is open already. An empty path gives
    // false with the error text unchanged.
    virtual bool Open() = 0;
    virtual bool Close() = 0;
    // Builds an empty campaign file at the path and leaves it open.
    virtual bool CreateDatabase() = 0;

    // Writes the whole campaign.
    virtual bool Save(const pelko_wave::CCampaign& campaign) = 0;
    // Writes the campaign's own row.
    virtual bool SaveCampaign(const pelko_wave::CCampaign& campaign) = 0;

    // The reads, each filling the campaign from one table. The application runs them in a
    // fixed order, each building on what the earlier ones put into the campaign.
    virtual bool ReadCampaign(pelko_wave::CCampaign& campaign) = 0;
    virtual bool ReadWaves(pelko_wave::CCampaign& campaign) = 0;
    virtual bool ReadVolumes(pelko_wave::CCampaign& campaign) = 0;
    virtual bool ReadQuestions(pelko_wave::CCampaign& campaign) = 0;
    virtual bool ReadQuestionMatchings(pelko_wave::CCampaign& campaign) = 0;
    virtual bool ReadQuestionClasses(pelko_wave::CCampaign& campaign) = 0;
    virtual bool ReadQuestionCaptions(pelko_wave::CCampaign& campaign) = 0;
    virtual bool ReadModalityMatchings(pelko_wave::CCampaign& campaign) = 0;
    virtual bool ReadModalityCaptions(pelko_wave::CCampaign& campaign) = 0;
    virtual bool ReadModalities(pelko_wave::CCampaign& campaign) = 0;
    virtual bool ReadLanguages(pelko_wave::CCampaign& campaign) = 0;
    virtual bool ReadModalityMergings(pelko_wave::CCampaign& campaign) = 0;
    // The questionnaire versions of the campaign.
    virtual bool ReadVersions(pelko_wave::CCampaign& campaign) = 0;

    // The campaign file's full path; set by the application before any operation.
    const QString& GetFilePath() const { return m_filePath; }
    void SetFilePath(const QString& path) { m_filePath = path; }

    // Brings a file written by an older program version up to date. Here: nothing to do.
    virtual bool Upgrade(pelko_wave::CCampaign& campaign);
    // Makes the next successful Save bring the file, read as the given (older) version, up to
    // date first, inside the save's own transaction: the file changes only when the campaign
    // is saved into it. For a campaign moved to the current version in memory. Here: nothing
    // to do.
    virtual void UpgradeWithNextSave(const QString& fileVersion);

    virtual const QString& GetErrorText() const = 0;
    virtual void SetErrorText(const QString& text) = 0;

    // What the last reads found in the file and put right as they went on (one text each),
    // for the application to show; emptied by Open.
    const QStringList& GetWarnings() const { return m_warnings; }

    // A volume's source path record as the text of a property list (storage type, path kind,
    // survey id and the path in the form the kind asks for).
    QString WriteSourcePathList(const pelko_wave::CSourcePath& record) const;
    // Whether the text is such a property list rather than a bare path of older files.
    static bool IsSourcePathList(const QString& text);
    // Fills the record from a property list; the path kind follows from the stored path.
    void ReadSourcePathList(const QString& text, pelko_wave::CSourcePath& record) const;
    // Fills the record from a bare path: a file, the kind following from the path.
    void ResolveVolumePath(pelko_wave::CSourcePath& record, const QString& text) const;

    // A method-id list as text: "1;2;0", the empty text for an empty list.
    static QString WriteMethodIds(const QList<quint32>& ids);
    // The list read from its text; true when it holds at least one id.
    static bool ReadMethodIds(const QString& text, QList<quint32>& ids);

protected:
    void ClearWarnings() { m_warnings.clear(); }
    void AddWarning(const QString& text) { m_warnings.append(text); }

private:
    // Sets the path kind and path of a file record from a stored path.
    void SetFilePathFromText(pelko_wave::CSourcePath& record, const QString& stored) const;

    QString m_filePath;
    QStringList m_warnings;
};
