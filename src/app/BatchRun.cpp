// The windowless batch run: adds one wave of the command line's sources to a campaign file,
// reconciles it, saves the campaign and writes the reconciliation report, telling the outcome
// in lines on standard output.

#include "app/WaveApp.h"

#include "app/CampaignFileNames.h"
#include "commands/ReconcileCommands.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCallBackInfo.h"
#include "commands/WaveCommands.h"
#include "model/Campaign.h"
#include "model/QuestionnaireLoading.h"
#include "model/ValueTexts.h"
#include "platform/FormatString.h"
#include "platform/StdStreams.h"
#include "questionnaire/Questionnaire.h"
#include "questionnaire/SourceType.h"
#include "reconcile/ReconciliationReport.h"
#include "reconcile/SourceComparison.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "storage/DBAccess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace pelko_wave;

namespace {

// Link mode 1: the volumes' interviews are not linked; 2: through the LINKQ question.
constexpr int kLinkByOrder = 1;
constexpr int kLinkByQuestion = 2;

QString Text(unsigned id, std::initializer_list<QVariant> args = {})
{
    return FormatString(LoadString(id), args);
}

// A path as the run records it: absolute and cleaned, links kept as named.
QString AbsolutePath(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The source's question whose shortcut is the link question (case ignored); null when none.
const qnr::CQuestion* FindQuestionByShortcut(const qnr::CQuestionnaire& questionnaire,
                                             const QString& shortcut)
{
    for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
        const qnr::CQuestion* question = questionnaire.GetQuestion(i);
        if (question->GetShortcut().compare(shortcut, Qt::CaseInsensitive) == 0)
            return question;
    }
    return nullptr;
}

// Takes away the campaign file that the run created when the run ends without saving the
// campaign into it: a run that stops, is refused or only reports leaves no empty campaign file
// behind (which would also move the next run's default file name on).
class CCreatedCampaignFile
{
public:
    explicit CCreatedCampaignFile(CWaveApp& app) : m_app(app) {}
    ~CCreatedCampaignFile()
    {
        if (m_path.isEmpty() || m_kept)
            return;
        if (CDBAccess* storage = m_app.GetDBAccess())
            storage->Close();
        QFile::remove(m_path);
    }
    CCreatedCampaignFile(const CCreatedCampaignFile&) = delete;
    CCreatedCampaignFile& operator=(const CCreatedCampaignFile&) = delete;

    // The path names no file yet: the run is about to make it.
    void Take(const QString& path) { m_path = path; }
    void Keep() { m_kept = true; }

private:
    CWaveApp& m_app;
    QString m_path;
    bool m_kept = false;
};

} // namespace

bool CWaveApp::RunCommandLine()
{
    QString errorText;
    if (!m_cmdLineInfo.Validate(errorText)) {
        // Told as a refused command line is told.
        WriteStdErrLine(QStringLiteral("plim: ") + errorText);
        m_exitCode = BATCH_COMMAND_LINE_REFUSED;
        return false;
    }
    if (m_cmdLineInfo.GetHelp()) {
        // The text ends with its own empty lines.
        WriteStdOutText(CWaveCmdLineInfo::GetUsageText());
        m_exitCode = BATCH_DONE;
        return false;
    }
    m_exitCode = BATCH_FAILED;
    m_batchWaveId = -1;
    m_batchReport.clear();
    m_batchReportWritten = false;
    m_batchReportFailed = false;

    const QString target = m_cmdLineInfo.GetTarget();
    m_newCampaign = target.isEmpty() || !QFileInfo::exists(target);
    // Named after the first source as given, before list files are expanded.
    const QString targetPath =
        target.isEmpty() ? UniqueCampaignFileName(AbsolutePath(m_cmdLineInfo.GetSources()[0]))
                         : AbsolutePath(target);
    const QStringList givenSources = m_cmdLineInfo.GetSources();
    const bool listsRead = m_cmdLineInfo.ReadListFile();
    // The report never takes the place of the campaign, a source or a list of sources.
    if (const QString output = m_cmdLineInfo.GetOutput(); !output.isEmpty()) {
        for (const QString& path :
             QStringList{targetPath} + givenSources + m_cmdLineInfo.GetSources()) {
            if (IsSameFile(output, path)) {
                WriteStdErrLine(
                    QStringLiteral("plim: ") +
                    Text(IDS_REPORT_OVERWRITES, {AbsolutePath(output), AbsolutePath(path)}));
                m_exitCode = BATCH_COMMAND_LINE_REFUSED;
                return false;
            }
        }
    }
    if (!listsRead) {
        PrintBatchLine(m_cmdLineInfo.GetErrorText());
        return false;
    }

    CCreatedCampaignFile createdFile(*this);
    if (m_newCampaign) {
        DestroyCampaignObjects();
        CreateCampaignObjects(nullptr, nullptr);
        AddProgramLanguage();
        m_pDBAccess->SetFilePath(targetPath);
        createdFile.Take(targetPath);
        if (!m_pDBAccess->CreateDatabase()) {
            PrintBatchLine(Text(IDS_SAVE_DATABASE_ERROR, {m_pDBAccess->GetErrorText()}));
            return false;
        }
        SetCampaignPath(targetPath);
    } else if (!OpenCampaignHeadless(targetPath, errorText)) {
        PrintBatchLine(Text(IDS_TARGET_UNREADABLE, {errorText}));
        return false;
    }

    QStringList sources;
    for (const QString& source : m_cmdLineInfo.GetSources())
        sources.append(AbsolutePath(source));
    if (sources.isEmpty()) {
        PrintBatchLine(LoadString(IDS_NO_SOURCES));
        return false;
    }

    if (!AddBatchWave(sources) || !AddBatchVolumes(sources))
        return false;

    if (!ReconcileBatchWave()) {
        // Taken back whole: nothing of the reconciliation stays, nothing is saved; the report
        // says why.
        WriteBatchReport();
        PrintBatchLine(LoadString(IDS_RECONCILIATION_ERRORS));
        m_exitCode = m_batchReportFailed ? BATCH_FAILED : BATCH_RECONCILIATION_REFUSED;
        return true;
    }

    // The report is written once the campaign is saved, so that a report can never be in the
    // way of the campaign, and a run whose save fails still leaves its report.
    if (m_cmdLineInfo.GetReportOnly()) {
        WriteBatchReport();
        PrintBatchLine(LoadString(IDS_REPORT_ONLY));
    } else {
        if (!m_pDBAccess->Save(*m_pCampaign)) {
            const QString saveError = m_pDBAccess->GetErrorText();
            WriteBatchReport();
            PrintBatchLine(Text(IDS_SAVE_DATABASE_ERROR, {saveError}));
            return false;
        }
        createdFile.Keep();
        MarkSaved();
        WriteBatchReport();
        PrintBatchLine(m_newCampaign ? Text(IDS_TARGET_CREATED, {m_campaignPath})
                                     : LoadString(IDS_TARGET_UPDATED));
    }
    m_exitCode = m_batchReportFailed ? BATCH_FAILED : BATCH_DONE;
    return true;
}

void CWaveApp::WriteBatchReport()
{
    if (m_batchReportWritten || m_batchReport.isEmpty() || !m_pCampaign)
        return;
    if (const CWave* wave = m_pCampaign->FindWave(m_batchWaveId))
        WriteReconciliationReport(*wave, m_batchReport);
}

bool CWaveApp::AddBatchWave(const QStringList& sources)
{
    const QDateTime now = QDateTime::currentDateTime();
    CCmdCallBacks callBacks;
    callBacks.AfterDo = [this](std::unique_ptr<CCallBackInfo> record) {
        OnNewWaveCallBack(std::move(record));
    };
    auto command = std::make_unique<CCmdNewWave>(
        m_pCampaign.get(), -1, QStringLiteral("New Wave"),
        Text(IDS_BATCH_WAVE_DESCRIPTION, {JoinSourceList(sources)}), now, now, now);
    if (!ExecuteBatchCommand(std::move(command), LoadString(IDS_WAVE_NOT_ADDED), callBacks))
        return false;
    CWave* wave = m_pCampaign->FindWave(m_batchWaveId);
    if (!wave) {
        PrintBatchLine(LoadString(IDS_WAVE_NOT_ADDED));
        return false;
    }
    wave->SetName(Text(IDS_BATCH_WAVE_NAME, {m_batchWaveId}));
    return true;
}

bool CWaveApp::AddBatchVolumes(const QStringList& sources)
{
    CWave* wave = m_pCampaign->FindWave(m_batchWaveId);
    const QString linkQuestion = m_cmdLineInfo.GetLinkQuestion();
    const int linkMode = linkQuestion.isEmpty() ? kLinkByOrder : kLinkByQuestion;
    int mainLinkValue = 0;
    for (int i = 0; i < sources.size(); ++i) {
        const QString& source = sources[i];
        if (!QFileInfo(source).isFile()) {
            PrintBatchLine(Text(IDS_SOURCE_NOT_FOUND, {source}));
            return false;
        }
        // Each source is read as the format its content shows, whatever its name.
        const int sourceType = qnr::DetectSourceType(source);
        if (sourceType < 0) {
            PrintBatchLine(Text(IDS_SOURCE_NOT_OPENED, {source}));
            PrintBatchLine(LoadString(IDS_NOT_A_QUESTIONNAIRE));
            return false;
        }
        QString readError;
        std::unique_ptr<qnr::CQuestionnaire> questionnaire;
        QString linkText;
        if (linkMode == kLinkByQuestion) {
            questionnaire = std::make_unique<qnr::CQuestionnaire>();
            if (!LoadQuestionnaireFromSource(*questionnaire, source, sourceType, 0, &readError)) {
                PrintBatchLine(Text(IDS_SOURCE_NOT_OPENED, {source}));
                PrintBatchLine(readError);
                return false;
            }
            const qnr::CQuestion* link = FindQuestionByShortcut(*questionnaire, linkQuestion);
            if (!link) {
                PrintBatchLine(Text(IDS_LINK_QUESTION_NOT_FOUND, {linkQuestion, source}));
                return false;
            }
            if (i == 0)
                mainLinkValue = -link->GetCodeQuestion();
            else
                linkText = QString::number(link->GetCodeQuestion());
        }

        SNewVolumeProperties properties;
        properties.ParentVolumeId = -1;
        properties.SourceType = sourceType;
        properties.IsMatchingStrict = false;
        for (const int method : m_cmdLineInfo.GetQuestionMatchingMethods())
            properties.QuestionMatchingMethods.append(quint32(method));
        for (const int method : m_cmdLineInfo.GetResponseMatchingMethods())
            properties.ResponseMatchingMethods.append(quint32(method));
        properties.MetaData.SourceStorageType = 0;
        properties.MetaData.SourceFilePathFormat = PATH_ABSOLUTE;
        properties.MetaData.SourceString = source;
        properties.CaseData = properties.MetaData;
        properties.InterviewMergeMethod = i == 0 || linkMode == kLinkByOrder ? 1 : 2;
        properties.MainVolumeLinkQuestionId = i == 0 ? 0 : mainLinkValue;
        properties.ThisVolumeLinkQuestionId = linkText;
        properties.CaseSensitiveMatching = true;
        properties.MatchUsingAncestorValues = false;
        const QString name = Text(IDS_BATCH_VOLUME_NAME, {i + 1});
        const int volumesBefore = wave->GetVolumeCount();
        const QString notAdded = Text(IDS_VOLUME_NOT_ADDED, {name});
        if (!ExecuteBatchCommand(
                std::make_unique<CCmdNewVolume>(m_pCampaign.get(), wave, name, properties),
                notAdded))
            return false;
        CVolume* volume = wave->GetVolumeCount() > volumesBefore
                              ? wave->GetVolume(wave->GetVolumeCount() - 1)
                              : nullptr;
        if (!volume) {
            PrintBatchLine(notAdded);
            return false;
        }
        // The questionnaire read for the link question serves the reconciliation too; without
        // a link question each source is read here, once its volume exists, so that a source
        // that cannot be read stops the run before anything is reconciled.
        if (questionnaire) {
            volume->ReplaceQuestionnaire(std::move(questionnaire));
        } else if (!EnsureVolumeQuestionnaire(*volume, 0, &readError)) {
            PrintBatchLine(Text(IDS_SOURCE_NOT_OPENED, {source}));
            PrintBatchLine(readError);
            return false;
        }
        if (!ExecuteBatchCommand(
                std::make_unique<CCmdAddVolAnalyseMatching>(m_pCampaign.get(), volume), notAdded))
            return false;
    }
    return true;
}

bool CWaveApp::ReconcileBatchWave()
{
    CWave* wave = m_pCampaign->FindWave(m_batchWaveId);
    SReconcileWaveOptions options;
    options.Interactive = false;
    options.KeepSourceCodes = m_cmdLineInfo.GetKeepSourceCodes();
    CCmdCallBacks reconcileCallBacks;
    reconcileCallBacks.AfterDo = [this](std::unique_ptr<CCallBackInfo> record) {
        OnReconcileWaveCallBack(std::move(record));
    };
    auto composite =
        MakeReconcileWaveCmd(m_pCampaign.get(), wave, options, std::move(reconcileCallBacks));
    const auto* reconcile = dynamic_cast<const CCmdReconcileWave*>(composite->GetCmd(0));
    std::unique_ptr<CCmdVirtual> command = std::move(composite);
    if (ExecuteCommand(command, {}, nullptr, nullptr, true))
        return true;
    // The composite stays with us on failure, and with it the report written so far, unless
    // the callback has kept the whole report already (a later step failed).
    if (m_batchReport.isEmpty() && reconcile)
        m_batchReport = reconcile->GetReport();
    return false;
}

bool CWaveApp::ExecuteBatchCommand(std::unique_ptr<CCmdVirtual> command, const QString& failureLine,
                                   const CCmdCallBacks& callBacks)
{
    if (ExecuteCommand(command, callBacks, nullptr, nullptr, true))
        return true;
    PrintBatchLine(failureLine);
    if (!command->GetErrorText().isEmpty())
        PrintBatchLine(command->GetErrorText());
    return false;
}

void CWaveApp::OnNewWaveCallBack(std::unique_ptr<CCallBackInfo> record)
{
    if (const auto* info = dynamic_cast<const CCallBackInfoNewWave*>(record.get());
        info && info->Wave)
        m_batchWaveId = info->Wave->GetWaveId();
}

void CWaveApp::OnReconcileWaveCallBack(std::unique_ptr<CCallBackInfo> record)
{
    // Kept for the end of the run, which writes it.
    if (const auto* info = dynamic_cast<const CCallBackInfoReconcileWave*>(record.get()))
        m_batchReport = info->Report;
}

bool CWaveApp::WriteReconciliationReport(const CWave& wave, const QString& report)
{
    QString insertion;
    if (m_newCampaign)
        insertion += MakeReportLine(
            ReportClass::Title,
            FormatReportText(IDS_CREATED_CAMPAIGN, QFileInfo(m_campaignPath).fileName()));
    insertion +=
        MakeReportLine(ReportClass::Title, FormatReportText(IDS_CREATED_WAVE, wave.GetName()));

    // Before the first paragraph after the command-line line; at the head without that line.
    QString text = report;
    const QString commandLine = LoadString(IDS_COMMAND_LINE).section(QStringLiteral("%s"), 0, 0);
    qsizetype at = 0;
    if (const qsizetype line = text.indexOf(commandLine); line >= 0) {
        at = text.indexOf(QStringLiteral("<p"), line, Qt::CaseInsensitive);
        if (at < 0)
            at = text.size();
    }
    text.insert(at, insertion);

    const QString path = GetReconciliationReportPath(wave.GetName());
    if (!WriteTextFile(text, path)) {
        PrintBatchLine(Text(IDS_REPORT_NOT_WRITTEN, {path}));
        m_batchReportFailed = true;
        return false;
    }
    m_batchReportWritten = true;
    return true;
}

bool CWaveApp::OpenCampaignHeadless(const QString& path, QString& errorText)
{
    errorText.clear();
    std::unique_ptr<CDBAccess> storage = MakeStorage();
    auto campaign = std::make_unique<CCampaign>();
    SLoadCampaignRecord record;
    record.Campaign = campaign.get();
    record.DBAccess = storage.get();
    record.Path = path;
    record.ShowMessages = false;
    if (!LoadCampaign(record)) {
        errorText = storage->GetErrorText();
        return false;
    }
    // What the reads put right in the file is told, as the window's open shows it.
    for (const QString& warning : storage->GetWarnings())
        PrintBatchLine(warning);

    DestroyCampaignObjects();
    CreateCampaignObjects(std::move(storage), std::move(campaign));
    SetCampaignPath(path);
    m_highestVolumeIdAtLoad = m_pCampaign->GetMaxVolumeId();
    MarkSaved();

    // A file of an older program is brought up to date in memory; its file follows in the
    // save's own transaction, so that a run that ends without saving leaves it as it is. A
    // newer file is left as it is.
    if (!IsCampaignVersionCurrent()) {
        const QString fileVersion = m_pCampaign->GetVersionNumber();
        m_pCampaign->MoveToMostRecentVersion();
        m_pDBAccess->UpgradeWithNextSave(fileVersion);
    }

    SSourceComparisonLists lists;
    if (!CompareSourcesParallel(nullptr, *m_pCampaign, lists, m_sourceCheckThreads)) {
        errorText = LoadString(lists.MissingSourceFiles.empty() ? IDS_CAMPAIGN_NOT_VALID
                                                                : IDS_SOURCE_FILES_MISSING);
        return false;
    }
    return true;
}

void CWaveApp::PrintBatchLine(const QString& line) const
{
    if (m_batchOutput)
        m_batchOutput(line);
    else
        WriteStdOutLine(line);
}
