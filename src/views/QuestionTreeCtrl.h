#pragma once

#include "controls/MultiTree.h"

// The multi-selection tree of the question tree page. Each item's data is a campaign question's
// id; its text is that question's shortcut and its image the question's kind, both read from
// the application's campaign whenever the item is drawn, so a rename or a change of kind shows
// without touching the item. An item of no question (data -1) shows the empty-question image
// and no text; an item whose question no longer exists shows neither. Subtrees move within the tree
// keeping their items, nesting and expansion.
class CQuestionTreeCtrl : public CMultiTree
{
    Q_OBJECT

public:
    explicit CQuestionTreeCtrl(QWidget* parent = nullptr);

    QString GetItemText(HTREEITEM item) const override;
    int GetItemImage(HTREEITEM item, bool selected = false) const override;

    // The first item, depth first from the root, whose data is the value; null when none.
    HTREEITEM FindItemByData(quintptr data) const;
    // The item's level: 1 at the root level.
    static int GetDepth(HTREEITEM item);
    // The number of levels of the item's subtree below the item itself (0 for a leaf).
    static int GetSubtreeHeight(HTREEITEM item);

    // Moves the item with its subtree under the new parent (null: the root level), after the
    // given sibling (TVI_FIRST: first, TVI_LAST: last). The item becomes the caret, silently.
    void MoveSubtree(HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter);
    // Makes the item the caret (null: none) without asking or reporting.
    void SetCaretSilently(HTREEITEM item) { MoveCaretSilently(item); }

protected:
    // Editing starts from the question's current shortcut.
    bool OnBeginLabelEdit(HTREEITEM item) override;
};
