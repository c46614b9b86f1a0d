#include "support/SameDump.h"

#include <QStringList>

::testing::AssertionResult SameDump(const QString& actual, const QString& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    const QStringList a = actual.split(QLatin1Char('\n'));
    const QStringList e = expected.split(QLatin1Char('\n'));
    auto result = ::testing::AssertionFailure();
    for (const QString& line : e) {
        if (!a.contains(line))
            result << "\n  missing: " << line.toStdString();
    }
    for (const QString& line : a) {
        if (!e.contains(line))
            result << "\n  extra:   " << line.toStdString();
    }
    if (a.size() == e.size())
        result << "\n  (same lines in another sequence)";
    return result;
}
