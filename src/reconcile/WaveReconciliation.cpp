#include "reconcile/WaveReconciliation.h"

#include "model/Campaign.h"
#include "model/ConnectionText.h"
#include "model/EditRoutines.h"
#include "model/MessagePump.h"
#include "model/MethodNames.h"
#include "model/OptionRecords.h"
#include "model/QuestionnaireLoading.h"
#include "platform/AppServices.h"
#include "platform/WaveCmdLineInfo.h"
#include "platform/WindowServices.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/InheritedMatchingChecks.h"
#include "reconcile/LanguageReconciliation.h"
#include "reconcile/QuestionMatching.h"
#include "reconcile/ReconcileRun.h"
#include "reconcile/ReconciliationReport.h"
#include "reconcile/ResponseMatching.h"
#include "res/StringIds.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QStringList>

namespace pelko_wave {

namespace {

constexpr int PROGRESS_RANGE = 10000;
constexpr int PROGRESS_LOAD = 1500;
constexpr int PROGRESS_QUESTIONS = 1500;
constexpr int PROGRESS_RESPONSES = 7000;

// The method names of a list, lower-cased, joined by ", ".
QString MethodNamesText(const QList<quint32>& methods, QString (*name)(quint32))
{
    QStringList names;
    for (const quint32 method : methods)
        names.append(name(method).toLower());
    return names.join(QStringLiteral(", "));
}

void WriteVolumeHeader(QString& report, const CVolume& volume, int position, int volumeCount)
{
    AppendReportLine(
        report, ReportClass::Title,
        FormatReportText(IDS_RECONCILING_VOLUME, position + 1, volumeCount, volume.GetName()));
    AppendReportLine(report, ReportClass::Heading1, LoadString(IDS_MATCHING_OPTIONS));
    AppendReportLine(
        report, ReportClass::Line2,
        LoadString(volume.IsMatchingStrict() ? IDS_MATCHING_STRICTLY : IDS_NOT_MATCHING_STRICTLY));
    AppendReportLine(
        report, ReportClass::Line2,
        LoadString(volume.GetCaseSensitiveMatching() ? IDS_CASE_SENSITIVE : IDS_CASE_INSENSITIVE));
    AppendReportLine(report, ReportClass::Line2,
                     LoadString(volume.GetMatchUsingAncestorValues() ? IDS_PARENT_VALUES
                                                                     : IDS_NO_PARENT_VALUES));
    AppendReportLine(
        report, ReportClass::Line2,
        FormatReportText(IDS_QUESTION_METHODS, MethodNamesText(volume.GetQuestionMatchingMethods(),
                                                               GetQuestionMatchingMethodName)));
    AppendReportLine(
        report, ReportClass::Line2,
        FormatReportText(IDS_RESPONSE_METHODS, MethodNamesText(volume.GetResponseMatchingMethods(),
                                                               GetResponseMatchingMethodName)));
}

// The link question of a later volume of the wave names a source code of the wave's first
// volume (negated until it is resolved): it becomes the campaign question matched to that code.
void ResolveLinkQuestion(const CWave& wave, CVolume& volume)
{
    const int link = volume.GetMainVolumeLinkQuestionId();
    if (link >= 0)
        return;
    const CVolume* first = wave.GetVolume(0);
    int questionId = -1;
    if (!first->FindQuestionIdBySource(first->GetVolumeId(), QString::number(-qint64(link)),
                                       questionId, true))
        questionId = -1;
    volume.SetMainVolumeLinkQuestionId(questionId);
}

// What goes in front of the report's lines: the document head, the run's date and whether
// caption libraries were used.
QString MakeReportFront(bool useCaptionLibraries)
{
    QString front = GetReconciliationReportHead();
    const QString runDate = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    AppendReportText(front, ReportClass::Title, IDS_RECONCILIATION_RUN, runDate);
    AppendReportLine(
        front, ReportClass::Line1,
        LoadString(useCaptionLibraries ? IDS_USING_LIBRARIES : IDS_NOT_USING_LIBRARIES));
    return front;
}

// The first wave's first volume gives the campaign its default language.
void TakeDefaultLanguage(CCampaign& campaign, const qnr::CQuestionnaire& questionnaire,
                         SReconcileResults& results)
{
    results.PreviousDefaultLanguageId = campaign.GetDefaultLanguageId();
    for (int i = 0; i < campaign.GetLanguageCount(); ++i)
        if (campaign.GetLanguage(i)->IsDefault())
            results.PreviousDefaultLanguages.insert(campaign.GetLanguage(i)->GetLanguageId());
    results.DefaultLanguageChanged = true;

    const int languageId = questionnaire.GetDefaultLanguageId();
    campaign.SetDefaultLanguageId(languageId);
    for (int i = 0; i < campaign.GetLanguageCount(); ++i) {
        CLanguage* language = campaign.GetLanguage(i);
        language->SetIsDefault(language->GetLanguageId() == languageId ? 1 : 0);
    }
}

// One selected volume: its header and record, its questionnaire and languages, its questions and
// responses, the new campaign questions and its status.
void ReconcileVolume(SReconcileRun& run, CVolume& volume, int position, int volumeCount,
                     int selectedCount, ReconcileResultsMap& results, bool reconcileUnmatchedOnly)
{
    CCampaign& campaign = *run.Campaign;
    const CWave& wave = *run.Wave;
    const int waveId = wave.GetWaveId();

    if (run.ReportFlag)
        WriteVolumeHeader(*run.Report, volume, position, volumeCount);

    auto record = std::make_unique<SReconcileResults>();
    SReconcileResults& volumeResults = *record;
    results[volume.GetVolumeId()] = std::move(record);
    run.Results = &volumeResults;
    volumeResults.VolumeId = volume.GetVolumeId();
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        const CQuestion* question = campaign.GetQuestion(i);
        volumeResults.QuestionOrders.insert(question->GetQuestionId(), question->GetOrder());
    }
    volumeResults.PreviousMainVolumeLinkQuestionId = volume.GetMainVolumeLinkQuestionId();
    volumeResults.PreviousStatus = volume.GetStatus();
    volumeResults.PreviousQuestionIndex = volume.GetQuestionIndex();

    const bool loaded = EnsureVolumeQuestionnaire(volume);
    run.Advance(PROGRESS_LOAD / selectedCount);
    if (!loaded) {
        const QString text =
            FormatString(LoadString(IDS_SOURCE_UNREADABLE),
                         {GetDisplayedSourceText(volume.GetMetaData()), volume.GetName()});
        if (!run.CommandLine) {
            GetWindowServices().MessageBox(text, MB_OK | MB_ICONERROR);
            throw CReconcileStop(text);
        }
        run.Fail(FormatReportText(IDS_SOURCE_UNREADABLE,
                                  GetDisplayedSourceText(volume.GetMetaData()), volume.GetName()));
    }
    const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();

    ReconcileLanguages(campaign, questionnaire, waveId);

    if (position > 0)
        ResolveLinkQuestion(wave, volume);

    SQuestionMatchingOptions matchingOptions;
    matchingOptions.ReconcileUnmatchedOnly = reconcileUnmatchedOnly;
    matchingOptions.ReportFlag = run.ReportFlag;
    matchingOptions.TextScan = run.TextScan;
    // The lines go straight into the run's report (none without the report flag).
    MatchVolumeQuestions(*run.Report, volume, waveId, campaign, matchingOptions);

    const CQuestionIndex& index = volume.GetQuestionIndex();
    if (run.CommandLine && !run.IgnoreUnmatchedQuestions() && !index.UnmatchedQuestions.isEmpty())
        run.Fail(IDS_UNMATCHED_QUESTIONS_STOP);
    run.Advance(PROGRESS_QUESTIONS / selectedCount);

    const int total = PROGRESS_RESPONSES / selectedCount;
    int items = int(index.NewMatchings.size());
    run.PerItemStep = items > 0 ? total / items : 0;

    ReconcileVersions(campaign, questionnaire, &volumeResults.AddedVersions,
                      &volumeResults.OldVersionLongCaptions,
                      &volumeResults.OldVersionShortCaptions);
    ReconcileQuestionClasses(campaign, questionnaire, &volumeResults.AddedQuestionClasses,
                             &volumeResults.OldQuestionClassCaptions);
    AddQuestionnaireLanguages(campaign, questionnaire, &volumeResults.AddedLanguages);

    if (!reconcileUnmatchedOnly && !volume.IsRoot() && volume.GetParent())
        ApplyInheritedMatchings(run, *volume.GetParent(), volume, items, total);

    ApplyQuestionMatchings(run, volume);
    AddNewCampaignQuestions(run, volume);

    volumeResults.QuestionCount = campaign.GetQuestionCount();
    volumeResults.ModalityCount = campaign.GetModalityCount();

    if (campaign.GetWaveCount() == 1 && position == 0)
        TakeDefaultLanguage(campaign, questionnaire, volumeResults);

    volume.SetStatus(VOLUME_RECONCILED);
}

} // namespace

bool IsReconciliationReportWanted(bool interactive)
{
    if (!interactive)
        return true;
    const IWaveApp* app = GetWaveApp();
    return app && app->GetViewSettings().GetCreateReconciliationReport() != 0;
}

bool ReconcileWave(int waveId, ReconcileResultsMap& results, QString& report,
                   const SReconcileWaveOptions& options)
{
    const bool interactive = options.Interactive;
    const bool reconcileUnmatchedOnly = options.ReconcileUnmatchedOnly;
    report.clear();
    IWaveApp* app = GetWaveApp();
    CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    CWave* wave = campaign ? campaign->FindWave(waveId) : nullptr;
    if (!wave)
        return false;

    std::unique_ptr<IProgressWindow> progress;
    if (interactive)
        progress = GetWindowServices().CreateProgressDlg(
            LoadString(IDS_PROGRESS_CAPTION), LoadString(IDS_PROGRESS_TEXT), PROGRESS_RANGE);

    SReconcileRun run;
    run.Campaign = campaign;
    run.Wave = wave;
    run.Report = &report;
    run.ReportFlag = IsReconciliationReportWanted(interactive);
    run.CommandLine = !interactive;
    run.Switches = interactive ? nullptr : &app->GetCmdLineInfo();
    run.UseCaptionLibraries = options.UseCaptionLibraries;
    run.KeepSourceCodes = options.KeepSourceCodes;
    run.TextScan = options.TextScan;
    run.Progress = progress.get();
    if (run.ReportFlag) {
        // The front is written again once the run is done (with the date then); made now, it
        // keeps its room, so that the lines are written in order and never moved.
        report = MakeReportFront(options.UseCaptionLibraries);
        run.LinesStart = report.size();
    }

    const auto isSelected = [reconcileUnmatchedOnly](const CVolume& volume) {
        return reconcileUnmatchedOnly ? volume.GetStatus() == VOLUME_RECONCILED
                                      : volume.GetStatus() == VOLUME_UNRECONCILED;
    };
    const int volumeCount = wave->GetVolumeCount();
    int selectedCount = 0;
    for (int i = 0; i < volumeCount; ++i)
        if (isSelected(*wave->GetVolume(i)))
            ++selectedCount;

    if (run.CommandLine)
        AppendReportLine(
            report, ReportClass::Title,
            FormatReportText(IDS_COMMAND_LINE, QCoreApplication::arguments().join(u' ')));

    bool result = true;
    try {
        for (int i = 0; i < volumeCount; ++i) {
            CVolume& volume = *wave->GetVolume(i);
            if (!isSelected(volume)) {
                if (run.ReportFlag)
                    AppendReportLine(report, ReportClass::Title,
                                     FormatReportText(reconcileUnmatchedOnly
                                                          ? IDS_SKIPPING_UNREACHED_VOLUME
                                                          : IDS_SKIPPING_VOLUME,
                                                      i + 1, volumeCount, volume.GetName()));
                continue;
            }
            ReconcileVolume(run, volume, i, volumeCount, selectedCount, results,
                            reconcileUnmatchedOnly);
        }
    } catch (const CReconcileStop&) {
        result = false;
    }

    if (progress) {
        progress->SetPosToLast();
        progress.reset();
        PumpMessages();
    }

    if (run.ReportFlag) {
        report.replace(0, run.LinesStart, MakeReportFront(options.UseCaptionLibraries));
        report += GetReportFooter();
    } else {
        report.clear();
    }
    return result;
}

} // namespace pelko_wave
