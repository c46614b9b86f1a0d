#include "grid/CheckComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {
// Draws an item as a check box and its text, and gives every item the font's line height.
class CCheckItemDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QFontMetrics metrics(option.font);
        const int height = metrics.height() + metrics.leading() + 2;
        return QSize(QStyledItemDelegate::sizeHint(option, index).width() + height + 6, height);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        const QPalette& palette = option.palette;
        const QFontMetrics metrics(option.font);
        const int boxWidth = metrics.height() + metrics.leading() + 6;
        const QRect item = option.rect;
        const bool selected = option.state & QStyle::State_Selected;

        // The check box on window colours at the left, one pixel short at top and bottom.
        const QRect boxArea(item.left(), item.top() + 1, boxWidth, item.height() - 2);
        painter->fillRect(boxArea, palette.color(QPalette::Base));
        if (style) {
            QStyleOptionButton box;
            box.state = QStyle::State_Enabled |
                        (index.data(Qt::UserRole).toInt() ? QStyle::State_On : QStyle::State_Off);
            const int side = std::min(
                style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget), boxArea.height());
            box.rect = QRect(0, 0, side, side);
            box.rect.moveCenter(boxArea.center());
            style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
        }

        // The text area, highlighted when selected, with one leading blank.
        const QRect textArea(item.left() + boxWidth, item.top(), item.width() - boxWidth,
                             item.height());
        painter->fillRect(textArea, palette.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QString text = QLatin1Char(' ') + index.data(Qt::DisplayRole).toString();
        painter->drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          metrics.elidedText(text, Qt::ElideRight, textArea.width()));
        if (selected && (option.state & QStyle::State_HasFocus) && style) {
            QStyleOptionFocusRect focus;
            focus.rect = textArea;
            focus.palette = palette;
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
        }
    }
};
} // namespace

CCheckComboBox::CCheckComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    // The list drops below the field, as a drop-down list does, in every style.
    setStyleSheet(QStringLiteral("combobox-popup: 0;"));
    setItemDelegate(new CCheckItemDelegate(this));
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
}

QString CCheckComboBox::ItemSeparator()
{
    // Linux locales give no list separator: the semicolon stands for it.
    return QStringLiteral("; ");
}

int CCheckComboBox::SetCheck(int index, bool checked)
{
    if (index < 0 || index >= count())
        return -1;
    setItemData(index, checked ? 1 : 0, Qt::UserRole);
    m_bTextUpdated = false;
    update();
    return index;
}

int CCheckComboBox::GetCheck(int index) const
{
    if (index < 0 || index >= count())
        return -1;
    return itemData(index, Qt::UserRole).toInt() ? 1 : 0;
}

QString CCheckComboBox::GetWindowText() const
{
    if (!m_bTextUpdated) {
        QStringList checked;
        for (int i = 0; i < count(); ++i)
            if (GetCheck(i) == 1)
                checked << itemText(i);
        m_strText = checked.join(ItemSeparator());
        m_bTextUpdated = true;
    }
    return m_strText;
}

void CCheckComboBox::SetWindowText(const QString& text)
{
    m_strText = text;
    m_bTextUpdated = true;
    update();
}

void CCheckComboBox::Toggle(int index)
{
    if (SetCheck(index, GetCheck(index) != 1) < 0)
        return;
    view()->update(view()->model()->index(index, 0));
    Q_EMIT CheckToggled(index);
}

void CCheckComboBox::paintEvent(QPaintEvent*)
{
    // The field shows the checked items, not the current one.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = GetWindowText();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

bool CCheckComboBox::OnListKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        Toggle(view()->currentIndex().row());
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The list closes without taking a selection.
        hidePopup();
        return true;
    default:
        return false;
    }
}

bool CCheckComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex index = view()->indexAt(mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton && index.isValid())
                Toggle(index.row());
            return false;
        }
        // A release (or a double click) would take the item as the selection and close the list.
        if (event->type() == QEvent::MouseButtonRelease ||
            event->type() == QEvent::MouseButtonDblClick)
            return true;
    } else if (watched == view() && event->type() == QEvent::KeyPress) {
        return OnListKey(static_cast<QKeyEvent*>(event));
    }
    return QComboBox::eventFilter(watched, event);
}
