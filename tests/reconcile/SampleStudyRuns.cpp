#include "SampleStudyRuns.h"

#include "EngineFixtures.h"

#include "app/WaveApp.h"
#include "model/Campaign.h"
#include "model/CaptionLibrary.h"
#include "model/OptionRecords.h"
#include "platform/AppServices.h"
#include "reconcile/WaveReconciliation.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>

using namespace pelko_wave;

namespace sample_study {

namespace {

QString SamplePath(const QString& file)
{
    return QDir(QStringLiteral(PLIM_SOURCE_DIR "/samples")).filePath(file);
}

// The report lines of one volume: from its header to the next volume's.
QStringList VolumeSection(const QString& report, const QString& volumeName)
{
    const QStringList lines = engine_test::ReportLines(report);
    QStringList section;
    bool inside = false;
    for (const QString& line : lines) {
        const bool header =
            line.startsWith(QStringLiteral("indent0 fontBold color0|Reconciling")) ||
            line.startsWith(QStringLiteral("indent0 fontBold color0|Skipping"));
        if (header)
            inside = line.endsWith(QStringLiteral("\"%1\"").arg(volumeName));
        else if (inside)
            section.append(line);
    }
    return section;
}

// Per method name, the matchings made, from the lines of the question ("question") or the
// response ("response") sections, in the order the methods first appear.
QString MethodCounts(const QStringList& section, const QString& kind)
{
    static const QRegularExpression attempt(QStringLiteral(
        "\\|Attempting to match (\\w+)s using matching method(?:\\(s\\):)? (.*)\\.\\.\\.$"));
    static const QRegularExpression made(
        QStringLiteral("\\|(\\d+) new (\\w+) matchings were made using th"));
    QStringList order;
    QMap<QString, int> counts;
    QString method;
    for (const QString& line : section) {
        const QRegularExpressionMatch a = attempt.match(line);
        if (a.hasMatch()) {
            method = a.captured(1) == kind ? a.captured(2) : QString();
            if (!method.isEmpty() && !order.contains(method))
                order.append(method);
            continue;
        }
        const QRegularExpressionMatch m = made.match(line);
        if (m.hasMatch() && !method.isEmpty() && m.captured(2) == kind)
            counts[method] += m.captured(1).toInt();
    }
    QStringList parts;
    for (const QString& name : order)
        parts.append(QStringLiteral("%1 %2").arg(name).arg(counts.value(name)));
    return parts.join(QStringLiteral(", "));
}

QString JoinSet(const std::set<QString>& codes)
{
    QStringList list(codes.begin(), codes.end());
    std::sort(list.begin(), list.end(),
              [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    return list.join(u' ');
}

} // namespace

void AddSampleWave(CCampaign& campaign, int waveId, int firstVolumeId,
                   const QList<SSampleVolume>& volumes)
{
    CWave* wave = engine_test::AddWave(campaign, waveId);
    int volumeId = firstVolumeId;
    for (const SSampleVolume& setup : volumes) {
        auto volume = std::make_unique<CVolume>();
        volume->SetVolumeId(volumeId);
        volume->SetName(QStringLiteral("V%1").arg(volumeId));
        volume->SetWaveId(waveId);
        volume->SetInheritsFromVolumeId(setup.ParentId < 0 ? volumeId : setup.ParentId);
        volume->SetSourceType(setup.SourceType);
        volume->SetQuestionMatchingMethods(setup.QuestionMethods);
        volume->SetResponseMatchingMethods(setup.ResponseMethods);
        volume->SetIsMatchingStrict(setup.Strict ? 1 : 0);
        volume->SetCaseSensitiveMatching(setup.CaseSensitive ? 1 : 0);
        volume->SetMatchUsingAncestorValues(setup.ParentValues ? 1 : 0);
        CSourcePath source;
        source.SourceFilePathFormat = PATH_ABSOLUTE;
        source.SourceString = SamplePath(setup.File);
        volume->SetMetaData(source);
        CVolume* raw = volume.get();
        wave->AddVolume(std::move(volume));
        if (setup.ParentId >= 0) {
            CVolume* parent = campaign.FindVolume(setup.ParentId);
            raw->SetParent(parent);
            parent->AddChildVolume(raw);
        }
        ++volumeId;
    }
}

void AddIncomeCaptionLibrary(CWaveApp& app)
{
    auto* group = new CResponseCaptionGroup(QStringLiteral("Under 20,000"));
    for (const char* text : {"Under 20,000", "Under 30,000"})
        group->AddCaption(std::make_unique<CResponseCaption>(QString::fromUtf8(text), group));
    group->SetBaseLabelId(group->GetCaptionAt(0)->GetGuid());
    auto* library = new CResponseLibrary(QStringLiteral("Incomes"));
    library->AddGroup(group);
    app.GetCaptionGroupsToEdit().append(group);
    app.GetCaptionLibrariesToEdit().append(library);
}

SRun ReconcileSampleWave(int waveId, bool interactive, bool useCaptionLibraries)
{
    SRun run;
    run.Result =
        ReconcileWave(waveId, run.Results, run.Report,
                      {.UseCaptionLibraries = useCaptionLibraries, .Interactive = interactive});
    run.Languages =
        QStringLiteral("%1/%2").arg(GetCurrentLanguageId()).arg(GetCurrentQuestionnaireLanguage());
    return run;
}

QString SummariseVolume(const SRun& run, int volumeId)
{
    const CCampaign& campaign = *GetWaveApp()->GetCampaign();
    const CVolume& volume = *campaign.FindVolume(volumeId);
    const QStringList section = VolumeSection(run.Report, volume.GetName());
    QStringList lines;
    lines << QStringLiteral("languages: %1").arg(run.Languages);
    lines << QStringLiteral("questions: %1").arg(MethodCounts(section, QStringLiteral("question")));
    lines << QStringLiteral("responses: %1").arg(MethodCounts(section, QStringLiteral("response")));

    QStringList broken;
    if (!volume.GetQuestionIndex().BrokenInherited.empty())
        broken << JoinSet(volume.GetQuestionIndex().BrokenInherited);
    std::set<int> matched;
    volume.CollectMatchedQuestionIds(volumeId, matched);
    for (const int id : matched) {
        const CQuestion* question = campaign.GetQuestionById(id);
        if (question && !question->GetResponseIndex().BrokenInherited.empty())
            broken << QStringLiteral("%1: %2").arg(
                question->GetShortcut(), JoinSet(question->GetResponseIndex().BrokenInherited));
    }
    lines << QStringLiteral("broken: %1").arg(broken.join(QStringLiteral("; ")));

    QStringList unmatched;
    for (const int id : volume.GetQuestionIndex().UnmatchedQuestions)
        unmatched
            << QStringLiteral("%1(%2)").arg(campaign.GetQuestionById(id)->GetShortcut()).arg(id);
    lines << QStringLiteral("unmatched: %1").arg(unmatched.join(u' '));

    const auto found = run.Results.find(volumeId);
    QStringList newQuestions;
    QStringList newResponses;
    if (found != run.Results.end()) {
        const SReconcileResults& results = *found->second;
        std::set<int> createdIds;
        for (const CQuestion* question : results.CreatedQuestions) {
            createdIds.insert(question->GetQuestionId());
            newQuestions << QStringLiteral("%1 id %2 order %3")
                                .arg(question->GetShortcut())
                                .arg(question->GetQuestionId())
                                .arg(question->GetOrder());
        }
        for (const CModality* response : results.CreatedModalities) {
            if (createdIds.count(response->GetQuestionId()))
                continue;
            const CQuestion* question = campaign.GetQuestionById(response->GetQuestionId());
            newResponses << QStringLiteral("%1 \"%2\" id %3 order %4")
                                .arg(question->GetShortcut(),
                                     response->GetShortCaption(campaign.GetDefaultLanguageId()))
                                .arg(response->GetModalityId())
                                .arg(response->GetModalityOrder());
        }
    }
    lines << QStringLiteral("new questions: %1").arg(newQuestions.join(QStringLiteral(", ")));
    lines << QStringLiteral("new responses: %1").arg(newResponses.join(QStringLiteral(", ")));
    return lines.join(u'\n');
}

QString MaskReport(const QString& report)
{
    QString masked = report;
    static const QRegularExpression runDate(QStringLiteral("(\nReconciliation run )[^\n]*"));
    static const QRegularExpression commandLine(QStringLiteral("(\nCommand line: )[^\n]*"));
    masked.replace(runDate, QStringLiteral("\\1<date>"));
    masked.replace(commandLine, QStringLiteral("\\1<command line>"));
    return masked;
}

::testing::AssertionResult MatchesGolden(const QString& report, const QString& goldenName)
{
    const QString path = QDir(QStringLiteral(PLIM_TEST_DATA_DIR)).filePath(goldenName);
    const QByteArray actual = MaskReport(report).toUtf8();
    if (qEnvironmentVariableIsSet("PLIM_UPDATE_GOLDENS")) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(actual) != actual.size())
            return ::testing::AssertionFailure() << "cannot write " << path.toStdString();
        return ::testing::AssertionSuccess();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ::testing::AssertionFailure() << "no golden file " << path.toStdString();
    const QList<QByteArray> expected = file.readAll().split('\n');
    const QList<QByteArray> lines = actual.split('\n');
    for (qsizetype i = 0; i < std::max(expected.size(), lines.size()); ++i) {
        const QByteArray a = lines.value(i);
        const QByteArray e = expected.value(i);
        if (a != e)
            return ::testing::AssertionFailure()
                   << goldenName.toStdString() << " line " << i + 1
                   << ":\n  actual:   " << a.toStdString() << "\n  expected: " << e.toStdString();
    }
    return ::testing::AssertionSuccess();
}

} // namespace sample_study
