#include "model/Guid.h"

#include <gtest/gtest.h>

namespace {

GUID Sample()
{
    GUID guid;
    guid.Data1 = 0x0123ABCD;
    guid.Data2 = 0x4567;
    guid.Data3 = 0x89EF;
    const uint8_t tail[8] = {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};
    std::copy(std::begin(tail), std::end(tail), guid.Data4);
    return guid;
}

} // namespace

TEST(Guid, TextIsBracedUpperCase)
{
    QString text;
    ASSERT_TRUE(GuidToText(Sample(), text));
    EXPECT_EQ(text, QStringLiteral("{0123ABCD-4567-89EF-FEDC-BA9876543210}"));
    EXPECT_EQ(text.size(), 38);
}

TEST(Guid, OnlyThePlainFormParses)
{
    const GUID sentinel = Sample();
    struct Case
    {
        const char* text;
        bool parses;
    };
    const Case cases[] = {
        {"0123abcd-4567-89ef-fedc-ba9876543210", true},
        {"0123ABCD-4567-89EF-FEDC-BA9876543210", true},
        {"{0123ABCD-4567-89EF-FEDC-BA9876543210}", false},
        {"0123ABCD-4567-89EF-FEDC-BA987654321", false},
        {"", false},
        {"0123ABCD-4567-89EF-FEDC-BA987654321G", false},
        {"0123ABCD+4567-89EF-FEDC-BA9876543210", false},
        {"0123ABCD-4567-89EF-FEDC-BA9876543210 ", false},
    };
    for (const Case& c : cases) {
        GUID guid = sentinel;
        guid.Data1 = 0xDEADBEEF;
        const GUID before = guid;
        EXPECT_EQ(ParseGuid(QString::fromLatin1(c.text), guid), c.parses) << c.text;
        if (c.parses)
            EXPECT_TRUE(guid == Sample()) << c.text;
        else
            EXPECT_TRUE(guid == before) << c.text << " touched the output";
    }
}

TEST(Guid, CaptionLibraryTextRoundTrips)
{
    GUID made;
    ASSERT_TRUE(CreateGuid(made));
    QString braced;
    ASSERT_TRUE(GuidToText(made, braced));
    // Caption-library nodes keep the text without its braces.
    const QString stored = braced.mid(1, braced.size() - 2);
    GUID read;
    ASSERT_TRUE(ParseGuid(stored, read));
    EXPECT_TRUE(CGuid(made).IsEqual(read));
}

TEST(Guid, NewGuidsDiffer)
{
    GUID first;
    GUID second;
    ASSERT_TRUE(CreateGuid(first));
    ASSERT_TRUE(CreateGuid(second));
    EXPECT_FALSE(CGuid(first).IsEqual(second));
    const CGuid held(first);
    const CGuid copy(held);
    EXPECT_TRUE(held.IsEqual(copy.GetData()));
    EXPECT_TRUE(held.GetData() == first);
}
