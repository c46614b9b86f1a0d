#pragma once

#include "controls/TreeCtrl.h"
#include "grid/ColorRef.h"

#include <QBasicTimer>

#include <memory>
#include <unordered_map>

// The record the HTML tree keeps for every item.
struct XHTMLTREEDATA
{
    // A colour of -1 takes the tree's colour.
    static constexpr COLORREF USE_TREE_COLOUR = 0xFFFFFFFF;

    bool bChecked = false;
    bool bEnabled = true;    // a disabled item cannot be selected, checked or opened
    bool bSeparator = false; // no check box, no text, drawn as a line
    QWidget* hTreeCtrl = nullptr;
    bool bExpanded = false;
    bool bHasBeenExpanded = false;
    int nChildren = 0;        // items below this one, all levels
    int nCheckedChildren = 0; // checked items below this one
    int nSeparators = 0;      // separators below this one
    QString strToolTip;
    int nToolTipWidth = 0;
    COLORREF crText = USE_TREE_COLOUR;
    COLORREF crBackground = USE_TREE_COLOUR;
    COLORREF crTextBackground = USE_TREE_COLOUR;
    bool bBold = false;
    bool bItalic = false;
    bool bUnderline = false;
    bool bStrikeOut = false;
    bool bDrawnHighlighted = false;
    int nRightEdge = 0;

    // Records alive in the process.
    static int LiveCount();

private:
    struct SLiveCounter
    {
        SLiveCounter();
        SLiveCounter(const SLiveCounter&);
        SLiveCounter& operator=(const SLiveCounter&) = default;
        ~SLiveCounter();
    } m_counter;
};

// The check-box image of an item (0 none, 1 unchecked, 2 checked, 3 partly checked; plus 4
// disabled, plus 8 under the mouse). With smart check boxes a parent shows the state of its
// descendants.
int XHtmlTreeStateImage(const XHTMLTREEDATA& data, bool smartCheckBoxes, bool hot = false);

// A tree whose items carry their own check boxes (with a tri-state parent rule when smart check
// boxes are on), disabled and separator items, per-item colours and font attributes. It reports
// check-box changes and expansions through signals and asks its owner before showing a tool tip.
class CXHtmlTree : public CTreeCtrl
{
    Q_OBJECT

public:
    // The report code with which the owner is asked before a tool tip shows (a non-zero answer
    // suppresses it); the record is an XHTMLTREEMSGDATA.
    static constexpr int XHTMLTREE_DISPLAY_TOOLTIP = -0x7E01;
    struct XHTMLTREEMSGDATA : NMHDR
    {
        HTREEITEM hItem = nullptr;
    };

    static constexpr int kStateImageSize = 16;
    // The image index of items when the tree has no image list.
    static constexpr int kNoImage = 65534;

    explicit CXHtmlTree(QWidget* parent = nullptr);
    ~CXHtmlTree() override;

    // Deletes every item and starts over with the given options; smart check boxes go off.
    void Initialize(bool checkBoxes, bool toolTips);
    void SetSmartCheckBoxes(bool smart) { m_smartCheckBoxes = smart; }
    bool GetSmartCheckBoxes() const { return m_smartCheckBoxes; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool GetReadOnly() const { return m_readOnly; }
    void SetSelectOnCheck(bool select) { m_selectOnCheck = select; }

    using CTreeCtrl::InsertItem;
    HTREEITEM InsertItem(const QString& text, int image, int selectedImage, HTREEITEM parent,
                         HTREEITEM insertAfter) override;
    // Adds a subtree made apart (CreateItem and QTreeWidgetItem::addChild, in no tree yet) in one
    // step, each of its items with a record and unchecked: a large subtree goes in far faster
    // than item by item. Null, adding nothing, for an item already in a tree.
    HTREEITEM InsertSubtree(HTREEITEM subtree, HTREEITEM parent = TVI_ROOT,
                            HTREEITEM insertAfter = TVI_LAST);
    // A separator line among the items.
    HTREEITEM InsertSeparator(HTREEITEM parent = TVI_ROOT, HTREEITEM insertAfter = TVI_LAST);
    bool DeleteItem(HTREEITEM item) override;
    bool DeleteAllItems() override;
    // Refused (false) for a separator.
    bool SetItemText(HTREEITEM item, const QString& text) override;

    void SetCheck(HTREEITEM item, bool checked);
    bool GetCheck(HTREEITEM item) const;
    bool EnableItem(HTREEITEM item, bool enabled);
    bool IsEnabled(HTREEITEM item) const;
    bool IsSeparator(HTREEITEM item) const;
    // The item's record (font attributes, colours, tool tip); none for no item.
    XHTMLTREEDATA* GetItemDataStruct(HTREEITEM item) const;
    int GetStateImage(HTREEITEM item) const;

    bool SelectItem(HTREEITEM item) override;
    bool Expand(HTREEITEM item, unsigned code) override;
    void ExpandAll();
    void CollapseAll();

    // The next item whose text holds the text (pre-order, down or up), starting after the start
    // item (or the selection); with whole word, the text must not touch a letter or "_".
    virtual HTREEITEM FindItem(const QString& text, bool matchCase, bool searchDown, bool wholeWord,
                               bool wrap, HTREEITEM start);
    virtual bool IsFindValid(HTREEITEM item) { return item != nullptr; }
    // The tool tip for the item under a point of the viewport, or none.
    virtual QString OnToolTipText(const QPoint& point);

    // Colours the owner sets in place of the system's (USE_TREE_COLOUR: the system's).
    void SetBkColor(COLORREF colour);
    void SetTextColor(COLORREF colour);

Q_SIGNALS:
    // A check box changed (also through SetCheck, a click or Space).
    void CheckboxClicked(HTREEITEM item, int checked);
    // An item's expanded flag changed.
    void ItemExpanded(HTREEITEM item, bool expanded);
    // The selection moved to an enabled item.
    void SelChanged(HTREEITEM item);

protected:
    int StateImageWidth() const override { return m_checkBoxes ? kStateImageSize : 0; }
    QFont ItemFont(HTREEITEM item) const override;
    void DrawItem(QPainter& painter, HTREEITEM item, const SItemLayout& layout) override;
    bool OnBeginLabelEdit(HTREEITEM item) override;
    bool OnCaretChanging(HTREEITEM oldCaret, HTREEITEM newCaret) override;
    void OnCaretChanged(HTREEITEM oldCaret, HTREEITEM newCaret) override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    XHTMLTREEDATA* Record(HTREEITEM item) const;
    HTREEITEM InsertWithRecord(const QString& text, int image, int selectedImage, HTREEITEM parent,
                               HTREEITEM insertAfter, bool separator);
    void ReadColours();
    void BuildStateImages();
    // Moves the counts of every ancestor of the item, nearest first, with the carried change of
    // checked descendants recomputed at each step.
    void UpdateAncestors(HTREEITEM item, int descendants, int checkedChange, int separators);
    // Makes the records of the item and of everything below it; returns how many items that is.
    int AddSubtreeRecords(HTREEITEM item);
    void DeleteRecords(HTREEITEM item);
    void SetHot(HTREEITEM item);
    bool IsCheckBoxAt(const QPoint& point, HTREEITEM* item) const;

    std::unordered_map<HTREEITEM, std::unique_ptr<XHTMLTREEDATA>> m_records;
    bool m_readOnly = false;
    bool m_smartCheckBoxes = false;
    bool m_checkBoxes = false;
    bool m_selectOnCheck = true;
    bool m_toolTips = true;
    bool m_images = true;
    bool m_deleting = false;
    HTREEITEM m_hotItem = nullptr;
    HTREEITEM m_lastSelected = nullptr;
    HTREEITEM m_editPending = nullptr;
    HTREEITEM m_checkPressed = nullptr;
    int m_textPadding = 0;
    QBasicTimer m_editTimer;
    QList<QImage> m_stateImages;

    COLORREF m_ownerBackground = XHTMLTREEDATA::USE_TREE_COLOUR;
    COLORREF m_ownerText = XHTMLTREEDATA::USE_TREE_COLOUR;
    COLORREF m_background = 0;
    COLORREF m_text = 0;
    COLORREF m_disabledText = 0;
    COLORREF m_selectionBackground = 0;
    COLORREF m_selectionText = 0;
    COLORREF m_separator = 0;
};
