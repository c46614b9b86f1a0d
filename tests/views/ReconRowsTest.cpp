#include "views/ReconRows.h"
#include "support/views/ManualClock.h"
#include "views/OverviewBar.h"
#include "views/ReconColours.h"
#include "views/WaveGridCtrl.h"

#include <gtest/gtest.h>

namespace {

constexpr int kFirst = 2; // two heading rows

// A grid of two heading rows, the row-number column and four data columns (an image column and
// a text column on each side), with its bar and rows; five data rows, numbered, each in its
// band.
class ReconRowsTest : public ::testing::Test
{
protected:
    ReconRowsTest()
    {
        grid.SetColumnCount(5);
        grid.SetFixedColumnCount(1);
        grid.SetRowCount(kFirst);
        grid.SetFixedRowCount(kFirst);
        rows.Attach(grid, bar, {3, {1, 3}}, [this] { ++fadesStarted; });
        for (int i = 0; i < 5; ++i)
            rows.AppendRow(i % 3);
    }

    std::vector<int> Bands() const
    {
        std::vector<int> states;
        for (int i = 0; i < bar.GetItemCount(); ++i)
            states.push_back(bar.GetItemState(i));
        return states;
    }
    QString Numbers() const
    {
        QStringList numbers;
        for (int row = kFirst; row < grid.GetRowCount(); ++row)
            numbers << grid.GetCellText(row, 0);
        return numbers.join(u',');
    }

    CManualClock clock;
    CWaveGridCtrl grid{CWaveGridCtrl::QuestionGrid};
    COverviewBar bar;
    CReconRows rows;
    int fadesStarted = 0;
};

} // namespace

TEST_F(ReconRowsTest, EntriesAreOnePerRowAndLookedUpWithoutACursor)
{
    rows.SetId(kFirst, 10);
    rows.SetSource(kFirst, QStringLiteral("7"), 3);
    rows.SetId(kFirst + 1, 10);
    rows.SetSource(kFirst + 1, QStringLiteral("7"), 4);
    EXPECT_EQ(rows.SetUnmatchedId(kFirst + 2), -1);
    rows.SetSource(kFirst + 2, QStringLiteral("8"), 3);

    const CReconRows& seen = rows;
    EXPECT_EQ(seen.GetRows(10), (std::vector<int>{kFirst, kFirst + 1}));
    // One walk inside another: nothing is shared between them.
    for (const int row : seen.GetRows(10))
        EXPECT_EQ(seen.FindRow(10, seen.GetVolumeId(row)), row);
    EXPECT_EQ(seen.FindRow(10, 5), CReconRows::kNoRow);
    EXPECT_EQ(seen.FindSourceRow(QStringLiteral("7"), 4), kFirst + 1);
    EXPECT_EQ(seen.GetId(kFirst + 2), -1);
    EXPECT_EQ(seen.GetId(kFirst + 3), CReconRows::kNoId);

    // An entry set again replaces the row's own; a source removed takes its volume with it.
    rows.SetId(kFirst + 1, 11);
    EXPECT_EQ(seen.GetRows(10), std::vector<int>{kFirst});
    rows.SetSource(kFirst, QStringLiteral("9"), 3);
    EXPECT_EQ(seen.GetSourceRows(QStringLiteral("7")), std::vector<int>{kFirst + 1});
    rows.RemoveSource(kFirst + 1);
    EXPECT_FALSE(seen.HasSource(kFirst + 1));
    EXPECT_EQ(seen.GetVolumeId(kFirst + 1), CReconRows::kNoVolume);

    // The unmatched keys go on after a clear.
    rows.Clear();
    EXPECT_EQ(seen.GetId(kFirst), CReconRows::kNoId);
    EXPECT_EQ(bar.GetItemCount(), 0);
    EXPECT_EQ(rows.SetUnmatchedId(kFirst), -2);
}

TEST_F(ReconRowsTest, InsertedAndDeletedRowsMoveEverythingBelowThem)
{
    rows.SetId(kFirst + 1, 10);
    rows.SetSource(kFirst + 1, QStringLiteral("7"), 3);
    rows.SetId(kFirst + 3, 12);
    rows.SetSource(kFirst + 3, QStringLiteral("8"), 4);
    rows.SetCurrentRow(kFirst + 3);
    rows.StartFade(kFirst + 3, recon_colours::Yellow);
    ASSERT_EQ(rows.GetFadeCount(), 1);
    EXPECT_EQ(fadesStarted, 1);
    EXPECT_EQ(Bands(), (std::vector<int>{0, 1, 2, 0, 1}));

    EXPECT_EQ(rows.InsertRow(kFirst + 2, 2), kFirst + 2);
    EXPECT_EQ(Numbers(), QStringLiteral("1,2,3,4,5,6"));
    EXPECT_EQ(Bands(), (std::vector<int>{0, 1, 2, 2, 0, 1}));
    EXPECT_EQ(rows.GetFirstRow(10), kFirst + 1);
    EXPECT_EQ(rows.GetFirstRow(12), kFirst + 4);
    EXPECT_EQ(rows.GetVolumeId(kFirst + 4), 4);
    EXPECT_EQ(rows.GetId(kFirst + 2), CReconRows::kNoId);
    EXPECT_EQ(rows.GetCurrentRow(), kFirst + 4);

    // The fade went down with its row: dropping it there ends it.
    rows.DropFade(kFirst + 3);
    EXPECT_EQ(rows.GetFadeCount(), 1);
    rows.DropFade(kFirst + 4);
    EXPECT_EQ(rows.GetFadeCount(), 0);

    rows.DeleteRow(kFirst + 1);
    EXPECT_EQ(Numbers(), QStringLiteral("1,2,3,4,5"));
    EXPECT_EQ(Bands(), (std::vector<int>{0, 2, 2, 0, 1}));
    EXPECT_EQ(rows.GetFirstRow(10), CReconRows::kNoRow);
    EXPECT_EQ(rows.GetSourceRows(QStringLiteral("7")), std::vector<int>{});
    EXPECT_EQ(rows.GetFirstRow(12), kFirst + 3);
    EXPECT_EQ(rows.FindSourceRow(QStringLiteral("8"), 4), kFirst + 3);
    EXPECT_EQ(rows.GetCurrentRow(), kFirst + 3);
    rows.DeleteRow(kFirst + 3);
    EXPECT_EQ(rows.GetCurrentRow(), -1);
}

TEST_F(ReconRowsTest, SwappedRowsTakeTheirCellsEntriesAndBands)
{
    grid.SetCellText(kFirst, 2, QStringLiteral("first"));
    grid.SetCellText(kFirst + 1, 2, QStringLiteral("second"));
    rows.SetId(kFirst, 10);
    rows.SetSource(kFirst, QStringLiteral("7"), 3);
    rows.SetId(kFirst + 1, 11);
    rows.StartFade(kFirst, recon_colours::Yellow);
    ASSERT_EQ(rows.GetFadeCount(), 1);
    rows.SwapRows(kFirst, kFirst + 1);
    EXPECT_EQ(grid.GetCellText(kFirst, 2), QStringLiteral("second"));
    EXPECT_EQ(grid.GetCellText(kFirst + 1, 2), QStringLiteral("first"));
    EXPECT_EQ(rows.GetId(kFirst), 11);
    EXPECT_FALSE(rows.HasSource(kFirst));
    EXPECT_EQ(rows.GetId(kFirst + 1), 10);
    EXPECT_EQ(rows.GetVolumeId(kFirst + 1), 3);
    EXPECT_EQ(Bands(), (std::vector<int>{1, 0, 2, 0, 1}));
    // The row numbers stay where they were.
    EXPECT_EQ(Numbers(), QStringLiteral("1,2,3,4,5"));
    // The fade went with its row's cells: it ends there, and the row now in its place keeps
    // its colour.
    clock.Advance(kHighlightDuration + 1);
    EXPECT_FALSE(rows.StepFades());
    EXPECT_EQ(grid.GetCellBackColour(kFirst + 1, 2), recon_colours::Yellow);
    EXPECT_NE(grid.GetCellBackColour(kFirst, 2), recon_colours::Yellow);
}

TEST_F(ReconRowsTest, ALookColoursEachSideAndLeavesTheImageColumnsDefault)
{
    LOGFONT bold;
    bold.lfWeight = FW_BOLD;
    rows.ApplyLook(kFirst, &bold, recon_colours::Yellow, recon_colours::Grey, recon_colours::Red, 1,
                   false);
    for (const int col : {1, 2, 3, 4})
        EXPECT_EQ(grid.GetCellBackColour(kFirst, col), recon_colours::Yellow) << col;
    EXPECT_EQ(grid.GetCell(kFirst, 2)->GetTextColour(), recon_colours::Grey);
    EXPECT_EQ(grid.GetCell(kFirst, 4)->GetTextColour(), recon_colours::Red);
    for (const int col : {1, 3}) {
        EXPECT_EQ(grid.GetCell(kFirst, col)->GetTextColour(), recon_colours::Default) << col;
        EXPECT_TRUE(grid.GetCell(kFirst, col)->IsDefaultFont()) << col;
    }
    EXPECT_FALSE(grid.GetCell(kFirst, 4)->IsDefaultFont());
    EXPECT_EQ(bar.GetItemState(0), 1);

    // With a fade the background goes there over time; a look without one drops it.
    rows.ApplyLook(kFirst, nullptr, recon_colours::Default, recon_colours::Default,
                   recon_colours::Default, 0, true);
    EXPECT_EQ(rows.GetFadeCount(), 1);
    clock.Advance(kHighlightDuration + 1);
    EXPECT_FALSE(rows.StepFades());
    EXPECT_EQ(grid.GetCellBackColour(kFirst, 2), recon_colours::Default);
    rows.ApplyLook(kFirst + 1, nullptr, recon_colours::Yellow, recon_colours::Default,
                   recon_colours::Default, 0, true);
    rows.ApplyLook(kFirst + 1, nullptr, recon_colours::Grey, recon_colours::Default,
                   recon_colours::Default, 0, false);
    EXPECT_EQ(rows.GetFadeCount(), 0);
    EXPECT_EQ(grid.GetCellBackColour(kFirst + 1, 2), recon_colours::Grey);
}
