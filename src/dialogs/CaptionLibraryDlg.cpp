#include "dialogs/CaptionLibraryDlg.h"

#include "app/WaveApp.h"
#include "controls/Pictures.h"
#include "controls/XHtmlTree.h"
#include "controls/XListCtrl.h"
#include "dialogs/DialogControls.h"
#include "model/CaptionLibrary.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using pelko_wave::CCaptionLibraryBase;
using pelko_wave::CResponseCaption;
using pelko_wave::CResponseCaptionGroup;
using pelko_wave::CResponseLibrary;

namespace {

// The OK button's text and the tool tips of OK and Cancel, by mode.
constexpr unsigned kOkTexts[] = {63460, 63459, 63473};
constexpr unsigned kOkTips[] = {63451, 1231, 63474};
constexpr unsigned kCancelTips[] = {63452, 1232, 63475};

// Images of the tree's strip.
enum : int
{
    IMAGE_LIBRARY = 0,
    IMAGE_GROUP = 1,
    IMAGE_CAPTION = 2
};

const QString kXmlFilter = QStringLiteral("XML Files (*.xml)|*.xml|All Files (*.*)|*.*||");
const QString kXmlExtension = QStringLiteral("xml");
const QString kDefaultFileName = QStringLiteral("CaptionsLibrary.xml");

QPushButton* MakeButton(int id, const QString& text, unsigned tip)
{
    auto* button = MakeControl<QPushButton>(id, text);
    button->setAutoDefault(false);
    if (tip)
        button->setToolTip(LoadString(tip));
    return button;
}

QPushButton* MakeSmallButton(int id, const QString& text, unsigned tip)
{
    QPushButton* button = MakeButton(id, text, tip);
    const int side = button->fontMetrics().height() + 12;
    button->setFixedSize(side + 6, side);
    return button;
}

QPushButton* MakeIconButton(int id, unsigned picture, unsigned tip)
{
    QPushButton* button = MakeSmallButton(id, QString(), tip);
    button->setIcon(QIcon(QPixmap::fromImage(LoadPicture(picture))));
    return button;
}

QLabel* Heading(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QString RoleText(const CResponseCaptionGroup& group, const CResponseCaption& caption)
{
    return LoadString(caption.GetGuid() == group.GetBaseLabelId() ? IDS_BASE : IDS_DUPLICATE);
}

// A column of the dialog: its heading, its control and its buttons in a row below.
QVBoxLayout* Column(QLabel* heading, QWidget* control, std::initializer_list<QWidget*> buttons)
{
    auto* column = new QVBoxLayout;
    column->addWidget(heading);
    column->addWidget(control, 1);
    auto* row = new QHBoxLayout;
    for (QWidget* button : buttons)
        row->addWidget(button);
    row->addStretch(1);
    column->addLayout(row);
    return column;
}

} // namespace

CCaptionLibraryDlg::CCaptionLibraryDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Caption Libraries"));
    setProperty("controlId", int(IDD));
    setSizeGripEnabled(true);

    m_tree = MakeControl<CXHtmlTree>(IDC_LIBRARIES);
    m_groupsList = MakeControl<CXListCtrl>(IDC_GROUPS);
    m_labelsList = MakeControl<CXListCtrl>(IDC_LABELS);

    m_newLibrary = MakeSmallButton(IDC_NEW_LIBRARY, QStringLiteral("+"), IDS_NEW_LIBRARY_TIP);
    m_removeLibraryOrGroup = MakeSmallButton(IDC_REMOVE_LIBRARY_OR_GROUP, QStringLiteral("-"),
                                             IDS_REMOVE_LIBRARY_OR_GROUP_TIP);
    m_addGroupToLibrary =
        MakeIconButton(IDC_ADD_GROUP_TO_LIBRARY, IDI_ADD_GROUP_TO_LIBRARY, IDS_ADD_GROUP_TIP);
    m_newGroup = MakeSmallButton(IDC_NEW_GROUP, QStringLiteral("+"), IDS_NEW_GROUP_TIP);
    m_removeGroup =
        MakeSmallButton(IDC_REMOVE_GROUP, QStringLiteral("-"), IDS_REMOVE_GROUP_LIST_TIP);
    m_newLabel = MakeSmallButton(IDC_NEW_LABEL, QStringLiteral("+"), IDS_NEW_LABEL_TIP);
    m_removeLabel = MakeSmallButton(IDC_REMOVE_LABEL, QStringLiteral("-"), IDS_REMOVE_LABEL_TIP);
    m_makeBase = MakeIconButton(IDC_MAKE_BASE, IDI_MAKE_BASE_CAPTION, IDS_MAKE_BASE_TIP);
    m_addCaptions = MakeIconButton(IDC_ADD_CAPTIONS, IDI_ADD_CAPTIONS, IDS_ADD_CAPTIONS_TIP);
    m_addCaptions->hide();
    m_import = MakeButton(IDC_IMPORT, tr("&Import..."), IDS_IMPORT_TIP);
    m_export = MakeButton(IDC_EXPORT, tr("&Export..."), IDS_EXPORT_LIBRARY_TIP);
    m_ok = MakeButton(IDC_OK, QString(), 0);
    m_ok->setDefault(true);
    m_cancel = MakeButton(IDC_CANCEL, tr("Cancel"), 0);

    auto* columns = new QHBoxLayout;
    columns->addLayout(Column(Heading(tr("&Libraries"), m_tree), m_tree,
                              {m_newLibrary, m_removeLibraryOrGroup, m_addGroupToLibrary}),
                       4);
    columns->addLayout(
        Column(Heading(tr("&Groups"), m_groupsList), m_groupsList, {m_newGroup, m_removeGroup}), 3);
    columns->addLayout(Column(Heading(tr("La&bels"), m_labelsList), m_labelsList,
                              {m_newLabel, m_removeLabel, m_makeBase, m_addCaptions}),
                       4);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_import);
    buttons->addWidget(m_export);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(MakeSeparator(IDC_STATUS));
    layout->addLayout(buttons);
    resize(780, 480);

    m_groupsList->InsertColumn(0, LoadString(IDS_GROUP_NAME_COLUMN));
    m_labelsList->InsertColumn(0, LoadString(IDS_LABEL_TEXT_COLUMN));
    m_labelsList->InsertColumn(1, LoadString(IDS_ROLE_COLUMN));
    m_labelsList->SetColumnWidthPercents({70});
    for (CXListCtrl* list : {m_groupsList, m_labelsList}) {
        list->header()->setSectionsClickable(false);
        list->installEventFilter(this);
    }
    m_tree->installEventFilter(this);
    m_tree->setHeaderHidden(true);

    connect(m_newLibrary, &QPushButton::clicked, this, &CCaptionLibraryDlg::OnNewLibrary);
    connect(m_removeLibraryOrGroup, &QPushButton::clicked, this,
            &CCaptionLibraryDlg::OnRemoveLibraryOrGroup);
    connect(m_addGroupToLibrary, &QPushButton::clicked, this,
            &CCaptionLibraryDlg::OnAddGroupToLibrary);
    connect(m_newGroup, &QPushButton::clicked, this, &CCaptionLibraryDlg::OnNewGroup);
    connect(m_removeGroup, &QPushButton::clicked, this, &CCaptionLibraryDlg::OnRemoveGroup);
    connect(m_newLabel, &QPushButton::clicked, this, &CCaptionLibraryDlg::OnNewLabel);
    connect(m_removeLabel, &QPushButton::clicked, this, &CCaptionLibraryDlg::OnRemoveLabel);
    connect(m_addCaptions, &QPushButton::clicked, this, &CCaptionLibraryDlg::OnAddProposedCaptions);
    connect(m_makeBase, &QPushButton::clicked, this, &CCaptionLibraryDlg::OnMakeBaseCaption);
    connect(m_import, &QPushButton::clicked, this, &CCaptionLibraryDlg::OnImport);
    connect(m_export, &QPushButton::clicked, this, &CCaptionLibraryDlg::OnExport);
    connect(m_ok, &QPushButton::clicked, this, &CCaptionLibraryDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CCaptionLibraryDlg::reject);

    // Once the caret has moved (the tree's own report comes before).
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!m_filling)
            UpdateButtons();
    });
    connect(m_tree, &CXHtmlTree::CheckboxClicked, this, &CCaptionLibraryDlg::OnTreeCheck);
    connect(m_tree, &CTreeCtrl::EndLabelEdit, this, &CCaptionLibraryDlg::OnTreeLabelEdited);
    connect(m_groupsList, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (m_filling)
            return;
        FillLabelsList();
        UpdateMakeBase();
        UpdateButtons();
    });
    connect(m_labelsList, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (m_filling)
            return;
        UpdateMakeBase();
        UpdateButtons();
    });
    for (CXListCtrl* list : {m_groupsList, m_labelsList}) {
        connect(list, &CXListCtrl::EndLabelEdit, this,
                [this, list](int row, const QString& text) { OnListLabelEdited(list, row, text); });
        connect(list, &QTreeWidget::itemDoubleClicked, this, [list](QTreeWidgetItem* item) {
            list->EditLabel(list->indexOfTopLevelItem(item));
        });
    }
    SetMode(m_mode);
}

CCaptionLibraryDlg::~CCaptionLibraryDlg()
{
    // The child widgets outlive this destructor and report their selection going as they are
    // torn down; nothing of the dialog may answer by then.
    for (QObject* sender :
         {static_cast<QObject*>(m_tree->selectionModel()), static_cast<QObject*>(m_tree),
          static_cast<QObject*>(m_groupsList), static_cast<QObject*>(m_labelsList)})
        disconnect(sender, nullptr, this, nullptr);
    FreeWorkingCopy();
}

void CCaptionLibraryDlg::SetMode(int mode)
{
    m_mode = std::clamp(mode, 0, 2);
    m_ok->setText(LoadString(kOkTexts[m_mode]));
    m_ok->setToolTip(LoadString(kOkTips[m_mode]));
    m_cancel->setToolTip(LoadString(kCancelTips[m_mode]));
}

void CCaptionLibraryDlg::SetNewCaption(const QString& first, const QString& second)
{
    m_addCaption = true;
    m_firstCaption = first;
    m_secondCaption = second;
}

void CCaptionLibraryDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        InitDialog();
    }
    QDialog::showEvent(event);
}

void CCaptionLibraryDlg::InitDialog()
{
    pelko_wave::CopyCaptionLibraries(m_groups, m_libraries);
    m_tree->Initialize(true, true);
    m_tree->SetSmartCheckBoxes(true);
    const QImage strip = LoadPicture(IDB_CAPTION_LIBRARY_TREE);
    QList<QImage> images;
    for (int i = 0; i < strip.width() / 16; ++i)
        images << strip.copy(i * 16, 0, 16, 16);
    m_tree->SetImageList(images);
    FillControls();
    m_addCaptions->setVisible(m_addCaption);
}

void CCaptionLibraryDlg::FillControls()
{
    FillTree();
    FillGroupsList();
    FillLabelsList();
    UpdateButtons();
    UpdateMakeBase();
}

HTREEITEM CCaptionLibraryDlg::InsertCaptionItem(HTREEITEM groupItem, CResponseCaption* caption)
{
    HTREEITEM item =
        m_tree->InsertItem(caption->GetText(), IMAGE_CAPTION, IMAGE_CAPTION, groupItem, TVI_LAST);
    m_tree->SetItemData(item,
                        reinterpret_cast<quintptr>(static_cast<CCaptionLibraryBase*>(caption)));
    return item;
}

HTREEITEM CCaptionLibraryDlg::MakeGroupItems(CResponseLibrary* library,
                                             CResponseCaptionGroup* group,
                                             QList<HTREEITEM>& ticked) const
{
    HTREEITEM item = m_tree->CreateItem(group->GetName(), IMAGE_GROUP, IMAGE_GROUP);
    m_tree->SetItemData(item, reinterpret_cast<quintptr>(static_cast<CCaptionLibraryBase*>(group)));
    QList<QTreeWidgetItem*> captions;
    captions.reserve(group->GetCaptionCount());
    for (int i = 0; i < group->GetCaptionCount(); ++i) {
        CResponseCaption* caption = group->GetCaptionAt(i);
        HTREEITEM captionItem =
            m_tree->CreateItem(caption->GetText(), IMAGE_CAPTION, IMAGE_CAPTION);
        m_tree->SetItemData(captionItem,
                            reinterpret_cast<quintptr>(static_cast<CCaptionLibraryBase*>(caption)));
        captions << captionItem;
        if (library->GetCaptionState(caption) > 0)
            ticked << captionItem;
    }
    item->addChildren(captions);
    return item;
}

void CCaptionLibraryDlg::TickItems(const QList<HTREEITEM>& items)
{
    const bool filling = std::exchange(m_filling, true);
    for (HTREEITEM item : items)
        m_tree->SetCheck(item, true);
    m_filling = filling;
}

HTREEITEM CCaptionLibraryDlg::InsertGroupItems(HTREEITEM libraryItem, CResponseLibrary* library,
                                               CResponseCaptionGroup* group)
{
    QList<HTREEITEM> ticked;
    HTREEITEM item = m_tree->InsertSubtree(MakeGroupItems(library, group, ticked), libraryItem);
    TickItems(ticked);
    return item;
}

void CCaptionLibraryDlg::FillTree()
{
    const bool filling = std::exchange(m_filling, true);
    m_tree->setUpdatesEnabled(false);
    m_tree->DeleteAllItems();
    // Each library's items are made apart and go into the tree at once.
    for (CResponseLibrary* library : std::as_const(m_libraries)) {
        HTREEITEM item = m_tree->CreateItem(library->GetName(), IMAGE_LIBRARY, IMAGE_LIBRARY);
        m_tree->SetItemData(item,
                            reinterpret_cast<quintptr>(static_cast<CCaptionLibraryBase*>(library)));
        QList<HTREEITEM> ticked;
        QList<QTreeWidgetItem*> groups;
        groups.reserve(library->GetGroupCount());
        qsizetype captions = 0;
        for (int i = 0; i < library->GetGroupCount(); ++i)
            captions += library->GetGroupAt(i)->GetCaptionCount();
        ticked.reserve(captions);
        for (int i = 0; i < library->GetGroupCount(); ++i)
            groups << MakeGroupItems(library, library->GetGroupAt(i), ticked);
        item->addChildren(groups);
        m_tree->InsertSubtree(item);
        TickItems(ticked);
    }
    m_tree->ExpandAll();
    m_tree->setUpdatesEnabled(true);
    m_filling = filling;
}

void CCaptionLibraryDlg::FillGroupsList()
{
    const bool filling = std::exchange(m_filling, true);
    m_groupsList->DeleteAllItems();
    for (CResponseCaptionGroup* group : std::as_const(m_groups)) {
        const int row = m_groupsList->InsertItem(m_groupsList->GetItemCount(), group->GetName());
        m_groupsList->SetItemData(
            row, reinterpret_cast<quintptr>(static_cast<CCaptionLibraryBase*>(group)));
    }
    m_groupsList->SetCurSel(m_groups.isEmpty() ? -1 : 0);
    m_filling = filling;
}

void CCaptionLibraryDlg::FillLabelsList()
{
    const bool filling = std::exchange(m_filling, true);
    m_labelsList->DeleteAllItems();
    if (CResponseCaptionGroup* group = SelectedGroup()) {
        for (int i = 0; i < group->GetCaptionCount(); ++i) {
            CResponseCaption* caption = group->GetCaptionAt(i);
            const int row = m_labelsList->InsertItem(i, caption->GetText());
            m_labelsList->SetItemText(row, 1, RoleText(*group, *caption));
            m_labelsList->SetItemData(
                row, reinterpret_cast<quintptr>(static_cast<CCaptionLibraryBase*>(caption)));
        }
        if (group->GetCaptionCount() > 0)
            m_labelsList->SetCurSel(0);
    }
    m_filling = filling;
}

CCaptionLibraryBase* CCaptionLibraryDlg::NodeOf(const CXHtmlTree& tree, HTREEITEM item)
{
    return item ? reinterpret_cast<CCaptionLibraryBase*>(tree.GetItemData(item)) : nullptr;
}

CResponseCaptionGroup* CCaptionLibraryDlg::SelectedGroup() const
{
    const int row = m_groupsList->GetCurSel();
    if (row < 0)
        return nullptr;
    return dynamic_cast<CResponseCaptionGroup*>(
        reinterpret_cast<CCaptionLibraryBase*>(m_groupsList->GetItemData(row)));
}

CResponseCaption* CCaptionLibraryDlg::SelectedLabel() const
{
    const int row = m_labelsList->GetCurSel();
    if (row < 0)
        return nullptr;
    return dynamic_cast<CResponseCaption*>(
        reinterpret_cast<CCaptionLibraryBase*>(m_labelsList->GetItemData(row)));
}

CCaptionLibraryBase* CCaptionLibraryDlg::SelectedTreeNode() const
{
    return NodeOf(*m_tree, m_tree->GetSelectedItem());
}

QList<HTREEITEM> CCaptionLibraryDlg::TreeItemsOf(const CCaptionLibraryBase* node) const
{
    QList<HTREEITEM> items;
    for (HTREEITEM walk = m_tree->GetRootItem(); walk; walk = m_tree->GetNextTreeItem(walk))
        if (NodeOf(*m_tree, walk) == node)
            items << walk;
    return items;
}

CResponseLibrary* CCaptionLibraryDlg::LibraryOfItem(HTREEITEM item) const
{
    HTREEITEM root = item;
    while (root && m_tree->GetParentItem(root))
        root = m_tree->GetParentItem(root);
    return dynamic_cast<CResponseLibrary*>(NodeOf(*m_tree, root));
}

int CCaptionLibraryDlg::RowOf(const CXListCtrl& list, const CCaptionLibraryBase* node) const
{
    for (int row = 0; row < list.GetItemCount(); ++row)
        if (reinterpret_cast<const CCaptionLibraryBase*>(list.GetItemData(row)) == node)
            return row;
    return -1;
}

void CCaptionLibraryDlg::UpdateButtons()
{
    CResponseCaptionGroup* group = SelectedGroup();
    CCaptionLibraryBase* node = SelectedTreeNode();
    auto* library = dynamic_cast<CResponseLibrary*>(node);
    const bool nodeIsGroup = dynamic_cast<CResponseCaptionGroup*>(node) != nullptr;
    m_removeLabel->setEnabled(SelectedLabel() != nullptr);
    m_removeGroup->setEnabled(group != nullptr);
    m_newLabel->setEnabled(group != nullptr);
    m_removeLibraryOrGroup->setEnabled(library || nodeIsGroup);
    m_removeLibraryOrGroup->setToolTip(LoadString(library       ? IDS_REMOVE_LIBRARY_TIP
                                                  : nodeIsGroup ? IDS_REMOVE_GROUP_TIP
                                                                : IDS_REMOVE_LIBRARY_OR_GROUP_TIP));
    m_newLibrary->setEnabled(true);
    m_newGroup->setEnabled(true);
    m_addGroupToLibrary->setEnabled(group && library && !library->ContainsGroup(group));
    m_addCaptions->setEnabled(group != nullptr);
}

void CCaptionLibraryDlg::UpdateMakeBase()
{
    const CResponseCaption* caption = SelectedLabel();
    m_makeBase->setEnabled(caption && caption->GetGroup() &&
                           !(caption->GetGuid() == caption->GetGroup()->GetBaseLabelId()));
}

void CCaptionLibraryDlg::OnNewLibrary()
{
    auto* library = new CResponseLibrary(tr("(library name)"));
    m_libraries.append(library);
    HTREEITEM item =
        m_tree->InsertItem(library->GetName(), IMAGE_LIBRARY, IMAGE_LIBRARY, TVI_ROOT, TVI_LAST);
    m_tree->SetItemData(item,
                        reinterpret_cast<quintptr>(static_cast<CCaptionLibraryBase*>(library)));
    m_tree->SelectItem(item);
    m_tree->setFocus();
    m_tree->EditLabel(item);
}

void CCaptionLibraryDlg::OnRemoveLibraryOrGroup()
{
    HTREEITEM item = m_tree->GetSelectedItem();
    CCaptionLibraryBase* node = NodeOf(*m_tree, item);
    if (auto* library = dynamic_cast<CResponseLibrary*>(node)) {
        m_libraries.removeOne(library);
        m_tree->DeleteItem(item);
        delete library;
    } else if (auto* group = dynamic_cast<CResponseCaptionGroup*>(node)) {
        HTREEITEM libraryItem = m_tree->GetParentItem(item);
        if (auto* library = dynamic_cast<CResponseLibrary*>(NodeOf(*m_tree, libraryItem)))
            library->RemoveGroup(group);
        // The group stays among the working groups.
        m_tree->DeleteItem(item);
        m_tree->SelectItem(libraryItem);
    }
    UpdateButtons();
}

void CCaptionLibraryDlg::OnAddGroupToLibrary()
{
    CResponseCaptionGroup* group = SelectedGroup();
    HTREEITEM libraryItem = m_tree->GetSelectedItem();
    auto* library = dynamic_cast<CResponseLibrary*>(NodeOf(*m_tree, libraryItem));
    if (!group || !library || library->ContainsGroup(group))
        return;
    library->AddGroup(group);
    HTREEITEM item = InsertGroupItems(libraryItem, library, group);
    m_tree->Expand(libraryItem, TVE_EXPAND);
    m_tree->Expand(item, TVE_EXPAND);
    m_tree->SelectItem(item);
    UpdateButtons();
}

void CCaptionLibraryDlg::OnNewGroup()
{
    auto* group = new CResponseCaptionGroup(LoadString(IDS_GROUP_NAME));
    m_groups.append(group);
    const int row = m_groupsList->InsertItem(m_groupsList->GetItemCount(), group->GetName());
    m_groupsList->SetItemData(row,
                              reinterpret_cast<quintptr>(static_cast<CCaptionLibraryBase*>(group)));
    m_groupsList->SetCurSel(row);
    m_groupsList->setFocus();
    m_groupsList->EditLabel(row);
}

void CCaptionLibraryDlg::OnRemoveGroup()
{
    CResponseCaptionGroup* group = SelectedGroup();
    if (!group)
        return;
    {
        // The labels list still shows the group's captions: emptied with the row.
        const bool filling = std::exchange(m_filling, true);
        m_labelsList->DeleteAllItems();
        m_groupsList->DeleteItem(m_groupsList->GetCurSel());
        m_filling = filling;
    }
    for (HTREEITEM item : TreeItemsOf(group)) {
        if (auto* library =
                dynamic_cast<CResponseLibrary*>(NodeOf(*m_tree, m_tree->GetParentItem(item))))
            library->RemoveGroup(group);
        m_tree->DeleteItem(item);
    }
    for (int i = group->GetCaptionCount() - 1; i >= 0; --i)
        group->RemoveCaption(group->GetCaptionAt(i));
    m_groups.removeOne(group);
    delete group;
    FillLabelsList();
    UpdateButtons();
    UpdateMakeBase();
}

void CCaptionLibraryDlg::OnNewLabel()
{
    AddCaptions({LoadString(IDS_LABEL_TEXT)});
}

void CCaptionLibraryDlg::OnAddProposedCaptions()
{
    AddCaptions({m_firstCaption, m_secondCaption});
}

void CCaptionLibraryDlg::AddCaptions(const QStringList& texts)
{
    CResponseCaptionGroup* group = SelectedGroup();
    if (!group || texts.isEmpty())
        return;
    const QList<HTREEITEM> groupItems = TreeItemsOf(group);
    HTREEITEM lastItem = nullptr;
    int lastRow = -1;
    const bool filling = std::exchange(m_filling, true);
    for (const QString& text : texts) {
        CResponseCaption* caption =
            group->AddCaption(std::make_unique<CResponseCaption>(text, group));
        lastRow = m_labelsList->InsertItem(m_labelsList->GetItemCount(), text);
        m_labelsList->SetItemText(lastRow, 1, LoadString(IDS_DUPLICATE));
        m_labelsList->SetItemData(
            lastRow, reinterpret_cast<quintptr>(static_cast<CCaptionLibraryBase*>(caption)));
        // Every library that holds the group gets the caption, not ticked.
        for (HTREEITEM groupItem : groupItems) {
            CResponseLibrary* library = LibraryOfItem(groupItem);
            if (!library)
                continue;
            library->SetCaptionState(caption, 0);
            lastItem = InsertCaptionItem(groupItem, caption);
        }
    }
    m_labelsList->SetCurSel(lastRow);
    m_filling = filling;
    if (lastItem)
        m_tree->SelectItem(lastItem);
    m_labelsList->setFocus();
    if (texts.size() == 1)
        m_labelsList->EditLabel(lastRow);
    UpdateMakeBase();
    UpdateButtons();
}

void CCaptionLibraryDlg::OnRemoveLabel()
{
    CResponseCaption* caption = SelectedLabel();
    CResponseCaptionGroup* group = caption ? caption->GetGroup() : nullptr;
    if (!caption || !group)
        return;
    {
        const bool filling = std::exchange(m_filling, true);
        m_labelsList->DeleteItem(m_labelsList->GetCurSel());
        m_filling = filling;
    }
    for (HTREEITEM item : TreeItemsOf(caption)) {
        if (CResponseLibrary* library = LibraryOfItem(item))
            library->RemoveCaptionState(caption);
        m_tree->DeleteItem(item);
    }
    group->RemoveCaption(caption);
    UpdateMakeBase();
    UpdateButtons();
}

void CCaptionLibraryDlg::OnMakeBaseCaption()
{
    CResponseCaption* caption = SelectedLabel();
    if (!caption || !caption->GetGroup())
        return;
    caption->GetGroup()->SetBaseLabelIdText(caption->GetGuidText());
    RewriteRoles();
    UpdateMakeBase();
    UpdateButtons();
}

void CCaptionLibraryDlg::RewriteRoles()
{
    for (int row = 0; row < m_labelsList->GetItemCount(); ++row) {
        auto* caption = dynamic_cast<CResponseCaption*>(
            reinterpret_cast<CCaptionLibraryBase*>(m_labelsList->GetItemData(row)));
        if (caption && caption->GetGroup())
            m_labelsList->SetItemText(row, 1, RoleText(*caption->GetGroup(), *caption));
    }
}

void CCaptionLibraryDlg::OnTreeCheck(HTREEITEM item, int checked)
{
    if (m_filling)
        return;
    CCaptionLibraryBase* node = NodeOf(*m_tree, item);
    CResponseLibrary* library = LibraryOfItem(item);
    if (!node || !library)
        return;
    const int state = checked ? 1 : 0;
    const auto tickGroup = [library, state](const CResponseCaptionGroup& group) {
        for (int i = 0; i < group.GetCaptionCount(); ++i)
            library->SetCaptionState(group.GetCaptionAt(i), state);
    };
    if (auto* caption = dynamic_cast<CResponseCaption*>(node))
        library->SetCaptionState(caption, state);
    else if (auto* group = dynamic_cast<CResponseCaptionGroup*>(node))
        tickGroup(*group);
    else
        for (int i = 0; i < library->GetGroupCount(); ++i)
            tickGroup(*library->GetGroupAt(i));
}

void CCaptionLibraryDlg::OnTreeLabelEdited(HTREEITEM item, const QString& text)
{
    Rename(NodeOf(*m_tree, item), text);
}

void CCaptionLibraryDlg::OnListLabelEdited(CXListCtrl* list, int row, const QString& text)
{
    Rename(reinterpret_cast<CCaptionLibraryBase*>(list->GetItemData(row)), text);
}

void CCaptionLibraryDlg::Rename(CCaptionLibraryBase* node, const QString& text)
{
    if (!node || text == node->GetName())
        return;
    // Libraries, groups and captions are known by their names: a blank one is refused, and the
    // old name stays.
    if (text.trimmed().isEmpty()) {
        GetWindowServices().MessageBox(FormatString(LoadString(IDS_BLANK_NAME), {node->GetName()}),
                                       MB_OK | MB_ICONWARNING);
        return;
    }
    node->SetName(text);
    ShowNewName(node);
}

void CCaptionLibraryDlg::ShowNewName(const CCaptionLibraryBase* node)
{
    const QString name = node->GetName();
    for (HTREEITEM item : TreeItemsOf(node))
        m_tree->SetItemText(item, name);
    for (CXListCtrl* list : {m_groupsList, m_labelsList}) {
        const int row = RowOf(*list, node);
        if (row >= 0)
            list->SetItemText(row, 0, name);
    }
}

bool CCaptionLibraryDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        if (watched == m_tree) {
            m_tree->EditLabel(m_tree->GetSelectedItem());
            return true;
        }
        if (auto* list = qobject_cast<CXListCtrl*>(watched)) {
            list->EditLabel(list->GetCurSel());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CCaptionLibraryDlg::OnImport()
{
    const QString path = GetWindowServices().ChooseFileToOpen(kXmlFilter, kXmlExtension);
    if (path.isEmpty())
        return;
    QList<CResponseCaptionGroup*> groups;
    QList<CResponseLibrary*> libraries;
    if (!CWaveApp::LoadCaptionLibraries(path, groups, libraries) ||
        (groups.isEmpty() && libraries.isEmpty())) {
        pelko_wave::FreeCaptionLibraries(groups, libraries);
        GetWindowServices().MessageBox(tr("Unable to import the captions library."),
                                       MB_ICONWARNING);
        return;
    }
    // An imported file is a new set of nodes, however often the same file comes in.
    for (CResponseLibrary* library : std::as_const(libraries)) {
        GUID guid;
        if (CreateGuid(guid))
            library->SetGuid(guid);
    }
    for (CResponseCaptionGroup* group : std::as_const(groups)) {
        GUID guid;
        if (CreateGuid(guid))
            group->SetGuid(guid);
    }
    m_groups.append(groups);
    m_libraries.append(libraries);
    FillControls();
}

void CCaptionLibraryDlg::OnExport()
{
    const QString path =
        GetWindowServices().ChooseFileToSave(kDefaultFileName, kXmlFilter, kXmlExtension);
    if (path.isEmpty())
        return;
    if (!CWaveApp::SaveCaptionLibraries(path, m_groups, m_libraries))
        GetWindowServices().MessageBox(tr("Unable to export the captions library."),
                                       MB_ICONWARNING);
}

void CCaptionLibraryDlg::accept()
{
    if (!m_initialised)
        return;
    pelko_wave::SetCaptionLibraries(m_groups, m_libraries);
    QDialog::accept();
}

void CCaptionLibraryDlg::reject()
{
    FreeWorkingCopy();
    QDialog::reject();
}

void CCaptionLibraryDlg::FreeWorkingCopy()
{
    if (m_groups.isEmpty() && m_libraries.isEmpty())
        return;
    // The tree and the lists point at the nodes: emptied first.
    const bool filling = std::exchange(m_filling, true);
    m_tree->DeleteAllItems();
    m_groupsList->DeleteAllItems();
    m_labelsList->DeleteAllItems();
    m_filling = filling;
    pelko_wave::FreeCaptionLibraries(m_groups, m_libraries);
}
