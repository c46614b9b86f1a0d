#include "reconcile/ReconciliationReport.h"

#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "platform/WaveCmdLineInfo.h"
#include "platform/WindowServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace pelko_wave {

namespace {

constexpr int OPEN_QUESTION = 4;
constexpr int NUMERIC_QUESTION = 5;

// The first lines shared by both report heads.
QString ReportHeadStart()
{
    return QStringLiteral("<html>\n<head>\n<title></title>\n"
                          "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                          "charset=UTF-8\"/>\n<style type=\"text/css\">\n");
}

QString ReportHeadEnd()
{
    return QStringLiteral("</style>\n</head>\n<body>\n");
}

void AppendStyleRule(QString& head, const QString& rule)
{
    head += u'\t';
    head += rule;
    head += u'\n';
}

QString ResolveCampaignFilePath()
{
    IWaveApp* app = GetWaveApp();
    if (!app)
        return QString();
    const QString storagePath = app->GetCampaignFilePath();
    return storagePath.isEmpty() ? app->GetCampaignPath() : storagePath;
}

// A wave or campaign name used inside a file name: path separators would name another folder.
QString FileNamePart(QString text)
{
    text.replace(u'/', u'_');
    text.replace(u'\\', u'_');
    return text;
}

} // namespace

QString GetReconciliationReportHead()
{
    QString head = ReportHeadStart();
    AppendStyleRule(head, QStringLiteral("p.font {margin-top: 2; font-family: tahoma; "
                                         "font-size: 12}"));
    AppendStyleRule(head, QStringLiteral("p.fontBold {margin-top: 2; font-family: tahoma; "
                                         "font-size: 12; font-weight: bold}"));
    for (int n = 0; n <= 4; ++n)
        AppendStyleRule(head, QStringLiteral("p.indent%1 {margin-top: 2; margin-left: %1em; "
                                             "font-family: tahoma; font-size: 12}")
                                  .arg(n));
    AppendStyleRule(head,
                    QStringLiteral("p.color0 {color: blue; background-color: rgb(220,220,220)}"));
    AppendStyleRule(head,
                    QStringLiteral("p.color1 {color: black; background-color: rgb(240,240,240)}"));
    AppendStyleRule(head,
                    QStringLiteral("p.color2 {color: black; background-color: rgb(250,250,250)}"));
    AppendStyleRule(head,
                    QStringLiteral("p.color3 {color: black; background-color: rgb(230,230,230)}"));
    AppendStyleRule(
        head, QStringLiteral("p.color_red_lgrey {color: red; background-color: rgb(220,220,220)}"));
    AppendStyleRule(
        head, QStringLiteral("p.color_red_grey {color: red; background-color: rgb(240,240,240)}"));
    AppendStyleRule(
        head, QStringLiteral("p.color_red_dgrey {color: red; background-color: rgb(250,250,250)}"));
    head += ReportHeadEnd();
    return head;
}

QString GetListReportHead(bool withRed)
{
    QString head = ReportHeadStart();
    AppendStyleRule(head,
                    QStringLiteral("p.font {margin-top: 2; font-family: tahoma; font-size: 12}"));
    for (int n = 1; n <= 3; ++n)
        AppendStyleRule(head,
                        QStringLiteral("p.indent%1 {margin-top: 2; margin-left: %1em}").arg(n));
    AppendStyleRule(head, QStringLiteral("p.color0 {color: blue}"));
    AppendStyleRule(head, QStringLiteral("p.color1 {color: black}"));
    if (withRed)
        AppendStyleRule(head, QStringLiteral("p.color2 {color: red}"));
    AppendStyleRule(head, QStringLiteral("p.bgcolor0 {background-color: rgb(220,220,220)}"));
    AppendStyleRule(head, QStringLiteral("p.bgcolor1 {background-color: rgb(240,240,240)}"));
    AppendStyleRule(head, QStringLiteral("p.bgcolor2 {background-color: rgb(250,250,250)}"));
    AppendStyleRule(head, QStringLiteral("p.bgcolor3 {background-color: rgb(255,255,255)}"));
    head += ReportHeadEnd();
    return head;
}

QString GetReportFooter()
{
    return QStringLiteral("</body>\n</html>\n");
}

QString MakeReportLine(const char* classes, const QString& text)
{
    QString line;
    AppendReportLine(line, classes, text);
    return line;
}

void AppendReportLineStart(QString& report, const char* classes)
{
    report += QLatin1String("<p class = \"");
    report += QLatin1String(classes);
    report += QLatin1String("\"/>\n");
}

void AppendReportLine(QString& report, const char* classes, const QString& text)
{
    AppendReportLineStart(report, classes);
    report += text;
    report += u'\n';
}

void ShowReconciliationReport(const CWave& wave, const QString& report)
{
    GetWindowServices().ShowReport(
        FormatString(LoadString(IDS_RECONCILIATION_REPORT_TITLE), {wave.GetName()}),
        REPORT_RECONCILIATION, report);
}

QString GetReconciliationReportPath(const QString& waveName)
{
    const QString campaignFile = ResolveCampaignFilePath();
    const QString campaignFolder =
        campaignFile.isEmpty() ? QString() : QFileInfo(campaignFile).absolutePath();

    IWaveApp* app = GetWaveApp();
    const QString output = app ? app->GetCmdLineInfo().GetOutput() : QString();
    if (!output.isEmpty()) {
        const QFileInfo outputInfo(output);
        QString folder = output.contains(u'/') ? outputInfo.path() : QString();
        const QString name = outputInfo.fileName();
        bool given = true;
        if (folder.isEmpty())
            folder = campaignFolder;
        else if (!QFileInfo(folder).isDir())
            given = false;
        if (given && !folder.isEmpty() && !name.isEmpty())
            return QDir(folder).filePath(name);
    }

    QString base = app ? app->GetCampaign() ? app->GetCampaign()->GetName() : QString() : QString();
    if (base.isEmpty())
        base = QFileInfo(campaignFile).completeBaseName();
    const QDir folder(campaignFolder.isEmpty() ? QStringLiteral(".") : campaignFolder);
    for (int n = 1;; ++n) {
        const QString candidate = folder.filePath(FormatString(
            QStringLiteral("%s_%s_%d.html"), {FileNamePart(base), FileNamePart(waveName), n}));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

bool WriteTextFile(const QString& text, const QString& path)
{
    // Written beside the file and put in its place whole: a file that cannot be replaced stays
    // as it was.
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    const QString reason = file.errorString();
    file.cancelWriting();
    GetWindowServices().MessageBox(QDir::toNativeSeparators(path) + u'\n' + reason,
                                   MB_OK | MB_ICONERROR);
    return false;
}

void FindOpenNumericEquivalents(const CCampaign& campaign, const CWave& wave,
                                QList<SOpenNumericPair>& pairs)
{
    pairs.clear();
    for (int v = 0; v < wave.GetVolumeCount(); ++v) {
        CVolume* volume = wave.GetVolume(v);
        const int volumeId = volume->GetVolumeId();
        // The open questions new in the volume, by shortcut ignoring case, in campaign order.
        QHash<QString, QList<CQuestion*>> openByShortcut;
        for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
            CQuestion* r = campaign.GetQuestion(i);
            if (r->GetAppearanceVolumeId() == volumeId && r->GetQuestionType() == OPEN_QUESTION)
                openByShortcut[r->GetShortcut().toCaseFolded()].append(r);
        }
        if (openByShortcut.isEmpty())
            continue;
        for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
            CQuestion* q = campaign.GetQuestion(i);
            if (campaign.IsReservedQuestion(q) || q->GetAppearanceVolumeId() == volumeId ||
                q->GetQuestionType() != NUMERIC_QUESTION)
                continue;
            const int deletion = q->GetDeletionWaveId();
            if (deletion == wave.GetWaveId() || IsWaveBefore(&campaign, deletion, wave.GetWaveId()))
                continue;
            if (volume->FindQuestionMatchingInherited(q->GetQuestionId(), volumeId))
                continue;
            const auto open = openByShortcut.constFind(q->GetShortcut().toCaseFolded());
            if (open == openByShortcut.constEnd())
                continue;
            for (CQuestion* r : *open)
                pairs.append({q, r, volume});
        }
    }
}

QString BuildOpenNumericPairsReport(const QList<SOpenNumericPair>& pairs)
{
    QString html = GetListReportHead(false);

    const unsigned countText = pairs.size() == 1 ? IDS_OPEN_NUMERIC_ONE : IDS_OPEN_NUMERIC_MANY;
    AppendReportLine(html, "font color0 bgcolor0", FormatReportText(countText, int(pairs.size())));
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        const SOpenNumericPair& pair = pairs[i];
        const char* classes =
            i % 2 == 0 ? "font indent1 color1 bgcolor1" : "font indent1 color1 bgcolor2";
        AppendReportLine(html, classes,
                         FormatReportText(IDS_OPEN_NUMERIC_NUMERIC, pair.Numeric->GetShortcut(),
                                          pair.Numeric->GetQuestionId()));
        AppendReportLine(html, classes,
                         FormatReportText(IDS_OPEN_NUMERIC_OPEN, pair.Open->GetShortcut(),
                                          pair.Open->GetQuestionId(), pair.Volume->GetName()));
    }
    html += GetReportFooter();
    return html;
}

void ShowOpenNumericPairsReport(const CCampaign&, const CWave&,
                                const QList<SOpenNumericPair>& pairs)
{
    GetWindowServices().ShowReport(LoadString(IDS_OPEN_NUMERIC_TITLE), REPORT_OPEN_NUMERIC,
                                   BuildOpenNumericPairsReport(pairs));
}

} // namespace pelko_wave
