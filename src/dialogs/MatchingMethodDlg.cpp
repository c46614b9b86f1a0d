#include "dialogs/MatchingMethodDlg.h"

#include "controls/DialogUnits.h"
#include "controls/XListCtrl.h"
#include "dialogs/DialogControls.h"
#include "dialogs/MatchingMethodRows.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QLabel>
#include <QPushButton>

namespace {

// Ticked when the volume has no method.
constexpr quint32 kDefaultMethod = 0; // internal code

} // namespace

CMatchingMethodDlg::CMatchingMethodDlg(QWidget* parent) : CNewDialog(IDD, parent)
{
    setWindowTitle(tr("Matching Methods"));
    setProperty("controlId", int(IDD));

    // The template: 146 by 130 dialog units, the title over the list, OK and Cancel below.
    const SDialogUnits units = SDialogUnits::FromFont(font());
    setFixedSize(units.ToPixelsX(146), units.ToPixelsY(130));
    m_title = MakeControl<QLabel>(IDC_TITLE, QString(), this);
    m_title->setGeometry(units.ToPixels(8, 6, 128, 10));
    m_list = MakeControl<CXListCtrl>(IDC_METHODS, this);
    m_list->setGeometry(units.ToPixels(8, 17, 130, 91));
    m_list->SetGridLines(true);
    m_list->SetRowDragging(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->InsertColumn(0, LoadString(IDS_ENABLE_COLUMN));
    m_list->InsertColumn(1, LoadString(IDS_METHOD_COLUMN));
    m_list->SetColumnToolTip(0, LoadString(IDS_ENABLE_TIP));
    m_list->SetColumnWidthPercents({20});
    m_title->setBuddy(m_list);
    m_ok = MakeControl<QPushButton>(IDC_OK, tr("OK"), this);
    m_ok->setGeometry(units.ToPixels(24, 112, 50, 14));
    m_ok->setAutoDefault(false);
    auto* cancel = MakeControl<QPushButton>(IDC_CANCEL, tr("Cancel"), this);
    cancel->setGeometry(units.ToPixels(78, 112, 50, 14));
    cancel->setDefault(true);

    connect(m_ok, &QPushButton::clicked, this, &CMatchingMethodDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &CXListCtrl::CheckboxClicked, this, &CMatchingMethodDlg::UpdateOkButton);
    connect(m_list, &CXListCtrl::HeaderClicked, this, &CMatchingMethodDlg::UpdateOkButton);
    connect(m_list, &CXListCtrl::RowDropped, this,
            [this](int row, int ontoRow) { MoveDroppedRow(*m_list, row, ontoRow); });
    FillList();
}

void CMatchingMethodDlg::SetMethods(int kind, const QList<quint32>& methods)
{
    m_kind = kind;
    m_methods = methods;
    FillList();
}

void CMatchingMethodDlg::FillList()
{
    if (m_kind == QuestionMethods)
        m_title->setText(LoadString(IDS_QUESTION_MATCHING));
    else if (m_kind == ResponseMethods)
        m_title->setText(LoadString(IDS_RESPONSE_MATCHING));
    else
        m_title->clear();

    const QList<SMatchingInfo> rows = OrderMatchingRows(
        m_kind == QuestionMethods ? GetQuestionMatchingInfos() : GetResponseMatchingInfos(),
        m_methods, kDefaultMethod);
    FillMatchingRows(*m_list, rows, LoadString(IDS_ENABLE_TIP));
    UpdateOkButton();
}

void CMatchingMethodDlg::UpdateOkButton()
{
    m_ok->setEnabled(!CheckedMatchingMethods(*m_list).isEmpty());
}

void CMatchingMethodDlg::accept()
{
    const QList<quint32> methods = CheckedMatchingMethods(*m_list);
    if (methods.isEmpty())
        return;
    m_methods = methods;
    CNewDialog::accept();
}
