#include "shell/WidgetWindowServices.h"

#include "controls/ControlDialogs.h"
#include "controls/UPDialog.h"
#include "dialogs/ProgressDlg.h"
#include "dialogs/ReportDlg.h"
#include "platform/FormatString.h"
#include "platform/ViewState.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "shell/ShellPanes.h"
#include "shell/ViewStates.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>
#include <QUrl>

#include <type_traits>

namespace {

// Whether the caller runs on the interface thread. A command run by a worker (the validation
// fixes) goes through the same steps as one of the interface thread, but the cursor, the event
// loop and the windows belong to the interface thread, which waits for the worker meanwhile
// inside a modal loop that keeps dispatching events.
bool OnInterfaceThread()
{
    return !qApp || QThread::currentThread() == qApp->thread();
}

// Runs the call on the interface thread and returns its result: at once there, queued to it
// from a worker, which waits until the call ran.
template <class Call> auto OnInterfaceThreadCall(Call&& call) -> decltype(call())
{
    using Result = decltype(call());
    if (OnInterfaceThread())
        return call();
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(qApp, std::forward<Call>(call), Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            qApp, [&result, &call] { result = call(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

// A progress window as the core drives it, from whichever thread; the window goes with the
// object.
class CProgressWindow final : public IProgressWindow
{
public:
    explicit CProgressWindow(CProgressDlg* dialog) : m_dialog(dialog) {}
    ~CProgressWindow() override
    {
        OnInterfaceThreadCall([this] {
            if (m_dialog)
                m_dialog->DestroyWindow();
        });
    }
    CProgressWindow(const CProgressWindow&) = delete;
    CProgressWindow& operator=(const CProgressWindow&) = delete;

    void SetPos(int position) override
    {
        OnInterfaceThreadCall([this, position] {
            if (m_dialog)
                m_dialog->SetPos(position);
        });
    }
    int GetPos() const override
    {
        return OnInterfaceThreadCall([this] { return m_dialog ? m_dialog->GetPos() : 0; });
    }
    void OffsetPos(int steps) override
    {
        OnInterfaceThreadCall([this, steps] {
            if (m_dialog)
                m_dialog->OffsetPos(steps);
        });
    }
    void SetPosToLast() override
    {
        OnInterfaceThreadCall([this] {
            if (m_dialog)
                m_dialog->SetPosToLast();
        });
    }
    void SetMessageText(const QString& text) override
    {
        OnInterfaceThreadCall([this, &text] {
            if (m_dialog)
                m_dialog->SetMessageText(text);
        });
    }

private:
    QPointer<CProgressDlg> m_dialog;
};

QMessageBox::Icon IconOf(unsigned type)
{
    switch (type & 0xF0) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

QStringList NameFiltersFromFilter(const QString& filter)
{
    QStringList parts = filter.split(QLatin1Char('|'));
    while (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        // The name's own pattern list, "(*.duv)", is rewritten from the patterns given.
        const qsizetype open = name.lastIndexOf(QLatin1Char('('));
        if (open > 0 && name.endsWith(QLatin1Char(')')))
            name = name.left(open).trimmed();
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        filters << QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

CWidgetWindowServices::CWidgetWindowServices()
    : m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
}

int CWidgetWindowServices::MessageBox(const QString& text, unsigned type)
{
    return OnInterfaceThreadCall([&] { return ShowMessageBox(text, type); });
}

int CWidgetWindowServices::ShowMessageBox(const QString& text, unsigned type)
{
    QMessageBox box(IconOf(type), QApplication::applicationName(), text, QMessageBox::NoButton,
                    m_mainWindow);
    box.setTextFormat(Qt::PlainText);
    struct SButton
    {
        QMessageBox::StandardButton Button;
        int Answer;
    };
    std::vector<SButton> buttons;
    switch (type & 0x0F) {
    case MB_OKCANCEL:
        buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNOCANCEL:
        buttons = {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    default:
        buttons = {{QMessageBox::Ok, IDOK}};
        break;
    }
    for (const SButton& button : buttons)
        box.addButton(button.Button);
    // The first button is the default one.
    box.setDefaultButton(buttons.front().Button);
    box.exec();
    const QMessageBox::StandardButton chosen = box.standardButton(box.clickedButton());
    for (const SButton& button : buttons) {
        if (button.Button == chosen)
            return button.Answer;
    }
    // Closed without a button: Cancel where there is one, else the only or last button.
    const bool hasCancel = (type & 0x0F) == MB_OKCANCEL || (type & 0x0F) == MB_YESNOCANCEL;
    return hasCancel ? IDCANCEL : buttons.back().Answer;
}

std::unique_ptr<IProgressWindow>
CWidgetWindowServices::CreateProgressDlg(const QString& caption, const QString& text, int range)
{
    return std::make_unique<CProgressWindow>(OnInterfaceThreadCall(
        [&] { return ::CreateProgressDlg(caption, text, range, m_mainWindow); }));
}

void CWidgetWindowServices::ShowReport(const QString& title, int kind, const QString& html)
{
    OnInterfaceThreadCall([&] { ShowReportDlg(title, kind, html, m_mainWindow); });
}

void CWidgetWindowServices::BeginWaitCursor()
{
    if (!OnInterfaceThread())
        return;
    if (m_waitDepth++ == 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CWidgetWindowServices::EndWaitCursor()
{
    if (!OnInterfaceThread())
        return;
    if (m_waitDepth > 0 && --m_waitDepth == 0)
        QApplication::restoreOverrideCursor();
}

void CWidgetWindowServices::PumpMessages()
{
    if (!OnInterfaceThread())
        return;
    ++m_pumpDepth;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    --m_pumpDepth;
}

std::unique_ptr<CViewState> CWidgetWindowServices::CaptureViewState()
{
    return OnInterfaceThreadCall([this] { return ::CaptureViewState(Panes()); });
}

void CWidgetWindowServices::RestoreViewState(const CViewState& state)
{
    OnInterfaceThreadCall([this, &state] {
        if (IShellPanes* panes = Panes())
            ::RestoreViewState(*panes, state);
    });
}

QString CWidgetWindowServices::ChooseFileToOpen(const QString& filter,
                                                const QString& defaultExtension)
{
    return OnInterfaceThreadCall([&] { return AskFileToOpen(filter, defaultExtension); });
}

QString CWidgetWindowServices::AskFileToOpen(const QString& filter, const QString& defaultExtension)
{
    QFileDialog dialog(m_mainWindow);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(NameFiltersFromFilter(filter));
    dialog.setDefaultSuffix(defaultExtension);
    SizeFileChooser(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString CWidgetWindowServices::ChooseFileToSave(const QString& initialPath, const QString& filter,
                                                const QString& defaultExtension)
{
    return OnInterfaceThreadCall(
        [&] { return AskFileToSave(initialPath, filter, defaultExtension); });
}

QString CWidgetWindowServices::AskFileToSave(const QString& initialPath, const QString& filter,
                                             const QString& defaultExtension)
{
    QFileDialog dialog(m_mainWindow);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(NameFiltersFromFilter(filter));
    dialog.setDefaultSuffix(defaultExtension);
    if (!initialPath.isEmpty()) {
        const QFileInfo initial(initialPath);
        dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
    SizeFileChooser(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString CWidgetWindowServices::ChooseFolder(const QString& title, const QString& startFolder)
{
    return OnInterfaceThreadCall(
        [&] { return QFileDialog::getExistingDirectory(m_mainWindow, title, startFolder); });
}

int CWidgetWindowServices::RunProgressDialog(const QString& caption, bool allowCancel,
                                             int upperBound, CUPDialogUserProcData& data)
{
    return OnInterfaceThreadCall([&] {
        CUPDialog dialog(m_mainWindow, data.Proc, data.UserParam, caption, allowCancel, upperBound);
        return dialog.DoModal();
    });
}

void CWidgetWindowServices::OpenFolder(const QString& path)
{
    if (OnInterfaceThreadCall([&] { return m_openUrl(QUrl::fromLocalFile(path)); }))
        return;
    MessageBox(FormatString(LoadString(IDS_FOLDER_NOT_OPENED), {path}), MB_OK | MB_ICONWARNING);
}
