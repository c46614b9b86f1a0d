#include "controls/SplitterBar.h"

#include "widgets/Screenshots.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A page with two panes above a bar and two below, like the reconciliation page.
struct SPage
{
    explicit SPage(bool horizontal)
    {
        page.resize(300, 300);
        for (QWidget** pane : {&upperBand, &upperGrid, &lowerBand, &lowerGrid}) {
            *pane = new QWidget(&page);
            (*pane)->setAutoFillBackground(true);
        }
        if (horizontal) {
            upperBand->setGeometry(0, 0, 20, 150);
            upperGrid->setGeometry(21, 0, 279, 150);
            lowerBand->setGeometry(0, 154, 20, 146);
            lowerGrid->setGeometry(21, 154, 279, 146);
        } else {
            upperBand->setGeometry(0, 0, 150, 20);
            upperGrid->setGeometry(0, 21, 150, 279);
            lowerBand->setGeometry(154, 0, 146, 20);
            lowerGrid->setGeometry(154, 21, 146, 279);
        }
        bar.Create(&page, {}, 999, horizontal);
        bar.SetPanes({upperBand, upperGrid}, {lowerBand, lowerGrid});
        page.show();
    }

    QWidget page;
    QWidget* upperBand = nullptr;
    QWidget* upperGrid = nullptr;
    QWidget* lowerBand = nullptr;
    QWidget* lowerGrid = nullptr;
    CSplitterBar bar;
};

void Drag(QWidget& bar, QPoint from, QPoint to)
{
    QTest::mousePress(&bar, Qt::LeftButton, {}, from);
    QTest::mouseMove(&bar, to);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, to);
}

} // namespace

TEST(SplitterBar, PlacedUnderTheUpperPanesWithTheLimitsOfTheFirstPanes)
{
    SPage page(true);
    const int t = SplitterBarThickness();
    EXPECT_EQ(page.bar.geometry(), QRect(0, 150, 300, t));
    EXPECT_EQ(page.upperGrid->geometry().bottom(), 149);
    EXPECT_EQ(page.lowerGrid->geometry().top(), 150 + t);
    EXPECT_EQ(page.bar.GetUpperLimit(), 0);
    EXPECT_EQ(page.bar.GetLowerLimit(), 300);
    EXPECT_EQ(page.bar.GetDlgCtrlID(), 999);
}

TEST(SplitterBar, DragsAreClampedToTheLimits)
{
    struct SCase
    {
        bool Horizontal;
        int Offset;
        int ExpectedStart;
    };
    const int t = SplitterBarThickness();
    const SCase cases[] = {
        {true, 40, 190},  {true, -100, 50},     {true, -400, 0},
        {true, -150, 0},  {true, 400, 300 - t}, {true, 146 - t, 296 - t},
        {false, 40, 190}, {false, -400, 0},     {false, 400, 300 - t},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(testing::Message() << test.Horizontal << " " << test.Offset);
        SPage page(test.Horizontal);
        QSignalSpy moved(&page.bar, &CSplitterBar::SplitterMoved);
        const QPoint grab = test.Horizontal ? QPoint(100, 1) : QPoint(1, 100);
        const QPoint to =
            test.Horizontal ? grab + QPoint(0, test.Offset) : grab + QPoint(test.Offset, 0);
        Drag(page.bar, grab, to);
        const QRect bar = page.bar.geometry();
        if (test.Horizontal) {
            EXPECT_EQ(bar.top(), test.ExpectedStart);
            EXPECT_EQ(page.upperGrid->geometry().bottom(), bar.top() - 1);
            EXPECT_EQ(page.upperBand->geometry().bottom(), bar.top() - 1);
            EXPECT_EQ(page.lowerGrid->geometry().top(), bar.bottom() + 1);
            EXPECT_EQ(page.lowerGrid->geometry().bottom(), 299);
        } else {
            EXPECT_EQ(bar.left(), test.ExpectedStart);
            EXPECT_EQ(page.upperGrid->geometry().right(), bar.left() - 1);
            EXPECT_EQ(page.lowerGrid->geometry().left(), bar.right() + 1);
        }
        EXPECT_EQ(moved.count(), 1);
    }
}

TEST(SplitterBar, ReleaseWithoutPressChangesNothing)
{
    SPage page(true);
    QSignalSpy moved(&page.bar, &CSplitterBar::SplitterMoved);
    const QRect before = page.bar.geometry();
    QTest::mouseRelease(&page.bar, Qt::LeftButton, {}, QPoint(10, 2));
    QTest::mousePress(&page.bar, Qt::RightButton, {}, QPoint(10, 2));
    QTest::mouseRelease(&page.bar, Qt::RightButton, {}, QPoint(10, 2));
    EXPECT_EQ(page.bar.geometry(), before);
    EXPECT_EQ(moved.count(), 0);
}

TEST(SplitterBar, UpdatePositionFollowsTheParentsLayoutAndEmptyGroupsDoNothing)
{
    SPage page(true);
    page.upperBand->setGeometry(0, 0, 20, 100);
    page.upperGrid->setGeometry(21, 0, 279, 120);
    page.bar.UpdatePosition();
    EXPECT_EQ(page.bar.geometry().top(), 120);
    EXPECT_EQ(page.upperBand->geometry().bottom(), 119);

    CSplitterBar lone;
    lone.Create(&page.page, QRect(0, 10, 300, 4), 1, true);
    lone.SetPanes({}, {page.lowerGrid});
    EXPECT_EQ(lone.geometry(), QRect(0, 10, 300, 4));
}
