#include "dialogs/OptionsSheet.h"

#include "controls/PropPageFrame.h"
#include "dialogs/DiffsOptionsPages.h"
#include "dialogs/ReconOptionsPage.h"
#include "dialogs/ShellDialogs.h"
#include "dialogs/UserDefinedAppsOptionsPage.h"
#include "dialogs/ViewOptionsPage.h"

#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace {

// The room the tree leaves beside its longest caption, and around each caption's text.
constexpr int kTreeTextMargin = 16;
constexpr int kTreeRowPadding = 6;

// Rows of the page tree with room above and below their text.
class CPageTreeDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, kTreeRowPadding);
    }
};

} // namespace

COptionsSheet::COptionsSheet(SOptionsSheetRecords& records, SEnvironmentPageActions actions,
                             QWidget* parent)
    : CTreePropSheet(tr("Options"), parent), m_records(records)
{
    SetTreeViewMode(true);
    actions.ClearRecentFiles = records.ClearRecentFiles;
    m_general =
        new CEnvironmentGenOptionsPage(records.Language, records.Environment, std::move(actions));
    m_view = new CViewOptionsPage(records.View);
    m_userApps = new CUserDefinedAppsOptionsPage(records.UserApps);
    m_questionDiffs = new CQuestionsDiffOptionsPage(records.QuestionDiffs);
    m_modalityDiffs = new CModalitiesDiffOptionsPage(records.ModalityDiffs);
    m_reconciliation = new CReconOptionsPage(records.NGram, records.Reconciliation);
    for (TreePropSheet::CPropertyPage* page : std::initializer_list<TreePropSheet::CPropertyPage*>{
             m_general, m_view, m_userApps, m_questionDiffs, m_modalityDiffs, m_reconciliation})
        AddPage(page);
}

void COptionsSheet::Create()
{
    EnsureCreated();
    // Room for the largest page, every control of it whole.
    QSize pages;
    for (int i = 0; i < GetPageCount(); ++i)
        pages = pages.expandedTo(GetPage(i)->sizeHint());
    if (TreePropSheet::CPropPageFrame* frame = GetFrame())
        frame->GetWindow()->setMinimumSize(pages);
    // Every node's text whole, however deep it stands, on a row with room around it.
    if (QTreeWidget* tree = GetPageTreeControl()) {
        tree->setItemDelegate(new CPageTreeDelegate(tree));
        // The view's own measure, indentation included.
        const QAbstractItemView* view = tree;
        const int needed = view->sizeHintForColumn(0) + 2 * tree->frameWidth() + kTreeTextMargin;
        if (needed > tree->width())
            tree->setFixedWidth(needed);
    }
    resize(size().expandedTo(sizeHint()));
}

void COptionsSheet::TakeShownPages() const
{
    m_records.GeneralPageShown = m_general->IsInitialised();
    m_records.ViewPageShown = m_view->IsInitialised();
    m_records.UserAppsPageShown = m_userApps->IsInitialised();
    m_records.QuestionDiffsPageShown = m_questionDiffs->IsInitialised();
    m_records.ModalityDiffsPageShown = m_modalityDiffs->IsInitialised();
    m_records.ReconciliationPageShown = m_reconciliation->IsInitialised();
}
