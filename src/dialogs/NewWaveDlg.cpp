#include "dialogs/NewWaveDlg.h"

#include "dialogs/DialogControls.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDateEdit* MakePicker(int id)
{
    auto* picker = MakeControl<QDateEdit>(id, QDate::currentDate());
    picker->setCalendarPopup(true);
    // A date typed in is taken (and the others kept in order with it) when its edit is finished,
    // not at each key: the "3" of "31" must not pull the mid-point to the third.
    picker->setKeyboardTracking(false);
    return picker;
}

} // namespace

CNewWaveDlg::CNewWaveDlg(QWidget* parent) : CNewDialog(IDD, parent)
{
    setWindowTitle(tr("Add a New Wave to the Campaign..."));

    m_nameEdit = MakeControl<QLineEdit>(IDC_NAME);
    m_descriptionEdit = MakeControl<QPlainTextEdit>(IDC_DESCRIPTION);
    m_descriptionEdit->setTabChangesFocus(true);
    m_descriptionEdit->setMinimumHeight(fontMetrics().lineSpacing() * 4);
    m_startPicker = MakePicker(IDC_START);
    m_endPicker = MakePicker(IDC_END);
    m_midPointPicker = MakePicker(IDC_MID_POINT);

    auto* fields = new QFormLayout;
    fields->addRow(tr("&Name:"), m_nameEdit);
    fields->addRow(tr("&Description:"), m_descriptionEdit);
    auto* dates = new QHBoxLayout;
    auto* dateFields = new QFormLayout;
    dateFields->addRow(tr("&Start date:"), m_startPicker);
    dateFields->addRow(tr("&End date:"), m_endPicker);
    dateFields->addRow(tr("&Mid-point:"), m_midPointPicker);
    dates->addLayout(dateFields);
    dates->addStretch(1);
    fields->addRow(dates);

    m_ok = MakeControl<QPushButton>(IDC_OK, tr("OK"));
    m_ok->setDefault(true);
    auto* cancel = MakeControl<QPushButton>(IDC_CANCEL, tr("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addWidget(MakeSeparator(IDC_SEPARATOR));
    layout->addLayout(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);

    connect(m_nameEdit, &QLineEdit::textChanged, this, &CNewWaveDlg::UpdateOk);
    connect(m_descriptionEdit, &QPlainTextEdit::textChanged, this, &CNewWaveDlg::UpdateOk);
    connect(m_ok, &QPushButton::clicked, this, &CNewWaveDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdateOk();
}

void CNewWaveDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        InitDates();
        connect(m_startPicker, &QDateEdit::dateChanged, this, &CNewWaveDlg::OnStartChanged);
        connect(m_endPicker, &QDateEdit::dateChanged, this, &CNewWaveDlg::OnEndChanged);
    }
    CNewDialog::showEvent(event);
}

void CNewWaveDlg::InitDates()
{
    if (m_start.isValid()) {
        m_startPicker->setDate(m_start.date());
        m_midPointPicker->setMinimumDate(m_start.date());
        m_endPicker->setMinimumDate(m_start.date());
        m_endPicker->clearMaximumDate();
    }
    if (m_end.isValid()) {
        m_endPicker->setDate(m_end.date());
        m_midPointPicker->setMaximumDate(m_end.date());
        m_startPicker->setMaximumDate(m_end.date());
        m_startPicker->clearMinimumDate();
    }
    if (m_midPoint.isValid())
        m_midPointPicker->setDate(m_midPoint.date());
}

void CNewWaveDlg::OnStartChanged()
{
    const QDate start = m_startPicker->date();
    m_midPointPicker->setDateRange(start, m_midPointPicker->maximumDate());
    m_endPicker->clearMaximumDate();
    m_endPicker->setMinimumDate(start);
}

void CNewWaveDlg::OnEndChanged()
{
    const QDate end = m_endPicker->date();
    m_midPointPicker->setDateRange(m_midPointPicker->minimumDate(), end);
    m_startPicker->clearMinimumDate();
    m_startPicker->setMaximumDate(end);
}

void CNewWaveDlg::UpdateOk()
{
    m_ok->setEnabled(!m_nameEdit->text().isEmpty());
}

void CNewWaveDlg::OnOk()
{
    if (m_nameEdit->text().isEmpty())
        return;
    // A date still being typed is finished first, and the others kept in order with it.
    for (QDateEdit* picker : {m_startPicker, m_endPicker, m_midPointPicker})
        picker->interpretText();
    m_name = m_nameEdit->text();
    m_description = m_descriptionEdit->toPlainText();
    const QTime midnight(0, 0);
    m_start = QDateTime(m_startPicker->date(), midnight);
    m_end = QDateTime(m_endPicker->date(), midnight);
    m_midPoint = QDateTime(m_midPointPicker->date(), midnight);
    accept();
}
