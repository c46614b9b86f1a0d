#pragma once

#include "platform/FormatString.h"
#include "res/StringTable.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <algorithm>

// The HTML report of a wave reconciliation: its frame, its paragraph classes and lines, the
// window that shows it, the file a command-line run writes it to, and the smaller report of
// open and numeric question pairs shown after a reconciliation. Every text taken from the
// campaign or a source (captions, names, shortcuts, paths) is HTML-escaped before it goes into
// a report, so it shows as typed.

namespace pelko_wave {

class CCampaign;
class CQuestion;
class CVolume;
class CWave;

// The class lists of the report's paragraphs.
namespace ReportClass {
inline constexpr char Title[] = "indent0 fontBold color0";
inline constexpr char Failure[] = "indent0 fontBold color_red_lgrey";
inline constexpr char Section[] = "indent0 color0";
inline constexpr char SectionFont[] = "indent0 font color0";
inline constexpr char Heading1[] = "indent1 font color0";
inline constexpr char Line1[] = "indent1 font color1";
inline constexpr char Line1Alt[] = "indent1 font color2";
inline constexpr char Section1[] = "indent1 color0";
inline constexpr char Line2[] = "indent2 font color1";
inline constexpr char Line2Alt[] = "indent2 font color2";
inline constexpr char Line3[] = "indent3 font color1";
} // namespace ReportClass

// The document head of a reconciliation report, up to and including "<body>".
QString GetReconciliationReportHead();
// The document head of the smaller reports (open and numeric pairs, source files, validation),
// up to and including "<body>": the paragraph classes font, indent1 to indent3, color0 (blue),
// color1 (black), with the flag color2 (red), and bgcolor0 to bgcolor3 (greys to white).
QString GetListReportHead(bool withRed);
// "</body>\n</html>\n".
QString GetReportFooter();
// One paragraph: the self-closing paragraph tag with its classes, then the text and a line end.
QString MakeReportLine(const char* classes, const QString& text);
void AppendReportLine(QString& report, const char* classes, const QString& text);
// A text argument of a report line, HTML-escaped; numbers pass unchanged.
inline QVariant ReportArg(const QString& text)
{
    const bool plain = std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        return c == u'<' || c == u'>' || c == u'&' || c == u'"';
    });
    return plain ? text : text.toHtmlEscaped();
}
inline QVariant ReportArg(int value)
{
    return value;
}
inline QVariant ReportArg(double value)
{
    return value;
}
// The string-table text of the id formatted with the arguments; text arguments are
// HTML-escaped, numbers are written in the C locale.
template <typename... Args> QString FormatReportText(unsigned stringId, const Args&... args)
{
    return FormatString(LoadString(stringId), {ReportArg(args)...});
}
// AppendReportLine with that text, formatted straight into the report.
void AppendReportLineStart(QString& report, const char* classes);
template <typename... Args>
void AppendReportText(QString& report, const char* classes, unsigned stringId, const Args&... args)
{
    AppendReportLineStart(report, classes);
    AppendFormatted(report, LoadString(stringId), {ReportArg(args)...});
    report += u'\n';
}

// Shows the report in a modeless report window titled after the wave.
void ShowReconciliationReport(const CWave& wave, const QString& report);

// Where a command-line run writes the report of the wave: the output path given on the command
// line, or beside the campaign file as "<campaign>_<wave>_<n>.html" with the first n whose file
// does not exist yet.
QString GetReconciliationReportPath(const QString& waveName);

// Writes the text to the file as UTF-8, whole, replacing the file only once the new text is
// written in full. A file that cannot be written is reported to the user and left as it was;
// returns whether the file was written.
bool WriteTextFile(const QString& text, const QString& path);

// A numeric campaign question that a volume did not match, beside an open campaign question
// with the same shortcut that appeared new in that volume: the open question is possibly the
// numeric one read as text.
struct SOpenNumericPair
{
    CQuestion* Numeric = nullptr;
    CQuestion* Open = nullptr;
    CVolume* Volume = nullptr;
};

// Fills the pairs of every volume of the wave (the list is emptied first).
void FindOpenNumericEquivalents(const CCampaign& campaign, const CWave& wave,
                                QList<SOpenNumericPair>& pairs);
// The HTML document listing the pairs.
QString BuildOpenNumericPairsReport(const QList<SOpenNumericPair>& pairs);
// Shows that document in a modeless report window.
void ShowOpenNumericPairsReport(const CCampaign& campaign, const CWave& wave,
                                const QList<SOpenNumericPair>& pairs);

} // namespace pelko_wave
