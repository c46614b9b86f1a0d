#include "dialogs/ReportDlg.h"

#include "controls/DialogUnits.h"
#include "controls/SimpleBrowser.h"
#include "dialogs/DialogPlacement.h"
#include "platform/FormatString.h"
#include "platform/WindowServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QLabel>
#include <QPushButton>
#include <QSaveFile>

CReportDlg::CReportDlg(QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(true);
    setMinimumSize(kMinimumTrackSize);
    setProperty("controlId", int(IDD));

    // The template: 538 by 290 dialog units, the browser's placeholder above the two buttons.
    const SDialogUnits units = SDialogUnits::FromFont(font());
    resize(std::max(units.ToPixelsX(538), kMinimumTrackSize.width()),
           std::max(units.ToPixelsY(290), kMinimumTrackSize.height()));
    m_margin = units.ToPixelsX(7);
    m_buttonGap = units.ToPixelsY(6);
    auto* placeholder = new QLabel(QStringLiteral("<Report Browser>"), this);
    placeholder->setTextFormat(Qt::PlainText);
    placeholder->setGeometry(units.ToPixels(7, 7, 524, 255));
    placeholder->setProperty("controlId", int(IDC_REPORT_PLACEHOLDER));
    m_save = new QPushButton(tr("&Save..."), this);
    m_save->setGeometry(units.ToPixels(7, 268, 50, 14));
    m_save->setAutoDefault(false);
    m_save->setProperty("controlId", int(IDC_SAVE));
    m_close = new QPushButton(tr("Close"), this);
    m_close->setGeometry(units.ToPixels(481, 268, 50, 14));
    m_close->setDefault(true);
    m_close->setProperty("controlId", int(IDC_CLOSE));
    connect(m_save, &QPushButton::clicked, this, [this] { SaveReport(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);

    m_browser = new SimpleBrowser;
    m_browser->CreateFromControl(placeholder);
    LayOut();
}

void CReportDlg::SetReportHtml(const QString& html)
{
    m_html = html;
    m_browser->Clear();
    m_browser->Write(html);
}

void CReportDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

void CReportDlg::LayOut()
{
    // The browser fills the window above the buttons; Save stays at the bottom left and Close at
    // the bottom right, whatever the size.
    const QSize client = size();
    const QSize button = m_close->size();
    const int buttonTop = client.height() - m_margin - button.height();
    m_save->move(m_margin, buttonTop);
    m_close->move(client.width() - m_margin - button.width(), buttonTop);
    m_browser->setGeometry(m_margin, m_margin, client.width() - 2 * m_margin,
                           buttonTop - m_buttonGap - m_margin);
}

bool CReportDlg::SaveReport()
{
    return SaveHtmlReport(m_html);
}

bool SaveHtmlReport(const QString& html)
{
    IWindowServices& windows = GetWindowServices();
    const QString path =
        windows.ChooseFileToSave(QString(), LoadString(IDS_HTML_FILTER), QStringLiteral("html"));
    if (path.isEmpty())
        return false;
    // Written beside the target and put in its place whole: a failed save leaves the file that
    // was there as it was.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        const QByteArray bytes = html.toUtf8();
        if (file.write(bytes) == bytes.size() && file.commit())
            return true;
    }
    windows.MessageBox(FormatString(LoadString(IDS_REPORT_NOT_SAVED), {path, file.errorString()}),
                       MB_OK | MB_ICONWARNING);
    return false;
}

CReportDlg* ShowReportDlg(const QString& title, int kind, const QString& html, QWidget* parent)
{
    auto* dialog = new CReportDlg(parent);
    dialog->setWindowTitle(title);
    dialog->SetReportKind(kind);
    dialog->SetReportHtml(html);
    CentreOnMainWindow(*dialog);
    dialog->show();
    GetWindowServices().PumpMessages();
    return dialog;
}
