#include "res/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>

namespace {

TEST(StringTable, IsSortedByIdWithoutDuplicates)
{
    const auto table = GetStringTable();
    ASSERT_FALSE(table.empty());
    for (std::size_t i = 1; i < table.size(); ++i)
        EXPECT_LT(table[i - 1].Id, table[i].Id) << "entry " << i << " (id " << table[i].Id << ")";
}

TEST(StringTable, EveryEntryIsFoundByItsIdAndHasAText)
{
    for (const SStringEntry& entry : GetStringTable()) {
        const QString text = LoadString(entry.Id);
        EXPECT_FALSE(text.isEmpty()) << "id " << entry.Id;
        EXPECT_EQ(text, QString::fromUtf16(entry.Text)) << "id " << entry.Id;
    }
}

TEST(StringTable, UnknownIdGivesEmptyText)
{
    for (unsigned id : {0u, 1u, 99u, 101u, 1220u, 1235u, 57602u, 63003u, 63999u, UINT_MAX})
        EXPECT_TRUE(LoadString(id).isEmpty()) << "id " << id;
}

TEST(StringTable, TextsSpeakAsALinuxDesktopAndOfResponses)
{
    // The two look-up keys of the sibling programs' open commands are data, never shown.
    const unsigned notShown[] = {63110, 63564};
    const char* const words[] = {"Explorer",      "modalit",        "Windows",     "registry",
                                 "Control Panel", "folder browser", "click Start", "My Documents"};
    for (const SStringEntry& entry : GetStringTable()) {
        if (std::find(std::begin(notShown), std::end(notShown), entry.Id) != std::end(notShown))
            continue;
        const QString text = QString::fromUtf16(entry.Text);
        for (const char* word : words)
            EXPECT_FALSE(text.contains(QLatin1String(word), Qt::CaseInsensitive))
                << "id " << entry.Id << ": " << qPrintable(text);
    }
    EXPECT_EQ(LoadString(63361), QStringLiteral("The campaign has been packaged. Would you like "
                                                "to open its folder in the file manager?"));
}

struct STrickyText
{
    unsigned Id;
    const char16_t* Expected;
};

// Texts whose line breaks, tabs, bullets, quotes, backslashes or surrounding blanks are easy to
// get wrong; each is spelled out here with explicit escapes.
const STrickyText kTrickyTexts[] = {
    {63038, u"True"},
    {63131, u"PelkoPlim was unable to open the campaign due to a database error. The database "
            u"error message returned was: \n\n%s"},
    {63225, u"An error occurred attempting to connect to the database using the specified "
            u"connection string. Further error information: \n\tSource: %s\n\tDescription: %s"},
    {63240, u"The campaign and source questions could not be rematched for the following "
            u"reason(s):\t\n"},
    {63241, u"  \u2022 The questions have different loop hierarchies\n"},
    {63136, u"\u2022 Break question matching between campaign question \"%s\" and source "
            u"question \"%s\"\n"},
    {63453, u"\u2022 Remove the campaign response '%s'.\n"},
    {63147, u"%s (merged to \"%s\")"},
    {63278, u"Command line: \"%s\""},
    {63182, u"[%0*d]"},
    {63203, u"The file '%s' is not \nexactly the same as the source file originally used to "
            u"define this volume\nand may cause reconciliation errors in the DUV.\n\nAre you "
            u"sure you wish to change the files? "},
    {63310, u"Warning: any manual matching you have done for this wave will be lost!\n\n Are "
            u"you sure you wish to redo reconciliation for this wave?"},
    {63379, u"There are <b>%d</b> invalid response matches to  source responses which no longer "
            u"exist in <b>%d</b> volume(s)\n"},
    {63383, u"Invalid response match: campaign response '%s' ( ID %d, question '%s'), matched "
            u"to a source response with the code '%s'\n"},
    {63402, u"Volume matching options: "},
    {63513, u" "},
    {63536, u"ID '%d', shortcut \"%s\"\n"},
    {63110, u"Applications\\QuillU.exe\\shell\\open\\command"},
    {63564, u"Applications\\TallyU.exe\\shell\\open\\command"},
    {63499, u"Plim Files (*.duv)|*.duv|All Files (*.*)|*.*||"},
    {63554, u"%d question(s) updated."},
};

TEST(StringTable, TrickyTextsAreExact)
{
    for (const STrickyText& t : kTrickyTexts)
        EXPECT_EQ(LoadString(t.Id), QString::fromUtf16(t.Expected)) << "id " << t.Id;
}

} // namespace
