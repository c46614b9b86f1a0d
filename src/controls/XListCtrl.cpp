#include "controls/XListCtrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <vector>

// A row: its caller's value, which of its cells take their text from the owner, and the check
// states last known, by which a change the user made is told from one made through the calls.
class CXListCtrl::CItem : public QTreeWidgetItem
{
public:
    CItem()
    {
        setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                 Qt::ItemIsEditable);
    }

    QVariant data(int column, int role) const override
    {
        if (role == Qt::DisplayRole && IsCallback(column)) {
            const auto* list = static_cast<const CXListCtrl*>(treeWidget());
            if (!list || !list->m_textCallback)
                return QString();
            return list->m_textCallback(list->indexOfTopLevelItem(const_cast<CItem*>(this)), column,
                                        Data);
        }
        return QTreeWidgetItem::data(column, role);
    }

    bool IsCallback(int column) const
    {
        return column >= 0 && size_t(column) < Callbacks.size() && Callbacks[size_t(column)];
    }
    void SetCallback(int column, bool callback)
    {
        if (size_t(column) >= Callbacks.size())
            Callbacks.resize(size_t(column) + 1, false);
        Callbacks[size_t(column)] = callback;
    }
    int KnownCheck(int column) const
    {
        return size_t(column) < KnownChecks.size() ? KnownChecks[size_t(column)] : -1;
    }
    void SetKnownCheck(int column, int check)
    {
        if (size_t(column) >= KnownChecks.size())
            KnownChecks.resize(size_t(column) + 1, -1);
        KnownChecks[size_t(column)] = check;
    }

    quintptr Data = 0;
    std::vector<bool> Callbacks;
    std::vector<int> KnownChecks;
};

// Draws the cells; hands the text of a finished label edit to the owner instead of writing it
// into the row.
class CXListCtrl::CLabelDelegate : public QStyledItemDelegate
{
public:
    explicit CLabelDelegate(CXListCtrl* list) : QStyledItemDelegate(list), m_list(list) {}

    // Rows a little taller than their text, so that check boxes and grid lines do not touch.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 4);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            Q_EMIT m_list->EndLabelEdit(index.row(), edit->text());
    }

private:
    CXListCtrl* m_list;
};

namespace {

int CheckOf(const QVariant& state)
{
    if (!state.isValid())
        return -1;
    return state.value<Qt::CheckState>() == Qt::Unchecked ? 0 : 1;
}

} // namespace

CXListCtrl::CXListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new CLabelDelegate(this));
    setColumnCount(0);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(true);
    connect(header(), &QHeaderView::sectionClicked, this, &CXListCtrl::HeaderClicked);
    connect(this, &QTreeWidget::itemChanged, this, &CXListCtrl::OnItemChanged);
}

CXListCtrl::~CXListCtrl() = default;

int CXListCtrl::InsertColumn(int column, const QString& heading, int width)
{
    const int count = columnCount();
    column = std::clamp(column, 0, count);
    QStringList headings;
    for (int c = 0; c < count; ++c)
        headings << headerItem()->text(c);
    headings.insert(column, heading);
    setColumnCount(count + 1);
    setHeaderLabels(headings);
    if (width >= 0)
        setColumnWidth(column, width);
    return column;
}

void CXListCtrl::SetColumnToolTip(int column, const QString& text)
{
    if (column >= 0 && column < columnCount())
        headerItem()->setToolTip(column, text);
}

void CXListCtrl::SetColumnWidthPercents(const QList<int>& percents)
{
    m_columnPercents = percents;
    ApplyColumnPercents();
}

void CXListCtrl::ApplyColumnPercents()
{
    if (m_columnPercents.isEmpty())
        return;
    header()->setStretchLastSection(false);
    const int width = viewport()->width() - 2;
    const int last = columnCount() - 1;
    int used = 0;
    for (int c = 0; c < last; ++c) {
        // A column keeps room for its whole heading ("Enable" must not read "Enabl"); the last
        // column takes what is left.
        const int columnWidth =
            std::max(width * m_columnPercents.value(c) / 100, header()->sectionSizeHint(c));
        setColumnWidth(c, columnWidth);
        used += columnWidth;
    }
    if (last >= 0)
        setColumnWidth(last, std::max(0, width - used));
}

void CXListCtrl::SetGridLines(bool gridLines)
{
    m_gridLines = gridLines;
    viewport()->update();
}

CXListCtrl::CItem* CXListCtrl::Row(int row) const
{
    if (row < 0 || row >= topLevelItemCount())
        return nullptr;
    return static_cast<CItem*>(topLevelItem(row));
}

int CXListCtrl::InsertRow(int row)
{
    const int at = row < 0 ? topLevelItemCount() : std::min(row, topLevelItemCount());
    ++m_quiet;
    insertTopLevelItem(at, new CItem);
    --m_quiet;
    return at;
}

int CXListCtrl::InsertItem(int row, const QString& text)
{
    const int at = InsertRow(row);
    SetItemText(at, 0, text);
    return at;
}

int CXListCtrl::InsertItem(int row, STextCallback)
{
    const int at = InsertRow(row);
    SetItemText(at, 0, LPSTR_TEXTCALLBACK);
    return at;
}

bool CXListCtrl::DeleteItem(int row)
{
    CItem* item = Row(row);
    if (!item)
        return false;
    ++m_quiet;
    delete takeTopLevelItem(row);
    --m_quiet;
    return true;
}

bool CXListCtrl::DeleteAllItems()
{
    ++m_quiet;
    clear();
    --m_quiet;
    return true;
}

bool CXListCtrl::SetItemText(int row, int column, const QString& text)
{
    CItem* item = Row(row);
    if (!item || column < 0 || column >= std::max(1, columnCount()))
        return false;
    ++m_quiet;
    item->SetCallback(column, false);
    item->setText(column, text);
    --m_quiet;
    return true;
}

bool CXListCtrl::SetItemText(int row, int column, STextCallback)
{
    CItem* item = Row(row);
    if (!item || column < 0 || column >= std::max(1, columnCount()))
        return false;
    ++m_quiet;
    item->SetCallback(column, true);
    item->setText(column, QString());
    --m_quiet;
    return true;
}

QString CXListCtrl::GetItemText(int row, int column) const
{
    const CItem* item = Row(row);
    return item ? item->data(column, Qt::DisplayRole).toString() : QString();
}

bool CXListCtrl::SetCheckbox(int row, int column, int check)
{
    CItem* item = Row(row);
    if (!item || column < 0 || column >= std::max(1, columnCount()))
        return false;
    ++m_quiet;
    if (check < 0)
        item->setData(column, Qt::CheckStateRole, QVariant());
    else
        item->setCheckState(column, check ? Qt::Checked : Qt::Unchecked);
    item->SetKnownCheck(column, check < 0 ? -1 : (check ? 1 : 0));
    --m_quiet;
    return true;
}

int CXListCtrl::GetCheckbox(int row, int column) const
{
    const CItem* item = Row(row);
    return item ? CheckOf(item->data(column, Qt::CheckStateRole)) : -1;
}

bool CXListCtrl::SetItemData(int row, quintptr data)
{
    CItem* item = Row(row);
    if (!item)
        return false;
    item->Data = data;
    return true;
}

quintptr CXListCtrl::GetItemData(int row) const
{
    const CItem* item = Row(row);
    return item ? item->Data : 0;
}

bool CXListCtrl::SetEnabled(int row, bool enabled)
{
    CItem* item = Row(row);
    if (!item)
        return false;
    ++m_quiet;
    if (!enabled)
        item->setSelected(false);
    Qt::ItemFlags flags = item->flags();
    flags.setFlag(Qt::ItemIsEnabled, enabled);
    flags.setFlag(Qt::ItemIsSelectable, enabled);
    item->setFlags(flags);
    --m_quiet;
    return true;
}

bool CXListCtrl::GetEnabled(int row) const
{
    const CItem* item = Row(row);
    return item && item->flags().testFlag(Qt::ItemIsEnabled);
}

bool CXListCtrl::SetItemToolTipText(int row, int column, const QString& text)
{
    CItem* item = Row(row);
    if (!item || column < 0 || column >= std::max(1, columnCount()))
        return false;
    ++m_quiet;
    item->setToolTip(column, text);
    --m_quiet;
    return true;
}

QString CXListCtrl::GetItemToolTipText(int row, int column) const
{
    const CItem* item = Row(row);
    return item ? item->toolTip(column) : QString();
}

int CXListCtrl::GetCurSel() const
{
    int first = -1;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        if (first < 0 || index.row() < first)
            first = index.row();
    return first;
}

bool CXListCtrl::SetCurSel(int row)
{
    if (row < 0) {
        clearSelection();
        return true;
    }
    CItem* item = Row(row);
    if (!item || !GetEnabled(row))
        return false;
    setCurrentItem(item);
    clearSelection();
    item->setSelected(true);
    scrollToItem(item);
    return true;
}

bool CXListCtrl::MoveItem(int from, int to)
{
    if (!Row(from) || to < 0 || to >= topLevelItemCount())
        return false;
    if (from == to)
        return true;
    ++m_quiet;
    QTreeWidgetItem* item = takeTopLevelItem(from);
    insertTopLevelItem(to, item);
    --m_quiet;
    return true;
}

bool CXListCtrl::EditLabel(int row)
{
    CItem* item = Row(row);
    if (!item || !GetEnabled(row))
        return false;
    setCurrentItem(item);
    editItem(item, 0);
    return state() == QAbstractItemView::EditingState;
}

void CXListCtrl::OnItemChanged(QTreeWidgetItem* changed, int column)
{
    auto* item = static_cast<CItem*>(changed);
    const int check = CheckOf(item->data(column, Qt::CheckStateRole));
    if (check == item->KnownCheck(column))
        return;
    item->SetKnownCheck(column, check);
    if (m_quiet == 0 && check >= 0)
        Q_EMIT CheckboxClicked(indexOfTopLevelItem(item), column, check);
}

void CXListCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    QTreeWidget::drawRow(painter, option, index);
    if (!m_gridLines)
        return;
    painter->save();
    painter->setPen(palette().color(QPalette::Midlight));
    const QRect row = option.rect;
    painter->drawLine(row.left(), row.bottom(), row.right(), row.bottom());
    for (int c = 0; c < columnCount(); ++c) {
        const int x = header()->sectionViewportPosition(c) + header()->sectionSize(c) - 1;
        painter->drawLine(x, row.top(), x, row.bottom());
    }
    painter->restore();
}

void CXListCtrl::paintEvent(QPaintEvent* event)
{
    QTreeWidget::paintEvent(event);
    if (!m_dragging || m_dropRow < 0)
        return;
    // Where the dragged row would go: a line along the top of the row under the mouse, or along
    // the bottom of the last row.
    const bool atEnd = m_dropRow >= topLevelItemCount();
    const QRect target = visualItemRect(topLevelItem(atEnd ? topLevelItemCount() - 1 : m_dropRow));
    QPainter painter(viewport());
    painter.fillRect(
        QRect(target.left(), atEnd ? target.bottom() - 1 : target.top(), viewport()->width(), 2),
        palette().color(QPalette::Highlight));
}

void CXListCtrl::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    ApplyColumnPercents();
}

void CXListCtrl::mousePressEvent(QMouseEvent* event)
{
    EndDrag();
    if (m_rowDragging && event->button() == Qt::LeftButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid() && GetEnabled(index.row())) {
            m_pressedRow = index.row();
            m_pressPoint = event->position().toPoint();
        }
    }
    QTreeWidget::mousePressEvent(event);
}

void CXListCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressedRow >= 0 && (event->buttons() & Qt::LeftButton)) {
        const QPoint at = event->position().toPoint();
        if (!m_dragging &&
            (at - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragging = true;
            viewport()->setCursor(Qt::DragMoveCursor);
        }
        if (m_dragging) {
            m_dropRow = DropRowAt(at);
            viewport()->update();
            return;
        }
    }
    QTreeWidget::mouseMoveEvent(event);
}

void CXListCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        const int from = m_pressedRow;
        const int onto = DropRowAt(event->position().toPoint());
        EndDrag();
        if (onto >= 0 && onto != from)
            Q_EMIT RowDropped(from, onto);
        return;
    }
    m_pressedRow = -1;
    QTreeWidget::mouseReleaseEvent(event);
}

int CXListCtrl::DropRowAt(const QPoint& at) const
{
    const QModelIndex index = indexAt(at);
    if (index.isValid())
        return index.row();
    // Below the last row, inside the list.
    const int count = topLevelItemCount();
    if (count > 0 && viewport()->rect().contains(at) &&
        at.y() > visualItemRect(topLevelItem(count - 1)).bottom())
        return count;
    return -1;
}

void CXListCtrl::EndDrag()
{
    if (m_dragging) {
        viewport()->unsetCursor();
        viewport()->update();
    }
    m_dragging = false;
    m_pressedRow = -1;
    m_dropRow = -1;
}

int CXListCtrl::GetHeightForAllRows() const
{
    const int rows = GetItemCount() > 0 ? GetItemCount() * sizeHintForRow(0) : 0;
    return header()->sizeHint().height() + rows + 2 * frameWidth() + 2;
}
