#include "storage/DBAccess.h"

#include "model/ModelIds.h"
#include "model/SourcePath.h"
#include "model/SourcePaths.h"
#include "questionnaire/PropertyList.h"
#include "questionnaire/StaticTools.h"

#include <QDir>
#include <QStringList>

using namespace pelko_wave;

namespace {

const QString kStorageType = QStringLiteral("SourceStorageType");
const QString kString = QStringLiteral("SourceString");
const QString kSurveyId = QStringLiteral("SurveyID");
const QString kPathFormat = QStringLiteral("SourceFilePathFormat");

// A path written relative to the campaign file's folder ("wave1/data.zoz", "../w.zoz").
bool IsRelativePathText(const QString& path)
{
    if (path.isEmpty() || IsUncPath(path))
        return false;
    QString normalised = path;
    normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return !QDir::isAbsolutePath(normalised);
}

} // namespace

CDBAccess::~CDBAccess() = default;

bool CDBAccess::Upgrade(CCampaign&)
{
    return true;
}

void CDBAccess::UpgradeWithNextSave(const QString&) {}

QString CDBAccess::WriteSourcePathList(const CSourcePath& record) const
{
    qnr::CPropertyList list;
    list.SetProperty(kStorageType, record.SourceStorageType);
    int format = record.SourceFilePathFormat;
    QString text;
    bool writeText = true;
    if (!record.IsFile()) {
        text = record.SourceString;
    } else {
        switch (format) {
        case PATH_ABSOLUTE:
            text = record.SourceString;
            break;
        case PATH_RELATIVE:
            text = MakeRelativePath(GetFilePath(), record.SourceString);
            if (text.isEmpty()) {
                // Another root than the campaign file's: kept absolute.
                format = PATH_ABSOLUTE;
                text = record.SourceString;
            }
            break;
        case PATH_UNC:
            text = MakeUncPath(record.SourceString);
            if (text.isEmpty()) {
                format = PATH_ABSOLUTE;
                text = record.SourceString;
            }
            break;
        default:
            // A file of unknown kind: its path, when it has one, is kept as it is (it reads back
            // as an absolute path) rather than lost with the save.
            writeText = !record.SourceString.isEmpty();
            text = record.SourceString;
            break;
        }
    }
    list.SetProperty(kPathFormat, format);
    list.SetProperty(kSurveyId, long(record.SurveyID));
    if (writeText)
        list.SetProperty(kString, text);
    return list.GetString();
}

bool CDBAccess::IsSourcePathList(const QString& text)
{
    qnr::CPropertyList list;
    list.SetString(text);
    long number = 0;
    QString string;
    return list.GetProperty(kStorageType, number) || list.GetProperty(kString, string) ||
           list.GetProperty(kSurveyId, number);
}

void CDBAccess::ReadSourcePathList(const QString& text, CSourcePath& record) const
{
    qnr::CPropertyList list;
    list.SetString(text);
    long number = 0;
    if (list.GetProperty(kStorageType, number))
        record.SourceStorageType = int(number);
    QString stored;
    if (list.GetProperty(kString, stored)) {
        if (record.IsFile())
            SetFilePathFromText(record, stored);
        else
            record.SourceString = stored;
    }
    if (list.GetProperty(kSurveyId, number))
        record.SurveyID = int(number);
}

void CDBAccess::ResolveVolumePath(CSourcePath& record, const QString& text) const
{
    record.SourceStorageType = 0;
    SetFilePathFromText(record, text);
    record.SurveyID = 0;
}

void CDBAccess::SetFilePathFromText(CSourcePath& record, const QString& stored) const
{
    if (IsRelativePathText(stored)) {
        record.SourceFilePathFormat = PATH_RELATIVE;
        record.SourceString = MakeAbsolutePath(GetFilePath(), stored);
    } else {
        record.SourceFilePathFormat = IsUncPath(stored) ? PATH_UNC : PATH_ABSOLUTE;
        record.SourceString = stored;
    }
}

QString CDBAccess::WriteMethodIds(const QList<quint32>& ids)
{
    QStringList texts;
    texts.reserve(ids.size());
    for (const quint32 id : ids)
        texts.append(QString::number(id));
    return texts.join(QLatin1Char(';'));
}

bool CDBAccess::ReadMethodIds(const QString& text, QList<quint32>& ids)
{
    ids.clear();
    std::vector<quint32> numbers;
    qnr::CStaticTools::LireChaineSeparateurDWORD(text, QLatin1Char(';'), numbers);
    for (const quint32 number : numbers)
        ids.append(number);
    return !ids.isEmpty();
}
