#include "views/OverviewBar.h"
#include "grid/GridNotify.h"
#include "views/OverviewBands.h"
#include "views/ReconColours.h"
#include "widgets/Screenshots.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// Records the bar's click reports.
class CClickRecorder : public INotifyOwner
{
public:
    LRESULT OnNotify(NMHDR& header) override
    {
        EXPECT_EQ(header.code, NM_CLICK);
        Rows.push_back(static_cast<NMOVERVIEWCLICK&>(header).iRow);
        return 0;
    }
    std::vector<int> Rows;
};

QColor Colour(COLORREF colour)
{
    return ReconQColor(colour);
}

} // namespace

// A bar 20 x 300 with a 40-pixel header and a band area from 40 to 239 (200 rows of pixels).
class OverviewBarTest : public ::testing::Test
{
protected:
    OverviewBarTest()
    {
        bar.SetOwner(&recorder);
        bar.SetDlgCtrlID(1140);
        bar.resize(20, 300);
        bar.SetTopMargin(40);
        bar.SetBarHeight(203);
        bar.show();
    }

    QImage Picture(const QString& name)
    {
        return shots::GrabAndSave(bar, "test-artefacts/views", QStringLiteral("overview-") + name);
    }
    void Click(int y) { QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(10, y)); }

    CClickRecorder recorder;
    COverviewBar bar;
};

TEST_F(OverviewBarTest, TheBandAreaLiesBetweenTheHeaderAndTheFooter)
{
    EXPECT_EQ(bar.HeaderRect(), QRect(0, 0, 20, 40));
    EXPECT_EQ(bar.BandFrameRect(), QRect(0, 39, 20, 202));
    EXPECT_EQ(bar.BandAreaRect(), QRect(1, 40, 18, 200));
    EXPECT_EQ(bar.FooterRect(), QRect(0, 240, 20, 60));

    // With the initial sizes there is no band area.
    COverviewBar fresh;
    fresh.resize(20, 300);
    EXPECT_TRUE(fresh.BandAreaRect().isEmpty());
    EXPECT_TRUE(fresh.BandFrameRect().isEmpty());
}

TEST_F(OverviewBarTest, OneMatchedRowIsOneWhiteBand)
{
    bar.AddItem(0);
    const QImage image = Picture(QStringLiteral("one-row"));
    for (int y : {40, 100, 200, 239})
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 10, y), Qt::white)) << y;
    ASSERT_EQ(bar.GetBands().size(), 1u);
    EXPECT_EQ(bar.GetBands()[0].Height, 200);
}

TEST_F(OverviewBarTest, OneRedRowAmongTenThousandStillShows)
{
    for (int i = 0; i < 10000; ++i)
        bar.AddItem(i == 6000 ? 2 : 0);
    const QImage image = Picture(QStringLiteral("one-red-in-10000"));
    int red = 0;
    for (int y = 40; y < 240; ++y)
        red += shots::ColourNear(shots::PixelAt(image, 10, y), Colour(recon_colours::Red)) ? 1 : 0;
    EXPECT_GE(red, 1);
    // It sits where row 6000 of 10,000 lies, 60 % down the band area.
    const std::vector<SOverviewBand>& bands = bar.GetBands();
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[1].State, 2);
    EXPECT_NEAR(bands[1].Top, 120, 1);
}

TEST_F(OverviewBarTest, StatesTakeTheirColoursInRunsOfEqualStates)
{
    // Four rows of 50 pixels each: white, yellow, red, white (3: unmatched and removed).
    for (int state : {0, 1, 2, 3})
        bar.AddItem(state);
    const QImage image = Picture(QStringLiteral("four-states"));
    const COLORREF expected[] = {recon_colours::White, recon_colours::Yellow, recon_colours::Red,
                                 recon_colours::White};
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(
            shots::ColourNear(shots::PixelAt(image, 15, 40 + row * 50 + 25), Colour(expected[row])))
            << row;
    EXPECT_EQ(COverviewBar::StateColour(7), CLR_DEFAULT);
}

TEST_F(OverviewBarTest, AClickReportsTheRowUnderItAndLeavesTheMarker)
{
    for (int i = 0; i < 4; ++i)
        bar.AddItem(0);
    Click(40 + 120);
    ASSERT_EQ(recorder.Rows, std::vector<int>({2}));
    EXPECT_EQ(bar.GetMarkerY(), 160);
    const QImage image = Picture(QStringLiteral("marker"));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 2, 160), Qt::black));

    // Outside the bands: no report, the marker goes.
    Click(10);
    EXPECT_EQ(recorder.Rows.size(), 1u);
    EXPECT_EQ(bar.GetMarkerY(), -1);

    // A bar without rows reports no row.
    bar.DeleteAllItems();
    Click(100);
    EXPECT_EQ(recorder.Rows, std::vector<int>({2, -1}));
    // Below the last band there is no row either.
    EXPECT_EQ(OverviewRowAt(ComputeOverviewBands({0, 1}, 10), 10), -1);
    EXPECT_EQ(OverviewRowAt(ComputeOverviewBands({0, 1}, 10), 9), 1);
}

TEST_F(OverviewBarTest, AnIndexEqualToTheCountIsIgnored)
{
    bar.AddItem(0);
    bar.AddItem(1);
    bar.SetItemState(2, 2);
    bar.DeleteItem(2);
    bar.InsertItem(2, 2);
    bar.SwapItems(1, 2);
    ASSERT_EQ(bar.GetItemCount(), 2);
    EXPECT_EQ(bar.GetItemState(0), 0);
    EXPECT_EQ(bar.GetItemState(1), 1);

    bar.InsertItem(1, 2);
    bar.SwapItems(0, 2);
    bar.DeleteItem(1);
    EXPECT_EQ(bar.GetItemCount(), 2);
    EXPECT_EQ(bar.GetItemState(0), 1);
    EXPECT_EQ(bar.GetItemState(1), 0);
}

TEST_F(OverviewBarTest, EnsureMarkerOnRowMovesTheMarkerOnlyWhenItIsOutsideTheRow)
{
    // Ten rows of 20 pixels each.
    for (int i = 0; i < 10; ++i)
        bar.AddItem(i % 2);
    bar.EnsureMarkerOnRow(3);
    EXPECT_EQ(bar.GetMarkerY(), 40 + 70);
    // A marker already inside the row stays.
    Click(40 + 61);
    bar.EnsureMarkerOnRow(3);
    EXPECT_EQ(bar.GetMarkerY(), 40 + 61);
    // Past the rows: nothing.
    bar.EnsureMarkerOnRow(10);
    EXPECT_EQ(bar.GetMarkerY(), 40 + 61);
}
