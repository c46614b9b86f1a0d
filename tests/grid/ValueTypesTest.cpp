#include "grid/ColorRef.h"
#include "grid/DrawTextFormat.h"
#include "grid/LogFont.h"
#include "grid/NotifyOwner.h"
#include "grid/SysColors.h"
#include "grid/WinGeometry.h"

#include "widgets/Screenshots.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>

TEST(ColorRefTest, PacksRedGreenBlueAndKeepsTheMarkerApart)
{
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x00563412u);
    EXPECT_EQ(GetRValue(0x00563412), 0x12);
    EXPECT_EQ(GetGValue(0x00563412), 0x34);
    EXPECT_EQ(GetBValue(0x00563412), 0x56);

    EXPECT_EQ(ColorRefToQColor(RGB(192, 10, 255)), QColor(192, 10, 255));
    EXPECT_FALSE(ColorRefToQColor(CLR_DEFAULT).isValid());
    EXPECT_FALSE(ColorRefToQColor(0x01000000).isValid());

    EXPECT_EQ(QColorToColorRef(QColor(1, 2, 3, 40)), RGB(1, 2, 3));
    EXPECT_EQ(QColorToColorRef(QColor()), CLR_DEFAULT);
    // Black is a colour, not the marker.
    EXPECT_EQ(QColorToColorRef(Qt::black), 0u);
}

TEST(SysColorsTest, ReadsTheSystemColoursFromThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(250, 251, 252));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(200, 201, 202));
    palette.setColor(QPalette::Active, QPalette::Mid, QColor(150, 151, 152));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 0, 128));
    palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(255, 255, 254));
    palette.setColor(QPalette::Active, QPalette::Light, QColor(240, 241, 242));
    palette.setColor(QPalette::Active, QPalette::Dark, QColor(60, 61, 62));
    palette.setColor(QPalette::Active, QPalette::Shadow, QColor(20, 21, 22));
    struct Case
    {
        int Index;
        COLORREF Expected;
    };
    const Case cases[] = {
        {COLOR_WINDOW, RGB(250, 251, 252)},
        {COLOR_WINDOWTEXT, RGB(1, 2, 3)},
        {COLOR_3DFACE, RGB(200, 201, 202)},
        {COLOR_BTNFACE, RGB(200, 201, 202)},
        // The shadow edge is the palette's dark step, not the mid tone between it and the face.
        {COLOR_3DSHADOW, RGB(60, 61, 62)},
        {COLOR_HIGHLIGHT, RGB(0, 0, 128)},
        {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 254)},
        {COLOR_3DHIGHLIGHT, RGB(240, 241, 242)},
        {COLOR_3DDKSHADOW, RGB(20, 21, 22)},
        {25, RGB(0, 0, 0)},
        {-1, RGB(0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetSysColor(c.Index, palette), c.Expected) << "index " << c.Index;
}

TEST(SysColorsTest, FollowsTheApplicationPalette)
{
    const QPalette saved = QGuiApplication::palette();
    QPalette changed = saved;
    changed.setColor(QPalette::Base, QColor(10, 20, 30));
    QGuiApplication::setPalette(changed);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(10, 20, 30));
    QGuiApplication::setPalette(saved);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), QColorToColorRef(saved.color(QPalette::Base)));
}

TEST(SysColorsTest, GridAndMenusReadOneTable)
{
    // A menu and a grid beside it draw every system colour alike.
    QPalette palette;
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        palette.setColor(QPalette::ColorRole(role), QColor(5 * role, 255 - 5 * role, 7 * role));
    for (int index = -1; index <= 31; ++index) {
        EXPECT_EQ(GetSysColor(index, palette), menus::GetSysColor(index, palette)) << index;
        EXPECT_EQ(GetSysColor(index), menus::GetSysColor(index)) << index;
    }
    EXPECT_EQ(COLOR_3DSHADOW, menus::COLOR_BTNSHADOW);
}

TEST(WinGeometryTest, RectangleArithmetic)
{
    CRect rect(10, 20, 30, 60);
    EXPECT_EQ(rect.Width(), 20);
    EXPECT_EQ(rect.Height(), 40);
    EXPECT_TRUE(rect.PtInRect({10, 20}));
    EXPECT_FALSE(rect.PtInRect({30, 20})); // right edge lies outside
    EXPECT_FALSE(rect.PtInRect({10, 60}));
    EXPECT_TRUE(rect.PtInRect({29, 59}));

    rect.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(rect, CRect(9, 18, 33, 64));
    rect.DeflateRect(1, 2, 3, 4);
    rect.OffsetRect(-10, 5);
    EXPECT_EQ(rect, CRect(0, 25, 20, 65));

    CRect overlap;
    EXPECT_TRUE(overlap.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(overlap, CRect(5, 5, 10, 10));
    overlap = CRect(1, 1, 2, 2);
    EXPECT_FALSE(overlap.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(overlap.IsRectNull());

    CRect both;
    EXPECT_TRUE(both.UnionRect(CRect(0, 0, 10, 10), CRect(5, -5, 20, 8)));
    EXPECT_EQ(both, CRect(0, -5, 20, 10));
    EXPECT_TRUE(both.UnionRect(CRect(), CRect(1, 1, 2, 2)));
    EXPECT_EQ(both, CRect(1, 1, 2, 2));

    CRect flipped(10, 10, 0, 0);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(0, 0, 10, 10));
}

TEST(WinGeometryTest, QtRectanglesCoverTheSamePixels)
{
    const CRect rect(3, 4, 13, 9);
    const QRect qt = rect.ToQRect();
    EXPECT_EQ(qt.left(), 3);
    EXPECT_EQ(qt.right(), 12);
    EXPECT_EQ(qt.top(), 4);
    EXPECT_EQ(qt.bottom(), 8);
    EXPECT_EQ(CRect(qt), rect);
    EXPECT_TRUE(CRect(3, 4, 3, 9).ToQRect().isEmpty());
}

TEST(LogFontTest, ConvertsToQFontAndBack)
{
    LOGFONT logFont;
    logFont.lfHeight = -13;
    logFont.lfWeight = FW_BOLD;
    logFont.lfItalic = 1;
    logFont.lfUnderline = 1;
    logFont.lfStrikeOut = 1;
    logFont.lfFaceName = QStringLiteral("DejaVu Sans");
    const QFont font = LogFontToQFont(logFont);
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
    EXPECT_EQ(font.family(), QStringLiteral("DejaVu Sans"));

    const LOGFONT back = QFontToLogFont(font);
    EXPECT_EQ(back.lfHeight, -13);
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(back.lfUnderline, 1);
    EXPECT_EQ(back.lfStrikeOut, 1);
    EXPECT_EQ(back.lfFaceName, QStringLiteral("DejaVu Sans"));
}

TEST(LogFontTest, PositiveHeightIsTheCellHeightAndZeroTheDefault)
{
    LOGFONT logFont;
    logFont.lfHeight = 20;
    logFont.lfFaceName = QStringLiteral("DejaVu Sans");
    const QFontMetrics metrics(LogFontToQFont(logFont));
    EXPECT_NEAR(metrics.height(), 20, 1);

    LOGFONT plain;
    plain.lfWeight = FW_DONTCARE;
    const QFont font = LogFontToQFont(plain);
    EXPECT_EQ(font.family(), QGuiApplication::font().family());
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_EQ(GetMessageBoxFont().lfFaceName, QStringLiteral("DejaVu Sans"));
}

TEST(LogFontTest, NamedFontsAreInstalledFacesOrTheApplicationsFamilyInPoints)
{
    // A face this machine lacks gives the application's family, never a stand-in face.
    const QFont missing = NamedFont(QStringLiteral("MS Shell Dlg 2"), 16, FW_SEMIBOLD, true);
    EXPECT_EQ(missing.family(), QGuiApplication::font().family());
    EXPECT_EQ(missing.pixelSize(), -1) << "sized in points";
    EXPECT_DOUBLE_EQ(missing.pointSizeF(), 10.0) << "a 16-pixel cell is a 10-point font";
    EXPECT_EQ(missing.weight(), QFont::DemiBold);
    EXPECT_TRUE(missing.italic());
    // An installed face is taken; a negative height is the character height.
    const QFont installed = NamedFont(QStringLiteral("DejaVu Sans Mono"), -12);
    EXPECT_EQ(installed.family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_DOUBLE_EQ(installed.pointSizeF(), 9.0);
    // No height keeps the application's size.
    EXPECT_DOUBLE_EQ(NamedFont(QString(), 0).pointSizeF(), QGuiApplication::font().pointSizeF());
}

TEST(DrawTextFormatTest, TranslatesTheFormatWord)
{
    struct Case
    {
        unsigned Format;
        Qt::Alignment Alignment;
        bool SingleLine;
        bool WordBreak;
        Qt::TextElideMode Elide;
        bool Mnemonic;
    };
    const Case cases[] = {
        {0, Qt::AlignLeft | Qt::AlignTop, false, false, Qt::ElideNone, true},
        {DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS,
         Qt::AlignLeft | Qt::AlignVCenter, true, false, Qt::ElideRight, false},
        {DT_CENTER | DT_BOTTOM | DT_SINGLELINE, Qt::AlignHCenter | Qt::AlignBottom, true, false,
         Qt::ElideNone, true},
        // Vertical alignment needs a single line.
        {DT_RIGHT | DT_VCENTER, Qt::AlignRight | Qt::AlignTop, false, false, Qt::ElideNone, true},
        // A single line never wraps; wrapped text is not elided.
        {DT_WORDBREAK | DT_SINGLELINE, Qt::AlignLeft | Qt::AlignTop, true, false, Qt::ElideNone,
         true},
        {DT_WORDBREAK | DT_END_ELLIPSIS, Qt::AlignLeft | Qt::AlignTop, false, true, Qt::ElideNone,
         true},
        {DT_PATH_ELLIPSIS, Qt::AlignLeft | Qt::AlignTop, false, false, Qt::ElideMiddle, true},
    };
    for (const Case& c : cases) {
        const SDrawTextLayout layout = DrawTextLayout(c.Format);
        EXPECT_EQ(layout.Alignment, c.Alignment) << std::hex << c.Format;
        EXPECT_EQ(layout.SingleLine, c.SingleLine) << std::hex << c.Format;
        EXPECT_EQ(layout.WordBreak, c.WordBreak) << std::hex << c.Format;
        EXPECT_EQ(layout.Elide, c.Elide) << std::hex << c.Format;
        EXPECT_EQ(layout.Mnemonic, c.Mnemonic) << std::hex << c.Format;
    }
    EXPECT_TRUE(DrawTextLayout(DT_NOCLIP).QtFlags() & Qt::TextDontClip);
    EXPECT_TRUE(DrawTextLayout(DT_WORDBREAK).QtFlags() & Qt::TextWordWrap);
}

TEST(DrawTextFormatTest, CalcRectMeasuresLinesAndWrapping)
{
    QImage image(200, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    const QFontMetrics metrics = painter.fontMetrics();

    CRect one(5, 7, 5, 7);
    DrawText(painter, QStringLiteral("Hello"), one, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(one.left, 5);
    EXPECT_NEAR(one.Width(), metrics.horizontalAdvance(QStringLiteral("Hello")), 1);
    EXPECT_EQ(one.Height(), metrics.height());

    // Line feeds break lines unless the text is single-line.
    CRect two(0, 0, 0, 0);
    DrawText(painter, QStringLiteral("ab\r\ncdef"), two, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_NEAR(two.Width(), metrics.horizontalAdvance(QStringLiteral("cdef")), 1);
    EXPECT_GE(two.Height(), 2 * metrics.height());

    // Word breaks wrap at the rectangle's width.
    const QString words = QStringLiteral("one two three four five six");
    CRect wrapped(0, 0, metrics.horizontalAdvance(QStringLiteral("three four")) + 1, 0);
    DrawText(painter, words, wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_GE(wrapped.Height(), 3 * metrics.height());
    EXPECT_LE(wrapped.Width(), metrics.horizontalAdvance(QStringLiteral("three four")) + 1);

    // "&" stands as it is with DT_NOPREFIX and marks a mnemonic without it.
    CRect literal;
    DrawText(painter, QStringLiteral("a&b"), literal, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_NEAR(literal.Width(), metrics.horizontalAdvance(QStringLiteral("a&b")), 1);
    CRect prefixed;
    DrawText(painter, QStringLiteral("a&b"), prefixed, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_NEAR(prefixed.Width(), metrics.horizontalAdvance(QStringLiteral("ab")), 1);
}

TEST(DrawTextFormatTest, DrawsInsideTheRectangleAlignedAsAsked)
{
    QImage image(120, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    painter.setPen(Qt::black);
    const QString text = QStringLiteral("A long text that cannot fit in the box");
    CRect rect(10, 5, 60, 25);
    DrawText(painter, text, rect, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    CRect right(70, 5, 118, 25);
    DrawText(painter, QStringLiteral("x"), right, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    painter.end();
    shots::Save(image, QStringLiteral("test-artefacts/grid"), QStringLiteral("drawtext"));

    auto inkInColumns = [&](int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixelColor(x, y).lightness() < 128)
                    return true;
        return false;
    };
    EXPECT_TRUE(inkInColumns(10, 60));
    EXPECT_FALSE(inkInColumns(0, 10));
    EXPECT_FALSE(inkInColumns(60, 100)); // clipped, elided
    EXPECT_TRUE(inkInColumns(105, 118)); // right-aligned
}

namespace {
struct SRecord : NMHDR
{
    int Value = 0;
};

class CAnsweringOwner : public INotifyOwner
{
public:
    LRESULT OnNotify(NMHDR& header) override
    {
        LastCode = header.code;
        return static_cast<SRecord&>(header).Value * 2;
    }
    int LastCode = 0;
};
} // namespace

TEST(NotifyOwnerTest, OwnerAnswersAndNoOwnerAnswersZero)
{
    SRecord record;
    record.code = -5;
    record.Value = 21;
    CAnsweringOwner owner;
    EXPECT_EQ(SendNotify(&owner, record), 42);
    EXPECT_EQ(owner.LastCode, -5);
    EXPECT_EQ(SendNotify(nullptr, record), 0);
}
