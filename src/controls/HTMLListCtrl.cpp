#include "controls/HTMLListCtrl.h"

#include "grid/GdiPaint.h"
#include "grid/SysColors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

namespace {

constexpr int kCheckSize = 16;
constexpr int kCheckSquare = 15;
constexpr int kColourStack = 8;

struct SHtmlStyle
{
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int Script = 0; // 1 subscript, 2 superscript
    QColor Colour;
};

QFont StyledFont(const QFont& base, const SHtmlStyle& style)
{
    QFont font = base;
    font.setBold(style.Bold);
    font.setItalic(style.Italic);
    font.setUnderline(style.Underline);
    if (style.Script != 0) {
        if (base.pixelSize() > 0)
            font.setPixelSize(std::max(1, base.pixelSize() * 7 / 10));
        else
            font.setPointSizeF(base.pointSizeF() * 0.7);
    }
    return font;
}

// The colour of a font tag's attributes ("color=#rrggbb", quoted or not), or none when the tag
// name is not followed by exactly one blank and "color=".
QColor FontTagColour(const QString& attributes)
{
    if (!attributes.startsWith(QLatin1String(" color="), Qt::CaseInsensitive))
        return {};
    QString value = attributes.mid(7);
    if (value.startsWith(u'"') || value.startsWith(u'\''))
        value.remove(0, 1);
    if (value.startsWith(u'#'))
        value.remove(0, 1);
    int parts[3] = {0, 0, 0};
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        const int digit = i < value.size() ? QString(value[i]).toInt(&ok, 16) : 0;
        parts[i / 2] = parts[i / 2] * 16 + (ok ? digit : 0);
    }
    return QColor(parts[0], parts[1], parts[2]);
}

} // namespace

int DrawHTMLSubset(QPainter* painter, const QFont& font, const QString& html, const QRect& rect,
                   bool singleLine, const QColor& colour)
{
    const QFontMetrics baseMetrics(font);
    const int lineHeight = baseMetrics.height();
    SHtmlStyle style;
    style.Colour = colour;
    std::vector<QColor> colours;
    int x = rect.left();
    int y = rect.top();
    bool anything = false; // text or a line break came already

    auto newLine = [&](int height) {
        x = rect.left();
        y += height;
    };
    auto put = [&](const QString& chunk, bool space) {
        const QFont styled = StyledFont(font, style);
        const QFontMetrics metrics(styled);
        const int width = metrics.horizontalAdvance(chunk);
        if (!singleLine && !space && x > rect.left() && x + width > rect.left() + rect.width())
            newLine(lineHeight);
        if (space && x == rect.left() && anything && !singleLine)
            return; // no blank at the start of a wrapped line
        anything = true;
        if (painter) {
            int baseline = y + baseMetrics.ascent();
            if (style.Script == 1)
                baseline = y + lineHeight - metrics.descent();
            else if (style.Script == 2)
                baseline = y + metrics.ascent();
            painter->setFont(styled);
            painter->setPen(style.Colour);
            painter->drawText(QPoint(x, baseline), chunk);
        }
        x += width;
    };

    qsizetype i = 0;
    while (i < html.size()) {
        if (html[i] == u'<') {
            const qsizetype end = html.indexOf(u'>', i);
            if (end > i) {
                QString tag = html.mid(i + 1, end - i - 1);
                i = end + 1;
                const bool closing = tag.startsWith(u'/');
                if (closing)
                    tag.remove(0, 1);
                qsizetype nameEnd = 0;
                while (nameEnd < tag.size() && tag[nameEnd].isLetterOrNumber())
                    ++nameEnd;
                const QString name = tag.left(nameEnd).toLower();
                if (name == QLatin1String("b") || name == QLatin1String("strong")) {
                    style.Bold = !closing;
                } else if (name == QLatin1String("i") || name == QLatin1String("em")) {
                    style.Italic = !closing;
                } else if (name == QLatin1String("u")) {
                    style.Underline = !closing;
                } else if (name == QLatin1String("sub")) {
                    style.Script = closing ? 0 : 1;
                } else if (name == QLatin1String("sup")) {
                    style.Script = closing ? 0 : 2;
                } else if (name == QLatin1String("font")) {
                    if (closing) {
                        if (!colours.empty()) {
                            style.Colour = colours.back();
                            colours.pop_back();
                        }
                    } else if (const QColor set = FontTagColour(tag.mid(nameEnd)); set.isValid()) {
                        if (int(colours.size()) < kColourStack)
                            colours.push_back(style.Colour);
                        style.Colour = set;
                    }
                } else if (!closing && !singleLine && name == QLatin1String("br")) {
                    newLine(lineHeight);
                    anything = true;
                } else if (!closing && !singleLine && name == QLatin1String("p")) {
                    if (anything)
                        newLine(lineHeight * 3 / 2);
                    anything = true;
                }
                continue;
            }
        }
        // A run of text up to the next tag, in words and blanks.
        qsizetype stop = html.indexOf(u'<', i + 1);
        if (stop < 0)
            stop = html.size();
        QString text = html.mid(i, stop - i);
        i = stop;
        text.replace(u'\n', u' ').replace(u'\r', u' ').replace(u'\t', u' ');
        qsizetype at = 0;
        while (at < text.size()) {
            const bool space = text[at] == u' ';
            qsizetype next = at;
            while (next < text.size() && (text[next] == u' ') == space)
                ++next;
            put(text.mid(at, next - at), space);
            at = next;
        }
    }
    return y - rect.top() + lineHeight;
}

CHTMLListCtrl::CHTMLListCtrl(QWidget* parent, unsigned styleBits)
    : QAbstractScrollArea(parent), m_style(styleBits), m_selectionColour(RGB(204, 228, 247))
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setPageStep(kScrollStep);
    viewport()->setCursor(Qt::ArrowCursor);
    for (int checked = 0; checked < 2; ++checked) {
        QImage image(kCheckSize, kCheckSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = QRect(1, 1, kCheckSize - 2, kCheckSize - 2);
        option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
        m_checkImages[checked] = image;
    }
}

CHTMLListCtrl::~CHTMLListCtrl() = default;

void CHTMLListCtrl::SetStyle(unsigned style)
{
    m_style = style;
    Recalculate();
}

int CHTMLListCtrl::InsertItem(const QString& text, quintptr data, int kind, int height, int image)
{
    auto item = std::make_unique<HTMLLIST_ITEM>();
    item->sItemText = text;
    item->lItemData = data;
    item->nStyle = kind;
    item->nHeight = height;
    item->bHeightSpecified = height > 0;
    item->uiImage = image;
    m_items.push_back(std::move(item));
    Recalculate();
    return int(m_items.size()) - 1;
}

bool CHTMLListCtrl::DeleteItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return false;
    m_items.erase(m_items.begin() + index);
    if (m_selected == index)
        m_selected = -1;
    else if (m_selected > index)
        --m_selected;
    Recalculate();
    return true;
}

void CHTMLListCtrl::DeleteAllItems()
{
    m_items.clear();
    m_selected = -1;
    Recalculate();
}

const HTMLLIST_ITEM* CHTMLListCtrl::GetItem(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[size_t(index)].get() : nullptr;
}

bool CHTMLListCtrl::SetItemText(int index, const QString& text)
{
    if (!GetItem(index))
        return false;
    m_items[size_t(index)]->sItemText = text;
    Recalculate();
    return true;
}

bool CHTMLListCtrl::SetItemCheck(int index, bool checked)
{
    if (!GetItem(index))
        return false;
    m_items[size_t(index)]->bChecked = checked;
    viewport()->update();
    return true;
}

bool CHTMLListCtrl::GetItemCheck(int index) const
{
    const HTMLLIST_ITEM* item = GetItem(index);
    return item && item->bChecked;
}

void CHTMLListCtrl::SetSelectedItem(int index)
{
    m_selected = GetItem(index) ? index : -1;
    EnsureVisible(m_selected);
    viewport()->update();
}

void CHTMLListCtrl::SetImageList(const QList<QImage>& images)
{
    m_images = images;
    Recalculate();
}

void CHTMLListCtrl::SetSelectionColour(COLORREF colour)
{
    m_selectionColour = colour;
    viewport()->update();
}

int CHTMLListCtrl::ImageWidth() const
{
    return (m_style & HTMLLIST_STYLE_IMAGES) && !m_images.isEmpty() ? m_images.first().width() : 0;
}

int CHTMLListCtrl::TextHeight(const HTMLLIST_ITEM& item) const
{
    int width = viewport()->width() - 5;
    if (m_style & HTMLLIST_STYLE_CHECKBOX)
        width -= 19;
    if (m_style & HTMLLIST_STYLE_IMAGES)
        width -= ImageWidth() + 10;
    width = std::max(width, 1);
    const QFontMetrics metrics(font());
    switch (item.nStyle) {
    case HTMLLIST_ITEM::NORMAL_TEXT:
        return metrics.boundingRect(QRect(0, 0, width, 0), Qt::TextWordWrap, item.sItemText)
                   .height() +
               metrics.leading();
    case HTMLLIST_ITEM::HTML_TEXT:
        return DrawHTMLSubset(nullptr, font(), item.sItemText, QRect(0, 0, width, 0), false,
                              Qt::black);
    case HTMLLIST_ITEM::SINGLE_LINE_TEXT:
        return metrics.height();
    default:
        return -10;
    }
}

void CHTMLListCtrl::Recalculate()
{
    m_totalHeight = 0;
    int number = 0;
    for (const std::unique_ptr<HTMLLIST_ITEM>& item : m_items) {
        item->nItemNo = number++;
        if (!item->bHeightSpecified)
            item->nHeight = TextHeight(*item) + 10;
        m_totalHeight += item->nHeight;
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, m_totalHeight - viewport()->height()));
    bar->setPageStep(kScrollStep);
    viewport()->update();
}

void CHTMLListCtrl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    Recalculate();
}

void CHTMLListCtrl::scrollContentsBy(int, int)
{
    viewport()->update();
}

QRect CHTMLListCtrl::CheckBoxRect(const QRect& row) const
{
    return QRect(row.left() + 3, row.center().y() - 8, kCheckSquare, kCheckSquare);
}

void CHTMLListCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect clip = event->rect();
    FillRect(painter, CRect(viewport()->rect()), RGB(255, 255, 255));
    int top = -verticalScrollBar()->value();
    for (const std::unique_ptr<HTMLLIST_ITEM>& item : m_items) {
        item->rcItem = QRect(0, top, viewport()->width(), item->nHeight);
        top += item->nHeight;
        if (item->rcItem.bottom() < clip.top() || item->rcItem.top() > clip.bottom())
            continue;
        painter.save();
        DrawItem(painter, item->rcItem, *item, item->nItemNo == m_selected);
        painter.restore();
    }
    if (hasFocus() && GetItem(m_selected)) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = m_items[size_t(m_selected)]->rcItem;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void CHTMLListCtrl::DrawItem(QPainter& painter, const QRect& rect, const HTMLLIST_ITEM& item,
                             bool selected)
{
    FillRect(painter, CRect(rect), selected ? m_selectionColour : RGB(255, 255, 255));
    if (m_style & HTMLLIST_STYLE_GRIDLINES) {
        const COLORREF edge = GetSysColor(COLOR_BTNSHADOW);
        FillRect(painter, CRect(rect.left(), rect.top(), rect.left() + 1, rect.bottom() + 1), edge);
        FillRect(painter, CRect(rect.left(), rect.bottom(), rect.right() + 1, rect.bottom() + 1),
                 edge);
    }
    int content = rect.left();
    int textLeft = rect.left() + 5;
    if (m_style & HTMLLIST_STYLE_CHECKBOX) {
        painter.drawImage(rect.left() + 3, rect.center().y() - 8,
                          m_checkImages[item.bChecked ? 1 : 0]);
        content += kCheckSize;
        textLeft = rect.left() + 21;
    }
    if (m_style & HTMLLIST_STYLE_IMAGES) {
        if (item.uiImage >= 0 && item.uiImage < m_images.size()) {
            const QImage& image = m_images[item.uiImage];
            painter.drawImage(content + 5, rect.center().y() - image.height() / 2, image);
        }
        textLeft += ImageWidth() + 10;
    }
    QRect text(textLeft, rect.top(), rect.right() + 1 - textLeft, rect.height());
    if (!item.bHeightSpecified)
        text.setTop(text.top() + 5);
    painter.setFont(font());
    painter.setPen(Qt::black);
    switch (item.nStyle) {
    case HTMLLIST_ITEM::NORMAL_TEXT:
        painter.drawText(text, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, item.sItemText);
        break;
    case HTMLLIST_ITEM::HTML_TEXT:
        painter.setClipRect(rect);
        DrawHTMLSubset(&painter, font(), item.sItemText, text, false, Qt::black);
        break;
    case HTMLLIST_ITEM::SINGLE_LINE_TEXT: {
        // A path keeps its start and its file name, losing the middle.
        const QString shown =
            painter.fontMetrics().elidedText(item.sItemText, Qt::ElideMiddle, text.width());
        painter.drawText(QRect(text.left(), rect.top(), text.width(), rect.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
        break;
    }
    default:
        break;
    }
}

void CHTMLListCtrl::Send(int code, int index)
{
    HTMLListNotification record;
    record.hwndFrom = this;
    record.idFrom = std::uintptr_t(m_id);
    record.code = code;
    record.nItemNo = index;
    if (const HTMLLIST_ITEM* item = GetItem(index)) {
        record.sItemText = item->sItemText;
        record.lItemData = item->lItemData;
        record.bChecked = item->bChecked;
    }
    Q_EMIT Notify(record);
}

void CHTMLListCtrl::EnsureVisible(int index)
{
    if (!GetItem(index))
        return;
    int top = 0;
    for (int i = 0; i < index; ++i)
        top += m_items[size_t(i)]->nHeight;
    const int bottom = top + m_items[size_t(index)]->nHeight;
    QScrollBar* bar = verticalScrollBar();
    if (top < bar->value())
        bar->setValue(top);
    else if (bottom > bar->value() + viewport()->height())
        bar->setValue(bottom - viewport()->height());
}

void CHTMLListCtrl::keyPressEvent(QKeyEvent* event)
{
    const int count = GetItemCount();
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (count == 0)
            return;
        const bool up = event->key() == Qt::Key_Up;
        int next = m_selected;
        if (m_selected < 0)
            next = up ? 0 : count - 1;
        else
            next = std::clamp(m_selected + (up ? -1 : 1), 0, count - 1);
        m_selected = next;
        EnsureVisible(next);
        viewport()->update();
        Send(HTMLLIST_SELECTIONCHANGED, next);
        return;
    }
    case Qt::Key_Space:
        if ((m_style & HTMLLIST_STYLE_CHECKBOX) && GetItem(m_selected)) {
            HTMLLIST_ITEM& item = *m_items[size_t(m_selected)];
            item.bChecked = !item.bChecked;
            viewport()->update();
            Send(HTMLLIST_ITEMCHECKED, m_selected);
        }
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void CHTMLListCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        Send(HTMLLIST_RBUTTONDOWN, -1);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    Send(HTMLLIST_LBUTTONDOWN, -1);
    m_selected = -1;
    const QPoint point = event->position().toPoint();
    for (const std::unique_ptr<HTMLLIST_ITEM>& item : m_items) {
        if (!item->rcItem.contains(point))
            continue;
        if ((m_style & HTMLLIST_STYLE_CHECKBOX) && CheckBoxRect(item->rcItem).contains(point)) {
            item->bChecked = !item->bChecked;
            Send(HTMLLIST_ITEMCHECKED, item->nItemNo);
        }
        m_selected = item->nItemNo;
        Send(HTMLLIST_SELECTIONCHANGED, m_selected);
        break;
    }
    viewport()->update();
}

void CHTMLListCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Send(HTMLLIST_LBUTTONDBLCLICK, -1);
}

void CHTMLListCtrl::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(std::clamp(bar->value() - notches * kWheelStep, 0, bar->maximum()));
    event->accept();
}
