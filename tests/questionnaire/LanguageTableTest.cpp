// The language table: tags of the formats to Windows language ids, names and abbreviations.

#include "questionnaire/Questionnaire.h"

#include <gtest/gtest.h>

using namespace qnr;

TEST(LanguageTable, TagsGiveWindowsLanguageIds)
{
    struct SCase
    {
        const char* tag;
        int id;
    };
    const SCase cases[] = {
        {"en-US", 1033}, {"EN-GB", 2057},   {"en_gb", 2057},   {"en", 1033},   {"fr", 1036},
        {"fr-CA", 3084}, {"fr-SN", 1036},   {"de-CH", 2055},   {"es", 3082},   {"es-ES", 3082},
        {"pt", 1046},    {"zh-Hans", 2052}, {"zh-Hant", 1028}, {"no", 1044},   {"nb-NO", 1044},
        {"ENU", 1033},   {"ENG", 2057},     {"FRA", 1036},     {" it ", 1040}, {"xx", 0},
        {"", 0},         {"e", 0},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(LanguageIdFromTag(QLatin1String(c.tag)), c.id) << c.tag;
}

TEST(LanguageTable, IdsGiveNamesAndAbbreviations)
{
    EXPECT_EQ(GetLanguageName(1033), "English (United States)");
    EXPECT_EQ(GetLanguageAbbreviation(1036), "FRA");
    EXPECT_EQ(GetLanguageTag(3084), "fr-CA");
    const CLanguage french(1036);
    EXPECT_EQ(french.GetId(), 1036);
    EXPECT_EQ(french.GetName(), "French (France)");
    EXPECT_EQ(french.GetAbbreviation(), "FRA");
    // An id the table does not know has empty texts.
    const CLanguage unknown(0x7777);
    EXPECT_TRUE(unknown.GetName().isEmpty());
    EXPECT_TRUE(unknown.GetAbbreviation().isEmpty());
}

TEST(LanguageTable, EveryEntryIsFoundBackByItsTag)
{
    // Each id of the table maps back from its own tag and has a three-letter abbreviation.
    for (int id = 1; id < 0x5000; ++id) {
        const SLanguageInfo* info = FindLanguageInfo(id);
        if (!info)
            continue;
        EXPECT_EQ(LanguageIdFromTag(QLatin1String(info->tag)), id) << info->tag;
        EXPECT_EQ(QString::fromLatin1(info->abbreviation).size(), 3) << info->tag;
    }
}
