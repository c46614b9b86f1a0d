#include "views/RightTreePage.h"

#include "commands/MetaCallBackInfo.h"
#include "commands/MetaCommands.h"
#include "commands/PropertyCallBackInfo.h"
#include "commands/PropertyCommands.h"
#include "commands/QuestionCallBackInfo.h"
#include "commands/QuestionCommands.h"
#include "controls/AutoRepeatButton.h"
#include "controls/Pictures.h"
#include "menus/DerivedImages.h"
#include "model/Campaign.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/IssueCommand.h"
#include "views/QuestionTreeCtrl.h"
#include "views/QuestionTreePlan.h"

#include <QKeyEvent>

#include <set>

using namespace pelko_wave;

namespace {

constexpr unsigned kButtonPictures[] = {IDB_MOVE_UP, IDB_MOVE_DOWN, IDB_MOVE_LEFT, IDB_MOVE_RIGHT,
                                        IDB_ADD_CHAPTER};
constexpr unsigned kButtonTips[] = {63518, 63519, 63520, 63521, 63522};
// A subtree moved right may reach this depth at most.
constexpr int kMaxDepth = 99;
constexpr int kButtonSize = 24;
constexpr int kButtonStep = 27;

CCampaign* AppCampaign()
{
    IWaveApp* app = GetWaveApp();
    return app ? app->GetCampaign() : nullptr;
}

const QList<QImage>& QuestionImages()
{
    static const QList<QImage> images = [] {
        // White is the strip's mask colour.
        const QImage strip =
            menus::ApplyTransparentColour(LoadPicture(IDB_QUESTION_KINDS), 0x00FFFFFF);
        QList<QImage> split;
        for (int x = 0; x + 16 <= strip.width(); x += 16)
            split << strip.copy(x, 0, 16, 16);
        return split;
    }();
    return images;
}

int QuestionId(const CTreeCtrl& tree, HTREEITEM item)
{
    return int(qint64(tree.GetItemData(item)));
}

} // namespace

CRightTreePage::CRightTreePage(QWidget* parent) : QWidget(parent)
{
    m_tree = new CQuestionTreeCtrl(this);
    m_tree->SetDlgCtrlID(kTreeId);
    m_tree->SetDisableDragDrop(true);
    m_tree->SetImageList(QuestionImages());
    m_tree->installEventFilter(this);
    connect(m_tree, &CTreeCtrl::EndLabelEdit, this,
            [this](HTREEITEM item, const QString& text) { OnEndLabelEdit(item, text); });
    connect(m_tree, &CTreeCtrl::Notified, this,
            [this](const NMTREEVIEW& report) { OnTreeNotified(report); });

    void (CRightTreePage::*const actions[])() = {
        &CRightTreePage::MoveUp, &CRightTreePage::MoveDown, &CRightTreePage::MoveLeft,
        &CRightTreePage::MoveRight, &CRightTreePage::AddChapter};
    for (int b = 0; b < ButtonCount; ++b) {
        auto* button = new CAutoRepeatButton(kInitialDelay, kRepeatInterval, this);
        button->setObjectName(QStringLiteral("Button%1").arg(kButtonIds[b]));
        button->SetIcon(int(kButtonPictures[b]), 0);
        button->SetTooltipText(kButtonTips[b]);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, actions[b]);
        m_buttons[b] = button;
    }
    m_tree->DeleteAllItems();
    LayoutPage();
    UpdateButtons();
}

CRightTreePage::~CRightTreePage() = default;

// Fills ---------------------------------------------------------------------------------------

void CRightTreePage::BeginFill(int mode)
{
    m_bFilling = true;
    m_nMode = mode;
    m_tree->setUpdatesEnabled(false);
    m_tree->SetCaretSilently(nullptr);
    m_tree->DeleteAllItems();
}

void CRightTreePage::EndFill()
{
    m_tree->setUpdatesEnabled(true);
    m_tree->FocusItem(m_tree->GetRootItem());
    m_tree->viewport()->update();
    LayoutPage();
}

void CRightTreePage::InsertQuestions(const std::vector<const CQuestion*>& questions)
{
    const CCampaign* campaign = AppCampaign();
    if (!campaign)
        return;
    const std::vector<SQuestionTreeEntry> plan = PlanQuestionTree(*campaign, questions);
    std::vector<HTREEITEM> items;
    items.reserve(plan.size());
    QList<QTreeWidgetItem*> roots;
    for (const SQuestionTreeEntry& entry : plan) {
        const CQuestion* question = campaign->GetQuestionById(entry.QuestionId);
        // The image comes from the question whenever the item is drawn.
        HTREEITEM item = m_tree->CreateItem(question->GetShortcut(), -1, -1);
        m_tree->SetItemData(item, quintptr(entry.QuestionId));
        if (entry.Parent >= 0)
            items[size_t(entry.Parent)]->addChild(item);
        else
            roots << item;
        items.push_back(item);
    }
    m_tree->addTopLevelItems(roots);
}

void CRightTreePage::FillCampaign()
{
    CWaitCursor wait;
    BeginFill(ModeCampaign);
    if (const CCampaign* campaign = AppCampaign())
        InsertQuestions(GetCampaignTreeQuestions(*campaign));
    EndFill();
}

void CRightTreePage::ShowCampaign()
{
    FillCampaign();
    FinishFill();
}

void CRightTreePage::FinishFill()
{
    m_bFilling = false;
    UpdateButtons();
}

void CRightTreePage::FillMatched(const std::vector<const CVolume*>& volumes)
{
    const CCampaign* campaign = AppCampaign();
    if (!campaign || volumes.empty())
        return;
    QList<int> missing;
    const std::vector<const CQuestion*> questions =
        GetMatchedTreeQuestions(*campaign, volumes, missing);
    for (int id : missing)
        GetWindowServices().MessageBox(FormatString(LoadString(IDS_MISSING_MATCHED_QUESTION), {id}),
                                       MB_OK | MB_ICONWARNING);
    InsertQuestions(questions);
}

void CRightTreePage::ShowWave(int waveId)
{
    CWaitCursor wait;
    BeginFill(ModeWave);
    std::vector<const CVolume*> volumes;
    const CCampaign* campaign = AppCampaign();
    if (const CWave* wave = campaign ? campaign->FindWave(waveId) : nullptr) {
        for (int v = 0; v < wave->GetVolumeCount(); ++v)
            if (wave->GetVolume(v)->GetStatus() == VOLUME_RECONCILED)
                volumes.push_back(wave->GetVolume(v));
    }
    FillMatched(volumes);
    EndFill();
    FinishFill();
}

void CRightTreePage::ShowVolume(int volumeId)
{
    CWaitCursor wait;
    BeginFill(ModeVolume);
    const CCampaign* campaign = AppCampaign();
    const CVolume* volume = campaign ? campaign->FindVolume(volumeId) : nullptr;
    if (volume && volume->GetStatus() != VOLUME_UNRECONCILED)
        FillMatched({volume});
    EndFill();
    FinishFill();
}

// Layout and buttons --------------------------------------------------------------------------

void CRightTreePage::LayoutPage()
{
    m_tree->setGeometry(kButtonStripWidth, 0, std::max(width() - kButtonStripWidth, 0), height());
    const int left = (kButtonStripWidth - kButtonSize) / 2;
    for (int b = 0; b < ButtonCount; ++b) {
        // The add-chapter button stands apart from the four moves.
        const int top = 3 + b * kButtonStep + (b == ButtonAddChapter ? kButtonStep / 2 : 0);
        m_buttons[b]->setGeometry(left, top, kButtonSize, kButtonSize);
    }
    update();
}

void CRightTreePage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutPage();
}

void CRightTreePage::UpdateButtons()
{
    bool enable[ButtonCount] = {};
    if (m_nMode == ModeCampaign) {
        const CCampaign* campaign = AppCampaign();
        HTREEITEM first = m_tree->GetFirstSelectedItem();
        const CQuestion* question =
            first && campaign ? campaign->GetQuestionById(QuestionId(*m_tree, first)) : nullptr;
        enable[ButtonUp] = enable[ButtonRight] = question && question->GetOrder() > 1;
        HTREEITEM last = m_tree->GetLastSelectedItem();
        HTREEITEM lastVisible = m_tree->GetRootItem();
        for (HTREEITEM walk = lastVisible; walk; walk = m_tree->GetNextVisibleItem(walk))
            lastVisible = walk;
        enable[ButtonDown] = last && last != lastVisible;
        enable[ButtonLeft] = first != nullptr;
        enable[ButtonAddChapter] = true;
    }
    for (int b = 0; b < ButtonCount; ++b)
        m_buttons[b]->setEnabled(enable[b]);
}

void CRightTreePage::OnTreeNotified(const NMTREEVIEW& report)
{
    // The buttons follow the selection, so that they never offer a move the selection cannot
    // make.
    if (report.code == TVN_SELCHANGED && !m_bFilling)
        UpdateButtons();
}

// Item states ---------------------------------------------------------------------------------

std::map<int, int> CRightTreePage::GetItemStates() const
{
    std::map<int, int> states;
    for (HTREEITEM walk = m_tree->GetRootItem(); walk; walk = m_tree->GetNextTreeItem(walk))
        states[QuestionId(*m_tree, walk)] =
            int(m_tree->GetNativeState(walk, TVIS_EXPANDED | TVIS_SELECTED));
    return states;
}

void CRightTreePage::RestoreItemStates(const std::map<int, int>& states)
{
    for (HTREEITEM walk = m_tree->GetRootItem(); walk; walk = m_tree->GetNextTreeItem(walk)) {
        const auto found = states.find(QuestionId(*m_tree, walk));
        if (found == states.end())
            continue;
        if (found->second & TVIS_SELECTED)
            m_tree->SetNativeState(walk, TVIS_SELECTED, TVIS_SELECTED);
        if (found->second & TVIS_EXPANDED)
            walk->setExpanded(true);
    }
}

// Moves ---------------------------------------------------------------------------------------

void CRightTreePage::MoveUp()
{
    Move(EMove::Up);
}

void CRightTreePage::MoveDown()
{
    Move(EMove::Down);
}

void CRightTreePage::MoveLeft()
{
    Move(EMove::Left);
}

void CRightTreePage::MoveRight()
{
    Move(EMove::Right);
}

bool CRightTreePage::MoveItem(HTREEITEM item, EMove move)
{
    HTREEITEM parent = item->parent();
    switch (move) {
    case EMove::Up:
        if (HTREEITEM previous = m_tree->GetPrevSiblingItem(item)) {
            HTREEITEM before = m_tree->GetPrevSiblingItem(previous);
            m_tree->MoveSubtree(item, parent, before ? before : TVI_FIRST);
            return true;
        }
        if (!parent)
            return false;
        if (HTREEITEM uncle = m_tree->GetPrevSiblingItem(parent)) {
            m_tree->MoveSubtree(item, uncle, TVI_LAST);
            return true;
        }
        // The first child of a first item leaves for the level above, just before its parent.
        m_tree->MoveSubtree(item, parent->parent(), TVI_FIRST);
        return true;
    case EMove::Down:
        for (HTREEITEM walk = item; walk; walk = walk->parent()) {
            if (HTREEITEM next = m_tree->GetNextSiblingItem(walk)) {
                m_tree->MoveSubtree(item, next->parent(), next);
                return true;
            }
        }
        return false;
    case EMove::Left:
        if (!parent)
            return false;
        m_tree->MoveSubtree(item, parent->parent(), parent);
        return true;
    case EMove::Right:
        if (HTREEITEM previous = m_tree->GetPrevSiblingItem(item)) {
            // Nothing goes below the deepest level the tree keeps.
            if (CQuestionTreeCtrl::GetDepth(item) + 1 + CQuestionTreeCtrl::GetSubtreeHeight(item) >
                kMaxDepth)
                return false;
            m_tree->MoveSubtree(item, previous, TVI_LAST);
            return true;
        }
        return false;
    }
    return false;
}

void CRightTreePage::Move(EMove move)
{
    if (m_nMode != ModeCampaign)
        return;
    m_itemStates = GetItemStates();
    // The selected items without a selected ancestor: each moves with its subtree.
    std::vector<HTREEITEM> moving;
    for (HTREEITEM walk = m_tree->GetFirstSelectedItem(); walk;
         walk = m_tree->GetNextSelectedItem(walk)) {
        bool ancestorSelected = false;
        for (HTREEITEM parent = walk->parent(); parent && !ancestorSelected;
             parent = parent->parent())
            ancestorSelected = m_tree->GetNativeState(parent, TVIS_SELECTED) != 0;
        if (!ancestorSelected)
            moving.push_back(walk);
    }
    if (move == EMove::Down)
        std::reverse(moving.begin(), moving.end());
    m_tree->setUpdatesEnabled(false);
    for (HTREEITEM item : moving)
        MoveItem(item, move);
    m_tree->setUpdatesEnabled(true);
    CommitMove();
    UpdateButtons();
}

void CRightTreePage::CommitMove()
{
    CCampaign* campaign = AppCampaign();
    if (!campaign)
        return;
    const std::map<int, int> after = GetItemStates();
    std::set<int> ids;
    for (const auto& entry : after)
        ids.insert(entry.first);
    auto meta = std::make_unique<CMetaMoveQuestionsCmd>(IDS_REORDER_TREE_QUESTIONS, ids,
                                                        m_itemStates, after);

    // The questions the tree does not show (deleted ones) keep their places after the shown
    // question they follow, so that the whole campaign is numbered in this one step and Undo
    // gives back every order it changed.
    std::map<int, std::vector<CQuestion*>> hiddenAfter; // by the id of the shown question before
    std::vector<CQuestion*> hiddenFirst;
    {
        std::set<int> shown;
        for (HTREEITEM walk = m_tree->GetRootItem(); walk; walk = m_tree->GetNextTreeItem(walk))
            shown.insert(QuestionId(*m_tree, walk));
        int lastShown = -1;
        for (int i = 0; i < campaign->GetQuestionCount(); ++i) {
            CQuestion* question = campaign->GetQuestion(i);
            if (campaign->IsReservedQuestion(question))
                continue;
            if (!shown.contains(question->GetQuestionId()))
                (lastShown < 0 ? hiddenFirst : hiddenAfter[lastShown]).push_back(question);
            else
                lastShown = question->GetQuestionId();
        }
    }
    int counter = 0;
    auto number = [&](CQuestion* question) {
        ++counter;
        if (question->GetOrder() != counter)
            meta->AddCmd(std::make_unique<CCmdChangeQuestion>(
                campaign, question, QUESTION_PROP_ORDER, CValue(counter)));
    };
    for (CQuestion* question : hiddenFirst)
        number(question);
    for (HTREEITEM walk = m_tree->GetRootItem(); walk; walk = m_tree->GetNextTreeItem(walk)) {
        CQuestion* question = campaign->GetQuestionById(QuestionId(*m_tree, walk));
        if (!question)
            continue;
        number(question);
        const int depth = CQuestionTreeCtrl::GetDepth(walk);
        if (question->GetIndent() != depth)
            meta->AddCmd(std::make_unique<CCmdChangeQuestion>(campaign, question,
                                                              QUESTION_PROP_INDENT, CValue(depth)));
        const auto hidden = hiddenAfter.find(question->GetQuestionId());
        if (hidden != hiddenAfter.end())
            for (CQuestion* follower : hidden->second)
                number(follower);
    }
    if (meta->GetCmdCount() == 0)
        return;

    CCmdCallBacks callBacks;
    callBacks.AfterDo = [this](std::unique_ptr<CCallBackInfo> record) {
        OnQuestionsMoved(std::move(record), false);
    };
    callBacks.AfterUndo = [this](std::unique_ptr<CCallBackInfo> record) {
        OnQuestionsMoved(std::move(record), true);
    };
    callBacks.AfterRedo = callBacks.AfterDo;
    if (!IssueCommand(std::move(meta), GuardCallBacks(this, callBacks), nullptr, true)) {
        // The campaign is as it was: so is the tree.
        const std::map<int, int> before = m_itemStates;
        FillCampaign();
        RestoreItemStates(before);
        FinishFill();
    }
}

// Renaming and chapters ---------------------------------------------------------------------

bool CRightTreePage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2 && !m_tree->IsEditingLabel()) {
        m_tree->EditLabel(m_tree->GetSelectedItem());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CRightTreePage::OnEndLabelEdit(HTREEITEM item, const QString& text)
{
    CCampaign* campaign = AppCampaign();
    CQuestion* question = campaign ? campaign->GetQuestionById(QuestionId(*m_tree, item)) : nullptr;
    if (!question || text == question->GetShortcut())
        return;
    // A question is known by its name: a blank one is refused, and the old name stays.
    if (text.trimmed().isEmpty()) {
        GetWindowServices().MessageBox(
            FormatString(LoadString(IDS_BLANK_QUESTION_NAME), {question->GetShortcut()}),
            MB_OK | MB_ICONWARNING);
        return;
    }
    CValue value;
    value.SetText(text);
    CCmdCallBacks callBacks;
    callBacks.AfterDo = [this](std::unique_ptr<CCallBackInfo> record) {
        OnQuestionRenamed(std::move(record));
    };
    callBacks.AfterUndo = callBacks.AfterDo;
    // The text comes from the campaign: a redone rename needs a repaint as well.
    callBacks.AfterRedo = callBacks.AfterDo;
    IssueCommand(
        std::make_unique<CCmdChangeQuestion>(campaign, question, QUESTION_PROP_SHORTCUT, value),
        GuardCallBacks(this, callBacks), nullptr, true);
}

void CRightTreePage::AddChapter()
{
    CCampaign* campaign = AppCampaign();
    if (m_nMode != ModeCampaign || !campaign)
        return;
    m_itemStates = GetItemStates();
    CCmdCallBacks callBacks;
    callBacks.AfterDo = [this](std::unique_ptr<CCallBackInfo> record) {
        OnChapterCreated(std::move(record), false);
    };
    callBacks.AfterUndo = [this](std::unique_ptr<CCallBackInfo> record) {
        OnChapterRemoved(std::move(record));
    };
    callBacks.AfterRedo = [this](std::unique_ptr<CCallBackInfo> record) {
        OnChapterCreated(std::move(record), true);
    };
    IssueCommand(
        std::make_unique<CCmdCreateChapter>(campaign, nullptr, QStringLiteral("new chapter"), -1),
        GuardCallBacks(this, callBacks), nullptr, true);
}

// Callbacks -----------------------------------------------------------------------------------

void CRightTreePage::OnQuestionRenamed(std::unique_ptr<CCallBackInfo> record)
{
    const auto* change = dynamic_cast<const CCallBackInfoChangeQuestion*>(record.get());
    if (!change || !change->Object)
        return;
    if (HTREEITEM item = m_tree->FindItemByData(quintptr(change->Object->GetQuestionId()))) {
        m_tree->SetNativeState(item, TVIS_SELECTED, TVIS_SELECTED);
        item->setText(0, m_tree->GetItemText(item));
    }
    m_tree->viewport()->update();
    UpdateButtons();
}

void CRightTreePage::OnQuestionsMoved(std::unique_ptr<CCallBackInfo> record, bool undone)
{
    const auto* moved = dynamic_cast<const CCallBackInfoMetaMoveQuestionsCmd*>(record.get());
    if (!moved)
        return;
    FillCampaign();
    m_tree->setUpdatesEnabled(false);
    RestoreItemStates(undone ? moved->Before : moved->After);
    m_tree->setUpdatesEnabled(true);
    FinishFill();
}

void CRightTreePage::OnChapterCreated(std::unique_ptr<CCallBackInfo> record, bool editLabel)
{
    const auto* created = dynamic_cast<const CCallBackInfoCreateChapter*>(record.get());
    if (!created || !created->Chapter)
        return;
    HTREEITEM item = m_tree->InsertItem(created->Chapter->GetShortcut(), -1, -1);
    m_tree->SetItemData(item, quintptr(created->Chapter->GetQuestionId()));
    m_tree->SelectAll(false);
    m_tree->SetItemState(item, TVIS_SELECTED | TVIS_FOCUSED, TVIS_SELECTED | TVIS_FOCUSED);
    m_tree->scrollToItem(item);
    UpdateButtons();
    if (editLabel)
        m_tree->EditLabel(item);
}

void CRightTreePage::OnChapterRemoved(std::unique_ptr<CCallBackInfo> record)
{
    const auto* created = dynamic_cast<const CCallBackInfoCreateChapter*>(record.get());
    if (!created || !created->Chapter)
        return;
    if (HTREEITEM item = m_tree->FindItemByData(quintptr(created->Chapter->GetQuestionId()))) {
        // The tree would hand the caret, and with it the selection, to a neighbour.
        if (item == m_tree->GetSelectedItem())
            m_tree->SetCaretSilently(nullptr);
        m_tree->DeleteItem(item);
    }
    UpdateButtons();
}
