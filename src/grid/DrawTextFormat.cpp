#include "grid/DrawTextFormat.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

int SDrawTextLayout::QtFlags() const
{
    int flags = int(Alignment);
    if (SingleLine)
        flags |= Qt::TextSingleLine;
    if (WordBreak)
        flags |= Qt::TextWordWrap;
    if (Mnemonic)
        flags |= HideMnemonic ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
    if (ExpandTabs)
        flags |= Qt::TextExpandTabs;
    if (NoClip)
        flags |= Qt::TextDontClip;
    return flags;
}

SDrawTextLayout DrawTextLayout(unsigned format)
{
    SDrawTextLayout layout;
    layout.SingleLine = (format & DT_SINGLELINE) != 0;
    layout.WordBreak = !layout.SingleLine && (format & DT_WORDBREAK) != 0;

    Qt::Alignment horizontal = Qt::AlignLeft;
    if (format & DT_CENTER)
        horizontal = Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        horizontal = Qt::AlignRight;
    Qt::Alignment vertical = Qt::AlignTop;
    if (layout.SingleLine) {
        if (format & DT_VCENTER)
            vertical = Qt::AlignVCenter;
        else if (format & DT_BOTTOM)
            vertical = Qt::AlignBottom;
    }
    layout.Alignment = horizontal | vertical;

    if (!layout.WordBreak) {
        if (format & DT_PATH_ELLIPSIS)
            layout.Elide = Qt::ElideMiddle;
        else if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
            layout.Elide = Qt::ElideRight;
    }
    layout.Mnemonic = (format & DT_NOPREFIX) == 0;
    layout.HideMnemonic = (format & DT_HIDEPREFIX) != 0;
    layout.ExpandTabs = (format & DT_EXPANDTABS) != 0;
    layout.NoClip = (format & DT_NOCLIP) != 0;
    layout.CalcRect = (format & DT_CALCRECT) != 0;
    return layout;
}

namespace {
// Without the mnemonic flag Qt still reads "&" as a marker: double it so it shows as it stands.
QString LiteralAmpersands(const QString& text)
{
    QString result = text;
    result.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return result;
}

// The text as Qt is to lay it out: line ends as line feeds, "&" doubled where it is no marker.
QString LaidOutText(const QString& text, SDrawTextLayout& layout)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!layout.Mnemonic) {
        shown = LiteralAmpersands(shown);
        layout.Mnemonic = true;
        layout.HideMnemonic = true;
    }
    return shown;
}
} // namespace

int CalcTextRect(const QFontMetrics& metrics, const QString& text, CRect& rect, unsigned format)
{
    SDrawTextLayout layout = DrawTextLayout(format);
    const QString shown = LaidOutText(text, layout);
    const int wrapWidth = layout.WordBreak ? std::max(1, rect.Width()) : 0;
    const int flags = (layout.QtFlags() & ~int(Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask)) |
                      Qt::AlignLeft | Qt::AlignTop;
    const QRect bounds = metrics.boundingRect(QRect(0, 0, wrapWidth, 0), flags, shown);
    int width = bounds.width();
    if (layout.WordBreak && bounds.height() > metrics.lineSpacing())
        width = std::max(width, rect.Width());
    rect.right = rect.left + width;
    rect.bottom = rect.top + bounds.height();
    return bounds.height();
}

int DrawText(QPainter& painter, const QString& text, CRect& rect, unsigned format)
{
    if (format & DT_CALCRECT)
        return CalcTextRect(painter.fontMetrics(), text, rect, format);
    SDrawTextLayout layout = DrawTextLayout(format);
    const QFontMetrics metrics = painter.fontMetrics();
    QString shown = LaidOutText(text, layout);
    const int flags = layout.QtFlags();

    if (layout.Elide != Qt::ElideNone) {
        const int mnemonicFlags = flags & (Qt::TextShowMnemonic | Qt::TextHideMnemonic);
        if (layout.SingleLine) {
            shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
            shown = metrics.elidedText(shown, layout.Elide, rect.Width(), mnemonicFlags);
        } else {
            QStringList lines = shown.split(QLatin1Char('\n'));
            for (QString& line : lines)
                line = metrics.elidedText(line, layout.Elide, rect.Width(), mnemonicFlags);
            shown = lines.join(QLatin1Char('\n'));
        }
    }
    QRect drawn;
    painter.drawText(rect.ToQRect(), flags, shown, &drawn);
    return drawn.height();
}
