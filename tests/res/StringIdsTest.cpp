#include "res/StringIds.h"
#include "res/StringTable.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

#include <algorithm>
#include <map>

namespace {

const QString kSourceDir = QStringLiteral(PLIM_SOURCE_DIR);
const QString kStringIdsHeader = QStringLiteral("src/res/StringIds.h");

// The names and numbers the header declares, read from its text.
std::map<QString, unsigned> ReadStringIds()
{
    std::map<QString, unsigned> ids;
    QFile file(kSourceDir + u'/' + kStringIdsHeader);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return ids;
    const QRegularExpression declaration(
        QStringLiteral("^constexpr unsigned (IDS_[A-Z0-9_]+) = ([0-9]+);$"));
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QRegularExpressionMatch match = declaration.match(in.readLine());
        if (match.hasMatch())
            ids.emplace(match.captured(1), match.captured(2).toUInt());
    }
    return ids;
}

bool IsInStringTable(unsigned id)
{
    const auto table = GetStringTable();
    const auto it =
        std::lower_bound(table.begin(), table.end(), id,
                         [](const SStringEntry& e, unsigned key) { return e.Id < key; });
    return it != table.end() && it->Id == id;
}

TEST(StringIds, HeaderIsReadAsCompiled)
{
    const auto ids = ReadStringIds();
    ASSERT_GT(ids.size(), 300u);
    EXPECT_EQ(ids.at(QStringLiteral("IDS_READY")), IDS_READY);
    EXPECT_EQ(ids.at(QStringLiteral("IDS_NEW_LIBRARY_TIP")), IDS_NEW_LIBRARY_TIP);
    EXPECT_EQ(ids.at(QStringLiteral("IDS_SHORTCUT")), IDS_SHORTCUT);
}

TEST(StringIds, EveryIdHasOneNameAndATextInTheTable)
{
    QSet<unsigned> seen;
    for (const auto& [name, id] : ReadStringIds()) {
        EXPECT_TRUE(IsInStringTable(id)) << qPrintable(name) << " = " << id;
        EXPECT_FALSE(seen.contains(id)) << qPrintable(name) << " names id " << id << " again";
        seen.insert(id);
    }
}

TEST(StringIds, NoSourceFileDeclaresATextIdOutsideTheHeader)
{
    // A text id given a number anywhere but in the header: a constant, an enumerator or a macro.
    const QRegularExpression declaration(
        QStringLiteral("\\bIDS_[A-Z0-9_]+\\s*[={]\\s*[0-9]|#\\s*define\\s+IDS_[A-Z0-9_]+\\s"));
    const QStringList patterns{QStringLiteral("*.h"), QStringLiteral("*.hpp"),
                               QStringLiteral("*.cpp"), QStringLiteral("*.cc")};
    int scanned = 0;
    for (const QString& folder : {QStringLiteral("src"), QStringLiteral("tests")}) {
        QDirIterator it(kSourceDir + u'/' + folder, patterns, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString relative = path.mid(kSourceDir.size() + 1);
            if (relative == kStringIdsHeader)
                continue;
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << qPrintable(path);
            ++scanned;
            QTextStream in(&file);
            for (int line = 1; !in.atEnd(); ++line) {
                const QString text = in.readLine();
                EXPECT_FALSE(declaration.match(text).hasMatch())
                    << qPrintable(relative) << ':' << line << ": " << qPrintable(text.trimmed());
            }
        }
    }
    EXPECT_GT(scanned, 100);
}

} // namespace
