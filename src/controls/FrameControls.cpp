#include "controls/FrameControls.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

void DrawFocusRect(QPainter& painter, const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    painter.save();
    QPen pen(Qt::black);
    pen.setStyle(Qt::DotLine);
    pen.setWidth(1);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
    painter.restore();
}

namespace {
QStyleOptionButton ButtonOption(const QWidget& widget, const CRect& rect, bool pushed)
{
    QStyleOptionButton option;
    option.initFrom(&widget);
    option.rect = rect.ToQRect();
    option.state = QStyle::State_Enabled | (pushed ? QStyle::State_Sunken : QStyle::State_Raised);
    option.features = QStyleOptionButton::None;
    return option;
}
} // namespace

void DrawPushButtonFrame(QPainter& painter, const QWidget& widget, const CRect& rect,
                         const QString& caption, const QFont& font, bool pushed)
{
    const QStyleOptionButton option = ButtonOption(widget, rect, pushed);
    widget.style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, &widget);
    painter.save();
    painter.setFont(font);
    painter.setPen(widget.palette().color(QPalette::ButtonText));
    QRect text = rect.ToQRect();
    if (pushed)
        text.translate(1, 1);
    painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, caption);
    painter.restore();
}

void DrawDropDownButtonFrame(QPainter& painter, const QWidget& widget, const CRect& rect,
                             bool pushed)
{
    QStyleOptionButton option = ButtonOption(widget, rect, pushed);
    widget.style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, &widget);
    QStyleOption arrow;
    arrow.initFrom(&widget);
    arrow.state = QStyle::State_Enabled;
    QRect area = rect.ToQRect().adjusted(3, 3, -3, -3);
    if (pushed)
        area.translate(1, 1);
    arrow.rect = area;
    widget.style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, &widget);
}
