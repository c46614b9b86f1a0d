#include "controls/XHtmlTree.h"

#include "grid/GdiPaint.h"
#include "grid/SysColors.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QToolTip>

#include <atomic>

namespace {

std::atomic<int> g_liveRecords{0};

constexpr int kEditDelay = 100;
constexpr int kToolTipLength = 78;

bool IsWordCharacter(QChar c)
{
    return c.isLetter() || c == u'_';
}

} // namespace

XHTMLTREEDATA::SLiveCounter::SLiveCounter()
{
    ++g_liveRecords;
}

XHTMLTREEDATA::SLiveCounter::SLiveCounter(const SLiveCounter&)
{
    ++g_liveRecords;
}

XHTMLTREEDATA::SLiveCounter::~SLiveCounter()
{
    --g_liveRecords;
}

int XHTMLTREEDATA::LiveCount()
{
    return g_liveRecords.load();
}

int XHtmlTreeStateImage(const XHTMLTREEDATA& data, bool smartCheckBoxes, bool hot)
{
    if (data.bSeparator)
        return 0;
    int image = data.bChecked ? 2 : 1;
    if (smartCheckBoxes && data.nChildren > 0) {
        if (data.nCheckedChildren == 0)
            image = 1;
        else if (data.nCheckedChildren == data.nChildren - data.nSeparators)
            image = 2;
        else
            image = 3;
    }
    if (!data.bEnabled)
        image += 4;
    if (hot)
        image += 8;
    return image;
}

CXHtmlTree::CXHtmlTree(QWidget* parent) : CTreeCtrl(parent)
{
    setMouseTracking(true);
    ReadColours();
    Initialize(false, true);
}

CXHtmlTree::~CXHtmlTree()
{
    m_deleting = true;
    clear();
    m_records.clear();
}

void CXHtmlTree::Initialize(bool checkBoxes, bool toolTips)
{
    m_deleting = true;
    clear();
    m_records.clear();
    m_deleting = false;
    m_checkBoxes = checkBoxes;
    m_toolTips = toolTips;
    m_smartCheckBoxes = false;
    m_selectOnCheck = true;
    m_textPadding = 0;
    m_hotItem = m_lastSelected = m_editPending = m_checkPressed = nullptr;
    ReadColours();
    m_stateImages.clear();
    if (m_checkBoxes)
        BuildStateImages();
}

XHTMLTREEDATA* CXHtmlTree::Record(HTREEITEM item) const
{
    if (m_deleting || !item)
        return nullptr;
    const auto found = m_records.find(item);
    return found == m_records.end() ? nullptr : found->second.get();
}

XHTMLTREEDATA* CXHtmlTree::GetItemDataStruct(HTREEITEM item) const
{
    return Record(item);
}

void CXHtmlTree::ReadColours()
{
    const QPalette& colours = palette();
    m_background = m_ownerBackground != XHTMLTREEDATA::USE_TREE_COLOUR
                       ? m_ownerBackground
                       : GetSysColor(COLOR_WINDOW, colours);
    m_text = m_ownerText != XHTMLTREEDATA::USE_TREE_COLOUR ? m_ownerText
                                                           : GetSysColor(COLOR_WINDOWTEXT, colours);
    m_disabledText = GetSysColor(COLOR_GRAYTEXT, colours);
    m_selectionBackground = GetSysColor(COLOR_HIGHLIGHT, colours);
    m_selectionText = GetSysColor(COLOR_HIGHLIGHTTEXT, colours);
    m_separator = GetSysColor(COLOR_GRAYTEXT, colours);
}

void CXHtmlTree::SetBkColor(COLORREF colour)
{
    m_ownerBackground = colour;
    ReadColours();
    viewport()->update();
}

void CXHtmlTree::SetTextColor(COLORREF colour)
{
    m_ownerText = colour;
    ReadColours();
    viewport()->update();
}

void CXHtmlTree::changeEvent(QEvent* event)
{
    CTreeCtrl::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        ReadColours();
        if (m_checkBoxes)
            BuildStateImages();
    }
}

void CXHtmlTree::BuildStateImages()
{
    // Index: 1 unchecked, 2 checked, 3 partly; +4 disabled; +8 hot; 0, 4, 8, 12 blank.
    m_stateImages.clear();
    for (int index = 0; index < 16; ++index) {
        QImage image(kStateImageSize, kStateImageSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(ColorRefToQColor(m_background));
        const int kind = index & 3;
        if (kind != 0) {
            QPainter painter(&image);
            QStyleOptionButton option;
            option.initFrom(this);
            option.rect = QRect(1, 1, kStateImageSize - 2, kStateImageSize - 2);
            option.state = QStyle::State_None;
            if (!(index & 4))
                option.state |= QStyle::State_Enabled;
            if (index & 8)
                option.state |= QStyle::State_MouseOver;
            option.state |= kind == 1   ? QStyle::State_Off
                            : kind == 2 ? QStyle::State_On
                                        : QStyle::State_NoChange;
            style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
        }
        m_stateImages.append(image);
    }
}

int CXHtmlTree::GetStateImage(HTREEITEM item) const
{
    const XHTMLTREEDATA* record = Record(item);
    return record ? XHtmlTreeStateImage(*record, m_smartCheckBoxes, item == m_hotItem) : 0;
}

HTREEITEM CXHtmlTree::InsertItem(const QString& text, int image, int selectedImage,
                                 HTREEITEM parent, HTREEITEM insertAfter)
{
    if (!m_images)
        image = selectedImage = kNoImage;
    return InsertWithRecord(text, image, selectedImage, parent, insertAfter, false);
}

HTREEITEM CXHtmlTree::InsertSeparator(HTREEITEM parent, HTREEITEM insertAfter)
{
    return InsertWithRecord(QString(), kNoImage, kNoImage, parent, insertAfter, true);
}

HTREEITEM CXHtmlTree::InsertSubtree(HTREEITEM subtree, HTREEITEM parent, HTREEITEM insertAfter)
{
    if (!subtree || subtree->treeWidget() || subtree->parent())
        return nullptr;
    const int items = AddSubtreeRecords(subtree);
    PlaceItem(subtree, parent, insertAfter);
    if (m_smartCheckBoxes)
        UpdateAncestors(subtree, items, 0, 0);
    return subtree;
}

int CXHtmlTree::AddSubtreeRecords(HTREEITEM item)
{
    auto record = std::make_unique<XHTMLTREEDATA>();
    record->hTreeCtrl = this;
    if (!m_images)
        SetItemImage(item, kNoImage, kNoImage);
    int below = 0;
    for (int i = 0; i < item->childCount(); ++i)
        below += AddSubtreeRecords(item->child(i));
    if (m_smartCheckBoxes)
        record->nChildren = below;
    m_records[item] = std::move(record);
    return below + 1;
}

HTREEITEM CXHtmlTree::InsertWithRecord(const QString& text, int image, int selectedImage,
                                       HTREEITEM parent, HTREEITEM insertAfter, bool separator)
{
    auto record = std::make_unique<XHTMLTREEDATA>();
    record->hTreeCtrl = this;
    record->bSeparator = separator;
    HTREEITEM item = CTreeCtrl::InsertItem(text, image, selectedImage, parent, insertAfter);
    if (!item)
        return nullptr;
    m_records[item] = std::move(record);
    if (m_smartCheckBoxes)
        UpdateAncestors(item, 1, 0, separator ? 1 : 0);
    return item;
}

void CXHtmlTree::UpdateAncestors(HTREEITEM item, int descendants, int checkedChange, int separators)
{
    int carried = checkedChange;
    for (HTREEITEM ancestor = item->parent(); ancestor; ancestor = ancestor->parent()) {
        XHTMLTREEDATA* record = Record(ancestor);
        if (!record)
            continue;
        record->nChildren = std::max(0, record->nChildren + descendants);
        record->nSeparators = std::max(0, record->nSeparators + separators);
        record->nCheckedChildren = std::max(0, record->nCheckedChildren + carried);
        const int counted = record->nChildren - record->nSeparators;
        // An item left without descendants that can be checked keeps its own check.
        if (counted > 0) {
            const bool checked = record->nCheckedChildren == counted;
            if (checked != record->bChecked)
                carried += checked ? 1 : -1;
            record->bChecked = checked;
        }
    }
    viewport()->update();
}

void CXHtmlTree::SetCheck(HTREEITEM item, bool checked)
{
    XHTMLTREEDATA* record = Record(item);
    if (!m_checkBoxes || !record || !record->bEnabled || record->bSeparator)
        return;
    const bool changed = record->bChecked != checked;
    record->bChecked = checked;
    if (m_smartCheckBoxes && changed) {
        const int carried = checked ? record->nChildren - record->nCheckedChildren + 1
                                    : -(record->nCheckedChildren + 1);
        // The whole subtree takes the check, item included.
        HTREEITEM end = GetNextSiblingItem(item);
        for (HTREEITEM walk = item->parent(); !end && walk; walk = walk->parent())
            end = GetNextSiblingItem(walk);
        for (HTREEITEM walk = item; walk && walk != end; walk = GetNextTreeItem(walk)) {
            XHTMLTREEDATA* below = Record(walk);
            if (!below || !below->bEnabled || below->bSeparator)
                continue;
            below->bChecked = checked;
            below->nCheckedChildren = checked ? below->nChildren - below->nSeparators : 0;
        }
        UpdateAncestors(item, 0, carried, 0);
    }
    viewport()->update();
    Q_EMIT CheckboxClicked(item, checked ? 1 : 0);
}

bool CXHtmlTree::GetCheck(HTREEITEM item) const
{
    const XHTMLTREEDATA* record = Record(item);
    return record && record->bChecked;
}

bool CXHtmlTree::EnableItem(HTREEITEM item, bool enabled)
{
    XHTMLTREEDATA* record = Record(item);
    if (!record)
        return false;
    record->bEnabled = enabled;
    viewport()->update();
    return true;
}

bool CXHtmlTree::IsEnabled(HTREEITEM item) const
{
    const XHTMLTREEDATA* record = Record(item);
    return record && record->bEnabled;
}

bool CXHtmlTree::IsSeparator(HTREEITEM item) const
{
    const XHTMLTREEDATA* record = Record(item);
    return record && record->bSeparator;
}

void CXHtmlTree::DeleteRecords(HTREEITEM item)
{
    // Deepest first, each keeping the counts of its ancestors.
    for (int i = item->childCount() - 1; i >= 0; --i)
        DeleteRecords(item->child(i));
    if (XHTMLTREEDATA* record = Record(item)) {
        UpdateAncestors(item, -1, record->bChecked ? -1 : 0, record->bSeparator ? -1 : 0);
        m_records.erase(item);
    }
    for (HTREEITEM* pointer : {&m_hotItem, &m_lastSelected, &m_editPending, &m_checkPressed})
        if (*pointer == item)
            *pointer = nullptr;
}

bool CXHtmlTree::DeleteItem(HTREEITEM item)
{
    if (!item)
        return false;
    DeleteRecords(item);
    return CTreeCtrl::DeleteItem(item);
}

bool CXHtmlTree::DeleteAllItems()
{
    // Everything is collapsed first, as CollapseAll reports it; only the top items are closed in
    // the view, since the items below them go with them.
    for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextTreeItem(walk)) {
        XHTMLTREEDATA* record = Record(walk);
        if (record && record->bEnabled && record->bExpanded && ItemHasChildren(walk)) {
            record->bExpanded = false;
            Q_EMIT ItemExpanded(walk, false);
        }
    }
    for (int i = 0; i < topLevelItemCount(); ++i)
        topLevelItem(i)->setExpanded(false);
    if (HTREEITEM root = GetRootItem())
        SelectItem(root);
    horizontalScrollBar()->setValue(0);
    m_deleting = true;
    clear();
    m_records.clear();
    m_deleting = false;
    m_hotItem = m_lastSelected = m_editPending = m_checkPressed = nullptr;
    return true;
}

bool CXHtmlTree::SetItemText(HTREEITEM item, const QString& text)
{
    if (IsSeparator(item))
        return false;
    return CTreeCtrl::SetItemText(item, text);
}

bool CXHtmlTree::SelectItem(HTREEITEM item)
{
    if (item == currentItem())
        return true;
    const XHTMLTREEDATA* record = Record(item);
    if (!record || !record->bEnabled)
        return true; // the selection stays where it is
    m_lastSelected = item;
    Q_EMIT SelChanged(item);
    EmitReport(Report(TVN_SELCHANGED, currentItem(), item));
    return CTreeCtrl::SelectItem(item);
}

bool CXHtmlTree::OnCaretChanging(HTREEITEM oldCaret, HTREEITEM newCaret)
{
    const XHTMLTREEDATA* record = Record(newCaret);
    if (record && !record->bEnabled)
        return false;
    return CTreeCtrl::OnCaretChanging(oldCaret, newCaret);
}

void CXHtmlTree::OnCaretChanged(HTREEITEM oldCaret, HTREEITEM newCaret)
{
    SelectNativeCaret(oldCaret, newCaret);
    const XHTMLTREEDATA* record = Record(newCaret);
    if (record && !record->bEnabled) {
        MoveCaretSilently(oldCaret);
        SelectNativeCaret(newCaret, oldCaret);
        return;
    }
    if (newCaret == m_lastSelected)
        return;
    m_lastSelected = newCaret;
    Q_EMIT SelChanged(newCaret);
    NMTREEVIEW report = Report(TVN_SELCHANGED, oldCaret, newCaret);
    report.action = CaretAction();
    EmitReport(report);
}

bool CXHtmlTree::Expand(HTREEITEM item, unsigned code)
{
    XHTMLTREEDATA* record = Record(item);
    if (record && record->bEnabled && ItemHasChildren(item)) {
        const bool before = record->bExpanded;
        switch (code & 0x3) {
        case TVE_COLLAPSE:
            record->bExpanded = false;
            break;
        case TVE_EXPAND:
            record->bExpanded = true;
            break;
        case TVE_TOGGLE:
            record->bExpanded = !record->bExpanded;
            break;
        default:
            break;
        }
        if (record->bExpanded)
            record->bHasBeenExpanded = true;
        if (record->bExpanded != before)
            Q_EMIT ItemExpanded(item, record->bExpanded);
        // The tree follows the record's flag (a toggle could otherwise disagree with it).
        return CTreeCtrl::Expand(item, record->bExpanded ? TVE_EXPAND : TVE_COLLAPSE);
    }
    return CTreeCtrl::Expand(item, code);
}

void CXHtmlTree::ExpandAll()
{
    setUpdatesEnabled(false);
    HTREEITEM previous = currentItem();
    // The items below are opened before the item above them, so that each item's rows come into
    // the view once, with their parent.
    for (HTREEITEM walk = GetLastTreeItem(); walk; walk = GetPrevTreeItem(walk))
        if (ItemHasChildren(walk))
            Expand(walk, TVE_EXPAND);
    SelectItem(previous ? previous : GetRootItem());
    scrollToTop();
    horizontalScrollBar()->setValue(0);
    if (currentItem())
        scrollToItem(currentItem());
    setUpdatesEnabled(true);
}

void CXHtmlTree::CollapseAll()
{
    // Each item is collapsed before the items below it: with its parent closed, an item closes
    // without the view moving rows, so a large tree closes in one pass.
    for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextTreeItem(walk))
        if (ItemHasChildren(walk))
            Expand(walk, TVE_COLLAPSE);
    if (HTREEITEM root = GetRootItem())
        SelectItem(root);
    horizontalScrollBar()->setValue(0);
}

QFont CXHtmlTree::ItemFont(HTREEITEM item) const
{
    QFont itemFont = font();
    if (const XHTMLTREEDATA* record = Record(item)) {
        itemFont.setWeight(record->bBold ? QFont::Bold : QFont::Normal);
        itemFont.setItalic(record->bItalic);
        itemFont.setUnderline(record->bUnderline);
        itemFont.setStrikeOut(record->bStrikeOut);
    }
    return itemFont;
}

void CXHtmlTree::paintEvent(QPaintEvent* event)
{
    // Items inserted without an image list show none.
    m_images = !GetImageList().isEmpty();
    CTreeCtrl::paintEvent(event);
}

void CXHtmlTree::DrawItem(QPainter& painter, HTREEITEM item, const SItemLayout& layout)
{
    XHTMLTREEDATA* record = Record(item);
    if (!record) {
        CTreeCtrl::DrawItem(painter, item, layout);
        return;
    }
    COLORREF text = m_text;
    COLORREF background = m_background;
    COLORREF textBackground = m_background;
    if (record->crText != XHTMLTREEDATA::USE_TREE_COLOUR)
        text = record->crText;
    if (record->crBackground != XHTMLTREEDATA::USE_TREE_COLOUR)
        background = record->crBackground;
    if (record->crTextBackground != XHTMLTREEDATA::USE_TREE_COLOUR)
        textBackground = record->crTextBackground;
    const bool highlighted = IsDrawnSelected(item);
    record->bDrawnHighlighted = false;
    if (highlighted)
        textBackground = m_selectionBackground;
    if (record->bEnabled && highlighted) {
        text = m_selectionText;
        record->bDrawnHighlighted = true;
    } else if (!record->bEnabled) {
        text = m_disabledText;
        record->bDrawnHighlighted = true;
    }

    const QRect rowRight(layout.Cell.left(), layout.Row.top(),
                         layout.Row.right() - layout.Cell.left() + 1, layout.Row.height());
    FillRect(painter, CRect(rowRight), background);

    if (!layout.State.isEmpty() && !record->bSeparator) {
        const int index = XHtmlTreeStateImage(*record, m_smartCheckBoxes, item == m_hotItem);
        if (index >= 0 && index < m_stateImages.size())
            painter.drawImage(layout.State.left(),
                              layout.State.top() + (layout.State.height() - kStateImageSize) / 2,
                              m_stateImages[index]);
    }
    if (!layout.Image.isEmpty()) {
        const int index = GetItemImage(item);
        if (index >= 0 && index < GetImageList().size()) {
            const QImage& image = GetImageList()[index];
            painter.drawImage(layout.Image.left(),
                              layout.Image.top() + (layout.Image.height() - image.height()) / 2,
                              image);
        }
    }

    if (record->bSeparator) {
        if (record->crText == XHTMLTREEDATA::USE_TREE_COLOUR)
            text = m_separator;
        const CRect area(layout.Text.left(), layout.Text.top(), layout.Row.right() + 1,
                         layout.Text.bottom() + 1);
        FillRect(painter, area, highlighted ? m_selectionBackground : background);
        const int middle = area.top + area.Height() / 2;
        DrawLine(painter, CPoint(area.left - 2, middle), CPoint(area.right - 1, middle), text);
        record->nRightEdge = area.right;
        return;
    }
    QRect textRect = layout.Text.adjusted(-m_textPadding, 0, m_textPadding, 0);
    FillRect(painter, CRect(textRect), textBackground);
    painter.setFont(ItemFont(item));
    painter.setPen(ColorRefToQColor(text));
    painter.drawText(textRect.adjusted(2, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, GetItemText(item));
    record->nRightEdge = textRect.left() + textRect.width();
}

bool CXHtmlTree::OnBeginLabelEdit(HTREEITEM item)
{
    return !m_readOnly && !IsSeparator(item);
}

bool CXHtmlTree::IsCheckBoxAt(const QPoint& point, HTREEITEM* item) const
{
    unsigned flags = 0;
    *item = HitTest(point, &flags);
    return *item && m_checkBoxes && flags == TVHT_ONITEMSTATEICON && !IsSeparator(*item);
}

void CXHtmlTree::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CTreeCtrl::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    unsigned flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    m_checkPressed = nullptr;
    if (!item) {
        CTreeCtrl::mousePressEvent(event);
        return;
    }
    XHTMLTREEDATA* record = Record(item);
    if (flags == TVHT_ONITEMBUTTON) {
        if (IsEditingLabel())
            closePersistentEditor(currentItem());
        if (record && record->bEnabled && ItemHasChildren(item))
            Expand(item, TVE_TOGGLE);
        return;
    }
    if (record && !record->bEnabled)
        return; // a disabled item swallows every click
    if (flags == TVHT_ONITEMSTATEICON && m_checkBoxes) {
        // The check changes when the button comes up on the same box.
        if (!m_readOnly && record && !record->bSeparator)
            m_checkPressed = item;
        return;
    }
    if (record && record->bSeparator) {
        SelectItem(item);
        return;
    }
    if (item == currentItem() && (flags & TVHT_ONITEM)) {
        m_editPending = item;
        m_editTimer.start(kEditDelay, this);
        return;
    }
    CTreeCtrl::mousePressEvent(event);
}

void CXHtmlTree::mouseReleaseEvent(QMouseEvent* event)
{
    HTREEITEM pressed = m_checkPressed;
    m_checkPressed = nullptr;
    HTREEITEM item = nullptr;
    if (event->button() == Qt::LeftButton && pressed &&
        IsCheckBoxAt(event->position().toPoint(), &item) && item == pressed) {
        SetCheck(item, !GetCheck(item));
        if (m_selectOnCheck)
            SelectItem(item);
        SetHot(item);
        EmitReport(Report(NM_CLICK, nullptr, item));
        return;
    }
    CTreeCtrl::mouseReleaseEvent(event);
}

void CXHtmlTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_editTimer.stop();
    m_editPending = nullptr;
    unsigned flags = 0;
    HTREEITEM item = HitTest(event->position().toPoint(), &flags);
    if (!item || !(flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON)))
        return;
    const XHTMLTREEDATA* record = Record(item);
    if (record && !record->bEnabled)
        return;
    if (ItemHasChildren(item))
        Expand(item, TVE_TOGGLE);
}

void CXHtmlTree::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_editTimer.timerId()) {
        CTreeCtrl::timerEvent(event);
        return;
    }
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    m_editTimer.stop();
    HTREEITEM pending = m_editPending;
    m_editPending = nullptr;
    const QPoint point = viewport()->mapFromGlobal(QCursor::pos());
    HTREEITEM item = itemAt(point);
    if (pending && item == pending && item == currentItem() && !IsSeparator(item) &&
        GetItemRect(item, true).contains(point))
        EditLabel(item);
}

void CXHtmlTree::SetHot(HTREEITEM item)
{
    if (item == m_hotItem)
        return;
    m_hotItem = item;
    viewport()->update();
}

void CXHtmlTree::mouseMoveEvent(QMouseEvent* event)
{
    HTREEITEM item = nullptr;
    if (IsCheckBoxAt(event->position().toPoint(), &item) && IsEnabled(item))
        SetHot(item);
    else
        SetHot(nullptr);
    CTreeCtrl::mouseMoveEvent(event);
}

void CXHtmlTree::leaveEvent(QEvent* event)
{
    SetHot(nullptr);
    CTreeCtrl::leaveEvent(event);
}

void CXHtmlTree::keyPressEvent(QKeyEvent* event)
{
    if (IsEditingLabel()) {
        CTreeCtrl::keyPressEvent(event);
        return;
    }
    HTREEITEM caret = currentItem();
    XHTMLTREEDATA* record = Record(caret);
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Space:
        if (m_checkBoxes && !m_readOnly) {
            if (record && !record->bSeparator)
                SetCheck(caret, !record->bChecked);
            return;
        }
        break;
    case Qt::Key_Right:
    case Qt::Key_Left: {
        const bool expand = event->key() == Qt::Key_Right;
        if (record && record->bEnabled && ItemHasChildren(caret) && IsExpanded(caret) != expand) {
            Expand(caret, expand ? TVE_EXPAND : TVE_COLLAPSE);
            return;
        }
        break;
    }
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const bool down = event->key() == Qt::Key_Down;
        for (HTREEITEM walk = down ? GetNextVisibleItem(caret) : GetPrevVisibleItem(caret); walk;
             walk = down ? GetNextVisibleItem(walk) : GetPrevVisibleItem(walk)) {
            const XHTMLTREEDATA* next = Record(walk);
            if (next && next->bEnabled) {
                SelectItem(walk);
                scrollToItem(walk);
                return;
            }
        }
        break;
    }
    case Qt::Key_Asterisk:
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (keypad && caret) {
            if (event->key() == Qt::Key_Asterisk) {
                ExpandBranch(caret);
                EnsureVisible(caret);
                horizontalScrollBar()->setValue(0);
            } else {
                Expand(caret, event->key() == Qt::Key_Plus ? TVE_EXPAND : TVE_COLLAPSE);
            }
            return;
        }
        break;
    default:
        break;
    }
    CTreeCtrl::keyPressEvent(event);
}

HTREEITEM CXHtmlTree::FindItem(const QString& text, bool matchCase, bool searchDown, bool wholeWord,
                               bool wrap, HTREEITEM start)
{
    if (text.isEmpty())
        return nullptr;
    const QString needle = matchCase ? text : text.toLower();
    if (!start)
        start = currentItem();
    // At most one pass over all items, however the start lies.
    int remaining = 0;
    for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextTreeItem(walk))
        ++remaining;
    HTREEITEM item = start;
    while (remaining-- > 0) {
        item = searchDown ? GetNextTreeItem(item) : GetPrevTreeItem(item);
        if (!item) {
            if (!wrap)
                return nullptr;
            item = searchDown ? GetRootItem() : GetLastTreeItem();
        }
        if (!item || (item == start && start))
            return nullptr;
        const QString haystack = matchCase ? GetItemText(item) : GetItemText(item).toLower();
        for (qsizetype at = haystack.indexOf(needle); at >= 0;
             at = haystack.indexOf(needle, at + 1)) {
            const qsizetype end = at + needle.size();
            const bool before = at > 0 && IsWordCharacter(haystack[at - 1]);
            const bool after = end < haystack.size() && IsWordCharacter(haystack[end]);
            if (!wholeWord || (!before && !after)) {
                if (IsFindValid(item))
                    return item;
                break;
            }
        }
    }
    return nullptr;
}

QString CXHtmlTree::OnToolTipText(const QPoint& point)
{
    unsigned flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    const XHTMLTREEDATA* record = Record(item);
    if (!item || !record || record->bSeparator || !(flags & TVHT_ONITEM))
        return {};
    if (record->strToolTip.isEmpty() && record->nRightEdge <= viewport()->width() - 3)
        return {};
    XHTMLTREEMSGDATA ask;
    ask.code = XHTMLTREE_DISPLAY_TOOLTIP;
    ask.hItem = item;
    if (Notify(ask) != 0)
        return {};
    const QString tip = record->strToolTip.isEmpty() ? GetItemText(item) : record->strToolTip;
    return tip.left(kToolTipLength);
}

bool CXHtmlTree::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = m_toolTips ? OnToolTipText(help->pos()) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return CTreeCtrl::viewportEvent(event);
}
