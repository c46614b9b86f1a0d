#include "shell/WindowProgram.h"

#include "app/WaveApp.h"
#include "controls/Pictures.h"
#include "controls/SplashScreenEx.h"
#include "dialogs/CampaignDialogs.h"
#include "dialogs/CampaignViewDialogs.h"
#include "dialogs/DialogPlacement.h"
#include "menus/NewMenu.h"
#include "platform/StdStreams.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "shell/CampaignPanes.h"
#include "shell/MainFrame.h"
#include "shell/ShellApp.h"
#include "shell/WidgetWindowServices.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdlib>

namespace {

constexpr int kSplashTimeout = 1500;
constexpr unsigned kSplashStyle = 47; // fade in and out, shadow, centred, hidden by a click
constexpr int kMenuDrawMode = 9;      // the Office-2003 look

QtMessageHandler g_previousHandler = nullptr;

void DisplayCheckHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        WriteStdErrLine(CWindowProgram::NoDisplayMessage());
        std::_Exit(1);
    }
    // Qt's own complaints about the display it could not reach are said in the one line.
    if (context.category && QByteArray(context.category).startsWith("qt.qpa"))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

} // namespace

CWindowProgram::CWindowProgram() = default;

CWindowProgram::~CWindowProgram()
{
    End();
}

bool CWindowProgram::IsDisplayNamed()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty())
        return x11 || wayland;
    if (platform.startsWith(QLatin1String("xcb")))
        return x11;
    if (platform.startsWith(QLatin1String("wayland")))
        return wayland;
    // offscreen, vnc, eglfs, linuxfb...: platforms of their own.
    return true;
}

void CWindowProgram::BeginDisplayCheck()
{
    g_previousHandler = qInstallMessageHandler(DisplayCheckHandler);
}

void CWindowProgram::EndDisplayCheck()
{
    qInstallMessageHandler(g_previousHandler);
    g_previousHandler = nullptr;
}

QString CWindowProgram::NoDisplayMessage()
{
    return QStringLiteral("plim: ") + LoadString(IDS_NO_DISPLAY);
}

bool CWindowProgram::Start(CWaveApp& app)
{
    // Every window of the program (frame, dialogs, reports) shows the program's icon.
    QApplication::setWindowIcon(ProgramIcon());
    m_titleFit = std::make_unique<CDialogTitleFit>();
    qApp->installEventFilter(m_titleFit.get());
    m_services = std::make_unique<CWidgetWindowServices>();
    SetWindowServices(m_services.get());
    m_viewDialogs = std::make_unique<CCampaignViewDialogs>();
    SetViewDialogs(m_viewDialogs.get());

    m_splash = new CSplashScreenEx;
    m_splash->Create(nullptr, QString(), kSplashTimeout, kSplashStyle);
    if (m_splash->SetBitmap(IDB_SPLASH, 0, 255, 0))
        m_splash->Show();
    else
        m_splash->deleteLater();

    CNewMenu::SetDrawMode(kMenuDrawMode);
    m_shell = std::make_unique<CShellApp>(
        app, &CCampaignPanes::Make, std::make_unique<CCampaignDialogs>(app), m_services.get());
    // Closing the main window ends the program, whatever other window (a report, the splash
    // screen) is still open.
    QObject::connect(m_shell->GetMainFrame(), &CMainFrame::Closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    const CWaveCmdLineInfo& commandLine = app.GetCmdLineInfo();
    if (!m_shell->ProcessShellCommand(commandLine.GetShellCommand() == CWaveCmdLineInfo::FileOpen,
                                      commandLine.GetFileName()))
        return false;
    m_shell->ShowMainFrame();
    return true;
}

void CWindowProgram::End()
{
    // A splash screen still up (the program ended within its time) has no parent to free it.
    delete m_splash.data();
    if (m_shell) {
        m_shell->Shutdown();
        m_shell.reset();
    }
    if (m_viewDialogs) {
        if (GetViewDialogs() == m_viewDialogs.get())
            SetViewDialogs(nullptr);
        m_viewDialogs.reset();
    }
    if (m_services) {
        if (&GetWindowServices() == m_services.get())
            SetWindowServices(nullptr);
        m_services.reset();
    }
    m_titleFit.reset();
}
