#include "menus/MenuItemPainting.h"

#include "menus/DerivedImages.h"
#include "menus/MenuColors.h"
#include "menus/MenuPaint.h"
#include "menus/MenuTheme.h"
#include "menus/NamedFont.h"
#include "menus/SystemMetrics.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace menus {
bool IsSystemCommand(unsigned id)
{
    const unsigned masked = id & 0xFFF0;
    return masked >= 0xF000 && masked <= 0xF150;
}

namespace {
struct SSplitText
{
    QString Label;
    QString Accelerator;
};

SSplitText SplitText(const QString& text)
{
    const qsizetype tab = text.indexOf(u'\t');
    if (tab < 0)
        return {text, {}};
    return {text.left(tab), text.mid(tab + 1)};
}

int MnemonicFlag(const SMenuItemPaint& item)
{
    return (item.State & ODS_NOACCEL) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
}

bool IsRightOrder(const SMenuItemPaint& item)
{
    return (item.Flags & MFT_RIGHTORDER) != 0;
}

int Right(const QRect& r)
{
    return r.x() + r.width();
}

int Bottom(const QRect& r)
{
    return r.y() + r.height();
}

// The strip of the item where its image goes: icon width + 8 pixels at the left edge (at the
// right edge with right-to-left order).
QRect IconBar(const SMenuItemPaint& item, int inset = 0)
{
    const QRect& r = item.Rect;
    const int width = item.IconWidth + 8;
    if (IsRightOrder(item))
        return Ltrb(Right(r) - width - inset, r.top(), Right(r) - inset, Bottom(r));
    return Ltrb(r.left() + inset, r.top(), r.left() + inset + width, Bottom(r));
}

// The part of a pop-up item beside its icon bar.
QRect TextArea(const SMenuItemPaint& item, const QRect& bar)
{
    const QRect& r = item.Rect;
    if (IsRightOrder(item))
        return Ltrb(r.left(), r.top(), bar.left(), Bottom(r));
    return Ltrb(Right(bar), r.top(), Right(r), Bottom(r));
}

// The text area narrowed to start 4 pixels after the icon bar and end 15 before the far edge.
QRect NarrowedText(const SMenuItemPaint& item, const QRect& text)
{
    if (IsRightOrder(item))
        return Ltrb(text.left() + 15, text.top(), Right(text) - 4, Bottom(text));
    return Ltrb(text.left() + 4, text.top(), Right(text) - 15, Bottom(text));
}

void DrawText(QPainter& painter, const QRect& rect, const QString& text, int flags, COLORREF colour,
              const QFont& font)
{
    if (text.isEmpty() || rect.isEmpty())
        return;
    painter.save();
    painter.setFont(font);
    painter.setPen(ToQColor(colour));
    painter.drawText(rect, flags, text);
    painter.restore();
}

// Draws the label and the accelerator of a pop-up item in its text rectangle.
void DrawPopupText(QPainter& painter, const SMenuItemPaint& item, const QRect& rect,
                   COLORREF colour, QPoint offset = {})
{
    const SSplitText parts = SplitText(item.Text);
    const QFont font = GetMenuFont((item.State & ODS_DEFAULT) != 0);
    const int mnemonic = MnemonicFlag(item);
    const QRect r = rect.translated(offset);
    if (IsRightOrder(item)) {
        DrawText(painter, r, parts.Label, Qt::AlignRight | Qt::AlignVCenter | mnemonic, colour,
                 font);
        DrawText(painter, r, parts.Accelerator, Qt::AlignLeft | Qt::AlignVCenter, colour, font);
    } else {
        DrawText(painter, r, parts.Label, Qt::AlignLeft | Qt::AlignVCenter | mnemonic, colour,
                 font);
        DrawText(painter, r, parts.Accelerator, Qt::AlignRight | Qt::AlignVCenter, colour, font);
    }
}

void DrawBarText(QPainter& painter, const SMenuItemPaint& item, const QRect& rect, COLORREF colour,
                 bool wholeText = false)
{
    const QString text = wholeText ? item.Text : SplitText(item.Text).Label;
    DrawText(painter, rect, text, Qt::AlignCenter | MnemonicFlag(item), colour,
             GetMenuFont((item.State & ODS_DEFAULT) != 0));
}

// The arrow of an item that opens a sub-menu, drawn by the system beside owner-drawn items.
void DrawSubMenuArrow(QPainter& painter, const SMenuItemPaint& item, COLORREF colour)
{
    if (!item.HasSubMenu || item.MenuBar)
        return;
    const QRect& r = item.Rect;
    const QRect box = IsRightOrder(item) ? Ltrb(r.left(), r.top(), r.left() + 15, Bottom(r))
                                         : Ltrb(Right(r) - 15, r.top(), Right(r), Bottom(r));
    if (IsRightOrder(item)) {
        painter.save();
        painter.translate(box.center().x() * 2 + 1, 0);
        painter.scale(-1, 1);
        DrawMarlettGlyph(painter, box, '8', colour);
        painter.restore();
    } else {
        DrawMarlettGlyph(painter, box, '8', colour);
    }
}

// The colour a menu bar's background shows at painter column x.
COLORREF BarBackgroundAt(const SMenuItemPaint& item, int x, COLORREF fallback)
{
    if (!item.MenuBrush)
        return item.MenuBrushColour.value_or(fallback);
    return ThemeBrushColourAt(*item.MenuBrush, x - item.WindowOrigin.x());
}

// The open menu-bar item's drop shadow in the 4 columns right of `body`: rows 0-3 the bar's
// background, rows 4-7 darkened in steps, further rows DarkenColor(30 i, background).
void DrawBarItemShadow(QPainter& painter, const SMenuItemPaint& item, const QRect& body,
                       std::optional<COLORREF> plain)
{
    const QRect& r = item.Rect;
    if (IsPaletteScreen()) {
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
        for (int i = 3; i <= 4; ++i)
            FillSolid(painter,
                      Ltrb(Right(body) + 4 - i, r.top() + 4, Right(body) + 5 - i, Bottom(r)),
                      shadow);
        return;
    }
    for (int i = 1; i <= 4; ++i) {
        const int x = Right(body) + 4 - i;
        const COLORREF background =
            plain ? *plain : BarBackgroundAt(item, x, MenuBarColor(item.MenuBrushColour));
        for (int row = 0; row < r.height(); ++row) {
            COLORREF c = background;
            if (row >= 4 && row <= 7)
                c = DarkenColor(6 * i * (row - 3), background);
            else if (row > 7)
                c = DarkenColor(30 * i, background);
            FillSolid(painter, QRect(x, r.top() + row, 1, 1), c);
        }
    }
}

// The position of an image in the icon bar: 3 pixels in, vertically centred; centred in the
// bar when narrower than the icon width.
QPoint ImagePosition(const SMenuItemPaint& item, const QRect& bar, const QSize& size)
{
    int x = bar.left() + 3;
    if (size.width() < item.IconWidth)
        x = bar.left() + (bar.width() - size.width()) / 2;
    const int y = item.Rect.top() + (item.Rect.height() - size.height()) / 2;
    return {x, y};
}

QSize ImageSize(const QPixmap& image)
{
    return image.deviceIndependentSize().toSize();
}

void DrawImage(QPainter& painter, QPoint at, const QPixmap& image)
{
    painter.drawPixmap(at, image);
}

void DrawSilhouette(QPainter& painter, QPoint at, const QPixmap& image, COLORREF colour)
{
    painter.drawPixmap(at, SilhouetteImage(image, colour));
}

// The separator of the flat looks: a line in the grey-text colour at the item's middle, from
// the text's start to the far edge.
void DrawFlatSeparator(QPainter& painter, const SMenuItemPaint& item, const QRect& text)
{
    const QRect& r = item.Rect;
    const int y = r.top() + r.height() / 2;
    const QRect line = IsRightOrder(item) ? Ltrb(r.left(), y, Right(text), y + 1)
                                          : Ltrb(text.left(), y, Right(r), y + 1);
    FillSolid(painter, line, GetSysColor(COLOR_GRAYTEXT));
}

// Label, accelerator and sub-menu arrow of a pop-up item of the flat looks.
void DrawFlatPopupText(QPainter& painter, const SMenuItemPaint& item, const QRect& text,
                       bool selected)
{
    COLORREF colour = GetSysColor(COLOR_MENUTEXT);
    if (item.State & ODS_GRAYED)
        colour = GetSysColor(COLOR_GRAYTEXT);
    else if (IsHighContrast() && !selected)
        colour = GetSysColor(COLOR_WINDOWTEXT);
    DrawPopupText(painter, item, text, colour);
    DrawSubMenuArrow(painter, item, colour);
}

// The colour of a check or radio mark: grey text when greyed or inactive.
COLORREF MarkColour(const SMenuItemPaint& item)
{
    return (item.State & (ODS_GRAYED | ODS_INACTIVE)) ? GetSysColor(COLOR_GRAYTEXT)
                                                      : GetSysColor(COLOR_MENUTEXT);
}

QFont TitleFont()
{
    return NamedFont(QStringLiteral("Arial"), -14, 700);
}

// The check box of the classic routines (first and third): the rectangle shrunk by one with a
// sunken outer edge, then the mark. Returns false when there is nothing to draw.
bool DrawClassicCheck(QPainter& painter, QRect box, const SMenuItemPaint& item, COLORREF dark,
                      COLORREF light)
{
    if (!(item.State & ODS_CHECKED) || item.Mark == ECheckMark::None)
        return false;
    box.adjust(1, 1, -1, -1);
    Draw3dRect(painter, box, dark, light);
    box.adjust(-2, -2, 2, 2);
    const bool greyed = item.State & (ODS_GRAYED | ODS_INACTIVE);
    const COLORREF colour = greyed                        ? GetSysColor(COLOR_GRAYTEXT)
                            : (item.State & ODS_SELECTED) ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                          : GetSysColor(COLOR_MENUTEXT);
    DrawMarlettGlyph(painter, box.translated(1, 2), item.Mark == ECheckMark::Radio ? 'i' : 'b',
                     colour, item.State & ODS_DEFAULT);
    return true;
}

// The symbol-font glyph of a system command: restore, close, minimise, maximise; 0 for others.
char SystemGlyph(unsigned id)
{
    if (!IsSystemCommand(id))
        return 0;
    switch (id & 0xFFF0) {
    case 0xF120:
        return '2';
    case 0xF060:
        return 'r';
    case 0xF020:
        return '0';
    case 0xF030:
        return '1';
    default:
        return 0;
    }
}

// The glyph of a system command (close, minimise, maximise, restore) of the classic routines.
void DrawSystemGlyph(QPainter& painter, const QRect& box, const SMenuItemPaint& item)
{
    const char glyph = SystemGlyph(item.Id);
    if (!glyph)
        return;
    const COLORREF colour = (item.State & (ODS_GRAYED | ODS_INACTIVE)) ? GetSysColor(COLOR_GRAYTEXT)
                            : (item.State & ODS_SELECTED) ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                          : GetSysColor(COLOR_MENUTEXT);
    DrawMarlettGlyph(painter, box, glyph, colour, item.State & ODS_DEFAULT);
}

void DrawEtchedTop(QPainter& painter, const QRect& rect)
{
    FillSolid(painter, QRect(rect.left(), rect.top(), rect.width(), 1),
              GetSysColor(COLOR_BTNSHADOW));
    FillSolid(painter, QRect(rect.left(), rect.top() + 1, rect.width(), 1),
              GetSysColor(COLOR_BTNHIGHLIGHT));
}

QSize TextSize(const QString& text, bool bold)
{
    const QFontMetrics metrics(GetMenuFont(bold));
    return metrics.size(Qt::TextShowMnemonic | Qt::TextSingleLine, text);
}

// The width the system adds to every owner-drawn item for its check mark.
int SystemItemPadding()
{
    return IsWine() ? 0 : GetSystemMetrics(SM_CXMENUCHECK) - 1;
}
} // namespace

QSize MeasureTitle(const SMenuItemPaint& item)
{
    const QFontMetrics metrics(TitleFont());
    const QSize text = metrics.size(Qt::TextSingleLine, SplitText(item.Text).Label);
    QSize image = ImageSize(item.Image);
    if (!image.isEmpty())
        image += QSize(2, 2);
    if (item.TitleFlags & MFT_TITLE_VERTICAL) {
        int width = std::max(image.width(), text.height());
        if (!IsWine())
            width -= GetSystemMetrics(SM_CXMENUCHECK);
        if (item.TitleFlags & MFT_TITLE_WIDE)
            width += 8;
        else if (item.TitleFlags & MFT_TITLE_ROUND)
            width += 4;
        return {width, 0};
    }
    QSize size(text.width() + image.width(), std::max(image.height(), text.height()));
    if (item.TitleFlags & MFT_TITLE_WIDE)
        size.rwidth() += 8;
    return size;
}

QSize MeasureItemXP(const SMenuItemPaint& item)
{
    if (item.TitleFlags & MFT_TITLE)
        return MeasureTitle(item);
    if (item.Flags & MF_SEPARATOR)
        return {3, 3};
    const bool bold = (item.State & ODS_DEFAULT) != 0;
    QString text = item.Text;
    text.replace(u'\t', QStringLiteral("nnn"));
    const QSize size = TextSize(text, bold);
    const int cyMenu = GetSystemMetrics(SM_CYMENU);
    QSize result;
    if (item.MenuBar) {
        result = QSize(size.width() + SystemItemPadding(), std::max(cyMenu, item.IconHeight + 2));
    } else {
        const int extra = item.HasSubMenu ? cyMenu : cyMenu / 2;
        result = QSize(item.IconWidth + 6 + size.width() + extra + SystemItemPadding(),
                       item.IconHeight + 8 < cyMenu ? cyMenu : item.IconHeight + 7);
    }
    result.setHeight(std::max(result.height(), size.height()));
    return result;
}

QSize MeasureItemFirst(const SMenuItemPaint& item, bool second)
{
    if (item.TitleFlags & MFT_TITLE)
        return MeasureTitle(item);
    if (item.Flags & MF_SEPARATOR)
        return {3, 3};
    const bool bold = (item.State & ODS_DEFAULT) != 0;
    QString text = item.Text;
    // The first routine measures the TAB as it stands (a blank); the second makes room for
    // the accelerator by counting it as "nnn".
    text.replace(u'\t', second ? QStringLiteral("nnn") : QStringLiteral(" "));
    const QSize size = TextSize(text, bold);
    const int cyMenu = GetSystemMetrics(SM_CYMENU);
    QSize result;
    if (item.MenuBar)
        result.setWidth(size.width() + SystemItemPadding());
    else
        result.setWidth(item.IconWidth + size.width() + 2 + item.IconWidth + SystemItemPadding());
    result.setHeight(std::max({cyMenu, item.IconHeight + (second ? 6 : 4), size.height()}));
    return result;
}

QSize MeasureMenuItem(const SMenuItemPaint& item, const SMenuItemPaint* next)
{
    auto measure = [](const SMenuItemPaint& one) {
        switch (CurrentTheme().Measure()) {
        case EMeasureRoutine::First:
            return MeasureItemFirst(one, false);
        case EMeasureRoutine::Second:
            return MeasureItemFirst(one, true);
        case EMeasureRoutine::XP:
        default:
            return MeasureItemXP(one);
        }
    };
    QSize size = measure(item);
    if (IsSystemCommand(item.Id) && !(item.Flags & MF_SEPARATOR)) {
        if (next)
            size.setWidth(std::max(size.width(), measure(*next).width()));
        size.setHeight(GetSystemMetrics(SM_CYMENU));
    }
    return size;
}

void DrawTitle(QPainter& painter, const SMenuItemPaint& item)
{
    const COLORREF start =
        item.TitleStart != CLR_DEFAULT ? item.TitleStart : GetSysColor(COLOR_ACTIVECAPTION);
    const COLORREF end = item.TitleEnd != CLR_DEFAULT
                             ? item.TitleEnd
                             : MixColor86(GetSysColor(COLOR_WINDOW), MenuBackgroundColor());
    const COLORREF text =
        item.TitleText != CLR_DEFAULT ? item.TitleText : GetSysColor(COLOR_CAPTIONTEXT);
    const QRect& r = item.Rect;
    const bool vertical = item.TitleFlags & MFT_TITLE_VERTICAL;
    QRect textRect = r.adjusted(4, 0, -4, 0);
    if (item.TitleFlags & MFT_TITLE_GRADIENT) {
        if (vertical)
            DrawGradient(painter, r, end, start, false);
        else
            DrawGradient(painter, r, start, end, true);
    } else if (item.TitleFlags & MFT_TITLE_ROUND) {
        FillSolid(painter, r, MenuBackgroundColor());
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(start));
        painter.drawRoundedRect(QRectF(r), 5, 5);
        painter.restore();
        const int textWidth = QFontMetrics(TitleFont()).horizontalAdvance(item.Text);
        textRect = r.adjusted(std::min(10, std::max(0, (r.width() - textWidth) / 2)), 0, 0, 0);
    } else {
        FillSolid(painter, r, start);
    }
    if (!item.Image.isNull()) {
        const QSize size = ImageSize(item.Image);
        const QPoint at =
            vertical
                ? QPoint(r.left() + (r.width() - size.width()) / 2, Bottom(r) - 4 - size.height())
                : QPoint(textRect.left(), r.top() + (r.height() - size.height()) / 2);
        DrawImage(painter, at, item.Image);
        if (vertical)
            textRect.setBottom(at.y() - 2);
        else
            textRect.setLeft(at.x() + size.width() + 2);
    }
    painter.save();
    painter.setFont(TitleFont());
    painter.setPen(ToQColor(text));
    if (vertical) {
        painter.translate(textRect.left(), Bottom(textRect) - 4);
        painter.rotate(-90);
        painter.drawText(QRect(0, 0, textRect.height(), textRect.width()),
                         Qt::AlignLeft | Qt::AlignVCenter, SplitText(item.Text).Label);
    } else {
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, SplitText(item.Text).Label);
    }
    painter.restore();
}

void DrawItem2003(QPainter& painter, const SMenuItemPaint& item)
{
    const int mode = CurrentDrawMode();
    const QRect& r = item.Rect;
    const COLORREF windowDark = DarkenColor(10, GetSysColor(COLOR_WINDOW));
    const COLORREF background = item.MenuBar ? MenuBarColor(item.MenuBrushColour)
                                             : MenuBackgroundColor(item.MenuBrushColour);
    COLORREF pale = MixColor86(windowDark, background);
    const COLORREF base = Get2003Colors().Base;
    if (GetNearestColor(pale) == GetNearestColor(base))
        pale = windowDark;
    COLORREF checkFill, selectedCheckFill, selectionFill;
    if (IsVisualStyleOn() || mode == 10 || mode == 11) {
        checkFill = 0x6FC0FF;
        selectedCheckFill = 0x3E80FE;
        selectionFill = 0xC2EEFF;
    } else {
        selectionFill = SelectionColor();
        checkFill = selectedCheckFill = MixColor86(selectionFill, GetSysColor(COLOR_HIGHLIGHT));
    }
    const COLORREF framePen =
        IsHighContrast() ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_HIGHLIGHT);
    const bool selected = item.State & ODS_SELECTED;
    const bool grayed = item.State & ODS_GRAYED;
    const bool hot = item.State & ODS_HOTLIGHT;

    if (item.MenuBar) {
        const bool open = selected && !(item.State & ODS_INACTIVE);
        const bool active = (open || hot) && !(item.State & ODS_INACTIVE);
        QRect body = r;
        // The item's background first, everywhere: the bar's brush aligned to the window, so
        // the bar gradient runs on unbroken behind the items.
        if (item.MenuBrush)
            FillWithThemeBrush(painter, r, *item.MenuBrush, item.WindowOrigin);
        else
            FillSolid(painter, r, base);
        if (active) {
            if (open && !hot)
                body.setWidth(body.width() - 4);
            if (IsPaletteScreen())
                FillSolid(painter, body, windowDark);
            else
                DrawGradient(painter, body, windowDark, hot && !open ? selectionFill : base, false);
            DrawOutline(painter, body, framePen);
            if (open && !hot)
                DrawBarItemShadow(painter, item, body,
                                  item.MenuBrush ? std::nullopt : std::optional(base));
        }
        const COLORREF colour = grayed
                                    ? (IsPaletteScreen() ? windowDark : GetSysColor(COLOR_GRAYTEXT))
                                    : GetSysColor(COLOR_MENUTEXT);
        DrawBarText(painter, item, body, colour);
        return;
    }

    // Pop-up item: the icon bar's gradient, pale beside it.
    const QRect bar = IconBar(item);
    const QRect textArea = TextArea(item, bar);
    if (IsRightOrder(item))
        DrawGradient(painter, bar, base, pale, true);
    else
        DrawGradient(painter, bar, pale, base, true);
    FillSolid(painter, textArea, pale);
    const QRect text = NarrowedText(item, textArea);
    if (item.Flags & MF_SEPARATOR) {
        DrawFlatSeparator(painter, item, text);
        return;
    }
    if (selected) {
        FillSolid(painter, r, selectionFill);
        DrawOutline(painter, r, framePen);
    }
    if (!item.Image.isNull()) {
        if (item.State & ODS_CHECKED) {
            const QRect box =
                IsRightOrder(item) ? bar.adjusted(2, 1, -1, -1) : bar.adjusted(1, 1, -2, -1);
            FillSolid(painter, box, selected ? selectedCheckFill : checkFill);
            DrawOutline(painter, box, framePen);
        }
        const EImageKind kind = (item.State & ODS_DISABLED) ? EImageKind::Disabled
                                : selected                  ? EImageKind::Normal
                                                            : EImageKind::Shaded;
        const QPixmap image = CommandImage(item.Image, kind);
        DrawImage(painter, ImagePosition(item, bar, ImageSize(image)), image);
    } else if ((item.State & ODS_CHECKED) && item.Mark != ECheckMark::None) {
        const int side = std::min(bar.width() - 4, r.height() - 4);
        const QRect box(bar.left() + (bar.width() - side) / 2, r.top() + (r.height() - side) / 2,
                        side, side);
        FillSolid(painter, box, selected ? selectedCheckFill : checkFill);
        DrawOutline(painter, box, framePen);
        DrawMarlettGlyph(painter, box.adjusted(1, 1, -1, -1),
                         item.Mark == ECheckMark::Radio ? 'i' : 'b', MarkColour(item),
                         item.State & ODS_DEFAULT);
    } else if (const char glyph = SystemGlyph(item.Id)) {
        QRect box = bar;
        box.setHeight(std::min(bar.height(), item.IconHeight));
        box.moveTop(r.top() + (r.height() - box.height()) / 2);
        const bool bold = item.State & ODS_DEFAULT;
        if ((grayed || (item.State & ODS_INACTIVE))) {
            DrawMarlettGlyph(painter, box, glyph, GetSysColor(COLOR_GRAYTEXT), bold);
        } else if (selected) {
            // A lifted glyph: its shadow one pixel right and below, the glyph up and left.
            DrawMarlettGlyph(painter, box.translated(1, 1), glyph, BarShadowColor(selectionFill),
                             bold);
            DrawMarlettGlyph(painter, box.translated(-1, -1), glyph, GetSysColor(COLOR_MENUTEXT),
                             bold);
        } else {
            DrawMarlettGlyph(painter, box, glyph, GetSysColor(COLOR_MENUTEXT), bold);
        }
    }
    DrawFlatPopupText(painter, item, text, selected);
}

void DrawItemXP(QPainter& painter, const SMenuItemPaint& item)
{
    const QRect& r = item.Rect;
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF barColour = MenuBarColor(item.MenuBrushColour);
    COLORREF background = MixColor86(window, barColour);
    COLORREF band = IsPaletteScreen() ? GetSysColor(COLOR_BTNFACE) : MixColor86(barColour, window);
    if (GetNearestColor(background) == GetNearestColor(band)) {
        background = window;
        band = barColour;
    }
    COLORREF selection = SelectionColor();
    COLORREF framePen =
        IsHighContrast() ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_HIGHLIGHT);
    const bool grayed = item.State & ODS_GRAYED;
    const bool inactive = item.State & ODS_INACTIVE;
    const bool hot = item.State & ODS_HOTLIGHT;

    if (item.MenuBar) {
        const bool open = (item.State & ODS_SELECTED) && !inactive && !hot;
        if (!hot)
            selection = band;
        QRect body = r.adjusted(0, 0, -4, 0);
        FillSolid(painter, r, barColour);
        if (open) {
            framePen =
                IsHighContrast() ? GetSysColor(COLOR_BTNTEXT) : DarkenColor(128, MenuBarColor());
            DrawBarItemShadow(painter, item, body, barColour);
        }
        if ((open || hot) && !inactive) {
            FillSolid(painter, body, selection);
            DrawOutline(painter, body, framePen);
        }
        const COLORREF colour =
            (grayed || inactive) ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_MENUTEXT);
        DrawBarText(painter, item, body, colour);
        return;
    }

    const QRect bar = IconBar(item);
    const QRect textArea = TextArea(item, bar);
    FillSolid(painter, bar, band);
    FillSolid(painter, textArea, background);
    const QRect text = NarrowedText(item, textArea);
    if (item.Flags & MF_SEPARATOR) {
        DrawFlatSeparator(painter, item, text);
        return;
    }
    const bool selected = (item.State & (ODS_SELECTED | ODS_HOTLIGHT | ODS_INACTIVE)) != 0;
    if (selected && !inactive) {
        FillSolid(painter, r, selection);
        DrawOutline(painter, r, framePen);
    }
    const bool checked = item.State & ODS_CHECKED;
    const QRect box = IsRightOrder(item) ? bar.adjusted(2, 1, -1, -1) : bar.adjusted(1, 1, -2, -1);
    const COLORREF boxFill =
        !selected
            ? MixColor86(band, GetSysColor(COLOR_HIGHLIGHT))
            : (IsPaletteScreen() ? selection : MixColor86(selection, GetSysColor(COLOR_HIGHLIGHT)));
    if (!item.Image.isNull()) {
        if (checked) {
            FillSolid(painter, box, boxFill);
            DrawOutline(painter, box, framePen);
        }
        const QSize size = ImageSize(item.Image);
        const QPoint at = ImagePosition(item, bar, size);
        if (item.State & ODS_DISABLED) {
            DrawImage(painter, at, CommandImage(item.Image, EImageKind::Disabled));
        } else if (!selected) {
            DrawImage(painter, at, CommandImage(item.Image, EImageKind::Shaded));
        } else if (checked) {
            DrawImage(painter, at, item.Image);
        } else {
            DrawSilhouette(painter, at + QPoint(1, 1), item.Image,
                           GetNearestColor(BarShadowColor(selection)));
            DrawImage(painter, at - QPoint(1, 1), item.Image);
        }
    } else if (checked && item.Mark != ECheckMark::None) {
        QRect mark = box.adjusted(-2, 0, 2, 0);
        mark.setHeight(item.IconHeight + 4);
        mark.moveTop(r.top() + (r.height() - mark.height()) / 2);
        FillSolid(painter, box, boxFill);
        DrawOutline(painter, box, framePen);
        DrawMarlettGlyph(painter, mark, item.Mark == ECheckMark::Radio ? 'i' : 'b',
                         MarkColour(item), item.State & ODS_DEFAULT);
    } else if (IsSystemCommand(item.Id)) {
        DrawSystemGlyph(painter, bar, item);
    }
    DrawFlatPopupText(painter, item, text, selected);
}

void DrawItemFirst(QPainter& painter, const SMenuItemPaint& item)
{
    const QRect& r = item.Rect;
    const unsigned state = item.State;
    const COLORREF background = item.MenuBar ? MenuBarColor() : GetSysColor(COLOR_MENU);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const bool selected = state & ODS_SELECTED;
    const bool grayed = state & ODS_GRAYED;

    FillSolid(painter, r, background);
    if (item.Flags & MF_SEPARATOR) {
        DrawEtchedTop(painter, Ltrb(r.left() + 1, r.top() + 1, Right(r), Bottom(r)));
        return;
    }
    const QRect bar = IconBar(item, 1);
    QRect text = item.MenuBar ? r.adjusted(0, 0, 6, 0) : NarrowedText(item, TextArea(item, bar));
    const bool showsImage = !item.Image.isNull();
    const bool showsMark = (state & ODS_CHECKED) && item.Mark != ECheckMark::None;

    if (item.MenuBar) {
        const QRect edges = r.adjusted(0, 0, -2, 0);
        if (selected)
            Draw3dRect(painter, edges, shadow, highlight);
        else if ((state & ODS_HOTLIGHT) && !(state & ODS_INACTIVE))
            Draw3dRect(painter, edges, highlight, shadow);
    } else if (selected) {
        FillSolid(painter, showsImage || showsMark ? TextArea(item, bar).adjusted(1, 0, 0, 0) : r,
                  GetSysColor(COLOR_HIGHLIGHT));
    }

    if (!item.MenuBar) {
        const QRect iconBox(bar.left() + (bar.width() - item.IconWidth) / 2,
                            r.top() + (r.height() - item.IconHeight) / 2, item.IconWidth,
                            item.IconHeight);
        const QRect edgeBox = iconBox.adjusted(-2, -2, 2, 2);
        if (showsImage) {
            if (state & ODS_CHECKED)
                Draw3dRect(painter, edgeBox, shadow, highlight);
            else if (selected && !grayed)
                Draw3dRect(painter, edgeBox, highlight, shadow);
            const QPixmap image = CommandImage(
                item.Image, (state & ODS_DISABLED) ? EImageKind::Disabled : EImageKind::Normal);
            const QSize size = ImageSize(image);
            DrawImage(painter,
                      QPoint(iconBox.left() + (iconBox.width() - size.width()) / 2,
                             iconBox.top() + (iconBox.height() - size.height()) / 2),
                      image);
        } else if (IsSystemCommand(item.Id)) {
            DrawSystemGlyph(painter, edgeBox, item);
        } else {
            DrawClassicCheck(painter, edgeBox, item, shadow, highlight);
        }
    }

    COLORREF colour = GetSysColor(COLOR_MENUTEXT);
    if (!item.MenuBar && selected)
        colour = GetSysColor(COLOR_HIGHLIGHTTEXT);
    if (item.MenuBar && (state & ODS_INACTIVE))
        colour = GetSysColor(COLOR_GRAYTEXT);
    const QPoint offset = item.MenuBar && selected ? QPoint(1, 1) : QPoint();
    auto drawText = [&](COLORREF c, QPoint shift) {
        if (item.MenuBar)
            DrawBarText(painter, item, text.translated(shift), c);
        else
            DrawPopupText(painter, item, text, c, shift);
    };
    if (!grayed) {
        drawText(colour, offset);
    } else if (!selected) {
        drawText(highlight, offset + QPoint(1, 1));
        drawText(GetSysColor(COLOR_GRAYTEXT), offset);
    } else {
        drawText(background, offset);
    }
    DrawSubMenuArrow(painter, item, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : colour);
}

void DrawItemSecond(QPainter& painter, const SMenuItemPaint& item)
{
    if (!item.MenuBar) {
        DrawItemFirst(painter, item);
        return;
    }
    const QRect& r = item.Rect;
    const bool active = item.State & (ODS_SELECTED | ODS_HOTLIGHT);
    FillSolid(painter, r, active ? GetSysColor(COLOR_HIGHLIGHT) : MenuBarColor());
    const COLORREF colour = (item.State & ODS_GRAYED) ? GetSysColor(COLOR_GRAYTEXT)
                            : active                  ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                      : GetSysColor(COLOR_MENUTEXT);
    DrawText(painter, r, item.Text, Qt::AlignCenter | MnemonicFlag(item), colour, GetMenuFont());
}

void DrawItemThird(QPainter& painter, const SMenuItemPaint& item)
{
    const bool highContrast = IsHighContrast();
    const QRect& r = item.Rect;
    const COLORREF base = MenuBackgroundColor();
    const COLORREF fill = item.MenuBar ? MenuBarColor() : base;
    COLORREF dark = DarkenColor(60, base);
    COLORREF light = LightenColor(60, base);
    const COLORREF inactiveText = DarkenColor(100, base);
    COLORREF disabled = GetNearestColor(DarkenColor(70, dark));
    if (highContrast) {
        disabled = GetSysColor(COLOR_BTNSHADOW);
        dark = light = GetSysColor(COLOR_BTNTEXT);
    }
    auto itemGradient = [&](const QRect& area, COLORREF c) {
        if (highContrast)
            FillSolid(painter, area, c);
        else
            DrawGradient(painter, area, LightenColor(30, c), DarkenColor(30, c), false, true, true);
    };
    const unsigned state = item.State;
    const bool selected = state & ODS_SELECTED;
    const bool hot = state & ODS_HOTLIGHT;
    const bool inactive = state & ODS_INACTIVE;
    const bool grayed = state & ODS_GRAYED;

    if (item.Flags & MF_SEPARATOR) {
        FillSolid(painter, r, light);
        DrawEtchedTop(painter, Ltrb(r.left() + 1, r.top() + 1, Right(r) - 1, Bottom(r)));
        return;
    }
    const QRect bar = IconBar(item, 1);
    const QRect full = item.MenuBar ? r.adjusted(0, 0, -1, -1) : r;
    const QRect text =
        item.MenuBar ? r.adjusted(0, 2, 6, 0) : NarrowedText(item, TextArea(item, bar));
    const bool showsImage = !item.Image.isNull();
    const bool showsMark = (state & ODS_CHECKED) && item.Mark != ECheckMark::None;

    if (!item.MenuBar) {
        itemGradient(full, fill);
    } else {
        FillSolid(painter, r, fill);
        if ((hot || selected) && !inactive && !highContrast)
            itemGradient(full.adjusted(0, 1, 0, 0), base);
        else if (item.MenuBrush && !highContrast)
            FillWithThemeBrush(painter, full.adjusted(0, 1, 0, 0), *item.MenuBrush,
                               item.WindowOrigin);
    }
    if (item.MenuBar) {
        if (selected)
            Draw3dRect(painter, full, dark, light);
        else if (hot && !inactive)
            Draw3dRect(painter, full, light, dark);
    } else if (selected) {
        const QRect area = showsImage || showsMark ? TextArea(item, bar) : full;
        if (highContrast)
            FillSolid(painter, area, GetSysColor(COLOR_HIGHLIGHT));
        else
            itemGradient(area, GetSysColor(COLOR_HIGHLIGHT));
        Draw3dRect(painter, area, dark, light);
    }

    if (!item.MenuBar) {
        const QRect iconBox(bar.left() + (bar.width() - item.IconWidth) / 2,
                            r.top() + (r.height() - item.IconHeight) / 2, item.IconWidth,
                            item.IconHeight);
        const QRect edgeBox = iconBox.adjusted(-2, -2, 2, 2);
        if (showsImage) {
            if (state & ODS_CHECKED)
                Draw3dRect(painter, edgeBox, dark, light);
            else if (selected && !grayed)
                Draw3dRect(painter, edgeBox, light, dark);
            const QSize size = ImageSize(item.Image);
            const QPoint at(iconBox.left() + (iconBox.width() - size.width()) / 2,
                            iconBox.top() + (iconBox.height() - size.height()) / 2);
            if (state & ODS_DISABLED)
                painter.drawPixmap(at, DisabledSilhouetteImage(item.Image, disabled));
            else
                DrawImage(painter, at, item.Image);
        } else if (IsSystemCommand(item.Id)) {
            DrawSystemGlyph(painter, edgeBox, item);
        } else {
            DrawClassicCheck(painter, edgeBox, item, dark, light);
        }
    }

    COLORREF colour = GetSysColor(COLOR_MENUTEXT);
    if (!item.MenuBar && selected)
        colour = GetSysColor(COLOR_HIGHLIGHTTEXT);
    if (item.MenuBar && inactive)
        colour = inactiveText;
    if (grayed)
        colour = selected ? fill : disabled;
    if (item.MenuBar)
        DrawBarText(painter, item, text, colour);
    else
        DrawPopupText(painter, item, text, colour);
    DrawSubMenuArrow(painter, item, colour);
}

void DrawMenuItem(QPainter& painter, const SMenuItemPaint& item)
{
    // Every routine leaves title items to the one title routine.
    if (item.TitleFlags & MFT_TITLE) {
        DrawTitle(painter, item);
        return;
    }
    switch (CurrentTheme().DrawItem()) {
    case EDrawRoutine::First:
        DrawItemFirst(painter, item);
        break;
    case EDrawRoutine::Second:
        DrawItemSecond(painter, item);
        break;
    case EDrawRoutine::Third:
        DrawItemThird(painter, item);
        break;
    case EDrawRoutine::XP:
        DrawItemXP(painter, item);
        break;
    case EDrawRoutine::Office2003:
        DrawItem2003(painter, item);
        break;
    }
}
} // namespace menus
