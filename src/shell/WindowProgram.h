#pragma once

#include <QPointer>
#include <QString>

#include <memory>

class CCampaignViewDialogs;
class CDialogTitleFit;
class CShellApp;
class CSplashScreenEx;
class CWaveApp;
class CWidgetWindowServices;

// The window program as main runs it: made before the application's start-up, started by it
// when the command line asks for no batch run (CWaveApp::SetWindowProgram), ended after the
// event loop and before the application's exit.
class CWindowProgram
{
public:
    CWindowProgram();
    ~CWindowProgram();
    CWindowProgram(const CWindowProgram&) = delete;
    CWindowProgram& operator=(const CWindowProgram&) = delete;

    // Whether the environment names a display the window program can use (or a platform that
    // needs none): when it names none, main says so instead of starting the windows.
    static bool IsDisplayNamed();
    // Until EndDisplayCheck, a failure of Qt to reach the display ends the program with the
    // program's own one line on standard error and exit code 1, instead of Qt's abort.
    static void BeginDisplayCheck();
    static void EndDisplayCheck();
    // The line written when there is no display.
    static QString NoDisplayMessage();

    // The window part of the start-up: the splash screen, the program's menu look, the main
    // frame, an empty campaign or the one named on the command line, and the main window shown.
    // False when the named campaign could not be opened.
    bool Start(CWaveApp& app);
    // After the event loop: the recent-file list is written and the windows go, the splash
    // screen too when the program ends before its time is up.
    void End();

    CShellApp* GetShell() const { return m_shell.get(); }

private:
    std::unique_ptr<CWidgetWindowServices> m_services;
    // Keeps every dialog as wide as its title.
    std::unique_ptr<CDialogTitleFit> m_titleFit;
    // The campaign dialogs the views open.
    std::unique_ptr<CCampaignViewDialogs> m_viewDialogs;
    std::unique_ptr<CShellApp> m_shell;
    // Deletes itself when its time is up or when clicked; null once it has.
    QPointer<CSplashScreenEx> m_splash;
};
