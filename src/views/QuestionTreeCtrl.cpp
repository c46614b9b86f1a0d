#include "views/QuestionTreeCtrl.h"

#include "model/Campaign.h"
#include "model/Question.h"
#include "model/QuestionKinds.h"
#include "platform/AppServices.h"

#include <vector>

CQuestionTreeCtrl::CQuestionTreeCtrl(QWidget* parent) : CMultiTree(parent) {}

namespace {

// The image of an item that stands for no question.
constexpr int kNoQuestionImage = 11;
constexpr qint64 kNoQuestion = -1;

const pelko_wave::CQuestion* QuestionOf(const CQuestionTreeCtrl& tree, HTREEITEM item)
{
    const qint64 id = qint64(tree.GetItemData(item));
    const IWaveApp* app = GetWaveApp();
    const pelko_wave::CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    if (id < 0 || id > INT_MAX || !campaign)
        return nullptr;
    return campaign->GetQuestionById(int(id));
}

} // namespace

QString CQuestionTreeCtrl::GetItemText(HTREEITEM item) const
{
    const pelko_wave::CQuestion* question = item ? QuestionOf(*this, item) : nullptr;
    return question ? question->GetShortcut() : QString();
}

int CQuestionTreeCtrl::GetItemImage(HTREEITEM item, bool) const
{
    if (!item)
        return -1;
    if (qint64(GetItemData(item)) == kNoQuestion)
        return kNoQuestionImage;
    const pelko_wave::CQuestion* question = QuestionOf(*this, item);
    return question ? GetQuestionKind(*question) : -1;
}

bool CQuestionTreeCtrl::OnBeginLabelEdit(HTREEITEM item)
{
    item->setText(0, GetItemText(item));
    return true;
}

HTREEITEM CQuestionTreeCtrl::FindItemByData(quintptr data) const
{
    for (HTREEITEM walk = GetRootItem(); walk; walk = GetNextTreeItem(walk))
        if (GetItemData(walk) == data)
            return walk;
    return nullptr;
}

int CQuestionTreeCtrl::GetDepth(HTREEITEM item)
{
    int depth = 0;
    for (HTREEITEM walk = item; walk; walk = walk->parent())
        ++depth;
    return depth;
}

int CQuestionTreeCtrl::GetSubtreeHeight(HTREEITEM item)
{
    int height = 0;
    std::vector<std::pair<HTREEITEM, int>> pending;
    if (item)
        pending.emplace_back(item, 0);
    while (!pending.empty()) {
        const auto [walk, level] = pending.back();
        pending.pop_back();
        height = std::max(height, level);
        for (int i = 0; i < walk->childCount(); ++i)
            pending.emplace_back(walk->child(i), level + 1);
    }
    return height;
}

void CQuestionTreeCtrl::MoveSubtree(HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter)
{
    if (!item)
        return;
    // Expansion belongs to the view and goes with an item that leaves the tree.
    std::vector<HTREEITEM> expanded;
    std::vector<HTREEITEM> pending{item};
    while (!pending.empty()) {
        HTREEITEM walk = pending.back();
        pending.pop_back();
        if (walk->isExpanded())
            expanded.push_back(walk);
        for (int i = 0; i < walk->childCount(); ++i)
            pending.push_back(walk->child(i));
    }

    // No caret while the item is out, so that the tree moves no selection on its own.
    SetCaretSilently(nullptr);
    if (HTREEITEM parent = item->parent())
        parent->takeChild(parent->indexOfChild(item));
    else
        takeTopLevelItem(indexOfTopLevelItem(item));

    const int count = newParent ? newParent->childCount() : topLevelItemCount();
    int position = count;
    if (insertAfter == TVI_FIRST)
        position = 0;
    else if (insertAfter && insertAfter != TVI_LAST)
        position =
            (newParent ? newParent->indexOfChild(insertAfter) : indexOfTopLevelItem(insertAfter)) +
            1;
    if (newParent)
        newParent->insertChild(position, item);
    else
        insertTopLevelItem(position, item);
    for (HTREEITEM walk : expanded)
        walk->setExpanded(true);
    SetCaretSilently(item);
}
