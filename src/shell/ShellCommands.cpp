// The handlers of the application's and the document's commands, and their update handlers.

#include "shell/ShellApp.h"

#include "app/WaveApp.h"
#include "commands/MetaCallBackInfo.h"
#include "commands/MetaCmd.h"
#include "commands/PropertyCommands.h"
#include "commands/QuestionCallBackInfo.h"
#include "commands/QuestionCommands.h"
#include "commands/ReconcileCommands.h"
#include "guide/UserGuide.h"
#include "model/Campaign.h"
#include "model/ExternalPrograms.h"
#include "model/Language.h"
#include "platform/FormatString.h"
#include "platform/ViewState.h"
#include "platform/WindowServices.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "shell/AboutDlg.h"
#include "shell/MainFrame.h"
#include "views/IssueCommand.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>

namespace {

const QString kTutorialFolder = QStringLiteral("Pelko/PelkoPlim/Tutorial");

// Every modal dialog of the program runs in the application's modal state.
class CModalState
{
public:
    explicit CModalState(CWaveApp& app) : m_app(app) { m_app.BeginModalState(); }
    ~CModalState() { m_app.EndModalState(); }
    CModalState(const CModalState&) = delete;
    CModalState& operator=(const CModalState&) = delete;

private:
    CWaveApp& m_app;
};

// Property indexes of the commands that change a language and the campaign.
constexpr int kLanguageIsDefault = 0;
constexpr int kCampaignDefaultLanguage = 0;
constexpr int kCampaignCurrentLanguage = 1;

// The language the status bar names: the campaign's current language, or its default one
// while it has no current language yet.
QString LanguagePaneText(const pelko_wave::CCampaign& campaign)
{
    const int id = campaign.GetCurrentLanguageId() != 0 ? campaign.GetCurrentLanguageId()
                                                        : campaign.GetDefaultLanguageId();
    return pelko_wave::CLanguage(id).GetLanguageName();
}

} // namespace

void CShellApp::RegisterFileCommands()
{
    const auto hasCampaign = [this](CCmdUI& ui) { ui.Enable(m_app.GetCampaign() != nullptr); };
    m_actions.AddHandler(ID_FILE_NEW, CCommandActions::Application, this,
                         [this] { m_app.OnFileNew(); });
    m_actions.AddHandler(ID_FILE_OPEN, CCommandActions::Application, this,
                         [this] { m_app.OnFileOpen(); });
    // The document's Save saves whether or not the campaign is modified.
    m_actions.AddHandler(
        ID_FILE_SAVE, CCommandActions::Document, this, [this] { m_app.SaveCampaign(); },
        hasCampaign);
    m_actions.AddHandler(
        ID_FILE_SAVE_AS, CCommandActions::Document, this,
        [this] {
            QString error;
            if (!m_app.SaveCampaignAs(error) && !error.isEmpty())
                GetWindowServices().MessageBox(error, MB_OK | MB_ICONWARNING);
        },
        hasCampaign);
    m_actions.AddHandler(
        ID_PACKAGE_CAMPAIGN, CCommandActions::Application, this,
        [this] { m_app.PackageCampaign(); }, hasCampaign);
    m_actions.AddHandler(
        ID_MAXIMISE_RESPONSE_COUNTS, CCommandActions::Application, this,
        [this] { MaximiseResponseCounts(); }, hasCampaign);
    // The campaign tree's menu item of the same command (the tree says when it is offered).
    m_actions.AddHandler(
        ID_CAMPAIGN_MAXIMISE_RESPONSE_COUNT, CCommandActions::Application, this,
        [this] { MaximiseResponseCounts(); }, hasCampaign);
    m_actions.AddHandler(ID_APP_EXIT, CCommandActions::Application, this,
                         [this] { m_frame->close(); });
}

void CShellApp::RegisterEditCommands()
{
    // Nothing is undone or redone while a modal window is up, whether or not it runs in the
    // application's modal state.
    m_actions.AddHandler(
        ID_EDIT_UNDO, CCommandActions::Application, this,
        [this] {
            if (!QApplication::activeModalWidget())
                m_app.OnEditUndo();
        },
        [this](CCmdUI& ui) {
            ui.SetText(m_app.GetUndoMenuText());
            ui.Enable(m_app.IsUndoEnabled() && !QApplication::activeModalWidget());
        });
    m_actions.AddHandler(
        ID_EDIT_REDO, CCommandActions::Application, this,
        [this] {
            if (!QApplication::activeModalWidget())
                m_app.OnEditRedo();
        },
        [this](CCmdUI& ui) {
            ui.SetText(m_app.GetRedoMenuText());
            ui.Enable(m_app.IsRedoEnabled() && !QApplication::activeModalWidget());
        });
}

void CShellApp::RegisterApplicationCommands()
{
    const auto dialogThere = [this](IShellDialogs::EDialog dialog) {
        return [this, dialog](CCmdUI& ui) { ui.Enable(m_dialogs->HasDialog(dialog)); };
    };
    m_actions.AddHandler(ID_APP_ABOUT, CCommandActions::Application, this,
                         [this] { ShowAboutBox(); });
    m_actions.AddHandler(
        ID_OPTIONS, CCommandActions::Application, this, [this] { OnOptions(); },
        dialogThere(IShellDialogs::OptionsSheet));
    m_actions.AddHandler(
        ID_LANGUAGES, CCommandActions::Application, this, [this] { OnLanguages(); },
        [this](CCmdUI& ui) {
            ui.Enable(m_app.GetCampaign() && m_dialogs->HasDialog(IShellDialogs::LanguagesDialog));
        });
    m_actions.AddHandler(
        ID_CAPTION_LIBRARIES, CCommandActions::Application, this,
        [this] {
            const CModalState modal(m_app);
            m_dialogs->RunCaptionLibrariesDialog(m_frame.get());
        },
        dialogThere(IShellDialogs::CaptionLibrariesDialog));
    m_actions.AddHandler(
        ID_CHECK_DUPLICATES, CCommandActions::Application, this,
        [this] {
            const CModalState modal(m_app);
            m_dialogs->RunDuplicatesDialog(m_frame.get(), ConsolidationCallBacks());
        },
        dialogThere(IShellDialogs::DuplicatesDialog));

    m_actions.AddHandler(
        ID_USE_GLOBAL_OPTIONS, CCommandActions::Application, this, [this] { UseGlobalOptions(); },
        [this](CCmdUI& ui) { ui.SetRadio(m_app.AreGlobalOptionsInUse()); });
    m_actions.AddHandler(
        ID_USE_LOCAL_OPTIONS, CCommandActions::Application, this, [this] { UseLocalOptions(); },
        [this](CCmdUI& ui) {
            ui.SetRadio(!m_app.AreGlobalOptionsInUse());
            ui.Enable(m_app.AreLocalOptionsLoaded());
        });

    for (int which : {1, 2}) {
        m_actions.AddHandler(
            which == 1 ? ID_APPLICATION1 : ID_APPLICATION2, CCommandActions::Application, this,
            [this, which] { StartUserApplication(which); },
            [this, which](CCmdUI& ui) {
                const CUserDefinedApp& apps = m_app.GetUserDefinedApps();
                const QString& title =
                    which == 1 ? apps.GetUserDefinedApp1Title() : apps.GetUserDefinedApp2Title();
                const QString& path =
                    which == 1 ? apps.GetUserDefinedApp1Path() : apps.GetUserDefinedApp2Path();
                if (!title.isEmpty())
                    ui.SetText(title);
                ui.Enable(!title.isEmpty() && !path.isEmpty());
            });
    }
    m_actions.AddHandler(ID_OPEN_TUTORIAL_FOLDER, CCommandActions::Application, this,
                         [this] { OpenTutorialFolder(); });
    // The program's own guide stands for both the documentation and the wiki.
    m_actions.AddHandler(ID_HELP_TOPICS, CCommandActions::Application, this,
                         [this] { OpenUserGuide(); });
    m_actions.AddHandler(ID_WIKI, CCommandActions::Application, this, [this] { OpenUserGuide(); });

    m_actions.AddHandler(ID_INDICATOR_LANGUAGE, CCommandActions::Application, this, {},
                         [this](CCmdUI& ui) {
                             ui.Enable(true);
                             if (const pelko_wave::CCampaign* campaign = m_app.GetCampaign())
                                 ui.SetText(LanguagePaneText(*campaign));
                         });
    // Commands of the reconciliation page: enabled while its window exists. The page's own
    // handlers, at the view level, come first once they are there.
    for (unsigned id : {ID_FIND_QUESTION, ID_APPLY_CAPTION_LIBRARIES, ID_FIND_OPEN_NUMERIC}) {
        m_actions.AddHandler(id, CCommandActions::Application, this, {}, [this](CCmdUI& ui) {
            const IShellPanes* panes = GetPanes();
            ui.Enable(panes && panes->IsReconciliationPageWindow());
        });
    }
}

CCmdCallBacks CShellApp::ConsolidationCallBacks()
{
    // Questions left the campaign or came back, and others took or gave back their matchings:
    // their differences are stale in every wave, and each pane shows the campaign again.
    const CCmdCallBack refresh = [this](std::unique_ptr<CCallBackInfo> record) {
        const auto* step = dynamic_cast<const CCallBackInfoMetaRemoveDuplicatesCmd*>(record.get());
        if (!step)
            return;
        if (CCampaignDiffsCache* cache = m_app.GetDiffsCache()) {
            for (const int questionId : step->QuestionIds)
                cache->InvalidateQuestion(0, questionId);
        }
        if (IShellPanes* panes = GetPanes())
            panes->RefillFromCampaign();
    };
    return GuardCallBacks(this, {refresh, refresh, refresh});
}

void CShellApp::MaximiseResponseCounts()
{
    pelko_wave::CCampaign* campaign = m_app.GetCampaign();
    if (!campaign)
        return;
    IWindowServices& windows = GetWindowServices();
    const int answer =
        windows.MessageBoxId(IDS_KEEP_HIGHER_COUNTS, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return;

    const CWaitCursor wait;
    // Each step makes the differences of every wave stale and shows the reconciliation page
    // again; the first one also says how many questions changed.
    const auto refresh = [this](std::unique_ptr<CCallBackInfo> record, bool report) {
        const auto* info = dynamic_cast<const CCallBackInfoMaximiseResponseCnt*>(record.get());
        if (!info)
            return;
        if (CCampaignDiffsCache* cache = m_app.GetDiffsCache())
            cache->InvalidateWave(0);
        if (IShellPanes* panes = GetPanes();
            panes && panes->GetShownPage() == IShellPanes::PageReconciliation)
            panes->ShowReconciliation(panes->GetReconciliationWaveId());
        if (report)
            GetWindowServices().MessageBox(
                FormatString(LoadString(IDS_QUESTIONS_UPDATED), {info->Count}),
                MB_OK | MB_ICONINFORMATION);
    };
    CCmdCallBacks callBacks;
    callBacks.AfterDo = [refresh](std::unique_ptr<CCallBackInfo> record) {
        refresh(std::move(record), true);
    };
    callBacks.AfterUndo = [refresh](std::unique_ptr<CCallBackInfo> record) {
        refresh(std::move(record), false);
    };
    callBacks.AfterRedo = callBacks.AfterUndo;
    std::unique_ptr<CCmdVirtual> command =
        std::make_unique<CCmdMaximiseResponseCnt>(campaign, answer == IDYES);
    if (!m_app.ExecuteCommand(command, GuardCallBacks(this, callBacks), nullptr,
                              m_app.CaptureViewState(), true))
        windows.MessageBox(command->GetErrorText(), MB_OK | MB_ICONWARNING);
}

void CShellApp::OnOptions()
{
    if (!m_dialogs->HasDialog(IShellDialogs::OptionsSheet))
        return;
    SOptionsSheetRecords records;
    records.Language = m_app.GetLanguageSettings();
    records.Environment = m_app.GetEnvironmentSettings();
    records.ClearRecentFiles = [this] { ClearRecentFileList(); };
    records.UserApps = m_app.GetUserDefinedApps();
    records.View = m_app.GetViewSettings();
    records.NGram = m_app.GetNGramSettings();
    records.Reconciliation = m_app.GetReconciliationSettings();
    records.QuestionDiffs = m_app.GetQuestionDiffsOptions();
    records.ModalityDiffs = m_app.GetModalityDiffsOptions();
    bool accepted = false;
    {
        const CModalState modal(m_app);
        accepted = m_dialogs->RunOptionsSheet(m_frame.get(), records);
    }
    if (accepted)
        ApplyOptionsSheet(records);
}

void CShellApp::ApplyOptionsSheet(const SOptionsSheetRecords& edited)
{
    IShellPanes* panes = GetPanes();
    const auto invalidateDifferences = [this] {
        if (CCampaignDiffsCache* cache = m_app.GetDiffsCache())
            cache->InvalidateWave(0);
    };

    if (edited.GeneralPageShown) {
        const CLanguageSettings language = m_app.GetLanguageSettings();
        m_app.SetLanguageSettings(edited.Language);
        if (language != edited.Language) {
            if (language.GetCompareCaptionsInDefaultLangOnly() !=
                edited.Language.GetCompareCaptionsInDefaultLangOnly())
                invalidateDifferences();
            if (panes)
                panes->ReloadReconciliation();
        }

        const CEnvironmentSettings environment = m_app.GetEnvironmentSettings();
        CEnvironmentSettings taken = edited.Environment;
        // A caption-library file that exists gives the libraries from now on; one that cannot
        // be read is not taken (and so never overwritten at exit).
        const QString& oldLibrary = environment.GetCaptionsLibraryPath();
        const QString& newLibrary = taken.GetCaptionsLibraryPath();
        if (!newLibrary.isEmpty() && newLibrary != oldLibrary &&
            !m_app.ChangeCaptionLibraryFile(newLibrary)) {
            GetWindowServices().MessageBox(
                FormatString(LoadString(IDS_CAPTION_LIBRARY_UNREADABLE), {newLibrary, oldLibrary}),
                MB_OK | MB_ICONWARNING);
            taken.SetCaptionsLibraryPath(oldLibrary);
        }
        m_app.SetEnvironmentSettings(taken);
        if (environment != taken)
            ResetRecentFileList();
    }
    if (edited.UserAppsPageShown)
        m_app.SetUserDefinedApps(edited.UserApps);

    bool questionGroupChanged = false;
    bool responseGroupChanged = false;
    if (edited.ViewPageShown) {
        const CViewSettings view = m_app.GetViewSettings();
        m_app.SetViewSettings(edited.View);
        questionGroupChanged = !view.EqualsFirstGroup(edited.View);
        responseGroupChanged = !view.EqualsSecondGroup(edited.View);
    }
    if (edited.ReconciliationPageShown) {
        m_app.SetNGramSettings(edited.NGram);
        m_app.SetReconciliationSettings(edited.Reconciliation);
    }
    if (edited.QuestionDiffsPageShown && edited.QuestionDiffs != m_app.GetQuestionDiffsOptions()) {
        m_app.SetQuestionDiffsOptions(edited.QuestionDiffs);
        invalidateDifferences();
    }
    if (edited.ModalityDiffsPageShown && edited.ModalityDiffs != m_app.GetModalityDiffsOptions()) {
        m_app.SetModalityDiffsOptions(edited.ModalityDiffs);
        invalidateDifferences();
    }

    if (panes && (questionGroupChanged || responseGroupChanged)) {
        panes->RefreshReconQuestionGrid();
        if (questionGroupChanged)
            panes->ReloadReconciliation();
        else
            panes->RefreshReconciliationGrids();
    }
}

void CShellApp::OnLanguages()
{
    pelko_wave::CCampaign* campaign = m_app.GetCampaign();
    if (!campaign || !m_dialogs->HasDialog(IShellDialogs::LanguagesDialog))
        return;
    int defaultIndex = -1;
    int currentIndex = -1;
    {
        const CModalState modal(m_app);
        if (m_dialogs->RunLanguagesDialog(m_frame.get(), defaultIndex, currentIndex) != IDOK)
            return;
    }
    const auto languageAt = [campaign](int index) {
        return index >= 0 && index < campaign->GetLanguageCount() ? campaign->GetLanguage(index)
                                                                  : nullptr;
    };
    pelko_wave::CLanguage* chosenDefault = languageAt(defaultIndex);
    const pelko_wave::CLanguage* chosenCurrent = languageAt(currentIndex);
    const bool currentChanges =
        chosenCurrent && chosenCurrent->GetLanguageId() != campaign->GetCurrentLanguageId();

    std::unique_ptr<CCmdVirtual> command;
    if (chosenDefault && !chosenDefault->IsDefault()) {
        auto change = std::make_unique<CMetaCmd>(IDS_CHANGE_LANGUAGE);
        for (int i = 0; i < campaign->GetLanguageCount(); ++i) {
            if (campaign->GetLanguage(i)->IsDefault()) {
                change->AddCmd(std::make_unique<CCmdChangeLanguage>(
                    campaign, campaign->GetLanguage(i), kLanguageIsDefault, CValue(false)));
                break;
            }
        }
        change->AddCmd(std::make_unique<CCmdChangeLanguage>(campaign, chosenDefault,
                                                            kLanguageIsDefault, CValue(true)));
        change->AddCmd(std::make_unique<CCmdChangeCampaign>(
            campaign, kCampaignDefaultLanguage, CValue(chosenDefault->GetLanguageId())));
        change->AddCmd(std::make_unique<CCmdPrepDefLang>(campaign));
        if (currentChanges)
            change->AddCmd(std::make_unique<CCmdChangeCampaign>(
                campaign, kCampaignCurrentLanguage, CValue(chosenCurrent->GetLanguageId())));
        command = std::move(change);
    } else if (chosenDefault && currentChanges) {
        command = std::make_unique<CCmdChangeCampaign>(campaign, kCampaignCurrentLanguage,
                                                       CValue(chosenCurrent->GetLanguageId()));
    }
    if (!command)
        return;

    // Each step of this change reloads the reconciliation page, whatever later runs of the
    // command changed.
    const CCmdCallBack reload = [this](std::unique_ptr<CCallBackInfo>) {
        if (IShellPanes* panes = GetPanes())
            panes->ReloadReconciliation();
    };
    if (!m_app.ExecuteCommand(command, {reload, reload, reload}, nullptr, m_app.CaptureViewState(),
                              true))
        GetWindowServices().MessageBox(command->GetErrorText(), MB_OK | MB_ICONWARNING);
}

void CShellApp::UseGlobalOptions()
{
    if (!m_app.UseGlobalOptions())
        return;
    // The differences shown were made under the local options.
    if (CCampaignDiffsCache* cache = m_app.GetDiffsCache())
        cache->InvalidateWave(0);
    if (IShellPanes* panes = GetPanes())
        panes->ReloadReconciliation();
}

void CShellApp::UseLocalOptions()
{
    if (!m_app.UseLocalOptions())
        return;
    if (CCampaignDiffsCache* cache = m_app.GetDiffsCache())
        cache->InvalidateWave(0);
    if (IShellPanes* panes = GetPanes())
        panes->ReloadReconciliation();
}

void CShellApp::StartUserApplication(int which)
{
    const CUserDefinedApp& apps = m_app.GetUserDefinedApps();
    const QString title =
        which == 1 ? apps.GetUserDefinedApp1Title() : apps.GetUserDefinedApp2Title();
    const QString path = which == 1 ? apps.GetUserDefinedApp1Path() : apps.GetUserDefinedApp2Path();
    if (title.isEmpty() || path.isEmpty())
        return;
    // A bare name is looked for on the search path, as the system starts it.
    const QString program =
        path.contains(QLatin1Char('/')) ? path : QStandardPaths::findExecutable(path);
    int error = 0;
    if (program.isEmpty() || !QFileInfo::exists(program))
        error = ENOENT;
    else if (!QFileInfo(program).isExecutable() || QFileInfo(program).isDir())
        error = EACCES;
    else if (errno = 0; !pelko_wave::LaunchExternalProgram(program, m_app.GetCampaignFilePath()))
        error = errno != 0 ? errno : -1;
    if (error != 0)
        GetWindowServices().MessageBox(
            FormatString(LoadString(IDS_USER_APP_FAILED), {title, title, error}),
            MB_OK | MB_ICONWARNING);
}

void CShellApp::OpenTutorialFolder()
{
    QString folder;
    for (const QString& data : m_systemDataFolders) {
        const QString candidate = QDir(data).filePath(kTutorialFolder);
        if (folder.isEmpty() || QFileInfo(candidate).isDir())
            folder = candidate;
        if (QFileInfo(candidate).isDir())
            break;
    }
    if (!folder.isEmpty() && QFileInfo(folder).isDir() && m_openUrl(QUrl::fromLocalFile(folder)))
        return;
    GetWindowServices().MessageBox(LoadString(IDS_TUTORIAL_FAILED) + QStringLiteral("\n\n\"") +
                                       folder + QStringLiteral("\""),
                                   MB_OK | MB_ICONWARNING);
}

QString CShellApp::FindUserGuide() const
{
    return user_guide::FindUserGuide(m_programFolder, QStringLiteral(PLIM_GUIDE_INSTALL_DIR));
}

QUrl CShellApp::UserGuideUrl() const
{
    const QString guide = FindUserGuide();
    return QUrl::fromLocalFile(
        !guide.isEmpty()
            ? guide
            : user_guide::UserGuidePlaces(m_programFolder, QStringLiteral(PLIM_GUIDE_INSTALL_DIR))
                  .first());
}

void CShellApp::OpenUserGuide()
{
    const QString guide = FindUserGuide();
    QFile file(guide);
    if (guide.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        const QStringList places =
            user_guide::UserGuidePlaces(m_programFolder, QStringLiteral(PLIM_GUIDE_INSTALL_DIR));
        GetWindowServices().MessageBox(
            FormatString(LoadString(IDS_GUIDE_MISSING), {places.join(QLatin1Char('\n'))}),
            MB_OK | MB_ICONWARNING);
        return;
    }
    if (m_openUrl(QUrl::fromLocalFile(guide)))
        return;
    // No browser could be started: the guide shows in the program's own report window.
    GetWindowServices().ShowReport(LoadString(IDS_GUIDE_TITLE), 0,
                                   QString::fromUtf8(file.readAll()));
}

void CShellApp::ShowAboutBox()
{
    bool guideAsked = false;
    {
        const CModalState modal(m_app);
        CAboutDlg about(m_app.GetVersionInfo(), UserGuideUrl().toString(), m_frame.get());
        about.exec();
        guideAsked = about.IsGuideAsked();
    }
    // A link of the box closed it: the guide opens once the box is gone, so that a report
    // window showing it is not held behind the box.
    if (guideAsked)
        OpenUserGuide();
}
