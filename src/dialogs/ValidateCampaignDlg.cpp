#include "dialogs/ValidateCampaignDlg.h"

#include "commands/CampaignValidation.h"
#include "controls/DialogUnits.h"
#include "controls/SimpleBrowser.h"
#include "dialogs/ProgressDlg.h"
#include "dialogs/ReportDlg.h"
#include "platform/AppServices.h"
#include "platform/WindowServices.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <thread>

namespace {

constexpr int kProgressStepMs = 30;

// Lets the interface run for the time given.
void Pause(std::chrono::milliseconds pause)
{
    if (pause.count() <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(pause, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

CValidateCampaignDlg::CValidateCampaignDlg(QWidget* parent) : CNewDialog(IDD, parent)
{
    setWindowTitle(tr("Campaign Validation"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setMinimumSize(kMinimumTrackSize);
    setProperty("controlId", int(IDD));

    // The template: 539 by 293 dialog units, the text over the report's placeholder, Save at the
    // bottom left, Validate and Close at the bottom right.
    const SDialogUnits units = SDialogUnits::FromFont(font());
    resize(std::max(units.ToPixelsX(539), kMinimumTrackSize.width()),
           std::max(units.ToPixelsY(293), kMinimumTrackSize.height()));
    m_margin = units.ToPixelsX(7);
    m_gap = units.ToPixelsY(6);
    m_intro = new QLabel(tr("Errors and inconsistencies have been found in the campaign. To open "
                            "the campaign successfully, the campaign must be validated."),
                         this);
    m_intro->setWordWrap(true);
    m_intro->setTextFormat(Qt::PlainText);
    auto* placeholder = new QLabel(QStringLiteral("<Report Browser>"), this);
    placeholder->setTextFormat(Qt::PlainText);
    placeholder->setGeometry(units.ToPixels(7, 28, 525, 236));
    placeholder->setProperty("controlId", int(IDC_BROWSER_PLACEHOLDER));
    m_save = new QPushButton(tr("&Save..."), this);
    m_save->setGeometry(units.ToPixels(7, 271, 50, 14));
    m_save->setAutoDefault(false);
    m_save->setProperty("controlId", int(IDC_SAVE));
    m_validate = new QPushButton(tr("&Validate"), this);
    m_validate->setGeometry(units.ToPixels(425, 271, 50, 14));
    m_validate->setProperty("controlId", int(IDC_VALIDATE));
    m_close = new QPushButton(tr("Close"), this);
    m_close->setGeometry(units.ToPixels(482, 271, 50, 14));
    m_close->setAutoDefault(false);
    m_close->setProperty("controlId", int(IDC_CLOSE));
    connect(m_save, &QPushButton::clicked, this, [this] { SaveHtmlReport(m_html); });
    connect(m_validate, &QPushButton::clicked, this, [this] { Validate(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    m_browser = new SimpleBrowser;
    m_browser->CreateFromControl(placeholder);
    SetIssueLists(SSourceComparisonLists());
    LayOut();
}

void CValidateCampaignDlg::SetHtml(const QString& html)
{
    m_html = html;
    m_browser->Clear();
    m_browser->Write(m_html);
}

void CValidateCampaignDlg::SetIssueLists(const SSourceComparisonLists& lists)
{
    m_lists = lists;
    CValidationThreadParams params;
    params.Lists = &m_lists;
    const bool issues = GetValidationIssueCount(params) > 0;
    m_close->setEnabled(!issues);
    m_validate->setEnabled(issues);
    m_validate->setDefault(issues);
    m_close->setDefault(!issues);
}

bool CValidateCampaignDlg::Validate()
{
    if (!m_validate->isEnabled())
        return false;
    // Nothing here can be pressed again while the correction runs.
    m_validate->setEnabled(false);
    m_save->setEnabled(false);
    CWaitCursor wait;
    IWindowServices& windows = GetWindowServices();
    const IWaveApp* app = GetWaveApp();
    CValidationThreadParams params;
    params.Campaign = app ? app->GetCampaign() : nullptr;
    params.Lists = &m_lists;

    m_progress =
        CreateProgressDlg(LoadString(IDS_VALIDATING), LoadString(IDS_CORRECTING), 100, this);
    m_progress->SetRange(GetValidationIssueCount(params));
    m_progress->SetPos(0);
    windows.PumpMessages();
    const bool validated = RunWorker(params, *m_progress);

    SetHtml(
        WithParagraph(m_html, ResultParagraph(validated, !m_lists.LoopHierarchyMatches.empty())));
    m_progress->SetPosToLast();
    windows.PumpMessages();
    m_progress->SetMessageText(
        LoadString(validated ? IDS_VALIDATION_SUCCEEDED : IDS_VALIDATION_FAILED));
    Pause(m_finalPause);
    m_progress->DestroyWindow();
    m_progress = nullptr;
    windows.PumpMessages();

    // The campaign is marked modified by the correction's own step; a failed correction changed
    // nothing and leaves the mark as it was.
    m_close->setEnabled(true);
    m_close->setDefault(true);
    m_save->setEnabled(true);
    return validated;
}

bool CValidateCampaignDlg::RunWorker(CValidationThreadParams& params, CProgressDlg& progress)
{
    // The worker builds the correction and hands its step to this thread, which runs it from
    // the event loop below: the loop goes on until the worker has ended, whatever else asks event
    // loops to stop. Every 30 ms the bar takes the worker's count and the loop looks whether the
    // worker is done.
    std::atomic<bool> finished{false};
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(kProgressStepMs);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        progress.SetPos(params.DoneCount.load());
        if (finished)
            loop.quit();
    });
    std::thread worker([&params, &finished] {
        ValidationThreadProc(&params);
        finished = true;
    });
    tick.start();
    while (!finished)
        loop.exec();
    worker.join();
    progress.SetPos(params.DoneCount.load());
    return params.Result;
}

QString CValidateCampaignDlg::ResultParagraph(bool validated, bool loopHierarchyProblems)
{
    unsigned text = IDS_CAMPAIGN_NOT_VALIDATED;
    if (validated)
        text = loopHierarchyProblems ? IDS_LOOP_HIERARCHIES_LEFT : IDS_CAMPAIGN_VALID;
    return QStringLiteral("<p class = \"font color0 bgcolor0\"/>\n") + LoadString(text);
}

QString CValidateCampaignDlg::WithParagraph(const QString& html, const QString& paragraph)
{
    QString result = html;
    const qsizetype bodyEnd =
        result.lastIndexOf(QStringLiteral("</body>"), -1, Qt::CaseInsensitive);
    if (bodyEnd < 0)
        result += paragraph;
    else
        result.insert(bodyEnd, paragraph);
    return result;
}

void CValidateCampaignDlg::accept()
{
    if (m_close->isEnabled())
        CNewDialog::accept();
}

void CValidateCampaignDlg::reject()
{
    // Escape and the close box end the dialog as Close does, and only while it could.
    if (m_close->isEnabled())
        CNewDialog::accept();
}

void CValidateCampaignDlg::resizeEvent(QResizeEvent* event)
{
    CNewDialog::resizeEvent(event);
    LayOut();
}

void CValidateCampaignDlg::LayOut()
{
    // The text spans the top, the report fills the window between it and the buttons; Save stays
    // at the bottom left, Validate and Close at the bottom right, whatever the size.
    const QSize client = size();
    const int width = client.width() - 2 * m_margin;
    m_intro->setGeometry(m_margin, m_margin, width, m_intro->heightForWidth(width));
    const QSize button = m_close->size();
    const int buttonTop = client.height() - m_margin - button.height();
    m_save->move(m_margin, buttonTop);
    m_close->move(client.width() - m_margin - button.width(), buttonTop);
    m_validate->move(m_close->x() - m_gap - button.width(), buttonTop);
    const int browserTop = m_intro->geometry().bottom() + 1 + m_gap;
    m_browser->setGeometry(m_margin, browserTop, width, buttonTop - m_gap - browserTop);
}
