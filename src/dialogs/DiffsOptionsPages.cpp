#include "dialogs/DiffsOptionsPages.h"

#include "controls/XListCtrl.h"
#include "dialogs/DialogControls.h"
#include "reconcile/PropertyCaptions.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// The kinds listed: questions 0 to 25, responses 0 to 11.
constexpr int kQuestionKinds = 26;
constexpr int kResponseKinds = 12;

} // namespace

CDiffsOptionsPage::CDiffsOptionsPage(const QString& caption, int templateId, int listId,
                                     const QString& text, CDiffsOptions& options, SKinds kinds,
                                     QWidget* parent)
    : COptionsPage(caption, parent), m_options(options), m_kinds(std::move(kinds))
{
    setProperty("controlId", templateId);
    auto* intro = new QLabel(text, this);
    intro->setWordWrap(true);
    m_list = MakeControl<CXListCtrl>(listId, this);
    m_list->SetGridLines(true);
    m_list->InsertColumn(0, LoadString(IDS_ENABLE_COLUMN));
    m_list->InsertColumn(1, LoadString(IDS_PART_COLUMN));
    m_list->SetColumnWidthPercents({20});
    m_list->SetTextCallback([this](int, int column, quintptr kind) {
        return column == 1 ? m_kinds.Caption(int(kind)) : QString();
    });
    intro->setBuddy(m_list);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(intro);
    layout->addWidget(m_list, 1);

    connect(m_list, &CXListCtrl::CheckboxClicked, this, &CDiffsOptionsPage::CopyTicks);
    connect(m_list, &CXListCtrl::HeaderClicked, this, &CDiffsOptionsPage::CopyTicks);
}

void CDiffsOptionsPage::OnInitDialog()
{
    m_list->DeleteAllItems();
    for (int kind = 0; kind < m_kinds.Count; ++kind) {
        if (m_kinds.IsHidden(kind))
            continue;
        const int row = m_list->InsertItem(m_list->GetItemCount(), LPSTR_TEXTCALLBACK);
        m_list->SetItemText(row, 1, LPSTR_TEXTCALLBACK);
        m_list->SetCheckbox(row, 0, IsEnabled(kind) ? 1 : 0);
        m_list->SetItemData(row, quintptr(kind));
    }
}

void CDiffsOptionsPage::CopyTicks()
{
    for (int row = 0; row < m_list->GetItemCount(); ++row)
        m_options.SetEnabled(int(m_list->GetItemData(row)), m_list->GetCheckbox(row, 0) == 1);
}

CQuestionsDiffOptionsPage::CQuestionsDiffOptionsPage(CQuestionDiffsOptions& options,
                                                     QWidget* parent)
    : CDiffsOptionsPage(tr("Differences::Question Differences"), IDD, IDC_QUESTION_PARTS,
                        tr("These are the parts of each source and campaign question that will "
                           "be compared for differences"),
                        options,
                        {kQuestionKinds, &IsHiddenQuestionDiffKind, &GetQuestionPropertyCaption},
                        parent),
      m_questionOptions(options)
{
}

CModalitiesDiffOptionsPage::CModalitiesDiffOptionsPage(CModalityDiffsOptions& options,
                                                       QWidget* parent)
    : CDiffsOptionsPage(tr("Differences::Response Differences"), IDD, IDC_RESPONSE_PARTS,
                        tr("These are the parts of each campaign and source response that will "
                           "be compared for differences"),
                        options,
                        {kResponseKinds, &IsHiddenModalityDiffKind, &GetModalityPropertyCaption},
                        parent),
      m_modalityOptions(options)
{
}
