#include "controls/TreePropSheet.h"

#include "controls/ControlDialogs.h"
#include "controls/PropPageFrame.h"
#include "grid/LogFont.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace TreePropSheet {

namespace {
constexpr int PageRole = Qt::UserRole;

// The height of a tab of the desktop's tab bars: the caption bar takes it.
int TabHeight()
{
    QTabBar bar;
    bar.addTab(QString());
    return bar.tabRect(0).height();
}

// The rows of the page tree, with some air between them.
class CPageTreeRows final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 6);
    }
};
} // namespace

CPropertyPage::CPropertyPage(const QString& caption, QWidget* parent) : QWidget(parent)
{
    setWindowTitle(caption);
}

CTreePropSheet::CTreePropSheet(const QString& title, QWidget* parent, int selectPage)
    : QDialog(parent), m_selectPage(selectPage)
{
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

CTreePropSheet::~CTreePropSheet()
{
    delete m_frame;
}

CPropertyPage* CTreePropSheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[size_t(index)] : nullptr;
}

void CTreePropSheet::AddPage(CPropertyPage* page, int)
{
    if (!page)
        return;
    m_pages.push_back(page);
    page->setParent(this);
    page->hide();
    if (!m_created)
        return;
    if (m_tabs) {
        m_tabs->addTab(page, page->GetCaption());
        return;
    }
    m_stack->addWidget(page);
    RebuildPageTree();
    SelectTreeItemForPage(m_active);
}

void CTreePropSheet::RemovePage(int index)
{
    CPropertyPage* page = GetPage(index);
    if (!page)
        return;
    m_pages.erase(m_pages.begin() + index);
    if (m_active == index)
        m_active = -1;
    else if (m_active > index)
        --m_active;
    delete page;
    if (m_created && !m_tabs) {
        RebuildPageTree();
        SelectTreeItemForPage(m_active);
        UpdatePageCaption();
    }
}

bool CTreePropSheet::SetTreeViewMode(bool treeMode, bool pageCaption, bool treeImages)
{
    if (m_created)
        return false;
    m_treeMode = treeMode;
    if (treeMode) {
        m_showPageCaption = pageCaption;
        m_treeImages = treeImages;
    }
    return true;
}

void CTreePropSheet::SetEmptyPageText(const QString& format)
{
    m_emptyPageText = format;
    if (m_created && !m_tabs)
        UpdatePageCaption();
}

QString CTreePropSheet::FormatEmptyPageMessage(const QString& format, const QString& caption)
{
    return FormatString(format, {caption});
}

QTreeWidget* CTreePropSheet::CreatePageTreeControl()
{
    return new QTreeWidget();
}

CPropPageFrame* CTreePropSheet::CreatePageFrameObject()
{
    return new CPropPageFrameDefault();
}

void CTreePropSheet::showEvent(QShowEvent* event)
{
    EnsureCreated();
    QDialog::showEvent(event);
}

void CTreePropSheet::EnsureCreated()
{
    if (m_created)
        return;
    m_created = true;
    auto* layout = new QVBoxLayout(this);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CTreePropSheet::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CTreePropSheet::reject);

    if (!m_treeMode) {
        m_tabs = new QTabWidget(this);
        for (CPropertyPage* page : m_pages)
            m_tabs->addTab(page, page->GetCaption());
        connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { m_active = index; });
        layout->addWidget(m_tabs, 1);
        layout->addWidget(m_buttons);
        if (GetPage(m_selectPage))
            m_tabs->setCurrentIndex(m_selectPage);
        m_active = m_tabs->currentIndex();
        return;
    }

    auto* body = new QHBoxLayout();
    body->setSpacing(5);
    m_pageTree = CreatePageTreeControl();
    m_pageTree->setParent(this);
    m_pageTree->setObjectName(QStringLiteral("PageTree"));
    m_pageTree->setHeaderHidden(true);
    m_pageTree->setRootIsDecorated(true);
    m_pageTree->setFixedWidth(m_treeWidth - 5);
    m_pageTree->setFont(NamedFont(QStringLiteral("MS Shell Dlg 2"), 16));
    m_pageTree->setItemDelegate(new CPageTreeRows(m_pageTree));
    body->addWidget(m_pageTree);

    m_frame = CreatePageFrameObject();
    m_frame->Create(QRect(), this, 0xFFFF);
    m_frame->SetCaptionVisible(m_showPageCaption);
    m_frame->SetCaptionHeight(TabHeight());
    m_stack = new QStackedWidget(m_frame->GetWindow());
    for (CPropertyPage* page : m_pages)
        m_stack->addWidget(page);
    m_stack->hide();
    body->addWidget(m_frame->GetWindow(), 1);
    layout->addLayout(body, 1);
    layout->addWidget(m_buttons);

    connect(m_pageTree, &QTreeWidget::currentItemChanged, this,
            &CTreePropSheet::OnTreeCurrentChanged);
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, &CTreePropSheet::SelectNextTreePage);
    for (const QKeyCombination keys :
         {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab}) {
        auto* previous = new QShortcut(QKeySequence(keys), this);
        connect(previous, &QShortcut::activated, this, &CTreePropSheet::SelectPreviousTreePage);
    }

    RebuildPageTree();
    if (GetPage(m_selectPage))
        SetActivePage(m_selectPage);
    SelectTreeItemForPage(m_active);
    UpdatePageCaption();
    resize(sizeHint().expandedTo(QSize(m_treeWidth + 420, 360)));
}

int CTreePropSheet::PageIndexOf(const QTreeWidgetItem* node)
{
    return node ? node->data(0, PageRole).toInt() : -1;
}

QString CTreePropSheet::SplitCaptionPath(QString& path)
{
    const QString separator = QStringLiteral("::");
    qsizetype at = path.indexOf(separator);
    while (at > 0) {
        qsizetype backslashes = 0;
        while (at - backslashes > 0 && path[at - backslashes - 1] == u'\\')
            ++backslashes;
        if (backslashes % 2 == 0)
            break;
        at = path.indexOf(separator, at + 1);
    }
    if (at < 0) {
        const QString last = path;
        path.clear();
        return last;
    }
    QString level = path.left(at);
    path = path.mid(at + separator.size());
    level.replace(QStringLiteral("\\::"), separator);
    level.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return level;
}

QTreeWidgetItem* CTreePropSheet::FindOrInsertTreeItem(QString path, QTreeWidgetItem* parent)
{
    QString level = SplitCaptionPath(path);
    // A path starting with the separator has an empty first level: it names no node.
    while (level.isEmpty() && !path.isEmpty())
        level = SplitCaptionPath(path);
    QTreeWidgetItem* node = nullptr;
    const int count = parent ? parent->childCount() : m_pageTree->topLevelItemCount();
    for (int i = 0; i < count && !node; ++i) {
        QTreeWidgetItem* child = parent ? parent->child(i) : m_pageTree->topLevelItem(i);
        if (child->text(0) == level)
            node = child;
    }
    if (!node) {
        node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_pageTree);
        node->setText(0, level);
        node->setData(0, PageRole, -1);
    }
    if (path.isEmpty())
        return node;
    return FindOrInsertTreeItem(path, node);
}

void CTreePropSheet::RebuildPageTree()
{
    if (!m_pageTree)
        return;
    const bool wasInChange = m_inSelChange;
    m_inSelChange = true;
    m_pageTree->clear();
    for (int i = 0; i < GetPageCount(); ++i) {
        if (QTreeWidgetItem* node = FindOrInsertTreeItem(m_pages[size_t(i)]->GetCaption(), nullptr))
            node->setData(0, PageRole, i);
    }
    m_pageTree->expandAll();
    m_inSelChange = wasInChange;
    // The tree is at least as wide as the sheet gives it, and wider where a caption would not
    // fit: a font of this desktop may be wider than the one the width was chosen for.
    const int needed = static_cast<const QAbstractItemView*>(m_pageTree)->sizeHintForColumn(0) +
                       2 * m_pageTree->frameWidth() + 8;
    m_pageTree->setFixedWidth(std::max(m_treeWidth - 5, needed));
}

QTreeWidgetItem* CTreePropSheet::FindTreeItemForPage(int page, QTreeWidgetItem* start) const
{
    if (page < 0 || page >= GetPageCount() || !start)
        return nullptr;
    for (QTreeWidgetItem* node = start; node;) {
        if (PageIndexOf(node) == page)
            return node;
        if (node->childCount() > 0) {
            if (QTreeWidgetItem* found = FindTreeItemForPage(page, node->child(0)))
                return found;
        }
        QTreeWidgetItem* parent = node->parent();
        const int index =
            parent ? parent->indexOfChild(node) : m_pageTree->indexOfTopLevelItem(node);
        const int siblings = parent ? parent->childCount() : m_pageTree->topLevelItemCount();
        node = index + 1 < siblings
                   ? (parent ? parent->child(index + 1) : m_pageTree->topLevelItem(index + 1))
                   : nullptr;
    }
    return nullptr;
}

void CTreePropSheet::SelectTreeItemForPage(int page)
{
    if (!m_pageTree)
        return;
    if (QTreeWidgetItem* node = FindTreeItemForPage(page, m_pageTree->topLevelItem(0))) {
        const bool wasInChange = m_inSelChange;
        m_inSelChange = true;
        m_pageTree->setCurrentItem(node);
        m_inSelChange = wasInChange;
    }
}

bool CTreePropSheet::DeactivateCurrentPage()
{
    CPropertyPage* page = GetPage(m_active);
    if (!page || !m_stack->isVisible())
        return true;
    if (!page->OnKillActive())
        return false;
    m_stack->hide();
    m_active = -1;
    return true;
}

void CTreePropSheet::ShowPage(int index)
{
    m_active = index;
    m_stack->setCurrentWidget(m_pages[size_t(index)]);
    m_pages[size_t(index)]->show();
    m_stack->show();
}

bool CTreePropSheet::SetActivePage(int index)
{
    if (!GetPage(index))
        return false;
    if (m_tabs) {
        m_tabs->setCurrentIndex(index);
        return true;
    }
    if (!m_created) {
        m_selectPage = index;
        return true;
    }
    if (index == m_active && m_stack->isVisible())
        return true;
    if (!DeactivateCurrentPage())
        return false;
    ShowPage(index);
    SelectTreeItemForPage(index);
    UpdatePageCaption();
    return true;
}

void CTreePropSheet::OnTreeCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    if (m_inSelChange)
        return;
    m_inSelChange = true;
    const int page = PageIndexOf(current);
    bool done = true;
    if (page >= 0 && page < GetPageCount()) {
        if (page != m_active || !m_stack->isVisible()) {
            done = DeactivateCurrentPage();
            if (done)
                ShowPage(page);
        }
    } else {
        done = DeactivateCurrentPage();
    }
    if (!done && previous)
        m_pageTree->setCurrentItem(previous); // the page keeps the focus
    m_pageTree->setFocus(Qt::OtherFocusReason);
    m_inSelChange = false;
    UpdatePageCaption();
}

void CTreePropSheet::UpdatePageCaption()
{
    if (!m_pageTree || !m_frame)
        return;
    const bool realPage = GetPage(m_active) && m_stack->isVisible();
    QTreeWidgetItem* node = m_pageTree->currentItem();
    if (!node)
        return;
    const QString caption = node->text(0);
    if (!realPage)
        m_frame->SetMessageText(FormatEmptyPageMessage(m_emptyPageText, caption));
    if (m_frame->IsCaptionVisible())
        m_frame->SetCaption(caption);
}

void CTreePropSheet::SelectNode(QTreeWidgetItem* node)
{
    if (node)
        m_pageTree->setCurrentItem(node);
}

void CTreePropSheet::SelectNextTreePage()
{
    if (!m_created)
        return;
    if (m_tabs) {
        if (m_tabs->count() > 0)
            m_tabs->setCurrentIndex((m_tabs->currentIndex() + 1) % m_tabs->count());
        return;
    }
    QTreeWidgetItem* node = m_pageTree->currentItem();
    if (!node)
        return;
    QTreeWidgetItem* next = nullptr;
    if (node->childCount() > 0) {
        next = node->child(0);
    } else {
        for (QTreeWidgetItem* at = node; at && !next; at = at->parent()) {
            QTreeWidgetItem* parent = at->parent();
            const int index =
                parent ? parent->indexOfChild(at) : m_pageTree->indexOfTopLevelItem(at);
            const int siblings = parent ? parent->childCount() : m_pageTree->topLevelItemCount();
            if (index + 1 < siblings)
                next = parent ? parent->child(index + 1) : m_pageTree->topLevelItem(index + 1);
        }
    }
    SelectNode(next ? next : m_pageTree->topLevelItem(0));
}

void CTreePropSheet::SelectPreviousTreePage()
{
    if (!m_created)
        return;
    if (m_tabs) {
        const int count = m_tabs->count();
        if (count > 0)
            m_tabs->setCurrentIndex((m_tabs->currentIndex() + count - 1) % count);
        return;
    }
    QTreeWidgetItem* node = m_pageTree->currentItem();
    if (!node)
        return;
    QTreeWidgetItem* parent = node->parent();
    const int index = parent ? parent->indexOfChild(node) : m_pageTree->indexOfTopLevelItem(node);
    QTreeWidgetItem* previous = nullptr;
    if (index > 0) {
        previous = parent ? parent->child(index - 1) : m_pageTree->topLevelItem(index - 1);
    } else if (parent) {
        SelectNode(parent);
        return;
    } else {
        previous = m_pageTree->topLevelItem(m_pageTree->topLevelItemCount() - 1);
    }
    while (previous && previous->childCount() > 0)
        previous = previous->child(previous->childCount() - 1);
    SelectNode(previous);
}

int CTreePropSheet::DoModal()
{
    EnsureCreated();
    return GetControlDialogs().RunModal(*this);
}

void CTreePropSheet::accept()
{
    if (CPropertyPage* page = GetPage(m_active); page && !page->OnKillActive())
        return;
    done(IDOK);
}

void CTreePropSheet::reject()
{
    done(IDCANCEL);
}

} // namespace TreePropSheet
