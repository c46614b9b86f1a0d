#include "dialogs/DBConnectionDlg.h"

#include "dialogs/DialogControls.h"
#include "dialogs/SurveyConnection.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <limits>

namespace {

constexpr int kSurveyIdDigits = 10;

} // namespace

CDBConnectionDlg::CDBConnectionDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Connect to Database..."));
    setProperty("controlId", int(IDD));

    m_connection = MakeControl<QLineEdit>(IDC_CONNECTION_STRING);
    m_connection->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60);
    m_connection->setPlaceholderText(QStringLiteral("QSQLITE;Database=/data/survey.db"));
    m_surveyId = MakeControl<QLineEdit>(IDC_SURVEY_ID);
    m_surveyId->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_surveyId));
    m_surveyId->setMaxLength(kSurveyIdDigits);
    m_surveyId->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);

    auto* fields = new QFormLayout;
    fields->addRow(tr("Connection string:"), m_connection);
    fields->addRow(tr("Survey ID:"), m_surveyId);

    auto* test = MakeControl<QPushButton>(IDC_TEST, tr("&Test..."));
    test->setAutoDefault(false);
    m_ok = MakeControl<QPushButton>(IDC_OK, tr("OK"));
    m_ok->setDefault(true);
    auto* cancel = MakeControl<QPushButton>(IDC_CANCEL, tr("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(test);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeSeparator(IDC_SEPARATOR));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(m_connection, &QLineEdit::textChanged, this, &CDBConnectionDlg::UpdateOk);
    connect(m_surveyId, &QLineEdit::textChanged, this, &CDBConnectionDlg::UpdateOk);
    connect(test, &QPushButton::clicked, this, &CDBConnectionDlg::OnTest);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdateOk();
}

QString CDBConnectionDlg::GetConnectionString() const
{
    return m_connection->text();
}

int CDBConnectionDlg::GetSurveyId() const
{
    qint64 value = 0;
    for (const QChar c : m_surveyId->text()) {
        if (!c.isDigit())
            break;
        value = std::min<qint64>(value * 10 + c.digitValue(), std::numeric_limits<int>::max());
    }
    return int(value);
}

void CDBConnectionDlg::UpdateOk()
{
    m_ok->setEnabled(!m_connection->text().isEmpty() && !m_surveyId->text().isEmpty());
}

void CDBConnectionDlg::OnTest()
{
    SSurveyConnectionTest test;
    {
        const CWaitCursor wait;
        test = TestSurveyConnection(GetConnectionString(), GetSurveyId());
    }
    IWindowServices& windows = GetWindowServices();
    switch (test.Result) {
    case SSurveyConnectionTest::Success:
        windows.MessageBoxId(IDS_CONNECTION_SUCCEEDED, MB_ICONINFORMATION);
        break;
    case SSurveyConnectionTest::ConnectionError:
        windows.MessageBox(
            FormatString(LoadString(IDS_CONNECTION_ERROR), {test.Source, test.Description}),
            MB_ICONWARNING);
        break;
    case SSurveyConnectionTest::UnknownError:
        windows.MessageBoxId(IDS_CONNECTION_UNKNOWN_ERROR, MB_ICONWARNING);
        break;
    }
}
