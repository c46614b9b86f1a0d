#include "controls/HTMLListCtrl.h"

#include "controls/Pictures.h"
#include "grid/SysColors.h"
#include "widgets/Screenshots.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QImage Draw(const QString& html, int width = 400)
{
    QImage image(width, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawHTMLSubset(&painter, QApplication::font(), html, QRect(0, 0, width, 60), false, Qt::black);
    return image;
}

int Count(const QImage& image, const QRect& area, bool (*test)(QColor))
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixelColor(x, y));
    return count;
}

bool Reddish(QColor c)
{
    return c.red() > 150 && c.green() < 100 && c.blue() < 100;
}
bool Bluish(QColor c)
{
    return c.blue() > 150 && c.red() < 100 && c.green() < 100;
}
bool Dark(QColor c)
{
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}

std::vector<int> Codes(const QSignalSpy& spy)
{
    std::vector<int> codes;
    for (const QList<QVariant>& report : spy)
        codes.push_back(report[0].value<HTMLListNotification>().code);
    return codes;
}

} // namespace

TEST(HTMLListCtrl, SubsetLineBreaksAndWrapping)
{
    const QFont font = QApplication::font();
    const int line = QFontMetrics(font).height();
    struct SCase
    {
        const char* Html;
        bool SingleLine;
        int Width;
        int Height;
    };
    const SCase cases[] = {
        {"plain words", false, 1000, line},
        {"one<br>two", false, 1000, 2 * line},
        {"<p>first paragraph", false, 1000, line},
        {"one<p>two</p>", false, 1000, line + line * 3 / 2},
        {"one<br>two<p>three", true, 1000, line},
        {"<B>bold</b> <I>italic</I> <u>u</u> x<sub>2</sub> y<sup>3</sup>", false, 1000, line},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(DrawHTMLSubset(nullptr, font, QString::fromUtf8(test.Html),
                                 QRect(0, 0, test.Width, 0), test.SingleLine, Qt::black),
                  test.Height)
            << test.Html;
    // Words wrap at the width; a long text in a narrow rectangle takes several lines.
    const QString words = QStringLiteral("which brand of coffee do you buy most often");
    EXPECT_GE(DrawHTMLSubset(nullptr, font, words, QRect(0, 0, 80, 0), false, Qt::black), 4 * line);
    EXPECT_EQ(DrawHTMLSubset(nullptr, font, words, QRect(0, 0, 80, 0), true, Qt::black), line);
}

TEST(HTMLListCtrl, SubsetFontColours)
{
    // Red, then back to black after the closing tag.
    QImage image = Draw(QStringLiteral("<font color=\"#FF0000\">WWWW</font>WWWW"));
    const int split = QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("WWWW"));
    EXPECT_GT(Count(image, QRect(0, 0, split, 30), Reddish), 10);
    EXPECT_EQ(Count(image, QRect(split + 1, 0, split, 30), Reddish), 0);
    EXPECT_GT(Count(image, QRect(split + 1, 0, split, 30), Dark), 10);

    // Not a hexadecimal digit counts as 0; no '#' and single quotes work too.
    image = Draw(QStringLiteral("<font color='GG00FF'>WWWW</font>"));
    EXPECT_GT(Count(image, QRect(0, 0, split, 30), Bluish), 10);
    // Two blanks before "color": no colour.
    image = Draw(QStringLiteral("<font  color=#FF0000>WWWW</font>"));
    EXPECT_EQ(Count(image, image.rect(), Reddish), 0);
    // Nested colours come back in order.
    image =
        Draw(QStringLiteral("<font color=#0000FF>WWWW<font color=#FF0000>WWWW</font>WWWW</font>"));
    EXPECT_GT(Count(image, QRect(2 * split + 1, 0, split - 2, 30), Bluish), 10);
}

TEST(HTMLListCtrl, RowsKeyboardMouseAndReports)
{
    CHTMLListCtrl list(nullptr, CHTMLListCtrl::HTMLLIST_STYLE_CHECKBOX);
    list.resize(300, 120);
    list.show();
    const int line = QFontMetrics(list.font()).height();
    for (int i = 0; i < 6; ++i)
        list.InsertItem(QStringLiteral("<b>Row</b> %1").arg(i), quintptr(100 + i));
    list.InsertItem(QStringLiteral("/home/user/studies/brand tracking/wave 2/volume1.zoz"), 7,
                    HTMLLIST_ITEM::SINGLE_LINE_TEXT);
    list.InsertItem(QStringLiteral("fixed"), 8, HTMLLIST_ITEM::NORMAL_TEXT, 30);
    EXPECT_EQ(list.GetItem(0)->nHeight, line + 10);
    EXPECT_EQ(list.GetItem(7)->nHeight, 30);
    EXPECT_EQ(list.GetTotalHeight(), 7 * (line + 10) + 30);
    QSignalSpy reports(&list, &CHTMLListCtrl::Notify);

    // Down from no selection goes to the last row; Up to the previous.
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.GetSelectedItem(), 7);
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(list.GetSelectedItem(), 6);
    const QScrollBar& bar = *list.verticalScrollBar();
    EXPECT_GT(bar.value(), 0);
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_TRUE(list.GetItemCheck(6));
    EXPECT_EQ(Codes(reports), std::vector<int>({HTMLLIST_SELECTIONCHANGED,
                                                HTMLLIST_SELECTIONCHANGED, HTMLLIST_ITEMCHECKED}));
    EXPECT_EQ(reports[2][0].value<HTMLListNotification>().lItemData, 7u);

    // A click on a check square checks and selects; a click on the text only selects.
    list.verticalScrollBar()->setValue(0);
    reports.clear();
    QApplication::processEvents();
    shots::Grab(list);
    const QRect first = list.GetItem(1)->rcItem;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, first.center().y()));
    EXPECT_TRUE(list.GetItemCheck(1));
    EXPECT_EQ(list.GetSelectedItem(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(100, first.center().y()));
    EXPECT_TRUE(list.GetItemCheck(1));
    EXPECT_EQ(Codes(reports), std::vector<int>({HTMLLIST_LBUTTONDOWN, HTMLLIST_ITEMCHECKED,
                                                HTMLLIST_SELECTIONCHANGED, HTMLLIST_LBUTTONDOWN,
                                                HTMLLIST_SELECTIONCHANGED}));
    EXPECT_EQ(reports[0][0].value<HTMLListNotification>().nItemNo, -1);
    reports.clear();
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(100, first.center().y()));
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(100, first.center().y()));
    EXPECT_EQ(Codes(reports), std::vector<int>({HTMLLIST_RBUTTONDOWN, HTMLLIST_LBUTTONDBLCLICK}));

    // The wheel scrolls 40 pixels a notch, never past either end.
    QWheelEvent down(QPointF(50, 50), list.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &down);
    EXPECT_EQ(bar.value(), 40);
    QWheelEvent up(QPointF(50, 50), list.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 360),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &up);
    EXPECT_EQ(bar.value(), 0);

    // Deleting renumbers the rows and keeps the selection on its row.
    list.SetSelectedItem(3);
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetSelectedItem(), 2);
    EXPECT_EQ(list.GetItem(2)->nItemNo, 2);
    EXPECT_FALSE(list.DeleteItem(40));
}

TEST(HTMLListCtrl, Gallery)
{
    CHTMLListCtrl list(nullptr, CHTMLListCtrl::HTMLLIST_STYLE_CHECKBOX |
                                    CHTMLListCtrl::HTMLLIST_STYLE_GRIDLINES |
                                    CHTMLListCtrl::HTMLLIST_STYLE_IMAGES);
    list.SetImageList({LoadPicture(IDB_MOVE_UP), LoadPicture(IDB_ADD_CHAPTER)});
    list.resize(340, 240);
    list.InsertItem(QStringLiteral("<b>Q4</b> Which one do you visit <i>most</i> often?"), 0,
                    HTMLLIST_ITEM::HTML_TEXT, 0, 1);
    list.InsertItem(QStringLiteral("<font color=#C00000>Broken match</font> for campaign "
                                   "question <u>Q7</u>; the source question 22 is gone"),
                    0, HTMLLIST_ITEM::HTML_TEXT, 0, 0);
    list.InsertItem(QStringLiteral("H<sub>2</sub>O and x<sup>2</sup>: scripts stay on their line"),
                    0, HTMLLIST_ITEM::HTML_TEXT, 0, 0);
    list.InsertItem(QStringLiteral("A plain text row that is long enough to wrap onto a second "
                                   "line of the list"),
                    0, HTMLLIST_ITEM::NORMAL_TEXT, 0, 1);
    list.InsertItem(QStringLiteral("/home/user/studies/brand tracking/wave 2/volume1.zoz"), 0,
                    HTMLLIST_ITEM::SINGLE_LINE_TEXT, 0, 0);
    list.SetItemCheck(0, true);
    list.SetSelectedItem(1);
    list.SetSelectionColour(RGB(200, 225, 250));
    list.show();
    const QImage image = shots::GrabAndSave(list, "gallery", "HTMLListCtrl");

    const QPoint origin = list.viewport()->mapTo(&list, QPoint(0, 0));
    auto row = [&](int index) { return list.GetItem(index)->rcItem.translated(origin); };
    auto count = [&image](const QRect& area, bool (*test)(QColor)) {
        return Count(image, area, test);
    };
    // The check square of the first row holds a mark; that of the third is empty inside.
    auto square = [&](int index) {
        const QRect r = row(index);
        return QRect(r.left() + 6, r.center().y() - 5, 10, 10);
    };
    EXPECT_GT(count(square(0), Dark), 4);
    EXPECT_EQ(count(square(2), Dark), 0);
    // The selected row is in the selection colour, the others white, grid lines under each.
    const int clearX = row(1).right() - 6;
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, clearX, row(1).top() + 2),
                                  QColor(200, 225, 250), 2));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, clearX, row(2).top() + 2), Qt::white, 0));
    const QColor edge = ColorRefToQColor(GetSysColor(COLOR_BTNSHADOW));
    for (int index = 0; index < 5; ++index)
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, clearX, row(index).bottom()), edge, 2))
            << index;
    // The red words of the second row and nowhere else; the images of their rows: the blue
    // arrow in the second, none of its blue in the first.
    EXPECT_GT(count(row(1), Reddish), 20);
    for (int index : {0, 2, 3, 4})
        EXPECT_EQ(count(row(index), Reddish), 0) << index;
    auto imageOf = [&](int index) {
        return QRect(origin.x() + 21, row(index).top(), 20, row(index).height());
    };
    auto blueish = [](QColor c) { return c.blue() > 150 && c.red() < 120; };
    EXPECT_GT(count(imageOf(1), blueish), 10);
    EXPECT_EQ(count(imageOf(0), blueish), 0);
    // The path of the last row keeps its start and its end, its middle elided, within the row.
    EXPECT_EQ(count(QRect(row(4).right() - 3, row(4).top() + 1, 3, row(4).height() - 2), Dark), 0);
    EXPECT_GT(count(QRect(row(4).right() - 60, row(4).top() + 1, 50, row(4).height() - 2), Dark),
              10);
}
