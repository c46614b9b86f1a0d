#include "guide/UserGuide.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace user_guide {

namespace {

QString Escape(const QString& text)
{
    return text.toHtmlEscaped();
}

// A line of prose: escaped, with `code` spans; a lone backquote stays as it is.
QString Inline(const QString& text)
{
    QString html;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('`'), at);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('`'), open + 1);
        if (close < 0) {
            html += Escape(text.mid(at));
            break;
        }
        html += Escape(text.mid(at, open - at));
        html += QStringLiteral("<code>") + Escape(text.mid(open + 1, close - open - 1)) +
                QStringLiteral("</code>");
        at = close + 1;
    }
    return html;
}

// The anchor of a heading: its words in lower case joined by "-".
QString Anchor(const QString& heading)
{
    QString anchor;
    for (const QChar ch : heading.toLower()) {
        if (ch.isLetterOrNumber())
            anchor += ch;
        else if (!anchor.isEmpty() && !anchor.endsWith(QLatin1Char('-')))
            anchor += QLatin1Char('-');
    }
    while (anchor.endsWith(QLatin1Char('-')))
        anchor.chop(1);
    return anchor;
}

// The cells of a table row "| a | b |": split at the bars outside `code` spans.
QStringList Cells(const QString& row)
{
    QString line = row.trimmed();
    if (line.startsWith(QLatin1Char('|')))
        line.remove(0, 1);
    if (line.endsWith(QLatin1Char('|')))
        line.chop(1);
    QStringList cells;
    QString cell;
    bool code = false;
    for (const QChar ch : line) {
        if (ch == QLatin1Char('`'))
            code = !code;
        if (ch == QLatin1Char('|') && !code) {
            cells << cell.trimmed();
            cell.clear();
        } else {
            cell += ch;
        }
    }
    cells << cell.trimmed();
    return cells;
}

bool IsTableSeparator(const QString& line)
{
    static const QRegularExpression separator(
        QStringLiteral("^\\s*\\|?(\\s*:?-+:?\\s*\\|)+\\s*(:?-+:?\\s*)?$"));
    return separator.match(line).hasMatch();
}

bool IsIndentedCode(const QString& line)
{
    return line.startsWith(QStringLiteral("    ")) || line.startsWith(QLatin1Char('\t'));
}

struct SHeading
{
    int Level = 0;
    QString Text;
};

std::optional<SHeading> Heading(const QString& line)
{
    static const QRegularExpression heading(QStringLiteral("^(#{1,6})\\s+(.*?)\\s*#*\\s*$"));
    const QRegularExpressionMatch match = heading.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    return SHeading{int(match.capturedLength(1)), match.captured(2)};
}

// The README's lines for users: the stretches for developers left out, line ends as "\n".
QStringList UserLines(const QString& markdown)
{
    QStringList kept;
    bool leftOut = false;
    for (QString line : markdown.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed == QStringView(kLeaveOut)) {
            leftOut = true;
            continue;
        }
        if (trimmed == QStringView(kTakeUp)) {
            leftOut = false;
            continue;
        }
        if (!leftOut)
            kept << line;
    }
    return kept;
}

// Builds the page's body block by block.
class CGuideWriter
{
public:
    void Write(const QStringList& lines)
    {
        qsizetype i = 0;
        const qsizetype count = lines.size();
        while (i < count) {
            const QString& line = lines[i];
            const QString trimmed = line.trimmed();
            if (trimmed.isEmpty()) {
                ++i;
                continue;
            }
            if (trimmed.startsWith(QStringLiteral("```"))) {
                QStringList code;
                for (++i; i < count && !lines[i].trimmed().startsWith(QStringLiteral("```")); ++i)
                    code << lines[i];
                ++i; // the closing fence
                Code(code);
                continue;
            }
            if (const std::optional<SHeading> heading = Heading(line)) {
                AddHeading(*heading);
                ++i;
                continue;
            }
            if (trimmed.startsWith(QLatin1Char('|')) && i + 1 < count &&
                IsTableSeparator(lines[i + 1])) {
                QList<QStringList> rows{Cells(line)};
                for (i += 2; i < count && lines[i].trimmed().startsWith(QLatin1Char('|')); ++i)
                    rows << Cells(lines[i]);
                Table(rows);
                continue;
            }
            if (IsIndentedCode(line)) {
                QStringList code;
                while (i < count && (IsIndentedCode(lines[i]) || lines[i].trimmed().isEmpty())) {
                    code << lines[i].mid(lines[i].startsWith(QLatin1Char('\t')) ? 1 : 4);
                    ++i;
                }
                while (!code.isEmpty() && code.last().trimmed().isEmpty())
                    code.removeLast();
                Code(code);
                continue;
            }
            if (trimmed.startsWith(QStringLiteral("- "))) {
                QStringList items;
                while (i < count) {
                    const QString item = lines[i].trimmed();
                    if (item.startsWith(QStringLiteral("- ")))
                        items << item.mid(2);
                    else if (!item.isEmpty() && lines[i].startsWith(QLatin1Char(' ')) &&
                             !items.isEmpty())
                        items.last() += QLatin1Char(' ') + item;
                    else
                        break;
                    ++i;
                }
                m_body += QStringLiteral("<ul>\n");
                for (const QString& item : items)
                    m_body += QStringLiteral("<li>") + Inline(item) + QStringLiteral("</li>\n");
                m_body += QStringLiteral("</ul>\n");
                continue;
            }
            // A paragraph: the lines up to a blank line or the start of another block.
            QStringList words;
            while (i < count) {
                const QString next = lines[i].trimmed();
                if (next.isEmpty() || next.startsWith(QStringLiteral("```")) || Heading(lines[i]) ||
                    (next.startsWith(QStringLiteral("- ")) && !words.isEmpty()))
                    break;
                words << next;
                ++i;
            }
            m_body += QStringLiteral("<p>") + Inline(words.join(QLatin1Char(' '))) +
                      QStringLiteral("</p>\n");
        }
    }

    // The page: the title, the opening paragraphs, the list of sections, the sections.
    QString Page() const
    {
        const QString title = m_title + QStringLiteral(" User Guide");
        QString contents;
        for (const SHeading& section : m_sections)
            contents += QStringLiteral("<li><a href=\"#%1\">%2</a></li>\n")
                            .arg(Anchor(section.Text), Inline(section.Text));
        if (!contents.isEmpty())
            contents =
                QStringLiteral("<h2>Contents</h2>\n<ul>\n") + contents + QStringLiteral("</ul>\n");
        QString body = m_body;
        body.insert(m_contentsAt, contents);
        return QStringLiteral(
                   "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                   "<title>%1</title>\n<style>\n"
                   "body { font-family: sans-serif; max-width: 60em; margin: 1em auto; "
                   "padding: 0 1em; line-height: 1.4; }\n"
                   "code, pre { font-family: monospace; background: #f3f3f3; }\n"
                   "pre { padding: 0.5em; overflow-x: auto; }\n"
                   "table { border-collapse: collapse; }\n"
                   "th, td { border: 1px solid #bbb; padding: 0.2em 0.5em; text-align: left; "
                   "vertical-align: top; }\n"
                   "</style>\n</head>\n<body>\n<h1>%1</h1>\n")
                   .arg(Escape(title)) +
               body + QStringLiteral("</body>\n</html>\n");
    }

private:
    void AddHeading(const SHeading& heading)
    {
        // The first heading names the program: it makes the page's title.
        if (heading.Level == 1 && m_title.isEmpty()) {
            m_title = heading.Text;
            return;
        }
        if (heading.Level == 2) {
            if (m_sections.isEmpty())
                m_contentsAt = m_body.size();
            m_sections << heading;
        }
        const QString anchor = Anchor(heading.Text);
        m_body += QStringLiteral("<h%1><a id=\"%2\" name=\"%2\"></a>%3</h%1>\n")
                      .arg(heading.Level)
                      .arg(anchor, Inline(heading.Text));
    }

    void Code(const QStringList& lines)
    {
        m_body += QStringLiteral("<pre><code>") + Escape(lines.join(QLatin1Char('\n'))) +
                  QStringLiteral("</code></pre>\n");
    }

    void Table(const QList<QStringList>& rows)
    {
        // The attributes for viewers without style sheets, the style for browsers.
        m_body += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n");
        for (qsizetype r = 0; r < rows.size(); ++r) {
            const QString cell = r == 0 ? QStringLiteral("th") : QStringLiteral("td");
            m_body += QStringLiteral("<tr>");
            for (const QString& text : rows[r])
                m_body += QStringLiteral("<%1>%2</%1>").arg(cell, Inline(text));
            m_body += QStringLiteral("</tr>\n");
        }
        m_body += QStringLiteral("</table>\n");
    }

    QString m_title;
    QString m_body;
    QList<SHeading> m_sections;
    qsizetype m_contentsAt = 0;
};

} // namespace

QString MakeUserGuideHtml(const QString& markdown)
{
    CGuideWriter writer;
    writer.Write(UserLines(markdown));
    return writer.Page();
}

QStringList UserGuidePlaces(const QString& programFolder, const QString& installFolder)
{
    const QDir program(programFolder);
    const QString name = QString::fromUtf16(kFileName);
    const QDir installed(QDir::isAbsolutePath(installFolder)
                             ? installFolder
                             : program.filePath(QStringLiteral("../") + installFolder));
    return {QDir::cleanPath(program.filePath(name)), QDir::cleanPath(installed.filePath(name))};
}

QString FindUserGuide(const QString& programFolder, const QString& installFolder)
{
    for (const QString& place : UserGuidePlaces(programFolder, installFolder))
        if (QFileInfo(place).isFile())
            return place;
    return {};
}

} // namespace user_guide
