#include "ReconPageTestSupport.h"

#include "grid/DrawTextFormat.h"
#include "model/Campaign.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/OptionRecords.h"
#include "model/Question.h"
#include "model/RecordMakers.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "views/ReconColours.h"
#include "views/ReconEntryCodes.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;
using namespace recon_test;
using Page = CRightReconciliationPage;

// Wave 1 with volume 1 "Online"; the page shows it. Question 10 Q1 "Brand" with the responses
// 101 "Alpha" (entry code "a") and 102 "Beta", matched to source question 5 Q1S "Brand seen"
// with the responses 1 "Alpha" ("a") and 2 "Bêta" (no entry code).
class RowWritersTest : public CReconPageTest
{
protected:
    RowWritersTest()
    {
        wave = view_test::AddWave(Campaign(), 1, QStringLiteral("Spring"));
        volume =
            view_test::AddVolume(Campaign(), *wave, 1, QStringLiteral("Online"), VOLUME_RECONCILED);
        question = AddQuestion(Campaign(), 10, 1, QStringLiteral("Q1"), QStringLiteral("Brand"), 1);
        alpha =
            AddResponse(Campaign(), *question, 101, QStringLiteral("Alpha"), QStringLiteral("a"));
        beta = AddResponse(Campaign(), *question, 102, QStringLiteral("Beta"));
        source = AddSourceQuestion(*volume, 5, QStringLiteral("Q1S"), QStringLiteral("Brand seen"));
        sourceAlpha = AddSourceResponse(*source, 1, QStringLiteral("Alpha"), QStringLiteral("a"));
        sourceBeta = AddSourceResponse(*source, 2, QStringLiteral("Bêta"));
        MatchQuestion(*volume, 10, 5);
        MatchResponse(*volume, *question, 101, 1);
        MatchResponse(*volume, *question, 102, 2);
        EXPECT_TRUE(page.LoadWave(1));
    }

    const CGridCellBase& QCell(int col) const
    {
        return *page.GetQuestionGrid()->GetCell(kFirst, col);
    }
    const CGridCellBase& RCell(int col) const
    {
        return *page.GetResponseGrid()->GetCell(kFirst, col);
    }

    CWave* wave = nullptr;
    CVolume* volume = nullptr;
    CQuestion* question = nullptr;
    CModality* alpha = nullptr;
    CModality* beta = nullptr;
    qnr::CQuestion* source = nullptr;
    qnr::CModalite* sourceAlpha = nullptr;
    qnr::CModalite* sourceBeta = nullptr;
};

TEST_F(RowWritersTest, TheHeadingsNameBothSidesOfEachGrid)
{
    EXPECT_EQ(QRow(0, {1, 7}), QStringLiteral("Campaign Questions|Source Questions"));
    EXPECT_EQ(QRow(1, {3, 4, 5, 6, 9, 10, 11, 12, 13}),
              QStringLiteral("Code|Shortcut|Short Caption|Long Caption|Code|Shortcut|"
                             "Short Caption|Long Caption|Volume"));
    EXPECT_EQ(RRow(0, {1, 5}), QStringLiteral("Campaign Responses|Source Responses"));
    EXPECT_EQ(RRow(1, {2, 3, 4, 6, 7, 8, 9}),
              QStringLiteral("Code|Entry Code|Short Caption|Code|Entry Code|Short Caption|Volume"));
    const CWaveGridCtrl& grid = *page.GetQuestionGrid();
    EXPECT_TRUE(grid.GetCell(0, 1)->IsMerged());
    EXPECT_EQ(grid.GetCell(0, 1)->GetMergeRange(), CCellIDRange(0, 1, 0, 6));
    EXPECT_EQ(grid.GetCell(0, 0)->GetMergeRange(), CCellIDRange(0, 0, 1, 0));
    EXPECT_EQ(*grid.GetCell(0, 1)->GetFont(), page.GetHeadingFont());
    EXPECT_TRUE(grid.GetCellFormat(1, 4) & DT_CENTER);
    // The row numbers start at 1, in the heading font.
    EXPECT_EQ(QText(kFirst, 0), QStringLiteral("1"));
    EXPECT_EQ(RText(kFirst + 1, 0), QStringLiteral("2"));
    EXPECT_EQ(*grid.GetCell(kFirst, 0)->GetFont(), page.GetHeadingFont());
}

TEST_F(RowWritersTest, EachSideShowsItsItemOrNotMatched)
{
    EXPECT_EQ(QRow(kFirst, {3, 4, 5, 6}), QStringLiteral("10|Q1|Brand|Brand (long)"));
    EXPECT_EQ(QRow(kFirst, {9, 10, 11, 12, 13}),
              QStringLiteral("5|Q1S|Brand seen|Brand seen (long)|Online"));
    EXPECT_EQ(QCell(2).GetImage(), Page::ImageFirstKind + 2);

    // The writers with nothing to show: "Not matched" in the colour given, images only in the
    // image columns.
    // The captions differ: the row is a difference row.
    const COLORREF imageBack = QCell(7).GetBackColour();
    EXPECT_EQ(imageBack, recon_colours::Yellow);
    page.WriteQuestionCampaignSide(kFirst, Page::ImageMissing, 22, recon_colours::Red,
                                   recon_colours::Default, &page.GetNormalFont(), nullptr);
    page.WriteQuestionSourceSide(kFirst, Page::ImageMissingDeleted, 22, recon_colours::Grey,
                                 recon_colours::LightGrey, &page.GetBoldFont(), nullptr, nullptr);
    EXPECT_EQ(QRow(kFirst, {3, 4, 5, 6, 9, 10, 11, 12, 13}),
              QStringList(9, QStringLiteral("Not matched")).join(u'|'));
    EXPECT_EQ(QCell(1).GetImage(), Page::ImageMissing);
    EXPECT_EQ(QCell(2).GetImage(), Page::ImageFirstKind + 22);
    EXPECT_EQ(QCell(8).GetImage(), Page::ImageFirstKind + 22);
    EXPECT_EQ(QCell(4).GetTextColour(), recon_colours::Red);
    EXPECT_EQ(QCell(10).GetTextColour(), recon_colours::Grey);
    EXPECT_EQ(QCell(10).GetBackColour(), recon_colours::LightGrey);
    EXPECT_EQ(QCell(10).GetFont()->lfWeight, FW_BOLD);
    EXPECT_TRUE(QCell(1).GetText().isEmpty());
    EXPECT_EQ(QCell(7).GetBackColour(), imageBack);

    // The row styles: the whole row, or the fonts alone.
    page.SetQuestionRowStyle(kFirst, &page.GetBoldFont(), recon_colours::Yellow,
                             recon_colours::Default);
    for (int col : {1, 3, 6, 7, 9, 13})
        EXPECT_EQ(QCell(col).GetBackColour(), recon_colours::Yellow) << col;
    EXPECT_EQ(QCell(4).GetTextColour(), recon_colours::Default);
    page.SetQuestionRowFont(kFirst, &page.GetNormalFont());
    EXPECT_EQ(*QCell(4).GetFont(), page.GetNormalFont());
    EXPECT_EQ(QCell(4).GetBackColour(), recon_colours::Yellow);
}

TEST_F(RowWritersTest, ResponseRowsShowEntryCodesAndCaptions)
{
    // Beta has no entry code: its place among the two responses; the source's Bêta its place
    // among the source responses in brackets.
    EXPECT_EQ(RRow(kFirst, {2, 3, 4, 6, 7, 8, 9}), QStringLiteral("101|a|Alpha|1|a|Alpha|Online"));
    EXPECT_EQ(RRow(kFirst + 1, {2, 3, 4, 6, 7, 8}), QStringLiteral("102|[2]|Beta|2|[2]|Bêta"));

    page.WriteResponseCampaignSide(kFirst, Page::ImageMissing, recon_colours::Red,
                                   recon_colours::Default, &page.GetNormalFont(), nullptr, nullptr);
    page.WriteResponseSourceSide(kFirst, Page::ImageMissing, recon_colours::Red,
                                 recon_colours::Default, &page.GetNormalFont(), nullptr, nullptr);
    EXPECT_EQ(RRow(kFirst, {2, 3, 4, 6, 7, 8, 9}),
              QStringLiteral("Not matched|Not matched|Not matched|Not matched|(none)|"
                             "Not matched|Not matched"));
    EXPECT_EQ(RCell(5).GetImage(), Page::ImageMissing);

    // A merged response: its master's caption and the grey of merged rows.
    page.WriteResponseCampaignSide(kFirst, Page::ImageMerged, recon_colours::Grey,
                                   recon_colours::Default, &page.GetNormalFont(), beta, alpha);
    EXPECT_EQ(RText(kFirst, 4), QStringLiteral("Beta (merged to \"Alpha\")"));
    EXPECT_EQ(RCell(4).GetTextColour(), recon_colours::Grey);
    EXPECT_EQ(RCell(1).GetImage(), Page::ImageMerged);
}

TEST_F(RowWritersTest, TheSourceCaptionFollowsTheLanguageOption)
{
    sourceBeta->SetShortCaption(1036, QStringLiteral("Bêta FR"));
    CLanguageSettings language = app.GetLanguageSettings();
    language.SetSourceItems(1);
    app.SetLanguageSettings(language);
    // Mode 1: the source's own caption (its display language).
    page.WriteResponseSourceSide(kFirst, 1, recon_colours::Default, recon_colours::Default,
                                 &page.GetNormalFont(), sourceBeta, volume);
    EXPECT_EQ(RText(kFirst, 8), QStringLiteral("Bêta"));
    // Mode 0: the caption in the campaign's current language; none there gives an empty cell.
    language.SetSourceItems(0);
    app.SetLanguageSettings(language);
    Campaign().SetCurrentLanguageId(1036);
    page.WriteResponseSourceSide(kFirst, 1, recon_colours::Default, recon_colours::Default,
                                 &page.GetNormalFont(), sourceBeta, volume);
    EXPECT_EQ(RText(kFirst, 8), QStringLiteral("Bêta FR"));
    page.WriteResponseSourceSide(kFirst, 1, recon_colours::Default, recon_colours::Default,
                                 &page.GetNormalFont(), sourceAlpha, volume);
    EXPECT_EQ(RText(kFirst, 8), QString());
}

TEST_F(RowWritersTest, SourceResponsesWithoutEntryCodesAreNumberedInTheirOrder)
{
    qnr::CQuestion* twelve =
        AddSourceQuestion(*volume, 6, QStringLiteral("Q2S"), QStringLiteral("Twelve"));
    for (int code = 1; code <= 12; ++code)
        AddSourceResponse(*twelve, 100 + code, QStringLiteral("R%1").arg(code));
    ASSERT_TRUE(page.LoadWave(1));
    // The source question without a campaign question: the last row.
    page.SelectQuestionRow(page.GetQuestionGrid()->GetRowCount() - 1, Page::QColSourceShortcut);
    ASSERT_EQ(RDataRows(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(RText(kFirst + i, Page::RColSourceEntryCode),
                  QStringLiteral("[%1]").arg(i + 1, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(RText(kFirst, Page::RColEntryCode), QStringLiteral("Not matched"));
}

TEST_F(RowWritersTest, TwoSourceQuestionsSharingResponseCodesKeepTheirOwnNumbers)
{
    // Both without entry codes; the first has 2 responses (codes 1, 2), the second 12 (1 to 12).
    qnr::CQuestion* small =
        AddSourceQuestion(*volume, 6, QStringLiteral("SMALL"), QStringLiteral("S"));
    qnr::CQuestion* large =
        AddSourceQuestion(*volume, 7, QStringLiteral("LARGE"), QStringLiteral("L"));
    for (int code = 1; code <= 2; ++code)
        AddSourceResponse(*small, code, QStringLiteral("S%1").arg(code));
    for (int code = 1; code <= 12; ++code)
        AddSourceResponse(*large, code, QStringLiteral("L%1").arg(code));
    ASSERT_TRUE(page.LoadWave(1));
    const int last = page.GetQuestionGrid()->GetRowCount() - 1;
    page.SelectQuestionRow(last - 1, Page::QColSourceShortcut);
    EXPECT_EQ(RText(kFirst + 1, Page::RColSourceEntryCode), QStringLiteral("[2]"));
    page.SelectQuestionRow(last, Page::QColSourceShortcut);
    EXPECT_EQ(RText(kFirst + 1, Page::RColSourceEntryCode), QStringLiteral("[02]"));
    page.SelectQuestionRow(last - 1, Page::QColSourceShortcut);
    EXPECT_EQ(RText(kFirst + 1, Page::RColSourceEntryCode), QStringLiteral("[2]"));
}

TEST_F(RowWritersTest, EntryCodeTextCountsTheResponsesAliveInTheWave)
{
    CWave* second = view_test::AddWave(Campaign(), 2, QStringLiteral("Summer"));
    view_test::AddVolume(Campaign(), *second, 2, QStringLiteral("Phone"), VOLUME_RECONCILED);
    CQuestion* dozen = AddQuestion(Campaign(), 20, 2, QStringLiteral("D"), QStringLiteral("D"), 1);
    std::vector<CModality*> responses;
    for (int i = 0; i < 12; ++i)
        responses.push_back(AddResponse(Campaign(), *dozen, 200 + i, QStringLiteral("R")));
    struct Case
    {
        int waveId;
        int response;
        QString text;
    };
    // Removed in wave 2: counted in wave 1, not from wave 2 on.
    responses[0]->SetDeletionWaveId(2);
    const Case cases[] = {{1, 4, "[05]"}, {2, 4, "[04]"}, {2, 11, "[11]"}, {1, 11, "[12]"}};
    for (const Case& c : cases)
        EXPECT_EQ(EntryCodeText(Campaign(), c.waveId, dozen, responses[size_t(c.response)]), c.text)
            << c.waveId << " " << c.response;
    // Nine left and the question's don't-know and semi-open answers: two digits.
    for (int i = 1; i <= 2; ++i)
        responses[size_t(i)]->SetDeletionWaveId(1);
    EXPECT_EQ(EntryCodeText(Campaign(), 2, dozen, responses[3]), QStringLiteral("[1]"));
    dozen->SetIsDontKnow(1);
    dozen->SetIsSemiOpen(1);
    EXPECT_EQ(EntryCodeText(Campaign(), 2, dozen, responses[3]), QStringLiteral("[01]"));
    responses[3]->SetEntryCode(QStringLiteral("own"));
    EXPECT_EQ(EntryCodeText(Campaign(), 2, dozen, responses[3]), QStringLiteral("own"));
    EXPECT_EQ(EntryCodeText(Campaign(), 2, dozen, nullptr), QStringLiteral("Not matched"));
}

TEST_F(RowWritersTest, TheEnablingTestsLookAtTheRowAndTheColumn)
{
    const CCellID shortcut(kFirst, Page::QColShortcut);
    EXPECT_TRUE(page.CanRemoveCampaignQuestion(shortcut));
    EXPECT_TRUE(page.CanReorderResponses(shortcut));
    EXPECT_FALSE(page.CanRemoveCampaignQuestion({kFirst, Page::QColSourceShortcut}));
    EXPECT_FALSE(page.CanReorderResponses({kFirst, Page::QColState}));
    EXPECT_TRUE(page.CanRemoveCampaignResponse({kFirst, Page::RColCaption}));
    EXPECT_FALSE(page.CanRemoveCampaignResponse({kFirst, Page::RColSourceCaption}));

    // Removed in this wave: neither question nor response can be removed again.
    question->SetDeletionWaveId(1);
    alpha->SetDeletionWaveId(1);
    EXPECT_FALSE(page.CanRemoveCampaignQuestion(shortcut));
    EXPECT_TRUE(page.CanReorderResponses(shortcut));
    EXPECT_FALSE(page.CanRemoveCampaignResponse({kFirst, Page::RColCaption}));
    // A question without responses has none to reorder.
    question->SetQuestionType(5);
    EXPECT_FALSE(page.CanReorderResponses(shortcut));
}

TEST_F(RowWritersTest, LookupsFindRowsVolumesAndItems)
{
    EXPECT_EQ(page.GetCampaignQuestionAtRow(kFirst), question);
    EXPECT_EQ(page.GetSourceQuestionAtRow(kFirst), source);
    EXPECT_EQ(page.GetCampaignResponseAtRow(kFirst + 1), beta);
    EXPECT_EQ(page.GetSourceResponseAtRow(kFirst + 1), sourceBeta);
    EXPECT_EQ(page.GetQuestionRowVolume(kFirst), volume);
    EXPECT_EQ(page.FindSourceQuestionRow(*source, 1), kFirst);
    EXPECT_EQ(page.FindSourceQuestionRow(*source, 2), Page::kNoRow);
    EXPECT_EQ(page.FindQuestionRowForVolume(*question, 1), kFirst);
    page.SelectResponseRow(kFirst + 1, Page::RColCaption);
    EXPECT_EQ(page.GetFocusedCampaignResponse(), beta);
    EXPECT_TRUE(page.WaveHoldsVolume(1));
    EXPECT_FALSE(page.WaveHoldsVolume(2));
}

TEST_F(RowWritersTest, TheCollectorsOrderByOrderThenId)
{
    CQuestion* b = AddQuestion(Campaign(), 31, 2, QStringLiteral("B"), QStringLiteral("B"), 1);
    CQuestion* a = AddQuestion(Campaign(), 30, 3, QStringLiteral("A"), QStringLiteral("A"), 1);
    // The reserved question is never shown.
    AddQuestion(Campaign(), RESERVED_QUESTION_ID, 4, QStringLiteral("R"), QStringLiteral("R"), 1);
    // Equal orders (the campaign's insertion would have moved them apart).
    a->SetOrder(5);
    b->SetOrder(5);
    std::set<std::pair<int, int>> questions;
    EXPECT_EQ(page.CollectWaveQuestions(Campaign(), 1, questions), 3);
    EXPECT_EQ(questions, (std::set<std::pair<int, int>>{{1, 10}, {5, 30}, {5, 31}}));

    std::set<std::pair<int, int>> responses;
    beta->SetModalityOrder(alpha->GetModalityOrder());
    EXPECT_EQ(page.CollectWaveResponses(Campaign(), *question, 1, responses), 2);
    EXPECT_EQ(responses.begin()->second, 101);
}
