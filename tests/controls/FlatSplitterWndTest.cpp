#include "controls/FlatSplitterWnd.h"

#include "widgets/Screenshots.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QLabel* Pane(const QString& text)
{
    auto* pane = new QLabel(text);
    pane->setAlignment(Qt::AlignCenter);
    pane->setAutoFillBackground(true);
    QPalette palette = pane->palette();
    palette.setColor(QPalette::Window, Qt::white);
    pane->setPalette(palette);
    return pane;
}

// The frame's inner splitter: the right-hand view over the property pane.
struct SInner
{
    SInner()
    {
        splitter.addWidget(Pane(QStringLiteral("Right view")));
        splitter.addWidget(Pane(QStringLiteral("Property pane")));
        splitter.resize(400, 500);
        splitter.setSizes({300, 190});
        splitter.show();
        QApplication::processEvents();
    }
    CFlatSplitterHandle& Bar() { return *static_cast<CFlatSplitterHandle*>(splitter.handle(1)); }

    CFlatSplitterWnd splitter{Qt::Vertical};
};

void ClickButton(CFlatSplitterHandle& bar)
{
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.GetButtonRect().center());
}

} // namespace

TEST(FlatSplitterWnd, ButtonHidesTheLastRowAndRestoresItsExactHeight)
{
    SInner inner;
    const QList<int> before = inner.splitter.sizes();
    ASSERT_EQ(before.size(), 2);
    EXPECT_EQ(before[0] + before[1] + CFlatSplitterWnd::kBarWidth, 498); // inside the line

    ClickButton(inner.Bar());
    EXPECT_TRUE(inner.splitter.IsLastRowHidden());
    EXPECT_EQ(inner.splitter.sizes(), QList<int>({before[0] + before[1], 0}));
    EXPECT_EQ(inner.splitter.GetSavedRowHeight(), before[1]);
    const QImage hidden = shots::GrabAndSave(inner.splitter, "gallery", "FlatSplitterHidden");
    // The arrow points up while the row is hidden: filled near the bar's bottom in the middle
    // of the button, not beside its tip at the top.
    const QPoint bar = inner.Bar().geometry().topLeft();
    const int middle = bar.x() + inner.Bar().GetButtonRect().center().x();
    const QColor arrow = inner.Bar().GetArrowColour();
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(hidden, middle, bar.y() + 5), arrow));
    EXPECT_FALSE(shots::ColourNear(shots::PixelAt(hidden, middle + 4, bar.y() + 1), arrow));
    // The arrow stands out from the bar's face.
    const QColor face = shots::PixelAt(hidden, middle + 20, bar.y() + 3);
    EXPECT_GT(face.lightness() - arrow.lightness(), 90);

    ClickButton(inner.Bar());
    EXPECT_FALSE(inner.splitter.IsLastRowHidden());
    EXPECT_EQ(inner.splitter.sizes(), before);
    EXPECT_EQ(inner.splitter.GetSavedRowHeight(), 0);
}

TEST(FlatSplitterWnd, ShowingARowThatWasNeverHiddenTakesTheInitialHeight)
{
    SInner inner;
    inner.splitter.setSizes({491, 0});
    ASSERT_TRUE(inner.splitter.IsLastRowHidden());
    const int total = inner.splitter.sizes()[0];
    ClickButton(inner.Bar());
    EXPECT_EQ(inner.splitter.sizes(), QList<int>({total - 188, 188}));
    // Dragged shut again after being shown: the next show uses the initial height too.
    inner.splitter.setSizes({491, 0});
    ClickButton(inner.Bar());
    EXPECT_EQ(inner.splitter.sizes().last(), 188);
}

TEST(FlatSplitterWnd, PressOnTheButtonAndReleaseElsewhereDoesNotToggle)
{
    SInner inner;
    const QList<int> before = inner.splitter.sizes();
    CFlatSplitterHandle& bar = inner.Bar();
    QTest::mousePress(&bar, Qt::LeftButton, {}, bar.GetButtonRect().center());
    EXPECT_TRUE(bar.IsButtonPressed());
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(5, 3));
    EXPECT_FALSE(bar.IsButtonPressed());
    EXPECT_EQ(inner.splitter.sizes(), before);
}

TEST(FlatSplitterWnd, HotButtonCoolsWhenTheCursorLeavesWithoutMessages)
{
    SInner inner;
    CFlatSplitterHandle& bar = inner.Bar();
    QTest::mouseMove(&bar, bar.GetButtonRect().center());
    ASSERT_TRUE(bar.IsButtonHot());
    EXPECT_EQ(bar.cursor().shape(), Qt::ArrowCursor);
    const QImage hot = shots::GrabAndSave(inner.splitter, "gallery", "FlatSplitterHot");
    const QPoint origin = bar.geometry().topLeft();
    const int middle = origin.x() + bar.GetButtonRect().center().x();
    // Pointing down: the fill is near the top edge in the middle, darker under the mouse.
    const QColor arrow = bar.GetArrowColour();
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(hot, middle, origin.y() + 2), arrow));
    EXPECT_LT(arrow.lightness(),
              shots::PixelAt(hot, middle + 20, origin.y() + 3).lightness() - 140);

    // The cursor goes far away; no mouse message reaches the bar.
    QCursor::setPos(inner.splitter.mapToGlobal(QPoint(-500, -500)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !bar.IsButtonHot(); },
                                3 * CFlatSplitterHandle::kHoverCheckInterval));
}

TEST(FlatSplitterWnd, ColumnsHaveNoButtonAndLinesFrameEveryPane)
{
    CFlatSplitterWnd outer(Qt::Horizontal);
    outer.addWidget(Pane(QStringLiteral("Campaign tree")));
    outer.addWidget(Pane(QStringLiteral("Right column")));
    outer.resize(500, 300);
    outer.setSizes({180, 312});
    outer.show();
    auto* bar = static_cast<CFlatSplitterHandle*>(outer.handle(1));
    EXPECT_TRUE(bar->GetButtonRect().isEmpty());
    QTest::mouseMove(bar, QPoint(3, 150));
    EXPECT_FALSE(bar->IsButtonHot());
    EXPECT_EQ(bar->cursor().shape(), Qt::SplitHCursor);
    const int before = outer.sizes()[0];
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(3, 150));
    EXPECT_EQ(outer.sizes()[0], before);

    const QImage image = shots::GrabAndSave(outer, "gallery", "FlatSplitterColumns");
    const QColor line = outer.GetLineColour();
    // The outer line, and the lines on both sides of the bar.
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 0, 150), line));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 250, 0), line));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 499, 150), line));
    const int barLeft = bar->geometry().left();
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, barLeft, 150), line));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, barLeft + 6, 150), line));
    EXPECT_FALSE(shots::ColourNear(shots::PixelAt(image, barLeft + 3, 150), line, 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, barLeft - 3, 150), Qt::white));
}
