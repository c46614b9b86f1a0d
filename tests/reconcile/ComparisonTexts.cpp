#include "ComparisonTexts.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <type_traits>

namespace {

QString KeyText(int id)
{
    return QString::number(id);
}

QString KeyText(const CModalityKey& key)
{
    return QStringLiteral("%1/%2").arg(key.first).arg(key.second);
}

template <typename Map> QString Join(const Map& list)
{
    QStringList entries;
    for (const auto& [key, value] : list) {
        using Value = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, SNewLanguage>)
            entries << QStringLiteral("%1 %2 %3").arg(key).arg(value.Abbreviation, value.Name);
        else if constexpr (std::is_same_v<Value, QString>)
            entries << QStringLiteral("%1 \"%2\"").arg(KeyText(key), value);
        else
            entries << QStringLiteral("%1>%2").arg(KeyText(key)).arg(value);
    }
    return entries.join(QStringLiteral(", "));
}

} // namespace

QString DumpComparison(const SSourceComparisonLists& lists)
{
    QStringList lines;
    const auto add = [&](const char* name, const QString& entries) {
        if (!entries.isEmpty())
            lines << QStringLiteral("%1: %2").arg(QLatin1String(name), entries);
    };
    add("1 missing questions", Join(lists.MissingQuestions));
    add("2 missing responses", Join(lists.MissingModalities));
    add("3 invalid question matches", Join(lists.InvalidQuestionMatches));
    add("4 invalid response matches", Join(lists.InvalidModalityMatches));
    add("5 new languages", Join(lists.NewLanguages));
    add("6 source files", Join(lists.MissingSourceFiles));
    add("7 deleted questions", Join(lists.DeletedQuestionMatches));
    add("8 deleted responses", Join(lists.DeletedModalityMatches));
    add("9 loop hierarchy", Join(lists.LoopHierarchyMatches));
    return lines.join(u'\n');
}

QStringList ListReportLines(const QString& html)
{
    const qsizetype start = html.indexOf(QStringLiteral("<body>\n"));
    const QString footer = QStringLiteral("</body>\n</html>\n");
    EXPECT_GE(start, 0);
    EXPECT_TRUE(html.endsWith(footer));
    const QString body = html.mid(start + 7, html.size() - footer.size() - start - 7);
    static const QRegularExpression paragraph(QStringLiteral("<p class = \"([^\"]*)\"/>\n"));
    QStringList lines;
    QString classes;
    qsizetype textStart = -1;
    for (auto it = paragraph.globalMatch(body); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (textStart >= 0)
            lines << classes + u'|' + body.mid(textStart, match.capturedStart() - textStart);
        classes = match.captured(1);
        textStart = match.capturedEnd();
    }
    if (textStart >= 0)
        lines << classes + u'|' + body.mid(textStart);
    for (QString& line : lines) {
        if (line.endsWith(u'\n'))
            line.chop(1);
    }
    return lines;
}
