#include "ReconPageTestSupport.h"

#include "commands/CommandHistory.h"
#include "menus/CommandActions.h"
#include "model/Campaign.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Question.h"
#include "res/CommandIds.h"
#include "views/OverviewBar.h"
#include "views/ReconColours.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;
using namespace recon_test;
using Page = CRightReconciliationPage;

// Wave 1 (volume 1 "Online"). Campaign question 10 BRAND with the responses, in order:
//   101 Alpha (entry code "a")   matched to source 1 Alpha
//   102 Beta                     matched to source 2 "Beta!" (a caption difference)
//   103 Gamma                    matched to source 3 Gamma
//   104 Delta (entry code "d")   matched to source 4 Delta
//   105 Spare                    matched to nothing
// and the source response 9 Extra that no campaign response has. The response grid so shows
// 101 to 105, then Extra.
class MoveResponseTest : public CReconPageTest
{
protected:
    MoveResponseTest()
    {
        CWave* wave = view_test::AddWave(Campaign(), 1, QStringLiteral("Spring"));
        CVolume* online =
            view_test::AddVolume(Campaign(), *wave, 1, QStringLiteral("Online"), VOLUME_RECONCILED);
        brand = AddQuestion(Campaign(), 10, 1, "BRAND", "Brand", 1);
        qnr::CQuestion* source = AddSourceQuestion(*online, 1, "BRAND", "Brand");
        MatchQuestion(*online, 10, 1);
        const struct
        {
            int Id;
            const char* Caption;
            const char* EntryCode;
            const char* SourceCaption;
        } responses[] = {{101, "Alpha", "a", "Alpha"},
                         {102, "Beta", "", "Beta!"},
                         {103, "Gamma", "", "Gamma"},
                         {104, "Delta", "d", "Delta"},
                         {105, "Spare", "", nullptr}};
        for (const auto& response : responses) {
            AddResponse(Campaign(), *brand, response.Id, response.Caption, response.EntryCode);
            if (response.SourceCaption) {
                const int code = response.Id - 100;
                AddSourceResponse(*source, code, response.SourceCaption, response.EntryCode);
                MatchResponse(*online, *brand, response.Id, code);
            }
        }
        AddSourceResponse(*source, 9, "Extra");
        EXPECT_TRUE(page.LoadWave(1));
    }

    // Each data row of the response grid as "code|entry code|caption|source code|source
    // caption".
    QStringList Rows() const
    {
        QStringList rows;
        for (int row = kFirst; row < page.GetResponseGrid()->GetRowCount(); ++row)
            rows << RRow(row, {Page::RColCode, Page::RColEntryCode, Page::RColCaption,
                               Page::RColSourceCode, Page::RColSourceCaption});
        return rows;
    }
    std::vector<int> BarStates() const
    {
        std::vector<int> states;
        for (int i = 0; i < page.GetResponseBar()->GetItemCount(); ++i)
            states.push_back(page.GetResponseBar()->GetItemState(i));
        return states;
    }
    bool Enabled(unsigned id)
    {
        CCmdUI ui(id);
        page.OnUpdateCommand(ui);
        return ui.m_enable.value_or(false);
    }
    CCellID Focus() const { return page.GetResponseGrid()->GetFocusCell(); }
    int Undoable() { return app.GetCommandHistory().GetUndoCount(); }

    CQuestion* brand = nullptr;
};

TEST_F(MoveResponseTest, MovingUpSwapsTheTwoRowsInPlaceAndUndoSwapsThemBack)
{
    const QStringList before = Rows();
    EXPECT_EQ(before,
              QStringList({"101|a|Alpha|1|Alpha", "102|[2]|Beta|2|Beta!", "103|[3]|Gamma|3|Gamma",
                           "104|d|Delta|4|Delta", "105|[5]|Spare|Not matched|Not matched",
                           "Not matched|Not matched|Not matched|9|Extra"}));
    EXPECT_EQ(BarStates(), std::vector<int>({0, 1, 0, 0, 2, 2}));
    page.SelectResponseRow(kFirst + 2, Page::RColCaption);
    ASSERT_TRUE(Enabled(ID_RESPONSE_MOVE_UP));

    page.OnCommand(ID_RESPONSE_MOVE_UP);
    EXPECT_EQ(Undoable(), 1);
    EXPECT_EQ(Campaign().GetModalityById(103)->GetModalityOrder(), 2);
    EXPECT_EQ(Campaign().GetModalityById(102)->GetModalityOrder(), 3);
    // Both sides move; the generated entry codes follow the places; the row numbers stay.
    const QStringList moved = Rows();
    EXPECT_EQ(moved.mid(1, 2), QStringList({"103|[2]|Gamma|3|Gamma", "102|[3]|Beta|2|Beta!"}));
    EXPECT_EQ(RText(kFirst + 1, Page::RColNumber), QStringLiteral("2"));
    EXPECT_EQ(RText(kFirst + 2, Page::RColNumber), QStringLiteral("3"));
    // The difference colours, the overview bands, the mappers and the focus with the response.
    const CWaveGridCtrl& grid = *page.GetResponseGrid();
    EXPECT_EQ(grid.GetCellBackColour(kFirst + 2, Page::RColCaption), recon_colours::Yellow);
    EXPECT_EQ(grid.GetCellBackColour(kFirst + 1, Page::RColCaption), recon_colours::Default);
    EXPECT_EQ(BarStates(), std::vector<int>({0, 0, 1, 0, 2, 2}));
    EXPECT_EQ(page.GetResponseRows().GetFirstRow(103), kFirst + 1);
    EXPECT_EQ(page.GetResponseRows().GetFirstRow(102), kFirst + 2);
    EXPECT_EQ(page.GetResponseRows().GetSourceKey(kFirst + 1), QStringLiteral("3"));
    EXPECT_EQ(page.GetResponseRows().GetSourceKey(kFirst + 2), QStringLiteral("2"));
    EXPECT_EQ(Focus(), CCellID(kFirst + 1, Page::RColCaption));
    EXPECT_TRUE(grid.IsCellSelected(kFirst + 1, Page::RColCaption));
    EXPECT_FALSE(grid.IsCellSelected(kFirst + 2, Page::RColCaption));
    EXPECT_EQ(page.GetFocusedResponseId(), 103);

    // The rows in place are the rows a fill makes.
    page.RefreshResponses();
    EXPECT_EQ(Rows(), moved);
    page.SelectResponseRow(kFirst + 1, Page::RColCaption);

    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(BarStates(), std::vector<int>({0, 1, 0, 0, 2, 2}));
    EXPECT_EQ(Focus(), CCellID(kFirst + 2, Page::RColCaption));
    EXPECT_EQ(page.GetFocusedResponseId(), 103);
    EXPECT_EQ(grid.GetCellBackColour(kFirst + 1, Page::RColCaption), recon_colours::Yellow);

    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(Rows(), moved);
    EXPECT_EQ(page.GetFocusedResponseId(), 103);
}

TEST_F(MoveResponseTest, MovingDownPassesAResponseWithoutSourceAndRenumbersBoth)
{
    page.SelectResponseRow(kFirst + 3, Page::RColCode);
    ASSERT_TRUE(Enabled(ID_RESPONSE_MOVE_DOWN));
    page.OnCommand(ID_RESPONSE_MOVE_DOWN);
    EXPECT_EQ(Rows().mid(3, 2),
              QStringList({"105|[4]|Spare|Not matched|Not matched", "104|d|Delta|4|Delta"}));
    EXPECT_EQ(BarStates(), std::vector<int>({0, 1, 0, 2, 0, 2}));
    EXPECT_EQ(Focus(), CCellID(kFirst + 4, Page::RColCode));
    EXPECT_EQ(page.GetResponseRows().GetSourceKey(kFirst + 3), Page::kNoSourceKey);
    EXPECT_EQ(page.GetResponseRows().GetSourceKey(kFirst + 4), QStringLiteral("4"));
}

TEST_F(MoveResponseTest, TheEndsAndRowsWithoutCampaignResponseMoveNothing)
{
    const struct
    {
        int Row;
        unsigned Command;
    } cases[] = {
        {kFirst, ID_RESPONSE_MOVE_UP},       // the first response
        {kFirst + 4, ID_RESPONSE_MOVE_DOWN}, // the last response: below it a source row
        {kFirst + 5, ID_RESPONSE_MOVE_UP},   // a source response without campaign response
        {kFirst + 5, ID_RESPONSE_MOVE_DOWN},
    };
    const QStringList before = Rows();
    for (const auto& test : cases) {
        page.SelectResponseRow(test.Row, Page::RColCaption);
        EXPECT_FALSE(Enabled(test.Command)) << test.Row;
        page.OnCommand(test.Command);
        EXPECT_EQ(Undoable(), 0) << test.Row;
        EXPECT_EQ(Rows(), before);
    }
}

TEST_F(MoveResponseTest, TheMovesNeedEveryResponseFilterOn)
{
    using Setter = void (CViewSettings::*)(int);
    const struct
    {
        Setter Off;
        bool Enabled;
    } cases[] = {{&CViewSettings::SetShowImperfectResponseMatches, false},
                 {&CViewSettings::SetShowPerfectResponseMatches, false},
                 {&CViewSettings::SetShowUnmatchedCampaignResponses, false},
                 {&CViewSettings::SetShowUnmatchedSourceResponses, false},
                 // The responses new in the wave are shown whatever the others say.
                 {&CViewSettings::SetShowNewCampaignResponses, true}};
    const CViewSettings all = app.GetViewSettings();
    for (const auto& test : cases) {
        CViewSettings view = all;
        (view.*test.Off)(0);
        app.SetViewSettings(view);
        page.SelectResponseRow(kFirst + 2, Page::RColCaption);
        EXPECT_EQ(Enabled(ID_RESPONSE_MOVE_UP), test.Enabled);
        EXPECT_EQ(Enabled(ID_RESPONSE_MOVE_DOWN), test.Enabled);
    }
    app.SetViewSettings(all);
    // Without a focus cell in the response grid neither is enabled.
    page.GetResponseGrid()->SetFocusCell(-1, -1);
    EXPECT_FALSE(Enabled(ID_RESPONSE_MOVE_UP));
}

TEST_F(MoveResponseTest, UndoAfterThePageWentChangesOnlyTheCampaign)
{
    auto other = std::make_unique<CRightReconciliationPage>();
    other->resize(800, 500);
    ASSERT_TRUE(other->LoadWave(1));
    other->SelectResponseRow(kFirst + 1, Page::RColCaption);
    other->OnCommand(ID_RESPONSE_MOVE_DOWN);
    EXPECT_EQ(Campaign().GetModalityById(102)->GetModalityOrder(), 3);
    other.reset();
    ASSERT_TRUE(app.Undo());
    EXPECT_EQ(Campaign().GetModalityById(102)->GetModalityOrder(), 2);
    ASSERT_TRUE(app.Redo());
    EXPECT_EQ(Campaign().GetModalityById(102)->GetModalityOrder(), 3);
}

TEST_F(MoveResponseTest, OnlyAResponseOfTheCurrentQuestionMoves)
{
    page.SelectResponseRow(kFirst + 2, Page::RColCaption);
    ASSERT_TRUE(Enabled(ID_RESPONSE_MOVE_UP));
    // Another campaign in the application that the page was not told of: the focused row's
    // response 103 is now one of OTHER, the row above it shows 102 of BRAND.
    app.DestroyCampaignObjects();
    app.CreateCampaignObjects(nullptr, nullptr);
    CWave* wave = view_test::AddWave(Campaign(), 1, QStringLiteral("Spring"));
    view_test::AddVolume(Campaign(), *wave, 1, QStringLiteral("Online"), VOLUME_RECONCILED);
    CQuestion* newBrand = AddQuestion(Campaign(), 10, 1, "BRAND", "Brand", 1);
    CQuestion* other = AddQuestion(Campaign(), 11, 2, "OTHER", "Other", 1);
    AddResponse(Campaign(), *newBrand, 101, "One");
    AddResponse(Campaign(), *newBrand, 102, "Two");
    AddResponse(Campaign(), *other, 106, "Six");
    AddResponse(Campaign(), *other, 103, "Three");
    EXPECT_FALSE(Enabled(ID_RESPONSE_MOVE_UP));
    EXPECT_FALSE(Enabled(ID_RESPONSE_MOVE_DOWN));
    page.MoveResponse(true);
    EXPECT_EQ(Undoable(), 0);
    EXPECT_EQ(Campaign().GetModalityById(102)->GetModalityOrder(), 2);
    EXPECT_EQ(Campaign().GetModalityById(103)->GetModalityOrder(), 2);
}
