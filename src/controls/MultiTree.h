#pragma once

#include "controls/TreeCtrl.h"

#include <QBasicTimer>
#include <QPointer>
#include <QSet>

class QRubberBand;

// A tree in which the user selects several items: Ctrl-click toggles, Shift-click and
// Shift-arrow select ranges, dragging on empty space draws a selection rectangle, and a
// collapsing branch gives up the selection of its hidden items. The caret is the tree's current
// item. Every selection change is announced with the codes the native tree uses for its caret:
// TVN_SELCHANGING goes to the owner (a non-zero answer refuses the change), TVN_SELCHANGED and
// the click and drag reports are the Notified signal.
class CMultiTree : public CTreeCtrl
{
    Q_OBJECT

public:
    // Milliseconds between the steps of the selection rectangle while the mouse is outside.
    static constexpr int kBandScrollInterval = 75;

    explicit CMultiTree(QWidget* parent = nullptr);
    ~CMultiTree() override;

    // Off: the tree behaves as a plain tree.
    void SetMultiSelect(bool multi) { m_multi = multi; }
    bool IsMultiSelect() const { return m_multi; }
    // The selection rectangle tests the items' text rectangles instead of their rows.
    void SetBandUsesTextRects(bool text) { m_bandText = text; }
    // No drag reports.
    void SetDisableDragDrop(bool disable) { m_noDrag = disable; }

    // State bits of the mask; TVIS_FOCUSED when the item is the caret.
    unsigned GetItemState(HTREEITEM item, unsigned mask) const;
    // Sets state bits; TVIS_FOCUSED moves the caret. False when the owner refused or the caret
    // could not move.
    bool SetItemState(HTREEITEM item, unsigned state, unsigned mask);

    // Over the visible items, in display order.
    HTREEITEM GetFirstSelectedItem() const;
    HTREEITEM GetNextSelectedItem(HTREEITEM item) const;
    HTREEITEM GetLastSelectedItem() const;
    int GetSelectedCount() const;
    void GetSelectedList(QList<HTREEITEM>& list) const;
    void SelectAll(bool select = true);
    void SelectAllExcept(bool select, HTREEITEM except);
    // Selects the items from one end to the other (both included).
    void SelectRange(HTREEITEM first, HTREEITEM last, bool deselectOutside = true);
    // Selects or deselects the item's children (and the children of expanded children with
    // recurse); true when one of them was the caret.
    bool SelectChildren(HTREEITEM item, bool select, bool recurse = true);
    // Makes the item the caret, or with none takes the caret away.
    void FocusItem(HTREEITEM item);
    HTREEITEM GetAnchor() const { return m_anchor; }
    bool IsBanding() const { return m_band.Active; }
    bool IsNotifying() const { return m_notifying; }

    bool Expand(HTREEITEM item, unsigned code) override;

protected:
    void OnItemExpanding(HTREEITEM item, unsigned code) override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool IsSelected(HTREEITEM item) const { return GetNativeState(item, TVIS_SELECTED) != 0; }
    // Moves the native caret (the owner is asked and told); false when it did not move.
    bool MoveCaret(HTREEITEM item);
    void Click(HTREEITEM item, Qt::MouseButton button);
    void StartBand(const QPoint& point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void MoveBand(const QPoint& point);
    void EndBand(bool cancelled);
    QPoint ContentOffset() const;

    bool m_multi = true;
    bool m_bandText = false;
    bool m_noDrag = false;
    bool m_notifying = false;
    HTREEITEM m_anchor = nullptr;
    HTREEITEM m_collapsingCaret = nullptr;

    // A press on an item, tracked until it is a click or a drag.
    struct SPress
    {
        bool Active = false;
        HTREEITEM Item = nullptr;
        Qt::MouseButton Button = Qt::NoButton;
        Qt::KeyboardModifiers Modifiers;
        QPoint Point;
        bool WasSelected = false;
    } m_press;

    // The selection rectangle.
    struct SBand
    {
        bool Active = false;
        bool Moved = false;
        Qt::MouseButton Button = Qt::NoButton;
        Qt::KeyboardModifiers Modifiers;
        QPoint Start; // in content coordinates
        QPoint Last;  // the cursor, in viewport coordinates
        QSet<HTREEITEM> Remembered;
    } m_band;
    QBasicTimer m_bandTimer;
    QRubberBand* m_rubberBand = nullptr;
};
