#pragma once

#include "grid/GridNotify.h"
#include "grid/NotifyOwner.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QTreeWidget>

class QStyleOptionViewItem;

// Handles of tree items; none is the root.
using HTREEITEM = QTreeWidgetItem*;
inline HTREEITEM const TVI_ROOT = nullptr;
// Insert-after markers.
inline HTREEITEM const TVI_FIRST = reinterpret_cast<HTREEITEM>(std::intptr_t(-0xFFFF));
inline HTREEITEM const TVI_LAST = reinterpret_cast<HTREEITEM>(std::intptr_t(-0xFFFE));

// Item state bits. The focus bit stands for "is the caret" and is never stored.
enum : unsigned
{
    TVIS_FOCUSED = 0x1,
    TVIS_SELECTED = 0x2,
    TVIS_DROPHILITED = 0x8,
    TVIS_EXPANDED = 0x20,
};
// Expand codes.
enum : unsigned
{
    TVE_COLLAPSE = 0x1,
    TVE_EXPAND = 0x2,
    TVE_TOGGLE = 0x3,
    TVE_COLLAPSERESET = 0x8000
};
// Where a point lies on a row.
enum : unsigned
{
    TVHT_NOWHERE = 0x1,
    TVHT_ONITEMICON = 0x2,
    TVHT_ONITEMLABEL = 0x4,
    TVHT_ONITEMINDENT = 0x8,
    TVHT_ONITEMBUTTON = 0x10,
    TVHT_ONITEMRIGHT = 0x20,
    TVHT_ONITEMSTATEICON = 0x40,
    TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON,
};
// Item-description mask bits.
enum : unsigned
{
    TVIF_HANDLE = 0x10,
    TVIF_PARAM = 0x4,
    TVIF_STATE = 0x8
};
// Report codes of trees.
enum : int
{
    TVN_SELCHANGING = -450,
    TVN_SELCHANGED = -451,
    TVN_BEGINDRAG = -456,
    TVN_BEGINRDRAG = -457,
};

// How a caret move came about.
enum : unsigned
{
    TVC_UNKNOWN = 0x0,
    TVC_BYMOUSE = 0x1,
    TVC_BYKEYBOARD = 0x2
};

// An item as a tree report describes it.
struct TVITEM
{
    unsigned mask = 0;
    HTREEITEM hItem = nullptr;
    unsigned state = 0;
    unsigned stateMask = 0;
    quintptr lParam = 0;
};

// The record of a tree report: header, action, old and new item, drag point.
struct NMTREEVIEW : NMHDR
{
    unsigned action = 0;
    TVITEM itemOld;
    TVITEM itemNew;
    QPoint ptDrag;
};

// A tree view with the operations of the native tree control: items by handle with a text, two
// image indexes into the tree's image list, a caller's value and state bits; the caret (the
// current item, selected); expanding, visible-order walks, hit tests and label editing. It draws
// its items itself through DrawItem, which the trees built on it replace.
class CTreeCtrl : public QTreeWidget
{
    Q_OBJECT

public:
    explicit CTreeCtrl(QWidget* parent = nullptr);
    ~CTreeCtrl() override;

    virtual HTREEITEM InsertItem(const QString& text, int image, int selectedImage,
                                 HTREEITEM parent = TVI_ROOT, HTREEITEM insertAfter = TVI_LAST);
    HTREEITEM InsertItem(const QString& text, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM insertAfter = TVI_LAST)
    {
        return InsertItem(text, 0, 0, parent, insertAfter);
    }
    // A new item set up as InsertItem sets up its items, not yet in the tree: the caller adds
    // it (to a parent with QTreeWidgetItem::addChild, at the root level with addTopLevelItems)
    // or deletes it. A large subtree built apart and added at once goes in much faster than
    // item by item.
    HTREEITEM CreateItem(const QString& text, int image, int selectedImage) const;
    // Puts an item made apart (with its subtree) under the parent, after the insert-after item.
    void PlaceItem(HTREEITEM item, HTREEITEM parent, HTREEITEM insertAfter);
    // Deletes the item and its subtree.
    virtual bool DeleteItem(HTREEITEM item);
    virtual bool DeleteAllItems();

    virtual bool SetItemText(HTREEITEM item, const QString& text);
    virtual QString GetItemText(HTREEITEM item) const;
    void SetItemData(HTREEITEM item, quintptr data);
    quintptr GetItemData(HTREEITEM item) const;
    void SetItemImage(HTREEITEM item, int image, int selectedImage);
    // The image drawn for the item (GetItemImage(item, true): while it is drawn selected); -1
    // for none. A tree whose images follow its owner's data overrides it.
    virtual int GetItemImage(HTREEITEM item, bool selected = false) const;

    // The stored state bits of the mask (the caret's focus bit is never stored).
    unsigned GetNativeState(HTREEITEM item, unsigned mask) const;
    void SetNativeState(HTREEITEM item, unsigned state, unsigned mask);

    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    bool ItemHasChildren(HTREEITEM item) const;
    // Items reached from the first root through expanded items, in display order.
    HTREEITEM GetFirstVisibleItem() const;
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const;
    HTREEITEM GetPrevVisibleItem(HTREEITEM item) const;
    // Pre-order walks over all items.
    HTREEITEM GetNextTreeItem(HTREEITEM item) const;
    HTREEITEM GetPrevTreeItem(HTREEITEM item) const;
    // The deepest last descendant of the item, or of the last root without one.
    HTREEITEM GetLastTreeItem(HTREEITEM item = nullptr) const;

    // The caret.
    HTREEITEM GetSelectedItem() const { return currentItem(); }
    virtual bool SelectItem(HTREEITEM item);
    // Expands or collapses (TVE_*); the change is not reported.
    virtual bool Expand(HTREEITEM item, unsigned code);
    bool IsExpanded(HTREEITEM item) const;
    // The item and every descendant with children.
    virtual void ExpandBranch(HTREEITEM item);
    virtual void CollapseBranch(HTREEITEM item);
    void EnsureVisible(HTREEITEM item);
    // Starts editing the item's label; false when the tree refuses it.
    bool EditLabel(HTREEITEM item);
    bool IsEditingLabel() const { return state() == QAbstractItemView::EditingState; }

    // Where a point of the viewport lies (TVHT_* in flags) and on which item.
    HTREEITEM HitTest(const QPoint& point, unsigned* flags = nullptr) const;
    // The row's rectangle in the viewport, or only its text's.
    QRect GetItemRect(HTREEITEM item, bool textOnly) const;
    // The rows that fit in the viewport.
    int GetVisibleCount() const;

    // The tree's images, by index (16 x 16); none: items show no image.
    void SetImageList(const QList<QImage>& images);
    const QList<QImage>& GetImageList() const { return m_images; }

    int RowHeight() const;

    // Inside a row: where its check box, image and text go.
    struct SItemLayout
    {
        QRect Row;   // the whole row across the viewport
        QRect Cell;  // from the item's indentation to the right edge
        QRect State; // empty without check boxes
        QRect Image; // empty without an image list
        QRect Text;  // the text's own width
    };
    SItemLayout ItemLayout(HTREEITEM item) const;
    // The same for a row whose cell (from its indentation on) lies at the rectangle.
    SItemLayout LayoutInCell(HTREEITEM item, const QRect& cell) const;

Q_SIGNALS:
    // A label edit ended with a text; the tree's text stays as it is unless the owner sets it.
    void EndLabelEdit(HTREEITEM item, const QString& text);
    // Reports without an answer (TVN_SELCHANGED, NM_CLICK, TVN_BEGINDRAG, ...). Reports with
    // one (TVN_SELCHANGING: non-zero refuses) go to the owner.
    void Notified(const NMTREEVIEW& report);

protected:
    friend class CTreeItemDelegate;

    // Width of the check box in front of the image (0: none).
    virtual int StateImageWidth() const { return 0; }
    // The font an item is drawn in.
    virtual QFont ItemFont(HTREEITEM item) const;
    // Draws one item in its row.
    virtual void DrawItem(QPainter& painter, HTREEITEM item, const SItemLayout& layout);
    // Whether the item is drawn selected.
    virtual bool IsDrawnSelected(HTREEITEM item) const;
    // Called before an edit starts; false refuses it.
    virtual bool OnBeginLabelEdit(HTREEITEM item);
    virtual void OnEndLabelEdit(HTREEITEM item, const QString& text);
    // Before the caret moves: false refuses the move. The tree asks its owner (TVN_SELCHANGING).
    virtual bool OnCaretChanging(HTREEITEM oldCaret, HTREEITEM newCaret);
    // After the caret moved: the native tree selects the new caret, deselects the old one
    // (SelectNativeCaret) and reports TVN_SELCHANGED.
    virtual void OnCaretChanged(HTREEITEM oldCaret, HTREEITEM newCaret);
    void SelectNativeCaret(HTREEITEM oldCaret, HTREEITEM newCaret);
    unsigned CaretAction() const { return m_caretAction; }
    // Before an item expands or collapses through the tree (TVE_EXPAND or TVE_COLLAPSE).
    virtual void OnItemExpanding(HTREEITEM item, unsigned code);
    // Moves the caret without asking or reporting (the caret's item keeps its state bits).
    void MoveCaretSilently(HTREEITEM item);
    // A report record about items, with the header filled.
    NMTREEVIEW Report(int code, HTREEITEM oldItem, HTREEITEM newItem) const;
    void EmitReport(const NMTREEVIEW& report) { Q_EMIT Notified(report); }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // Sends a report to the owner (0 without one).
    LRESULT Notify(NMHDR& header);

public:
    void SetOwner(INotifyOwner* owner) { m_owner = owner; }
    INotifyOwner* GetOwner() const { return m_owner; }
    void SetDlgCtrlID(int id) { m_id = id; }
    int GetDlgCtrlID() const { return m_id; }

private:
    friend class CTreeSelectionModel;
    bool AskCaretChange(const QModelIndex& current);

    QList<QImage> m_images;
    unsigned m_caretAction = TVC_UNKNOWN;
    int m_silent = 0;
    INotifyOwner* m_owner = nullptr;
    int m_id = 0;
};
Q_DECLARE_METATYPE(NMTREEVIEW)
