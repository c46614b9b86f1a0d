#include "grid/GridNotify.h"
#include "support/views/ManualClock.h"
#include "views/ReconColours.h"
#include "views/WaveGridCtrl.h"
#include "widgets/Screenshots.h"

#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Records every report as "code row,col" and answers the drag queries as told.
class CGridRecorder : public INotifyOwner
{
public:
    LRESULT OnNotify(NMHDR& header) override
    {
        const auto& report = static_cast<const GRIDNOTIFY&>(header);
        if (report.iRow >= 0 && header.code == WGN_DRAGOVERQUERY && RefusedRows.count(report.iRow))
            return -1;
        Calls << QStringLiteral("%1 %2,%3").arg(header.code).arg(report.iRow).arg(report.iColumn);
        if (header.code == WGN_BEGINDRAGQUERY)
            return VetoDrag ? -1 : 0;
        if (header.code == NM_RCLICK)
            SelectedAtRightClick = Grid->GetSelectedRange();
        return 0;
    }

    CGridCtrl* Grid = nullptr;
    bool VetoDrag = false;
    std::set<int> RefusedRows;
    QStringList Calls;
    CCellIDRange SelectedAtRightClick;
};

// The grid whose drag loop only records that it ran.
class CTestGrid : public CWaveGridCtrl
{
public:
    using CWaveGridCtrl::CWaveGridCtrl;
    int DragLoops = 0;
    QString DraggedFormat;

protected:
    DROPEFFECT DoDragDrop(std::unique_ptr<QMimeData> data, DROPEFFECT) override
    {
        ++DragLoops;
        DraggedFormat = data->formats().value(0);
        return DROPEFFECT_NONE;
    }
};

std::unique_ptr<QMimeData> Payload(const QString& format)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(format, QByteArray(1, '\0'));
    return data;
}

} // namespace

// A question grid of 1 fixed and 5 data rows of 20 pixels and 3 columns of 60, in a widget
// taller than its rows.
class WaveGridTest : public ::testing::Test
{
protected:
    WaveGridTest()
    {
        grid.SetOwner(&owner);
        owner.Grid = &grid;
        grid.SetDlgCtrlID(1119);
        grid.EnableDragAndDrop(true);
        grid.SetColumnCount(3);
        grid.SetRowCount(6);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        for (int row = 0; row < 6; ++row)
            grid.SetRowHeight(row, 20);
        for (int col = 0; col < 3; ++col)
            grid.SetColumnWidth(col, 60);
        grid.resize(240, 200);
        grid.show();
    }

    // The point in the middle of a cell.
    CPoint Centre(int row, int col) { return CPoint(col * 60 + 30, row * 20 + 10); }

    CGridRecorder owner;
    CTestGrid grid{CWaveGridCtrl::QuestionGrid};
};

TEST_F(WaveGridTest, AVetoedDragStartsNoLoopAndForgetsItsSource)
{
    grid.SetFocusCell(2, 1);
    grid.SetSelectedRange(2, 1, 2, 1);
    grid.StartDrag();
    EXPECT_EQ(grid.DragLoops, 1);
    EXPECT_EQ(grid.DraggedFormat, QStringLiteral("PelkoQuestion"));
    EXPECT_EQ(grid.GetDragSourceCell(), CCellID(2, 1));
    EXPECT_TRUE(owner.Calls.contains(QStringLiteral("-109 2,1")));

    owner.Calls.clear();
    owner.VetoDrag = true;
    grid.SetFocusCell(3, 1);
    grid.StartDrag();
    EXPECT_EQ(grid.DragLoops, 1);
    EXPECT_EQ(grid.GetDragSourceCell(), CCellID());
    EXPECT_EQ(owner.Calls, QStringList({"-133 3,1"}));
    // The next leave carries no source.
    grid.OnDragLeave();
    EXPECT_EQ(owner.Calls.last(), QStringLiteral("-135 -1,-1"));
}

TEST_F(WaveGridTest, LeavingTheCellsForTheEmptyAreaReportsALeaveAndComingBackAQuery)
{
    grid.SetFocusCell(1, 1);
    grid.StartDrag();
    owner.Calls.clear();
    const auto data = Payload(CWaveGridCtrl::kQuestionFormat);
    EXPECT_EQ(grid.OnDragOver(data.get(), {}, Centre(3, 2)), DROPEFFECT_MOVE);
    EXPECT_EQ(grid.GetLastDragOverCell(), CCellID(3, 2));
    EXPECT_TRUE(grid.GetCellState(3, 2) & GVIS_DROPHILITED);
    // Ctrl only changes the effect.
    EXPECT_EQ(grid.OnDragOver(data.get(), Qt::ControlModifier, Centre(3, 2)), DROPEFFECT_COPY);

    // Below the last row.
    EXPECT_EQ(grid.OnDragOver(data.get(), {}, CPoint(90, 170)), DROPEFFECT_NONE);
    EXPECT_FALSE(grid.GetCellState(3, 2) & GVIS_DROPHILITED);
    EXPECT_EQ(grid.GetLastDragOverCell(), CCellID());
    EXPECT_EQ(owner.Calls, QStringList({"-134 3,2", "-134 3,2", "-135 1,1"}));

    grid.OnDragOver(data.get(), {}, Centre(4, 1));
    EXPECT_EQ(owner.Calls.last(), QStringLiteral("-134 4,1"));
}

TEST_F(WaveGridTest, ARefusedCellKeepsTheHighlightWhereItWas)
{
    grid.SetFocusCell(1, 1);
    grid.StartDrag();
    owner.RefusedRows = {4};
    const auto data = Payload(CWaveGridCtrl::kQuestionFormat);
    grid.OnDragOver(data.get(), {}, Centre(3, 1));
    EXPECT_EQ(grid.OnDragOver(data.get(), {}, Centre(4, 1)), DROPEFFECT_NONE);
    EXPECT_EQ(grid.GetLastDragOverCell(), CCellID(3, 1));
    EXPECT_TRUE(grid.GetCellState(3, 1) & GVIS_DROPHILITED);
}

TEST_F(WaveGridTest, ADropReportsTheLeaveThenTheDropWithTheSourceCell)
{
    grid.SetFocusCell(2, 2);
    grid.StartDrag();
    const auto data = Payload(CWaveGridCtrl::kQuestionFormat);
    grid.OnDragOver(data.get(), {}, Centre(4, 1));
    owner.Calls.clear();
    // The payload has no text: the grid's own drop pastes nothing.
    EXPECT_FALSE(grid.OnDrop(data.get(), DROPEFFECT_MOVE, Centre(4, 1)));
    EXPECT_EQ(owner.Calls, QStringList({"-135 2,2", "-132 2,2"}));
    EXPECT_EQ(grid.GetLastDragOverCell(), CCellID(4, 1));
    EXPECT_FALSE(grid.GetCellState(4, 1) & GVIS_DROPHILITED);
}

TEST_F(WaveGridTest, EachGridTakesOnlyItsOwnKindOfDrag)
{
    CTestGrid responses(CWaveGridCtrl::ResponseGrid);
    responses.SetOwner(&owner);
    responses.EnableDragAndDrop(true);
    responses.SetColumnCount(3);
    responses.SetRowCount(4);
    responses.resize(200, 100);
    EXPECT_EQ(responses.GetDragFormat(), QStringLiteral("PelkoModality"));
    const auto question = Payload(CWaveGridCtrl::kQuestionFormat);
    owner.Calls.clear();
    EXPECT_EQ(responses.OnDragOver(question.get(), {}, CPoint(30, 30)), DROPEFFECT_NONE);
    EXPECT_EQ(grid.OnDragOver(Payload(CWaveGridCtrl::kResponseFormat).get(), {}, Centre(2, 1)),
              DROPEFFECT_NONE);
    EXPECT_TRUE(owner.Calls.isEmpty());
    // Nor does a grid that cannot be edited.
    grid.SetEditable(false);
    EXPECT_EQ(grid.OnDragOver(question.get(), {}, Centre(2, 1)), DROPEFFECT_NONE);
}

TEST_F(WaveGridTest, ARightClickSelectsTheCellBeforeTheOwnerHearsOfIt)
{
    grid.SetSelectedRange(1, 1, 1, 1);
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, Centre(4, 2).ToQPoint());
    EXPECT_EQ(owner.SelectedAtRightClick, CCellIDRange(4, 2, 4, 2));
    EXPECT_TRUE(owner.Calls.contains(QStringLiteral("-5 4,2")));
}

TEST_F(WaveGridTest, AHighlightFadesFromOneColourToTheOtherOverTwoAndAHalfSeconds)
{
    CManualClock clock(10000);
    auto* cell = dynamic_cast<CWaveGridCell*>(grid.GetCell(2, 1));
    ASSERT_NE(cell, nullptr);
    // Never started: the cell's own colour, also right after the clock's start.
    cell->SetBackColour(RGB(1, 2, 3));
    EXPECT_FALSE(cell->IsHighlighting());
    EXPECT_EQ(cell->GetBackColour(), RGB(1, 2, 3));

    cell->StartHighlight(RGB(0, 100, 200), RGB(100, 200, 0));
    EXPECT_EQ(cell->GetBackColour(), RGB(0, 100, 200));
    clock.Advance(1250);
    EXPECT_EQ(cell->GetBackColour(), RGB(50, 150, 100));
    clock.Advance(1249);
    EXPECT_TRUE(cell->IsHighlighting());
    clock.Advance(1);
    EXPECT_FALSE(cell->IsHighlighting());
    EXPECT_EQ(cell->GetBackColour(), RGB(100, 200, 0));

    cell->StartHighlight(RGB(0, 0, 0), RGB(200, 200, 200));
    clock.Advance(100);
    cell->StopHighlight();
    EXPECT_EQ(cell->GetBackColour(), RGB(200, 200, 200));
    EXPECT_EQ(BlendColour(0, 99999, RGB(10, 10, 10), RGB(20, 30, 40)), RGB(20, 30, 40));
}

TEST_F(WaveGridTest, TheFrameTakesTheThemesEditBorderColour)
{
    const QImage image = shots::GrabAndSave(grid, "test-artefacts/views", "wave-grid-frame");
    EXPECT_TRUE(
        shots::ColourNear(shots::PixelAt(image, 120, 0), ReconQColor(grid.GetBorderColour()), 0));
    EXPECT_TRUE(
        shots::ColourNear(shots::PixelAt(image, 0, 150), ReconQColor(grid.GetBorderColour()), 0));
    // Below the rows the grid's own background, the headings' blue-grey.
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 100, 150),
                                  ReconQColor(recon_colours::HeadingBack)));
    // The data cells' background.
    EXPECT_TRUE(
        shots::ColourNear(shots::PixelAt(image, 100, 50), ReconQColor(recon_colours::CellBack)));
}
