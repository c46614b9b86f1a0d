// Dimensions metadata documents: definitions in design order, loops, grids and blocks as parents,
// codes from the names and the category map, labels by language and context.

#include "questionnaire/Questionnaire.h"
#include "questionnaire/StableCode.h"

#include <gtest/gtest.h>

#include <limits>

using namespace qnr;

namespace {

const char* const kDocument = R"(<?xml version="1.0" encoding="UTF-8"?>
<?xml-stylesheet type="text/xsl" href="mdd.xslt"?>
<xml><mdm:metadata mdm_createversion="7.0" data_version="9"
     xmlns:mdm="http://www.spss.com/mr/dm/metadatamodel/Arc 3/2000-02-04">
 <datasources default="x"><connection name="x" dblocation="s.ddf"/></datasources>
 <categorymap><categoryid name="yes" value="1"/><categoryid name="No" value="2"/>
  <categoryid name="dk" value="99"/><categoryid name="brand_a" value="11"/></categorymap>
 <languages base="FR-FR"><language name="EN-GB" id="0809"/><language name="FR-FR" id="040C"/>
  <language name="XX-ZZ" id="zz"/></languages>
 <definition>
  <variable id="v1" name="Aware" type="3" max="1" maxtype="3">
   <labels context="LABEL">
    <text context="QUESTION" xml:lang="en-GB">Have you heard of it?</text>
    <text context="ANALYSIS" xml:lang="en-GB">Aware</text>
    <text context="QUESTION" xml:lang="fr-FR"><![CDATA[En avez-vous <b>entendu</b> parler ?]]></text>
    <text context="ANALYSIS" xml:lang="fr-FR"></text>
    <versions><text context="QUESTION" xml:lang="en-GB">Old wording</text></versions>
   </labels>
   <labels context="INSTRUCTION"><text context="QUESTION" xml:lang="en-GB">Read out</text></labels>
   <helperfields><variable id="h1" name="Other" type="2"/></helperfields>
   <categories>
    <category id="c1" name="Yes" factor-value="5"><labels context="LABEL">
     <text context="QUESTION" xml:lang="en-GB">Yes</text></labels></category>
    <category id="c2" name="no" fixed="-1"><labels context="LABEL">
     <text context="ANALYSIS" xml:lang="en-GB">No</text>
     <text context="QUESTION" xml:lang="en-GB">No, never</text></labels></category>
    <category id="c3" name="maybe"/>
    <category id="c4" name="dk" missing="dontknow" exclusive="-1"/>
   </categories>
  </variable>
  <variable id="v2" name="Brands" type="3" max="2" maxtype="3">
   <categories ref="shared"/>
  </variable>
  <categories id="shared" name="brandlist">
   <category id="b1" name="brand_a" other-local="-1"/><category id="b2" name="brand_b"/>
  </categories>
  <variable id="v3" name="Spend" type="6" min="0.00" max="99.50"/>
  <variable id="v4" name="Rating" type="1" min="1" max="10"/>
  <variable id="v5" name="When" type="5"/>
  <variable id="v6" name="Note" type="2"/>
  <variable id="v7" name="Intro" type="0"/>
  <variable id="v8" name="Flag" type="7"/>
  <variable id="v9" name="Unused" type="2"/>
  <variable id="ref1" name="Aware" ref="v1"/>
 </definition>
 <design><fields name="@fields">
  <variable id="d7" name="Intro" ref="v7"/>
  <class id="blk" name="Block1"><labels context="LABEL">
    <text context="QUESTION" xml:lang="en-GB">First block</text></labels>
   <fields name="@fields">
    <variable id="d1" name="Aware" ref="v1"/>
    <loop id="lp" name="BrandLoop">
     <labels context="LABEL"><text context="QUESTION" xml:lang="en-GB">Each brand</text></labels>
     <categories><category id="i1" name="brand_a"/><category id="i2" name="brand_c"/></categories>
     <class name="@class"><fields name="@fields">
      <variable id="d4" name="Rating" ref="v4"/>
      <grid id="gr" name="Grid"><class name="@class"><fields name="@fields">
       <variable id="d8" name="Flag" ref="v8"/></fields></class></grid>
     </fields></class>
    </loop>
   </fields>
  </class>
  <variable id="d2" name="Brands" ref="v2"/>
  <variable id="d3" name="Spend" ref="v3"/>
  <variable id="d5" name="When" ref="v5"/>
  <variable id="d6" name="Note" ref="v6"/>
  <variable id="dx" name="Missing" ref="nothing"/>
 </fields></design>
</mdm:metadata></xml>)";

struct SExpected
{
    const char* shortcut;
    const char* fullName;
    int element;
    int type;
    int indent;
    const char* parent;
};

} // namespace

TEST(DimensionsReader, DesignGivesOrderStructureAndCodes)
{
    CQuestionnaire questionnaire;
    ASSERT_TRUE(questionnaire.ReadBuffer(kDocument, DataBaseDimensions, 1033))
        << qPrintable(questionnaire.GetLastError());
    const SExpected expected[] = {
        {"Intro", "Intro", ElementQuestion, QuestionInfo, 1, nullptr},
        {"Block1", "Block1", ElementChapter, QuestionNone, 1, nullptr},
        {"Aware", "Block1.Aware", ElementQuestion, QuestionClosed, 2, "Block1"},
        {"BrandLoop", "Block1.BrandLoop", ElementLoop, LoopCategorical, 2, "Block1"},
        {"Rating", "Block1.BrandLoop.Rating", ElementQuestion, QuestionNumeric, 3, "BrandLoop"},
        {"Grid", "Block1.BrandLoop.Grid", ElementLoop, LoopGrid, 3, "BrandLoop"},
        {"Flag", "Block1.BrandLoop.Grid.Flag", ElementQuestion, QuestionLogical, 4, "Grid"},
        {"Brands", "Brands", ElementQuestion, QuestionClosed, 1, nullptr},
        {"Spend", "Spend", ElementQuestion, QuestionNumeric, 1, nullptr},
        {"When", "When", ElementQuestion, QuestionDate, 1, nullptr},
        {"Note", "Note", ElementQuestion, QuestionOpen, 1, nullptr},
    };
    ASSERT_EQ(questionnaire.GetNbreQuestion(), static_cast<int>(std::size(expected)));
    for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
        const CQuestion& question = *questionnaire.GetQuestion(i);
        const SExpected& e = expected[i];
        SCOPED_TRACE(e.shortcut);
        EXPECT_EQ(question.GetShortcut(), QLatin1String(e.shortcut));
        EXPECT_EQ(question.GetCodeQuestion(), StableCodeFromText(QLatin1String(e.fullName)));
        EXPECT_EQ(question.GetTypeElement(), e.element);
        EXPECT_EQ(question.GetTypeQuestion(), e.type);
        EXPECT_EQ(question.GetIndent(), e.indent);
        const CQuestion* parent = questionnaire.GetQuestion(questionnaire.GetParentQuestion(i));
        EXPECT_EQ(parent ? parent->GetShortcut() : QString(), QLatin1String(e.parent));
    }
    // Numeric bounds and decimals; dates.
    const CQuestion& spend = *questionnaire.GetQuestion(8);
    EXPECT_EQ(spend.GetBorneMax(), 99.5);
    EXPECT_EQ(spend.GetNbreDecimal(), 2);
    EXPECT_EQ(questionnaire.GetQuestion(4)->GetBorneMin(), 1);
    EXPECT_EQ(questionnaire.GetQuestion(9)->GetDateType(), DateDay);
}

TEST(DimensionsReader, CategoriesBecomeResponses)
{
    CQuestionnaire questionnaire;
    ASSERT_TRUE(questionnaire.ReadBuffer(kDocument, DataBaseDimensions, 1033));
    const CQuestion& aware = *questionnaire.GetQuestion(2);
    // The category map's values, case ignored; "maybe" is missing from it: its position.
    EXPECT_EQ(aware.DonnerCodeModalites(), (std::vector<int>{1, 2, 3, 99}));
    EXPECT_EQ(aware.GetModalite(0)->GetEntryCode(), "Yes");
    EXPECT_EQ(aware.GetModalite(0)->GetValue(), 5);
    EXPECT_EQ(aware.GetModalite(1)->GetRotationBehaviour(), RotationFixed);
    EXPECT_TRUE(aware.GetModalite(3)->IsExclusive());
    EXPECT_TRUE(aware.EstNonReponse());
    EXPECT_TRUE(aware.EstEchelle());
    EXPECT_FALSE(aware.EstMultiple());
    EXPECT_EQ(aware.GetNbMaxReponse(), 1);
    // Short caption from ANALYSIS, else QUESTION.
    EXPECT_EQ(aware.GetModalite(1)->GetLocalisedShortCaption(2057), "No");
    EXPECT_EQ(aware.GetModalite(0)->GetLocalisedShortCaption(2057), "Yes");

    const CQuestion& brands = *questionnaire.GetQuestion(7);
    EXPECT_EQ(brands.DonnerCodeModalites(), (std::vector<int>{11, 2}));
    EXPECT_TRUE(brands.EstMultiple());
    EXPECT_TRUE(brands.EstSemiOuverte());
    EXPECT_EQ(brands.GetNbMaxReponse(), 2);

    const CQuestion& loop = *questionnaire.GetQuestion(3);
    EXPECT_EQ(loop.DonnerCodeModalites(), (std::vector<int>{11, 2}));
    EXPECT_EQ(loop.GetShortCaption(), "Each brand");
}

TEST(DimensionsReader, LabelsByLanguageAndContext)
{
    CQuestionnaire questionnaire;
    ASSERT_TRUE(questionnaire.ReadBuffer(kDocument, DataBaseDimensions, 2057));
    ASSERT_EQ(questionnaire.GetLanguageCount(), 3);
    EXPECT_EQ(questionnaire.GetLanguage(0)->GetId(), 2057);
    EXPECT_EQ(questionnaire.GetLanguage(1)->GetId(), 1036);
    EXPECT_EQ(questionnaire.GetLanguage(2)->GetName(), "XX-ZZ");
    EXPECT_EQ(questionnaire.GetDefaultLanguageId(), 1036);
    const CQuestion& aware = *questionnaire.GetQuestion(2);
    EXPECT_EQ(aware.GetShortCaption(), "Aware"); // display language: English, asked for
    EXPECT_EQ(aware.GetLocalisedLongCaption(2057), "Have you heard of it?");
    // An empty ANALYSIS text counts as missing; CDATA markup is kept as text.
    EXPECT_EQ(aware.GetLocalisedShortCaption(1036), "En avez-vous <b>entendu</b> parler ?");
    std::vector<int> ids;
    QStringList longs, shorts;
    aware.GetAllLocalisedTexts(ids, longs, shorts);
    EXPECT_EQ(ids, (std::vector<int>{2057, 1036}));
    EXPECT_FALSE(longs.contains("Old wording"));
    EXPECT_FALSE(longs.contains("Read out"));
}

TEST(DimensionsReader, WithoutDesignTheDefinitionsComeInOrder)
{
    const QByteArray document =
        "<mdm:metadata xmlns:mdm='urn:x'><definition>"
        "<variable id='a' name='First' type='2'/><variable id='b' name='Second' type='1'/>"
        "</definition></mdm:metadata>";
    CQuestionnaire questionnaire;
    ASSERT_TRUE(questionnaire.ReadBuffer(document, DataBaseDimensions, 1036))
        << qPrintable(questionnaire.GetLastError());
    ASSERT_EQ(questionnaire.GetNbreQuestion(), 2);
    EXPECT_EQ(questionnaire.GetQuestion(1)->GetShortcut(), "Second");
    // No language named: the program's.
    EXPECT_EQ(questionnaire.GetDefaultLanguageId(), 1036);
}

// Items whose codes clash take the next codes that no item of their list has, as they always did.
TEST(DimensionsReader, ClashingCodesTakeTheNextFreeOnes)
{
    const int code = StableCodeFromText(QStringLiteral("Q"));
    const QByteArray document =
        "<xml><mdm:metadata xmlns:mdm='urn:x'><definition>"
        "<variable id='a' name='A' type='3' max='1'><categories><category id='c1' name='Same'/>"
        "<category id='c2' name='SAME'/><category id='c3' name='other'/>"
        "<category id='c4' name='same'/></categories></variable></definition>"
        "<design><fields><variable id='d1' name='Q' ref='a'/><variable id='d2' name='q' ref='a'/>"
        "<variable id='d3' name='Q' ref='a'/></fields></design><categorymap>"
        "<categoryid name='same' value='2'/></categorymap></mdm:metadata></xml>";
    CQuestionnaire questionnaire;
    ASSERT_TRUE(questionnaire.ReadBuffer(document, DataBaseDimensions))
        << qPrintable(questionnaire.GetLastError());
    ASSERT_EQ(questionnaire.GetNbreQuestion(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(questionnaire.GetQuestion(i)->GetCodeQuestion(), code + i);
        // "other" is not in the map: its position, 3, which "Same" took first.
        EXPECT_EQ(questionnaire.GetQuestion(i)->DonnerCodeModalites(),
                  (std::vector<int>{2, 3, 4, 5}));
    }
}

// A maximum beyond the int range is held to it, never converted as it stands.
TEST(DimensionsReader, MaximaBeyondTheIntRangeAreHeldToIt)
{
    const struct
    {
        const char* max;
        bool multiple;
        int maxResponses;
    } cases[] = {
        {"1", false, 1},
        {"1e300", true, std::numeric_limits<int>::max()},
        {"3000000000", true, std::numeric_limits<int>::max()},
        {"-3000000000", true, 2}, // no positive maximum: every category
        {"-1e300", true, 2},
        {"1.9", false, 1},
    };
    for (const auto& c : cases) {
        const QByteArray max(c.max);
        const QByteArray document =
            "<xml><mdm:metadata xmlns:mdm='urn:x'><definition><variable id='a' name='A' type='3' "
            "max='" +
            max +
            "'><categories><category id='c1' name='x'/><category id='c2' name='y'/>"
            "</categories></variable><variable id='b' name='B' type='6' min='-1e300' max='" +
            max + "'/></definition></mdm:metadata></xml>";
        CQuestionnaire questionnaire;
        ASSERT_TRUE(questionnaire.ReadBuffer(document, DataBaseDimensions)) << c.max;
        const CQuestion& closed = *questionnaire.GetQuestion(0);
        EXPECT_EQ(closed.EstMultiple(), c.multiple) << c.max;
        EXPECT_EQ(closed.GetNbMaxReponse(), c.maxResponses) << c.max;
        // Numeric bounds stay numbers.
        EXPECT_EQ(questionnaire.GetQuestion(1)->GetBorneMin(), -1e300) << c.max;
    }
}

TEST(DimensionsReader, BadDocumentsAreRefused)
{
    const char* const documents[] = {
        "<sss version='2.0'/>",
        "<xml><other/></xml>",
        "<xml/>",
        ("<xml><mdm:metadata xmlns:mdm='urn:x'><definition><variable id='a' name='A' type='x'/>"
         "</definition></mdm:metadata></xml>"),
    };
    for (const char* document : documents) {
        CQuestionnaire questionnaire;
        EXPECT_FALSE(questionnaire.ReadBuffer(document, DataBaseDimensions)) << document;
        EXPECT_FALSE(questionnaire.GetLastError().isEmpty());
        EXPECT_EQ(questionnaire.GetNbreQuestion(), 0);
    }
}

TEST(DimensionsReader, UnknownLanguageIdsTakeTheIdOfTheirTag)
{
    // Some tools write "1000" (0x1000, the custom, unspecified language) or another id the
    // table does not know beside a tag it knows: the tag decides. A known id stays as written,
    // and an unknown tag keeps the id it was given.
    struct SCase
    {
        const char* name;
        const char* id;
        int expected;
    };
    const SCase cases[] = {
        {"ZH-CN", "1000", 2052}, {"zh-cn", "1000", 2052}, {"EN-GB", "7777", 2057},
        {"FR-FR", "040C", 1036}, {"EN-GB", "0409", 1033}, {"XX-ZZ", "1000", 0x1000},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray document =
            QByteArray("<xml><mdm:metadata xmlns:mdm='urn:x'><languages base='") + c.name +
            "'><language name='" + c.name + "' id='" + c.id +
            "'/></languages><definition><variable id='a' name='A' type='2'><labels "
            "context='LABEL'><text context='QUESTION' xml:lang='" +
            c.name + "'>Hello</text></labels></variable></definition></mdm:metadata></xml>";
        CQuestionnaire questionnaire;
        ASSERT_TRUE(questionnaire.ReadBuffer(document, DataBaseDimensions, 1033))
            << qPrintable(questionnaire.GetLastError());
        ASSERT_EQ(questionnaire.GetLanguageCount(), 1);
        EXPECT_EQ(questionnaire.GetLanguage(0)->GetId(), c.expected);
        EXPECT_EQ(questionnaire.GetDefaultLanguageId(), c.expected);
        EXPECT_EQ(questionnaire.GetQuestion(0)->GetLocalisedLongCaption(c.expected), "Hello");
    }
}
