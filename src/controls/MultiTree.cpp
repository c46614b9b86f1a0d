#include "controls/MultiTree.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QScrollBar>

CMultiTree::CMultiTree(QWidget* parent) : CTreeCtrl(parent)
{
    m_rubberBand = new QRubberBand(QRubberBand::Rectangle, viewport());
    m_rubberBand->hide();
}

CMultiTree::~CMultiTree() = default;

unsigned CMultiTree::GetItemState(HTREEITEM item, unsigned mask) const
{
    unsigned state = GetNativeState(item, mask & ~TVIS_FOCUSED);
    if ((mask & TVIS_FOCUSED) && item && item == currentItem())
        state |= TVIS_FOCUSED;
    return state;
}

bool CMultiTree::MoveCaret(HTREEITEM item)
{
    setCurrentItem(item);
    return currentItem() == item;
}

bool CMultiTree::SetItemState(HTREEITEM item, unsigned state, unsigned mask)
{
    if (!item)
        return false;
    if (!m_multi) {
        if ((mask & TVIS_FOCUSED) && (state & TVIS_FOCUSED) && !MoveCaret(item))
            return false;
        SetNativeState(item, state, mask & ~TVIS_FOCUSED);
        return true;
    }
    HTREEITEM caret = currentItem();
    const bool isCaret = item == caret;
    const bool caretSelected = caret && IsSelected(caret);
    const bool itemSelected = IsSelected(item);

    if ((mask & TVIS_FOCUSED) && (state & TVIS_FOCUSED)) {
        if (!isCaret && caretSelected) {
            // The caret moves; every other selection stays, the old caret's too.
            if (!MoveCaret(item))
                return false;
            SetNativeState(caret, TVIS_SELECTED, TVIS_SELECTED);
        } else if (!MoveCaret(item)) {
            return false;
        }
        // The native move has selected the item.
        if (mask & TVIS_SELECTED) {
            if ((state & TVIS_SELECTED) && !(isCaret && !caretSelected))
                mask &= ~TVIS_SELECTED;
        } else if (!itemSelected) {
            mask |= TVIS_SELECTED;
            state &= ~TVIS_SELECTED;
        }
    } else if ((mask & TVIS_FOCUSED) && isCaret) {
        // The caret gives up the focus: every selection goes, without reports.
        for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextVisibleItem(walk))
            SetNativeState(walk, 0, TVIS_SELECTED);
        MoveCaretSilently(nullptr);
        if (!(mask & TVIS_SELECTED) || (state & TVIS_SELECTED)) {
            if (itemSelected)
                SetNativeState(item, TVIS_SELECTED, TVIS_SELECTED);
            mask &= ~TVIS_SELECTED;
        }
    }

    if (mask & TVIS_SELECTED) {
        const bool select = (state & TVIS_SELECTED) != 0;
        NMTREEVIEW report =
            Report(TVN_SELCHANGING, select ? nullptr : item, select ? item : nullptr);
        m_notifying = true;
        const LRESULT answer = Notify(report);
        m_notifying = false;
        if (answer != 0)
            return false;
        SetNativeState(item, select ? TVIS_SELECTED : 0, TVIS_SELECTED);
        report.code = TVN_SELCHANGED;
        m_notifying = true;
        EmitReport(report);
        m_notifying = false;
        mask &= ~TVIS_SELECTED;
    }
    const unsigned rest = mask & ~(TVIS_FOCUSED | TVIS_SELECTED);
    if (rest)
        SetNativeState(item, state, rest);
    return true;
}

HTREEITEM CMultiTree::GetFirstSelectedItem() const
{
    for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextVisibleItem(walk))
        if (IsSelected(walk))
            return walk;
    return nullptr;
}

HTREEITEM CMultiTree::GetNextSelectedItem(HTREEITEM item) const
{
    for (HTREEITEM walk = GetNextVisibleItem(item); walk; walk = GetNextVisibleItem(walk))
        if (IsSelected(walk))
            return walk;
    return nullptr;
}

HTREEITEM CMultiTree::GetLastSelectedItem() const
{
    HTREEITEM last = nullptr;
    for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextVisibleItem(walk))
        if (IsSelected(walk))
            last = walk;
    return last;
}

int CMultiTree::GetSelectedCount() const
{
    int count = 0;
    for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextVisibleItem(walk))
        count += IsSelected(walk);
    return count;
}

void CMultiTree::GetSelectedList(QList<HTREEITEM>& list) const
{
    list.clear();
    for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextVisibleItem(walk))
        if (IsSelected(walk))
            list.append(walk);
}

void CMultiTree::SelectAll(bool select)
{
    SelectAllExcept(select, nullptr);
}

void CMultiTree::SelectAllExcept(bool select, HTREEITEM except)
{
    for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextVisibleItem(walk))
        if (walk != except && IsSelected(walk) != select)
            SetItemState(walk, select ? TVIS_SELECTED : 0, TVIS_SELECTED);
}

void CMultiTree::SelectRange(HTREEITEM first, HTREEITEM last, bool deselectOutside)
{
    bool inside = false;
    for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextVisibleItem(walk)) {
        const bool end = walk == first || walk == last;
        const bool entering = end && !inside;
        if (entering)
            inside = true;
        if (inside) {
            if (!IsSelected(walk))
                SetItemState(walk, TVIS_SELECTED, TVIS_SELECTED);
            // The range ends at the other end, or at once when both ends are the same item.
            if (end && (!entering || first == last))
                inside = false;
        } else if (deselectOutside && IsSelected(walk)) {
            SetItemState(walk, 0, TVIS_SELECTED);
        }
    }
}

bool CMultiTree::SelectChildren(HTREEITEM item, bool select, bool recurse)
{
    bool caretSeen = false;
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) {
        if (IsSelected(child) != select)
            SetItemState(child, select ? TVIS_SELECTED : 0, TVIS_SELECTED);
        caretSeen = caretSeen || child == currentItem();
        if (recurse && IsExpanded(child))
            caretSeen = SelectChildren(child, select, true) || caretSeen;
    }
    return caretSeen;
}

void CMultiTree::FocusItem(HTREEITEM item)
{
    if (item)
        SetItemState(item, TVIS_FOCUSED, TVIS_FOCUSED);
    else if (HTREEITEM caret = currentItem())
        SetItemState(caret, 0, TVIS_FOCUSED);
}

void CMultiTree::OnItemExpanding(HTREEITEM item, unsigned code)
{
    m_collapsingCaret = nullptr;
    if (!m_multi || code != TVE_COLLAPSE)
        return;
    // The items that the collapse hides give up their selection.
    HTREEITEM caret = currentItem();
    bool caretHidden = false;
    for (HTREEITEM walk = GetNextVisibleItem(item); walk && item->isExpanded();
         walk = GetNextVisibleItem(walk)) {
        bool below = false;
        for (HTREEITEM parent = walk->parent(); parent && !below; parent = parent->parent())
            below = parent == item;
        if (!below)
            break;
        if (IsSelected(walk))
            SetItemState(walk, 0, TVIS_SELECTED);
        caretHidden = caretHidden || walk == caret;
    }
    if (caretHidden) {
        m_collapsingCaret = item;
        if (!IsSelected(item))
            for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextVisibleItem(walk))
                SetNativeState(walk, 0, TVIS_SELECTED);
    }
}

bool CMultiTree::Expand(HTREEITEM item, unsigned code)
{
    const bool result = CTreeCtrl::Expand(item, code);
    if (m_collapsingCaret) {
        // The caret went out of sight: it moves to the collapsed item, selecting nothing.
        MoveCaretSilently(m_collapsingCaret);
        m_collapsingCaret = nullptr;
    }
    return result;
}

void CMultiTree::mousePressEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    if (!m_multi || (button != Qt::LeftButton && button != Qt::RightButton)) {
        CTreeCtrl::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    unsigned flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    if (item && flags == TVHT_ONITEMBUTTON) {
        CTreeCtrl::mousePressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (!item || !(flags & TVHT_ONITEM)) {
        StartBand(point, button, modifiers);
        return;
    }
    const bool wasSelected = IsSelected(item);
    if (button == Qt::RightButton) {
        if (!shift && !ctrl) {
            if (!IsSelected(item))
                SelectAllExcept(false, item);
            SetItemState(item, TVIS_SELECTED | TVIS_FOCUSED, TVIS_SELECTED | TVIS_FOCUSED);
        } else if (ctrl && !shift) {
            m_anchor = item;
        }
    } else if (shift) {
        if (!m_anchor)
            m_anchor = currentItem();
        SelectRange(m_anchor ? m_anchor : item, item, !ctrl);
        SetItemState(item, TVIS_FOCUSED, TVIS_FOCUSED);
    } else {
        if (!ctrl && !IsSelected(item)) {
            SelectAllExcept(false, item);
            SetItemState(item, TVIS_SELECTED | TVIS_FOCUSED, TVIS_SELECTED | TVIS_FOCUSED);
        }
        m_anchor = nullptr;
    }
    m_press.Active = true;
    m_press.Item = item;
    m_press.Button = button;
    m_press.Modifiers = modifiers;
    m_press.Point = point;
    m_press.WasSelected = wasSelected;
}

void CMultiTree::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (m_band.Active) {
        MoveBand(point);
        return;
    }
    if (!m_press.Active) {
        CTreeCtrl::mouseMoveEvent(event);
        return;
    }
    if ((point - m_press.Point).manhattanLength() <= QApplication::startDragDistance())
        return;
    // A drag.
    const SPress press = m_press;
    m_press = SPress();
    SetItemState(press.Item, TVIS_SELECTED | TVIS_FOCUSED, TVIS_SELECTED | TVIS_FOCUSED);
    if (!m_noDrag) {
        NMTREEVIEW report = Report(press.Button == Qt::LeftButton ? TVN_BEGINDRAG : TVN_BEGINRDRAG,
                                   nullptr, press.Item);
        report.ptDrag = press.Point;
        EmitReport(report);
    }
}

void CMultiTree::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_band.Active) {
        if (event->button() == m_band.Button || event->button() == Qt::LeftButton ||
            event->button() == Qt::RightButton)
            EndBand(false);
        return;
    }
    if (!m_press.Active || event->button() != m_press.Button) {
        CTreeCtrl::mouseReleaseEvent(event);
        return;
    }
    const SPress press = m_press;
    m_press = SPress();
    HTREEITEM item = press.Item;
    const bool shift = press.Modifiers & Qt::ShiftModifier;
    const bool ctrl = press.Modifiers & Qt::ControlModifier;
    if (press.Button == Qt::LeftButton && !shift) {
        if (press.WasSelected) {
            EditLabel(item);
            return;
        }
        if (ctrl) {
            SetItemState(item, IsSelected(item) ? 0 : TVIS_SELECTED, TVIS_SELECTED);
        } else {
            SelectAllExcept(false, item);
            SetItemState(item, TVIS_SELECTED, TVIS_SELECTED);
        }
        SetItemState(item, TVIS_FOCUSED, TVIS_FOCUSED);
    }
    Click(item, press.Button);
}

void CMultiTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!m_multi) {
        CTreeCtrl::mouseDoubleClickEvent(event);
        return;
    }
    // The second press of a double click is a press.
    mousePressEvent(event);
}

void CMultiTree::Click(HTREEITEM item, Qt::MouseButton button)
{
    setFocus(Qt::MouseFocusReason);
    EmitReport(Report(button == Qt::LeftButton ? NM_CLICK : NM_RCLICK, nullptr, item));
}

QPoint CMultiTree::ContentOffset() const
{
    return {horizontalOffset(), verticalOffset()};
}

void CMultiTree::StartBand(const QPoint& point, Qt::MouseButton button,
                           Qt::KeyboardModifiers modifiers)
{
    setFocus(Qt::MouseFocusReason);
    m_band = SBand();
    m_band.Active = true;
    m_band.Button = button;
    m_band.Modifiers = modifiers;
    m_band.Start = point + ContentOffset();
    m_band.Last = point;
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier))
        for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextVisibleItem(walk))
            if (IsSelected(walk))
                m_band.Remembered.insert(walk);
    m_bandTimer.start(kBandScrollInterval, this);
}

void CMultiTree::MoveBand(const QPoint& point)
{
    m_band.Last = point;
    const QPoint start = m_band.Start - ContentOffset();
    if (!m_band.Moved) {
        if ((point - start).manhattanLength() <= QApplication::startDragDistance())
            return;
        m_band.Moved = true;
        if (!(m_band.Modifiers & (Qt::ShiftModifier | Qt::ControlModifier)))
            SelectAll(false);
    }
    // Outside the window the tree scrolls a line towards the cursor.
    const QRect client = viewport()->rect();
    if (point.y() < client.top())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (point.y() > client.bottom())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (point.x() < client.left())
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (point.x() > client.right())
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);

    const QRect band = QRect(m_band.Start - ContentOffset(), point).normalized();
    const bool ctrl = m_band.Modifiers & Qt::ControlModifier;
    const bool shift = m_band.Modifiers & Qt::ShiftModifier;
    for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextVisibleItem(walk)) {
        const QRect area = m_bandText ? GetItemRect(walk, true) : GetItemRect(walk, false);
        const bool remembered = m_band.Remembered.contains(walk);
        const bool selected = IsSelected(walk);
        if (!area.intersects(band)) {
            if (selected && !remembered)
                SetItemState(walk, 0, TVIS_SELECTED);
            else if (remembered && !selected)
                SetItemState(walk, TVIS_SELECTED, TVIS_SELECTED);
        } else if (!remembered) {
            if (!selected)
                SetItemState(walk, TVIS_SELECTED, TVIS_SELECTED);
        } else if (ctrl) {
            if (selected)
                SetItemState(walk, 0, TVIS_SELECTED);
        } else if (shift) {
            m_band.Remembered.remove(walk);
        }
    }
    m_rubberBand->setGeometry(band.intersected(client.adjusted(0, 0, 1, 1)));
    m_rubberBand->show();
}

void CMultiTree::EndBand(bool cancelled)
{
    m_bandTimer.stop();
    m_rubberBand->hide();
    const SBand band = m_band;
    m_band = SBand();
    if (cancelled)
        return;
    if (!band.Moved && !(band.Modifiers & (Qt::ShiftModifier | Qt::ControlModifier)))
        SelectAll(false);
    EmitReport(Report(band.Button == Qt::RightButton ? NM_RCLICK : NM_CLICK, nullptr, nullptr));
}

void CMultiTree::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_bandTimer.timerId()) {
        CTreeCtrl::timerEvent(event);
        return;
    }
    if (!m_band.Active) {
        m_bandTimer.stop();
        return;
    }
    const QPoint cursor = viewport()->mapFromGlobal(QCursor::pos());
    if (!viewport()->rect().contains(cursor))
        MoveBand(cursor);
}

void CMultiTree::keyPressEvent(QKeyEvent* event)
{
    if (m_band.Active && event->key() == Qt::Key_Escape) {
        SelectAll(false);
        EndBand(true);
        return;
    }
    const int key = event->key();
    if (!m_multi || IsEditingLabel() || (key != Qt::Key_Up && key != Qt::Key_Down)) {
        CTreeCtrl::keyPressEvent(event);
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    HTREEITEM caret = currentItem();
    if (!m_anchor)
        m_anchor = caret;
    if (!shift && !ctrl) {
        m_anchor = nullptr;
        SelectAll(false);
        CTreeCtrl::keyPressEvent(event);
        return;
    }
    HTREEITEM target = key == Qt::Key_Up ? GetPrevVisibleItem(caret) : GetNextVisibleItem(caret);
    if (!target)
        target = caret;
    if (ctrl && !shift) {
        // Only the caret moves; the selections stay.
        SetItemState(target, TVIS_FOCUSED, TVIS_FOCUSED);
        scrollToItem(target);
        return;
    }
    CTreeCtrl::keyPressEvent(event);
    SelectRange(m_anchor, target, true);
}

void CMultiTree::focusInEvent(QFocusEvent* event)
{
    CTreeCtrl::focusInEvent(event);
    viewport()->update();
}

void CMultiTree::focusOutEvent(QFocusEvent* event)
{
    CTreeCtrl::focusOutEvent(event);
    viewport()->update();
}
