#include "controls/TreeCtrl.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

namespace {

enum : int
{
    RoleData = Qt::UserRole,
    RoleImage = Qt::UserRole + 1,
    RoleSelectedImage = Qt::UserRole + 2,
    RoleState = Qt::UserRole + 3,
};

constexpr int kImageSize = 16;
constexpr int kTextPadding = 2;

} // namespace

// Paints every item through its tree and edits labels without writing them back: the owner
// sets the text it accepts.
class CTreeItemDelegate final : public QStyledItemDelegate
{
public:
    explicit CTreeItemDelegate(CTreeCtrl* tree) : QStyledItemDelegate(tree), m_tree(tree) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        HTREEITEM item = m_tree->itemFromIndex(index);
        if (!item)
            return;
        painter->save();
        m_tree->DrawItem(*painter, item, m_tree->LayoutInCell(item, option.rect));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        HTREEITEM item = m_tree->itemFromIndex(index);
        if (!item)
            return {};
        const QFontMetrics metrics(m_tree->ItemFont(item));
        return {m_tree->StateImageWidth() + (m_tree->GetImageList().isEmpty() ? 0 : kImageSize) +
                    metrics.horizontalAdvance(item->text(0)) + 2 * kTextPadding,
                m_tree->RowHeight()};
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override
    {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(true);
        return edit;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<QLineEdit*>(editor)->setText(index.data(Qt::DisplayRole).toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (HTREEITEM item = m_tree->itemFromIndex(index))
            m_tree->OnEndLabelEdit(item, static_cast<QLineEdit*>(editor)->text());
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override
    {
        // Over the item's text, grown by a pixel and reaching to the viewport's right edge.
        HTREEITEM item = m_tree->itemFromIndex(index);
        const CTreeCtrl::SItemLayout layout = m_tree->LayoutInCell(item, option.rect);
        QRect area = layout.Text.adjusted(-1, -1, 1, 1);
        area.setLeft(std::max(area.left(), 0));
        area.setRight(m_tree->viewport()->width() - 2);
        editor->setGeometry(area);
    }

private:
    CTreeCtrl* m_tree;
};

// Asks the tree before its caret moves, whatever moves it.
class CTreeSelectionModel final : public QItemSelectionModel
{
public:
    CTreeSelectionModel(QAbstractItemModel* model, CTreeCtrl* tree)
        : QItemSelectionModel(model, tree), m_tree(tree)
    {
    }
    void setCurrentIndex(const QModelIndex& index,
                         QItemSelectionModel::SelectionFlags command) override
    {
        if (m_tree->AskCaretChange(index))
            QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    CTreeCtrl* m_tree;
};

CTreeCtrl::CTreeCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::NoSelection);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new CTreeItemDelegate(this));
    header()->setStretchLastSection(true);
    QItemSelectionModel* native = selectionModel();
    setSelectionModel(new CTreeSelectionModel(model(), this));
    delete native;
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (!m_silent)
                    OnCaretChanged(itemFromIndex(previous), itemFromIndex(current));
            });
}

CTreeCtrl::~CTreeCtrl() = default;

int CTreeCtrl::RowHeight() const
{
    return std::max(QFontMetrics(font()).height() + 4, kImageSize + 2);
}

HTREEITEM CTreeCtrl::InsertItem(const QString& text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM insertAfter)
{
    HTREEITEM item = CreateItem(text, image, selectedImage);
    PlaceItem(item, parent, insertAfter);
    return item;
}

void CTreeCtrl::PlaceItem(HTREEITEM item, HTREEITEM parent, HTREEITEM insertAfter)
{
    const int count = parent ? parent->childCount() : topLevelItemCount();
    int position = count;
    if (insertAfter == TVI_FIRST) {
        position = 0;
    } else if (insertAfter != TVI_LAST && insertAfter) {
        const int after =
            parent ? parent->indexOfChild(insertAfter) : indexOfTopLevelItem(insertAfter);
        if (after >= 0)
            position = after + 1;
    }
    if (parent)
        parent->insertChild(position, item);
    else
        insertTopLevelItem(position, item);
}

HTREEITEM CTreeCtrl::CreateItem(const QString& text, int image, int selectedImage) const
{
    auto* item = new QTreeWidgetItem;
    item->setText(0, text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsEditable);
    item->setData(0, RoleImage, image);
    item->setData(0, RoleSelectedImage, selectedImage);
    item->setData(0, RoleState, 0u);
    return item;
}

bool CTreeCtrl::DeleteItem(HTREEITEM item)
{
    if (!item)
        return false;
    delete item;
    return true;
}

bool CTreeCtrl::DeleteAllItems()
{
    clear();
    return true;
}

bool CTreeCtrl::SetItemText(HTREEITEM item, const QString& text)
{
    if (!item)
        return false;
    item->setText(0, text);
    return true;
}

QString CTreeCtrl::GetItemText(HTREEITEM item) const
{
    return item ? item->text(0) : QString();
}

void CTreeCtrl::SetItemData(HTREEITEM item, quintptr data)
{
    if (item)
        item->setData(0, RoleData, QVariant::fromValue(qulonglong(data)));
}

quintptr CTreeCtrl::GetItemData(HTREEITEM item) const
{
    return item ? quintptr(item->data(0, RoleData).toULongLong()) : 0;
}

void CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage)
{
    if (!item)
        return;
    item->setData(0, RoleImage, image);
    item->setData(0, RoleSelectedImage, selectedImage);
}

int CTreeCtrl::GetItemImage(HTREEITEM item, bool selected) const
{
    return item ? item->data(0, selected ? RoleSelectedImage : RoleImage).toInt() : -1;
}

unsigned CTreeCtrl::GetNativeState(HTREEITEM item, unsigned mask) const
{
    if (!item)
        return 0;
    unsigned state = item->data(0, RoleState).toUInt() & ~TVIS_EXPANDED;
    if (item->isExpanded())
        state |= TVIS_EXPANDED;
    return state & mask & ~TVIS_FOCUSED;
}

void CTreeCtrl::SetNativeState(HTREEITEM item, unsigned state, unsigned mask)
{
    if (!item)
        return;
    mask &= ~TVIS_FOCUSED;
    if (mask & TVIS_EXPANDED)
        item->setExpanded((state & TVIS_EXPANDED) != 0);
    const unsigned stored = item->data(0, RoleState).toUInt();
    const unsigned updated = (stored & ~mask) | (state & mask & ~TVIS_EXPANDED);
    if (updated != stored) {
        item->setData(0, RoleState, updated);
        viewport()->update(
            visualItemRect(item).adjusted(-viewport()->width(), 0, viewport()->width(), 0));
    }
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    return topLevelItemCount() ? topLevelItem(0) : nullptr;
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const
{
    if (!item)
        return GetRootItem();
    return item->childCount() ? item->child(0) : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    if (HTREEITEM parent = item->parent()) {
        const int index = parent->indexOfChild(item);
        return index + 1 < parent->childCount() ? parent->child(index + 1) : nullptr;
    }
    const int index = indexOfTopLevelItem(item);
    return index + 1 < topLevelItemCount() ? topLevelItem(index + 1) : nullptr;
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    if (HTREEITEM parent = item->parent()) {
        const int index = parent->indexOfChild(item);
        return index > 0 ? parent->child(index - 1) : nullptr;
    }
    const int index = indexOfTopLevelItem(item);
    return index > 0 ? topLevelItem(index - 1) : nullptr;
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const
{
    return item ? item->parent() : nullptr;
}

bool CTreeCtrl::ItemHasChildren(HTREEITEM item) const
{
    return item && item->childCount() > 0;
}

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const
{
    return GetRootItem();
}

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    if (item->isExpanded() && item->childCount())
        return item->child(0);
    for (HTREEITEM walk = item; walk; walk = walk->parent())
        if (HTREEITEM next = GetNextSiblingItem(walk))
            return next;
    return nullptr;
}

HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    HTREEITEM previous = GetPrevSiblingItem(item);
    if (!previous)
        return item->parent();
    while (previous->isExpanded() && previous->childCount())
        previous = previous->child(previous->childCount() - 1);
    return previous;
}

HTREEITEM CTreeCtrl::GetNextTreeItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    if (item->childCount())
        return item->child(0);
    for (HTREEITEM walk = item; walk; walk = walk->parent())
        if (HTREEITEM next = GetNextSiblingItem(walk))
            return next;
    return nullptr;
}

HTREEITEM CTreeCtrl::GetPrevTreeItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    if (HTREEITEM previous = GetPrevSiblingItem(item))
        return GetLastTreeItem(previous);
    return item->parent();
}

HTREEITEM CTreeCtrl::GetLastTreeItem(HTREEITEM item) const
{
    if (!item) {
        if (!topLevelItemCount())
            return nullptr;
        item = topLevelItem(topLevelItemCount() - 1);
    }
    while (item->childCount())
        item = item->child(item->childCount() - 1);
    return item;
}

bool CTreeCtrl::SelectItem(HTREEITEM item)
{
    setCurrentItem(item);
    return true;
}

bool CTreeCtrl::Expand(HTREEITEM item, unsigned code)
{
    if (!item)
        return false;
    bool expand = false;
    switch (code & 0x3) {
    case TVE_COLLAPSE:
        expand = false;
        break;
    case TVE_EXPAND:
        expand = true;
        break;
    case TVE_TOGGLE:
        expand = !item->isExpanded();
        break;
    default:
        return false;
    }
    if (expand != item->isExpanded()) {
        OnItemExpanding(item, expand ? TVE_EXPAND : TVE_COLLAPSE);
        item->setExpanded(expand);
    }
    return true;
}

void CTreeCtrl::ExpandBranch(HTREEITEM item)
{
    if (!item)
        return;
    if (ItemHasChildren(item))
        Expand(item, TVE_EXPAND);
    for (int i = 0; i < item->childCount(); ++i)
        ExpandBranch(item->child(i));
}

void CTreeCtrl::CollapseBranch(HTREEITEM item)
{
    if (!item)
        return;
    for (int i = 0; i < item->childCount(); ++i)
        CollapseBranch(item->child(i));
    if (ItemHasChildren(item))
        Expand(item, TVE_COLLAPSE);
}

bool CTreeCtrl::IsExpanded(HTREEITEM item) const
{
    return item && item->isExpanded();
}

void CTreeCtrl::EnsureVisible(HTREEITEM item)
{
    if (!item)
        return;
    for (HTREEITEM parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    scrollToItem(item);
}

bool CTreeCtrl::EditLabel(HTREEITEM item)
{
    if (!item || !OnBeginLabelEdit(item))
        return false;
    editItem(item, 0);
    return true;
}

bool CTreeCtrl::OnBeginLabelEdit(HTREEITEM)
{
    return true;
}

void CTreeCtrl::OnEndLabelEdit(HTREEITEM item, const QString& text)
{
    Q_EMIT EndLabelEdit(item, text);
}

bool CTreeCtrl::AskCaretChange(const QModelIndex& current)
{
    if (m_silent)
        return true;
    HTREEITEM oldCaret = currentItem();
    HTREEITEM newCaret = itemFromIndex(current);
    return oldCaret == newCaret || OnCaretChanging(oldCaret, newCaret);
}

NMTREEVIEW CTreeCtrl::Report(int code, HTREEITEM oldItem, HTREEITEM newItem) const
{
    NMTREEVIEW report;
    report.hwndFrom = const_cast<CTreeCtrl*>(this);
    report.idFrom = std::uintptr_t(m_id);
    report.code = code;
    auto describe = [this](TVITEM& described, HTREEITEM item) {
        if (!item)
            return;
        described.mask = TVIF_HANDLE | TVIF_PARAM;
        described.hItem = item;
        described.lParam = GetItemData(item);
    };
    describe(report.itemOld, oldItem);
    describe(report.itemNew, newItem);
    return report;
}

bool CTreeCtrl::OnCaretChanging(HTREEITEM oldCaret, HTREEITEM newCaret)
{
    NMTREEVIEW report = Report(TVN_SELCHANGING, oldCaret, newCaret);
    report.action = m_caretAction;
    return SendNotify(m_owner, report) == 0;
}

void CTreeCtrl::SelectNativeCaret(HTREEITEM oldCaret, HTREEITEM newCaret)
{
    // The native tree selects its caret and only it.
    if (oldCaret)
        SetNativeState(oldCaret, 0, TVIS_SELECTED);
    if (newCaret)
        SetNativeState(newCaret, TVIS_SELECTED, TVIS_SELECTED);
}

void CTreeCtrl::OnCaretChanged(HTREEITEM oldCaret, HTREEITEM newCaret)
{
    SelectNativeCaret(oldCaret, newCaret);
    NMTREEVIEW report = Report(TVN_SELCHANGED, oldCaret, newCaret);
    report.action = m_caretAction;
    Q_EMIT Notified(report);
}

void CTreeCtrl::MoveCaretSilently(HTREEITEM item)
{
    ++m_silent;
    setCurrentItem(item);
    --m_silent;
}

void CTreeCtrl::OnItemExpanding(HTREEITEM, unsigned) {}

void CTreeCtrl::SetImageList(const QList<QImage>& images)
{
    m_images = images;
    viewport()->update();
}

QFont CTreeCtrl::ItemFont(HTREEITEM) const
{
    return font();
}

CTreeCtrl::SItemLayout CTreeCtrl::LayoutInCell(HTREEITEM item, const QRect& cell) const
{
    SItemLayout layout;
    layout.Cell = cell;
    layout.Row =
        QRect(0, cell.top(), std::max(viewport()->width(), cell.right() + 1), cell.height());
    int x = cell.left();
    const int stateWidth = StateImageWidth();
    if (stateWidth > 0) {
        layout.State = QRect(x, cell.top(), stateWidth, cell.height());
        x += stateWidth;
    }
    if (!m_images.isEmpty()) {
        layout.Image = QRect(x, cell.top(), kImageSize, cell.height());
        x += kImageSize;
    }
    const int textWidth = QFontMetrics(ItemFont(item)).horizontalAdvance(GetItemText(item));
    layout.Text = QRect(x, cell.top(), textWidth + 2 * kTextPadding, cell.height());
    return layout;
}

CTreeCtrl::SItemLayout CTreeCtrl::ItemLayout(HTREEITEM item) const
{
    return LayoutInCell(item, visualItemRect(item));
}

QRect CTreeCtrl::GetItemRect(HTREEITEM item, bool textOnly) const
{
    if (!item)
        return {};
    const SItemLayout layout = ItemLayout(item);
    return textOnly ? layout.Text : layout.Row;
}

int CTreeCtrl::GetVisibleCount() const
{
    return viewport()->height() / RowHeight();
}

HTREEITEM CTreeCtrl::HitTest(const QPoint& point, unsigned* flags) const
{
    unsigned where = TVHT_NOWHERE;
    HTREEITEM item = itemAt(point);
    if (item) {
        const SItemLayout layout = ItemLayout(item);
        if (point.x() < layout.Cell.left())
            where = point.x() >= layout.Cell.left() - indentation() && ItemHasChildren(item)
                        ? TVHT_ONITEMBUTTON
                        : TVHT_ONITEMINDENT;
        else if (layout.State.contains(point))
            where = TVHT_ONITEMSTATEICON;
        else if (layout.Image.contains(point))
            where = TVHT_ONITEMICON;
        else if (layout.Text.contains(point))
            where = TVHT_ONITEMLABEL;
        else
            where = TVHT_ONITEMRIGHT;
    }
    if (flags)
        *flags = where;
    return item;
}

bool CTreeCtrl::IsDrawnSelected(HTREEITEM item) const
{
    return GetNativeState(item, TVIS_SELECTED | TVIS_DROPHILITED) != 0;
}

void CTreeCtrl::DrawItem(QPainter& painter, HTREEITEM item, const SItemLayout& layout)
{
    if (!layout.Image.isEmpty()) {
        const int index = GetItemImage(item, IsDrawnSelected(item));
        if (index >= 0 && index < m_images.size()) {
            const QImage& image = m_images[index];
            painter.drawImage(layout.Image.left() + (layout.Image.width() - image.width()) / 2,
                              layout.Image.top() + (layout.Image.height() - image.height()) / 2,
                              image);
        }
    }
    const bool selected = IsDrawnSelected(item);
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    if (selected)
        painter.fillRect(layout.Text, palette().color(group, QPalette::Highlight));
    painter.setFont(ItemFont(item));
    painter.setPen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(layout.Text.adjusted(kTextPadding, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, GetItemText(item));
    if (item == currentItem() && hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = layout.Text;
        focus.backgroundColor =
            palette().color(group, selected ? QPalette::Highlight : QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void CTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    unsigned flags = 0;
    HTREEITEM item = HitTest(event->position().toPoint(), &flags);
    if (item && flags == TVHT_ONITEMBUTTON && event->button() == Qt::LeftButton) {
        // Expanding and collapsing always go through Expand.
        Expand(item, TVE_TOGGLE);
        event->accept();
        return;
    }
    m_caretAction = TVC_BYMOUSE;
    QTreeWidget::mousePressEvent(event);
    m_caretAction = TVC_UNKNOWN;
}

void CTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    HTREEITEM caret = currentItem();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (caret && ItemHasChildren(caret)) {
        const bool expanded = caret->isExpanded();
        if ((event->key() == Qt::Key_Left && expanded) ||
            (event->key() == Qt::Key_Minus && keypad)) {
            Expand(caret, TVE_COLLAPSE);
            return;
        }
        if ((event->key() == Qt::Key_Right && !expanded) ||
            (event->key() == Qt::Key_Plus && keypad)) {
            Expand(caret, TVE_EXPAND);
            return;
        }
        if (event->key() == Qt::Key_Asterisk && keypad) {
            ExpandBranch(caret);
            EnsureVisible(caret);
            return;
        }
    }
    m_caretAction = TVC_BYKEYBOARD;
    QTreeWidget::keyPressEvent(event);
    m_caretAction = TVC_UNKNOWN;
}

void CTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    unsigned flags = 0;
    HTREEITEM item = HitTest(event->position().toPoint(), &flags);
    if (item && (flags & TVHT_ONITEM) && ItemHasChildren(item))
        Expand(item, TVE_TOGGLE);
    event->accept();
}

LRESULT CTreeCtrl::Notify(NMHDR& header)
{
    header.hwndFrom = this;
    header.idFrom = std::uintptr_t(m_id);
    return SendNotify(m_owner, header);
}
