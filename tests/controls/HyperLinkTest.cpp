#include "controls/HyperLink.h"

#include "grid/SysColors.h"

#include "widgets/Screenshots.h"

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// Records what links open instead of opening it.
struct SOpened
{
    SOpened()
    {
        previous = CHyperLink::SetLinkOpener([this](const QString& target) {
            targets << target;
            return true;
        });
    }
    ~SOpened() { CHyperLink::SetLinkOpener(previous); }
    QStringList targets;
    CHyperLink::LinkOpener previous;
};

struct SLink
{
    SLink()
    {
        dialog.resize(400, 60);
        link = new CHyperLink(&dialog);
        link->setGeometry(10, 10, 300, 20);
        link->SetWindowText(QStringLiteral("www.pelko.example"));
        link->SetURL(QStringLiteral("https://www.pelko.example/"));
        dialog.show();
        shots::Grab(dialog);
    }
    QWidget dialog;
    CHyperLink* link = nullptr;
};

// "Arial" of 14 pixels: the application's family where Arial is not installed, in points.
QFont LinkFont()
{
    return NamedFont(QStringLiteral("Arial"), 14);
}

} // namespace

TEST(HyperLink, ShrinksToItsTextAtItsFirstPaint)
{
    SLink s;
    const QFontMetrics metrics(LinkFont());
    const int textWidth = metrics.horizontalAdvance(QStringLiteral("www.pelko.example"));
    EXPECT_EQ(s.link->width(), textWidth + 6);
    EXPECT_EQ(s.link->height(), metrics.height() + 3);
    EXPECT_EQ(s.link->pos(), QPoint(10, 10));

    // Reserving icon space adds a gap on both sides; a border adds twice its width.
    s.link->SetReserveIconSpace(true);
    s.link->SetBorder(RGB(0, 0, 0), 2);
    EXPECT_EQ(s.link->SizeForText(), QSize(textWidth + 3 + 4 + 2 * 3, metrics.height() + 3 + 4));
    // Multi-line text: the widest line counts, every further line adds its height and 2.
    CHyperLink lines;
    lines.SetMultiLine(true);
    lines.SetIconFlags(0);
    lines.SetWindowText(QStringLiteral("one\nlonger line\n\n"));
    EXPECT_EQ(lines.SizeForText(),
              QSize(metrics.horizontalAdvance(QStringLiteral("longer line")) + 3,
                    2 * metrics.height() + 2 + 2 + 2));
}

TEST(HyperLink, ClickOpensTheTargetAndTellsTheParent)
{
    SOpened opened;
    SLink s;
    QSignalSpy clicked(s.link, &CHyperLink::Clicked);
    QTest::mouseClick(s.link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opened.targets, QStringList({QStringLiteral("https://www.pelko.example/")}));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(s.link->toolTip(), QStringLiteral("https://www.pelko.example/"));

    // Pressed on the link, released off it: nothing.
    QTest::mousePress(s.link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(s.link->GetState(), CHyperLink::Pressed);
    QTest::mouseRelease(s.link, Qt::LeftButton, {}, QPoint(5, 200));
    EXPECT_EQ(opened.targets.size(), 1);
    EXPECT_EQ(clicked.count(), 1);

    // No target, or not a link: nothing opens, the parent is still told.
    s.link->SetIsLink(false);
    QTest::mouseClick(s.link, Qt::LeftButton, {}, QPoint(5, 5));
    s.link->SetIsLink(true);
    s.link->SetURL(QString());
    QTest::mouseClick(s.link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opened.targets.size(), 1);
    EXPECT_EQ(clicked.count(), 3);

    // Disabled: the mouse does nothing.
    s.link->setEnabled(false);
    QTest::mouseClick(s.link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicked.count(), 3);
    EXPECT_EQ(s.link->GetState(), CHyperLink::Disabled);
}

TEST(HyperLink, UnderlineOnlyUnderTheMouseUnlessAlways)
{
    SLink s;
    const QFontMetrics metrics(LinkFont());
    const int underlineY = (s.link->height() - metrics.height()) / 2 + metrics.height();
    const QColor face = s.link->palette().color(QPalette::Button);
    auto underlineAt = [&](const QImage& image, const QColor& colour) {
        int count = 0;
        for (int x = 1; x < s.link->width() - 5; ++x)
            count += shots::ColourNear(shots::PixelAt(image, x, underlineY), colour, 2);
        return count;
    };
    const int textWidth = s.link->width() - 6;

    QImage image = shots::GrabAndSave(*s.link, "test-artefacts/controls", "HyperLinkIdle");
    EXPECT_EQ(underlineAt(image, Qt::blue), 0);
    EXPECT_GE(underlineAt(image, face), textWidth - 1);

    QTest::mouseMove(s.link, QPoint(5, 5));
    ASSERT_EQ(s.link->GetState(), CHyperLink::Hover);
    image = shots::GrabAndSave(*s.link, "test-artefacts/controls", "HyperLinkHover");
    EXPECT_GE(underlineAt(image, Qt::red), textWidth - 1);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(s.link, &leave);
    s.link->SetUnderlineAlways(true);
    image = shots::Grab(*s.link);
    EXPECT_GE(underlineAt(image, Qt::blue), textWidth - 1);
}

TEST(HyperLink, IconsAndTheirGreyCopy)
{
    QImage icon(8, 8, QImage::Format_ARGB32);
    icon.fill(qRgba(0, 0, 255, 255));
    icon.setPixel(0, 0, qRgba(255, 255, 255, 255)); // white: index 0 becomes 1
    icon.setPixel(1, 0, qRgba(0, 0, 0, 0));         // transparent black: kept
    const QImage grey = CHyperLink::MakeDisabledIcon(icon);
    EXPECT_EQ(grey.pixel(0, 0), qRgba(254, 254, 254, 255));
    EXPECT_EQ(grey.pixel(1, 0), qRgba(0, 0, 0, 0));
    EXPECT_EQ(grey.pixel(2, 2), qRgba(85, 85, 85, 255));

    QWidget dialog;
    auto* link = new CHyperLink(&dialog);
    link->SetWindowText(QStringLiteral("About"));
    link->SetIcons(icon, QImage(), QImage(), QImage());
    link->SetMakeDisabledIcon(true);
    link->SetIconFlags(0);
    const int plain = link->SizeForText().width();
    link->SetIconFlags(CHyperLink::HLINK_IDLE_SHOW | CHyperLink::HLINK_IDLE_LEFT |
                       CHyperLink::HLINK_DISABLED_SHOW | CHyperLink::HLINK_DISABLED_RIGHT);
    EXPECT_EQ(link->SizeForText().width(), plain + 3 + 8);
    dialog.show();
    QImage image = shots::Grab(*link);
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 4, link->height() / 2), Qt::blue));
    link->setEnabled(false);
    image = shots::Grab(*link);
    const QColor right = shots::PixelAt(image, link->width() - 4, link->height() / 2);
    EXPECT_TRUE(shots::ColourNear(right, QColor(85, 85, 85), 2));
}

TEST(HyperLink, Gallery)
{
    QWidget about;
    about.setAutoFillBackground(true);
    about.resize(300, 110);
    const char* texts[] = {"www.pelko.example", "Under the mouse", "Always underlined", "Disabled"};
    std::vector<CHyperLink*> links;
    for (int i = 0; i < 4; ++i) {
        auto* link = new CHyperLink(&about);
        link->setGeometry(10, 8 + 25 * i, 280, 20);
        link->SetWindowText(QString::fromUtf8(texts[i]));
        link->SetURL(QStringLiteral("https://www.pelko.example/"));
        links.push_back(link);
    }
    links[2]->SetUnderlineAlways(true);
    links[3]->setEnabled(false);
    about.show();
    shots::Grab(about);
    QTest::mouseMove(links[1], QPoint(5, 5));
    const QImage image = shots::GrabAndSave(about, "gallery", "HyperLinks");

    // Pixels of a colour in the link, and the longest run of them on one row (an underline).
    struct SInk
    {
        int Count = 0;
        int LongestRun = 0;
    };
    auto ink = [&image](const CHyperLink* link, const QColor& colour) {
        SInk found;
        const QRect area = link->geometry();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            int run = 0;
            for (int x = area.left(); x <= area.right(); ++x) {
                const bool near = shots::ColourNear(shots::PixelAt(image, x, y), colour, 40);
                found.Count += near;
                run = near ? run + 1 : 0;
                found.LongestRun = std::max(found.LongestRun, run);
            }
        }
        return found;
    };
    const QColor grey = ColorRefToQColor(GetSysColor(COLOR_GRAYTEXT));
    const SInk idle = ink(links[0], Qt::blue);
    const SInk hover = ink(links[1], Qt::red);
    const SInk always = ink(links[2], Qt::blue);
    const SInk disabled = ink(links[3], grey);
    // Text in each link's colour; an underline, as long as the text, only under the mouse and
    // where always asked for.
    for (const SInk& text : {idle, hover, always, disabled})
        EXPECT_GT(text.Count, 40);
    EXPECT_LT(idle.LongestRun, links[0]->width() / 2);
    EXPECT_GE(hover.LongestRun, links[1]->width() - 7);
    EXPECT_GE(always.LongestRun, links[2]->width() - 7);
    EXPECT_EQ(ink(links[3], Qt::blue).Count + ink(links[3], Qt::red).Count, 0);
    // Each link fits its text: nothing cut at the right.
    for (const CHyperLink* link : links)
        EXPECT_EQ(link->size(), link->SizeForText());
}
