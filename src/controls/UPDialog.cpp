#include "controls/UPDialog.h"

#include "controls/DialogUnits.h"

#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <system_error>

namespace {

// While the procedure runs, the bar takes its latest position this often (milliseconds).
constexpr int kPosTickMs = 16;

// The text line shows as much of its text as fits, ending with an ellipsis.
void ShowElided(QLabel& label, const QString& text)
{
    label.setText(label.fontMetrics().elidedText(text, Qt::ElideRight, label.width()));
}

} // namespace

CUPDialog::CUPDialog(QWidget* parent, CProgressThreadData::UserProc proc, void* userParam,
                     const QString& caption, bool allowCancel, int upperBound)
    : QDialog(parent), m_allowCancel(allowCancel), m_upperBound(std::max(upperBound, 0)),
      m_caption(caption.left(255))
{
    m_data.Proc = std::move(proc);
    m_data.UserParam = userParam;

    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Dialog"));

    // The built-in layout, 187 by 70 dialog units.
    const SDialogUnits units = SDialogUnits::FromFont(font());
    setFixedSize(units.ToPixelsX(187), units.ToPixelsY(70));
    m_text = new QLabel(QStringLiteral("Static"), this);
    m_text->setGeometry(units.ToPixels(7, 7, 172, 8));
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_text->setProperty("controlId", int(IDC_PROGRESS_TEXT));
    m_bar = new QProgressBar(this);
    m_bar->setGeometry(units.ToPixels(7, 25, 172, 14));
    m_bar->setTextVisible(false);
    m_bar->setProperty("controlId", int(IDC_PROGRESS_BAR));
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setGeometry(units.ToPixels(129, 50, 50, 14));
    m_cancel->setAutoDefault(false);
    m_cancel->setProperty("controlId", int(IDC_CANCEL));
    m_posTimer = new QTimer(this);
    m_posTimer->setInterval(kPosTickMs);
    connect(m_posTimer, &QTimer::timeout, this, [this] { ShowLatestPos(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_cancelEnabled)
            RequestCancel();
    });
}

CUPDialog::~CUPDialog()
{
    Cleanup();
}

int CUPDialog::DoModal()
{
    Cleanup();
    m_started = false;
    m_ended = false;
    m_latestPos = 0;
    m_followSteps = false;

    ApplyCancelEnabled(m_allowCancel);
    m_fullText.clear();
    m_text->clear();
    m_bar->setRange(0, m_upperBound);
    m_bar->setValue(0);
    setWindowTitle(m_caption);

    const int result = exec();
    // The worker has posted its end and returns at once; a failed start left no thread.
    if (m_worker.joinable())
        m_worker.join();
    return result;
}

void CUPDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        // Started from the event loop, so that an early end reaches the running modal loop.
        QMetaObject::invokeMethod(
            this, [this] { StartRun(); }, Qt::QueuedConnection);
    }
}

void CUPDialog::StartRun()
{
    m_data.Window = static_cast<IProgressDialogWindow*>(this);
    m_posTimer->start();
    const bool started = StartWorker([this] {
        const int result = m_data.RunWorker();
        QMetaObject::invokeMethod(
            this, [this, result] { EndRun(result); }, Qt::QueuedConnection);
    });
    if (!started) {
        m_data.Window = nullptr;
        EndRun(UPDIALOG_NO_THREAD);
    }
}

bool CUPDialog::StartWorker(std::function<void()> body)
{
    try {
        m_worker = std::thread(std::move(body));
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CUPDialog::EndRun(int result)
{
    // The window goes: calls of threads the procedure left behind show nothing from here on.
    m_data.Window = nullptr;
    m_ended = true;
    // The procedure's threads are done with it: its last position shows.
    m_posTimer->stop();
    ShowLatestPos();
    done(result);
}

void CUPDialog::closeEvent(QCloseEvent* event)
{
    // Only the worker's end closes the dialog; the Close box asks to cancel.
    event->ignore();
    if (!m_ended && m_cancelEnabled)
        RequestCancel();
}

void CUPDialog::reject()
{
    // Escape: the same as Cancel.
    if (!m_ended && m_cancelEnabled)
        RequestCancel();
}

void CUPDialog::RequestCancel()
{
    m_cancel->setEnabled(false);
    m_data.Cancelled = true;
    m_fullText = LoadString(IDS_CANCELLING);
    ShowElided(*m_text, m_fullText);
    ApplyCancelEnabled(false);
}

void CUPDialog::ApplyCancelEnabled(bool enable)
{
    m_cancelEnabled = enable;
    m_cancel->setEnabled(enable);
}

QString CUPDialog::GetText() const
{
    return m_fullText;
}

int CUPDialog::GetPos() const
{
    return m_bar->value();
}

int CUPDialog::GetUpperBound() const
{
    return m_bar->maximum();
}

bool CUPDialog::CallOnInterfaceThread(std::function<void()> call)
{
    if (QThread::currentThread() == thread()) {
        call();
        return true;
    }
    std::unique_lock<std::mutex> lock(m_callLock);
    if (m_closing)
        return false;
    auto handled = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        this,
        [this, call = std::move(call), handled] {
            call();
            {
                const std::lock_guard<std::mutex> guard(m_callLock);
                *handled = true;
            }
            m_callDone.notify_all();
        },
        Qt::QueuedConnection);
    m_callDone.wait(lock, [&] { return *handled || m_closing; });
    return *handled;
}

void CUPDialog::EnableCancel(bool enable)
{
    CallOnInterfaceThread([this, enable] {
        // A cancel already asked for stays asked for.
        if (!m_data.Cancelled)
            ApplyCancelEnabled(enable);
    });
}

bool CUPDialog::SetText(const QString& text)
{
    return CallOnInterfaceThread([this, text] {
        m_fullText = text;
        ShowElided(*m_text, text);
    });
}

void CUPDialog::SetPos(int position)
{
    // Only recorded: the window takes the latest at its next tick, so a worker neither waits
    // for the interface thread nor wakes it.
    m_latestPos.store(position, std::memory_order_relaxed);
    if (m_followSteps.load(std::memory_order_relaxed))
        m_followSteps.store(false, std::memory_order_release);
}

void CUPDialog::StepPos(int)
{
    // The window reads the done-count itself. Steps from many threads then share no more than
    // the count: the mark is only looked at while it stands, and a line that is only read
    // stays in every processor's cache.
    if (!m_followSteps.load(std::memory_order_relaxed))
        m_followSteps.store(true, std::memory_order_relaxed);
}

void CUPDialog::ShowLatestPos()
{
    // After a cancel the bar stays where it was.
    if (m_data.Cancelled.load())
        return;
    const int position = m_followSteps.load(std::memory_order_acquire)
                             ? m_data.DoneCount.load(std::memory_order_relaxed)
                             : m_latestPos.load(std::memory_order_relaxed);
    m_bar->setValue(std::clamp(position, 0, m_upperBound));
}

void CUPDialog::Cleanup()
{
    m_data.Cancelled = true;
    {
        const std::lock_guard<std::mutex> lock(m_callLock);
        m_closing = true;
    }
    m_callDone.notify_all();
    if (m_worker.joinable())
        m_worker.join();
    m_data.Window = nullptr;
    m_data.Running = false;
    m_data.Cancelled = false;
    const std::lock_guard<std::mutex> lock(m_callLock);
    m_closing = false;
}
