#include "model/MatchIndexes.h"

#include <gtest/gtest.h>

#include <limits>

using namespace pelko_wave;

// A source id names a code exactly when it is that code as "%d" writes it.
TEST(SourceCodeMap, ASourceIdNamesTheCodeItIsWrittenAs)
{
    const char* const ids[] = {"0",           "7",           "-7",
                               "-0",          "007",         "+7",
                               " 7",          "7 ",          "",
                               "-",           "2147483647",  "2147483648",
                               "-2147483648", "-2147483649", "99999999999999999999",
                               "1e3",         "\xef\xbc\x91"}; // the last a full-width one
    for (const char* id : ids) {
        const QString text = QString::fromUtf8(id);
        bool ok = false;
        const qlonglong value = text.toLongLong(&ok);
        const bool written = ok && value >= std::numeric_limits<int>::min() &&
                             value <= std::numeric_limits<int>::max() &&
                             QString::number(value) == text;
        int code = 12345;
        EXPECT_EQ(ReadCodeAsWritten(text, code), written) << id;
        if (written)
            EXPECT_EQ(code, value) << id;
    }

    CSourceCodeMap codes;
    codes.Insert(7, 3);
    codes.Insert(-2, 4);
    codes.Insert(7, 5); // the item added last wins
    EXPECT_EQ(codes.Find(QStringLiteral("7")), 5);
    EXPECT_EQ(codes.Find(QStringLiteral("-2")), 4);
    EXPECT_EQ(codes.Find(QStringLiteral("07")), -1);
    EXPECT_EQ(codes.Find(QStringLiteral("8")), -1);
}
