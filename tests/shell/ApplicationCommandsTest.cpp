// The application's commands: the options sheet and what its changes refresh, the dialogs of
// the factory, global and local options, user-defined applications, the tutorial, help and wiki
// pages, Maximise Response Counts and the update handlers.

#include "ShellWindowTestSupport.h"

#include "app/WaveApp.h"
#include "controls/HyperLink.h"
#include "model/CaptionLibrary.h"
#include "platform/FormatString.h"
#include "reconcile/DiffsCache.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "shell/AboutDlg.h"
#include "shell/MainFrame.h"
#include "widgets/Screenshots.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace shell_test;
using namespace shell_window_test;

namespace {

class ApplicationCommands : public CShellWindowTest
{
protected:
    ApplicationCommands()
    {
        OpenCampaignAt(Path("wave1.duv"));
        m_panes->Calls.clear();
    }

    // Marks the cached differences of wave 1 as computed; DifferencesStale tells whether an
    // invalidation reset them since.
    void FillDifferences()
    {
        m_app.GetDiffsCache()->GetWaveEntry(1, true)->SetWholeWaveInvalid(false);
    }
    bool DifferencesStale()
    {
        return m_app.GetDiffsCache()->GetWaveEntry(1, true)->IsWholeWaveInvalid();
    }
};

} // namespace

TEST_F(ApplicationCommands, DialogsMissingFromTheFactoryGreyTheirCommands)
{
    const unsigned commands[] = {ID_OPTIONS, ID_CAPTION_LIBRARIES, ID_CHECK_DUPLICATES};
    for (unsigned id : commands)
        EXPECT_TRUE(Updated(id)->isEnabled()) << id;
    m_dialogs->Available = false;
    for (unsigned id : commands) {
        EXPECT_FALSE(Updated(id)->isEnabled()) << id;
        EXPECT_FALSE(m_shellApp->GetActions().Execute(id));
    }
    EXPECT_TRUE(m_dialogs->Runs.isEmpty());

    // The program's own factory, until the campaign dialogs exist, has none.
    CShellApp plain(m_app);
    for (unsigned id : commands) {
        plain.GetActions().Update(id);
        EXPECT_FALSE(plain.GetActions().Action(id)->isEnabled()) << id;
    }
}

TEST_F(ApplicationCommands, DialogsRunInTheModalState)
{
    for (unsigned id : {ID_OPTIONS, ID_CAPTION_LIBRARIES, ID_CHECK_DUPLICATES})
        ASSERT_TRUE(m_shellApp->GetActions().Execute(id));
    EXPECT_EQ(m_dialogs->Runs, (QStringList{"options", "caption libraries", "duplicates"}));
    EXPECT_EQ(m_dialogs->RanModal, (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(m_app.IsModalState());
}

TEST_F(ApplicationCommands, OptionsPutInForceWhatTheDisplayedPagesChanged)
{
    struct SCase
    {
        const char* Name;
        std::function<void(SOptionsSheetRecords&)> Edit;
        QStringList PaneCalls;
        bool DifferencesStale;
        std::function<bool(const CWaveApp&)> Stored;
    };
    const SCase cases[] = {
        {"only the report flag of the view page",
         [](SOptionsSheetRecords& r) {
             r.ViewPageShown = true;
             r.View.SetCreateReconciliationReport(0);
         },
         {},
         false,
         [](const CWaveApp& a) {
             return a.GetViewSettings().GetCreateReconciliationReport() == 0;
         }},
        {"a question view flag",
         [](SOptionsSheetRecords& r) {
             r.ViewPageShown = true;
             r.View.SetShowPerfectQuestionMatches(0);
         },
         {"refresh question grid", "reload"},
         false,
         [](const CWaveApp& a) {
             return a.GetViewSettings().GetShowPerfectQuestionMatches() == 0;
         }},
        {"a response view flag",
         [](SOptionsSheetRecords& r) {
             r.ViewPageShown = true;
             r.View.SetViewEntryCodes(0);
         },
         {"refresh question grid", "refill grids"},
         false,
         [](const CWaveApp& a) { return a.GetViewSettings().GetViewEntryCodes() == 0; }},
        {"a question difference kind",
         [](SOptionsSheetRecords& r) {
             r.QuestionDiffsPageShown = true;
             r.QuestionDiffs.SetEnabled(5, false);
         },
         {},
         true,
         [](const CWaveApp& a) { return !a.GetQuestionDiffsOptions().IsEnabled(5); }},
        {"a response difference kind",
         [](SOptionsSheetRecords& r) {
             r.ModalityDiffsPageShown = true;
             r.ModalityDiffs.SetEnabled(3, true);
         },
         {},
         true,
         [](const CWaveApp& a) { return a.GetModalityDiffsOptions().IsEnabled(3); }},
        {"comparing captions in the default language only",
         [](SOptionsSheetRecords& r) {
             r.GeneralPageShown = true;
             r.Language.SetCompareCaptionsInDefaultLangOnly(1);
         },
         {"reload"},
         true,
         [](const CWaveApp& a) {
             return a.GetLanguageSettings().GetCompareCaptionsInDefaultLangOnly() == 1;
         }},
        {"the language of source items",
         [](SOptionsSheetRecords& r) {
             r.GeneralPageShown = true;
             r.Language.SetSourceItems(0);
         },
         {"reload"},
         false,
         [](const CWaveApp& a) { return a.GetLanguageSettings().GetSourceItems() == 0; }},
        {"n-gram and reconciliation settings",
         [](SOptionsSheetRecords& r) {
             r.ReconciliationPageShown = true;
             r.NGram.SetNGramThreshold(80);
             r.Reconciliation.SetCheckQuesTypeForMatches(0);
         },
         {},
         false,
         [](const CWaveApp& a) {
             return a.GetNGramSettings().GetNGramThreshold() == 80 &&
                    a.GetReconciliationSettings().GetCheckQuesTypeForMatches() == 0;
         }},
        {"user-defined applications",
         [](SOptionsSheetRecords& r) {
             r.UserAppsPageShown = true;
             r.UserApps.SetUserDefinedApp1Title(QStringLiteral("Editor"));
         },
         {},
         false,
         [](const CWaveApp& a) {
             return a.GetUserDefinedApps().GetUserDefinedApp1Title() == QLatin1String("Editor");
         }},
        {"a page not displayed is not read",
         [](SOptionsSheetRecords& r) {
             r.View.SetShowPerfectQuestionMatches(0);
             r.QuestionDiffs.SetEnabled(5, false);
         },
         {},
         false,
         [](const CWaveApp& a) {
             return a.GetViewSettings().GetShowPerfectQuestionMatches() == 1 &&
                    a.GetQuestionDiffsOptions().IsEnabled(5);
         }},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Name);
        // Each case starts from the defaults.
        m_app.SetViewSettings({});
        m_app.SetLanguageSettings({});
        m_app.SetQuestionDiffsOptions({});
        m_app.SetModalityDiffsOptions({});
        FillDifferences();
        m_panes->Calls.clear();
        m_dialogs->EditOptions = test.Edit;
        ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_OPTIONS));
        EXPECT_EQ(m_panes->Calls, test.PaneCalls);
        EXPECT_EQ(DifferencesStale(), test.DifferencesStale);
        EXPECT_TRUE(test.Stored(m_app));
    }

    // Cancel changes nothing.
    m_dialogs->Cancel = true;
    m_dialogs->EditOptions = [](SOptionsSheetRecords& r) {
        r.ViewPageShown = true;
        r.View.SetShowPerfectQuestionMatches(0);
    };
    m_panes->Calls.clear();
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_OPTIONS));
    EXPECT_EQ(m_app.GetViewSettings().GetShowPerfectQuestionMatches(), 1);
    EXPECT_TRUE(m_panes->Calls.isEmpty());
}

TEST_F(ApplicationCommands, TheRecentFileListFollowsTheEnvironmentSettings)
{
    CRecentFileListEx& recent = m_shellApp->GetRecentFileList();
    for (int i = 0; i < 6; ++i)
        recent.Add(Path(QStringLiteral("study%1.duv").arg(i)));
    m_dialogs->EditOptions = [](SOptionsSheetRecords& r) {
        r.GeneralPageShown = true;
        r.Environment.SetMRUSize(4);
        r.Environment.SetMRUFileNameLength(20);
    };
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_OPTIONS));
    EXPECT_EQ(recent.GetSize(), 4);
    EXPECT_EQ(recent.GetCount(), 4);
    EXPECT_EQ(recent.GetMaxDisplayLength(), 20);
    EXPECT_EQ(recent.GetItem(0), Path("study5.duv"));

    m_shellApp->Shutdown();
    CRecentFileListEx reread(0, QStringLiteral("Recent File List"), QStringLiteral("File%d"), 16,
                             30);
    reread.ReadList();
    EXPECT_EQ(reread.GetCount(), 4) << "the profile keeps four";
}

TEST_F(ApplicationCommands, PointingTheCaptionLibraryOptionAtAFileLoadsIt)
{
    // A library file of the user's with one group.
    QList<pelko_wave::CResponseCaptionGroup*> groups;
    QList<pelko_wave::CResponseLibrary*> libraries;
    groups << new pelko_wave::CResponseCaptionGroup(QStringLiteral("Brands"));
    const QString file = Path("captions.xml");
    ASSERT_TRUE(CWaveApp::SaveCaptionLibraries(file, groups, libraries));
    pelko_wave::FreeCaptionLibraries(groups, libraries);
    // Something of that name that cannot be read as a file.
    const QString damaged = Path("unreadable.xml");
    ASSERT_TRUE(QDir().mkpath(damaged));
    const QString before = m_app.GetEnvironmentSettings().GetCaptionsLibraryPath();
    const auto pointAt = [this](const QString& path) {
        m_dialogs->EditOptions = [path](SOptionsSheetRecords& r) {
            r.GeneralPageShown = true;
            r.Environment.SetCaptionsLibraryPath(path);
        };
        return m_shellApp->GetActions().Execute(ID_OPTIONS);
    };

    // A file that cannot be read is not taken, and said so.
    ASSERT_TRUE(pointAt(damaged));
    ASSERT_EQ(m_windows.Prompts.size(), 1);
    EXPECT_TRUE(m_windows.Prompts[0].contains(damaged));
    EXPECT_EQ(m_app.GetEnvironmentSettings().GetCaptionsLibraryPath(), before);
    EXPECT_TRUE(m_app.GetCaptionGroups().isEmpty());

    // An existing file gives the libraries.
    ASSERT_TRUE(pointAt(file));
    EXPECT_EQ(m_app.GetEnvironmentSettings().GetCaptionsLibraryPath(), file);
    ASSERT_EQ(m_app.GetCaptionGroups().size(), 1);
    EXPECT_EQ(m_app.GetCaptionGroups()[0]->GetName(), QStringLiteral("Brands"));
    const QByteArray written = FileBytes(file);
    EXPECT_TRUE(m_app.SaveCaptionLibrariesAtExit());
    EXPECT_EQ(FileBytes(file), written) << "libraries read and not changed are not written";

    // A new file receives the libraries in use at exit.
    const QString fresh = Path("fresh.xml");
    ASSERT_TRUE(pointAt(fresh));
    EXPECT_EQ(m_app.GetCaptionGroups().size(), 1);
    EXPECT_TRUE(m_app.SaveCaptionLibrariesAtExit());
    EXPECT_TRUE(QFile::exists(fresh));
    EXPECT_EQ(m_windows.Prompts.size(), 1);
}

TEST_F(ApplicationCommands, GlobalAndLocalOptions)
{
    EXPECT_TRUE(Updated(ID_USE_GLOBAL_OPTIONS)->isChecked());
    EXPECT_TRUE(Updated(ID_USE_GLOBAL_OPTIONS)->isEnabled());
    // Opened without a local options file: local options cannot be chosen.
    EXPECT_FALSE(Updated(ID_USE_LOCAL_OPTIONS)->isEnabled());
    EXPECT_FALSE(Updated(ID_USE_LOCAL_OPTIONS)->isChecked());

    m_app.SetOptionMode(true, true);
    ASSERT_TRUE(Updated(ID_USE_LOCAL_OPTIONS)->isEnabled());
    FillDifferences();
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_USE_LOCAL_OPTIONS));
    EXPECT_FALSE(m_app.AreGlobalOptionsInUse());
    EXPECT_TRUE(Updated(ID_USE_LOCAL_OPTIONS)->isChecked());
    EXPECT_FALSE(Updated(ID_USE_GLOBAL_OPTIONS)->isChecked());
    EXPECT_EQ(m_panes->Calls, QStringList{"reload"});
    EXPECT_TRUE(DifferencesStale()) << "differences made under the other options are forgotten";

    // Choosing what is in force already changes nothing.
    FillDifferences();
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_USE_LOCAL_OPTIONS));
    EXPECT_EQ(m_panes->Calls, QStringList{"reload"});
    EXPECT_FALSE(DifferencesStale());

    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_USE_GLOBAL_OPTIONS));
    EXPECT_TRUE(m_app.AreGlobalOptionsInUse());
    EXPECT_EQ(m_panes->Calls, (QStringList{"reload", "reload"}));
    EXPECT_TRUE(DifferencesStale());

    // A new campaign has no local options.
    m_app.OnFileNew();
    EXPECT_FALSE(Updated(ID_USE_LOCAL_OPTIONS)->isEnabled());
}

TEST_F(ApplicationCommands, UserDefinedApplications)
{
    CUserDefinedApp apps;
    // Neither title nor path: the menu keeps its text, greyed.
    m_app.SetUserDefinedApps(apps);
    EXPECT_EQ(Updated(ID_APPLICATION1)->text(), QStringLiteral("Application1"));
    EXPECT_FALSE(Updated(ID_APPLICATION1)->isEnabled());
    // A title without a path: the title, greyed.
    apps.SetUserDefinedApp1Title(QStringLiteral("Tally"));
    m_app.SetUserDefinedApps(apps);
    EXPECT_EQ(Updated(ID_APPLICATION1)->text(), QStringLiteral("Tally"));
    EXPECT_FALSE(Updated(ID_APPLICATION1)->isEnabled());

    // A program that cannot be found: said with its title and the error code.
    apps.SetUserDefinedApp1Path(Path("no-such-program"));
    m_app.SetUserDefinedApps(apps);
    ASSERT_TRUE(Updated(ID_APPLICATION1)->isEnabled());
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_APPLICATION1));
    ASSERT_EQ(m_windows.Prompts.size(), 1);
    EXPECT_EQ(m_windows.Prompts[0], FormatString(LoadString(63952), {QStringLiteral("Tally"),
                                                                     QStringLiteral("Tally"), 2}));

    // A program that starts gets the campaign file as its one argument.
    const QString script = Path("record-arguments.sh");
    const QString record = Path("arguments.txt");
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '%1'\n")
                       .arg(record)
                       .toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    apps.SetUserDefinedApp2Title(QStringLiteral("Recorder"));
    apps.SetUserDefinedApp2Path(script);
    m_app.SetUserDefinedApps(apps);
    EXPECT_EQ(Updated(ID_APPLICATION2)->text(), QStringLiteral("Recorder"));
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_APPLICATION2));
    for (int i = 0; i < 200 && FileBytes(record).isEmpty(); ++i)
        QTest::qWait(20);
    EXPECT_EQ(FileBytes(record), "1\n" + m_app.GetCampaignFilePath().toUtf8() + "\n");
    EXPECT_EQ(m_windows.Prompts.size(), 1);
}

TEST_F(ApplicationCommands, TutorialHelpAndWiki)
{
    QList<QUrl> opened;
    m_shellApp->SetUrlOpener([&](const QUrl& url) {
        opened << url;
        return true;
    });
    const QString shared = Path("share");
    m_shellApp->SetSystemDataFolders({Path("other"), shared});

    // No tutorial folder anywhere: said, with the path looked at.
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_OPEN_TUTORIAL_FOLDER));
    ASSERT_EQ(m_windows.Prompts.size(), 1);
    EXPECT_EQ(m_windows.Prompts[0], LoadString(IDS_TUTORIAL_FAILED) + QStringLiteral("\n\n\"") +
                                        Path("other/Pelko/PelkoPlim/Tutorial") +
                                        QStringLiteral("\""));
    EXPECT_TRUE(opened.isEmpty());

    const QString tutorial = shared + QStringLiteral("/Pelko/PelkoPlim/Tutorial");
    ASSERT_TRUE(QDir().mkpath(tutorial));
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_OPEN_TUTORIAL_FOLDER));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(tutorial));

    EXPECT_EQ(m_windows.Prompts.size(), 1);
}

TEST_F(ApplicationCommands, TheGuideIsFoundFromTheBuildFolder)
{
    m_shellApp->SetProgramFolder(QStringLiteral(PLIM_PROGRAM_DIR));
    const QString guide = m_shellApp->FindUserGuide();
    EXPECT_EQ(guide, QDir::cleanPath(QStringLiteral(PLIM_PROGRAM_DIR "/plim-guide.html")));
    QFile file(guide);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<title>Plim User Guide</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("</a>The reconciliation page</h2>")));
    EXPECT_EQ(m_shellApp->UserGuideUrl(), QUrl::fromLocalFile(guide));
}

TEST_F(ApplicationCommands, HelpTopicsAndTheWikiOpenTheGuideInTheBrowserElseInAReportWindow)
{
    QList<QUrl> opened;
    bool browser = true;
    m_shellApp->SetUrlOpener([&](const QUrl& url) {
        opened << url;
        return browser;
    });
    const QString guide = Path("bin/plim-guide.html");
    ASSERT_TRUE(QDir().mkpath(Path("bin")));
    QFile file(guide);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray html =
        "<html><body><h1>Plim User Guide</h1><p>\xc3\xa9t\xc3\xa9</p></body></html>";
    file.write(html);
    file.close();
    m_shellApp->SetProgramFolder(Path("bin"));

    // With a browser: the guide's file, for both commands.
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_HELP_TOPICS));
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_WIKI));
    EXPECT_EQ(opened, (QList<QUrl>{QUrl::fromLocalFile(guide), QUrl::fromLocalFile(guide)}));
    EXPECT_TRUE(m_windows.Reports.empty());
    EXPECT_TRUE(m_windows.Prompts.isEmpty());

    // No browser could be started: the guide shows in the program's report window.
    browser = false;
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_HELP_TOPICS));
    EXPECT_EQ(opened.size(), 3);
    ASSERT_EQ(m_windows.Reports.size(), 1u);
    EXPECT_EQ(m_windows.Reports[0].Title, QStringLiteral("Plim User Guide"));
    EXPECT_EQ(m_windows.Reports[0].Html, QString::fromUtf8(html));
    EXPECT_TRUE(m_windows.Prompts.isEmpty());

    // No guide where it is looked for: said, with the places.
    ASSERT_TRUE(QFile::remove(guide));
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_WIKI));
    EXPECT_EQ(opened.size(), 3);
    EXPECT_EQ(m_windows.Reports.size(), 1u);
    ASSERT_EQ(m_windows.Prompts.size(), 1);
    EXPECT_EQ(m_windows.Prompts[0],
              QStringLiteral("The user guide could not be found. Plim looks for it in:\n\n") +
                  guide + QLatin1Char('\n') +
                  QDir::cleanPath(Path("bin") + QStringLiteral("/../" PLIM_GUIDE_INSTALL_DIR
                                                               "/plim-guide.html")));
}

TEST_F(ApplicationCommands, MaximiseResponseCounts)
{
    // Cancel: no command.
    m_windows.QueueAnswers({IDCANCEL});
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_MAXIMISE_RESPONSE_COUNTS));
    ASSERT_EQ(m_windows.Prompts.size(), 1);
    EXPECT_EQ(m_windows.Prompts[0], LoadString(IDS_KEEP_HIGHER_COUNTS));
    EXPECT_EQ(m_windows.PromptTypes[0], unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_FALSE(m_app.GetCommandHistory().CanUndo());

    // Yes: one step, which refreshes the reconciliation page and says how many changed.
    m_panes->Page = IShellPanes::PageReconciliation;
    m_panes->ReconciliationWave = 2;
    FillDifferences();
    m_windows.QueueAnswers({IDYES});
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_MAXIMISE_RESPONSE_COUNTS));
    EXPECT_EQ(m_app.GetCommandHistory().GetUndoCount(), 1);
    EXPECT_TRUE(m_app.IsModified());
    ASSERT_EQ(m_windows.Prompts.size(), 3);
    EXPECT_EQ(m_windows.Prompts[2], FormatString(LoadString(IDS_QUESTIONS_UPDATED), {0}));
    EXPECT_EQ(m_windows.PromptTypes[2], unsigned(MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(m_panes->Calls.contains(QStringLiteral("show reconciliation 2")));
    EXPECT_TRUE(DifferencesStale());

    // Its undo refreshes again without a message.
    FillDifferences();
    m_panes->Calls.clear();
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_UNDO));
    EXPECT_TRUE(DifferencesStale());
    EXPECT_TRUE(m_panes->Calls.contains(QStringLiteral("show reconciliation 2")));
    EXPECT_EQ(m_windows.Prompts.size(), 3);

    // The window program goes before the application and its history: the step still redoes
    // and undoes, and reaches no window.
    m_panes = nullptr;
    m_shellApp.reset();
    EXPECT_TRUE(m_app.Redo());
    EXPECT_TRUE(m_app.Undo());
    EXPECT_EQ(m_app.GetCommandHistory().GetRedoCount(), 1);
    EXPECT_EQ(m_windows.Prompts.size(), 3);
}

TEST_F(ApplicationCommands, UpdateHandlersOfTheReconciliationPageAndTheLanguagePane)
{
    for (unsigned id : {ID_FIND_QUESTION, ID_APPLY_CAPTION_LIBRARIES, ID_FIND_OPEN_NUMERIC})
        EXPECT_FALSE(Updated(id)->isEnabled()) << id;
    m_panes->ReconciliationWindow = true;
    for (unsigned id : {ID_FIND_QUESTION, ID_APPLY_CAPTION_LIBRARIES, ID_FIND_OPEN_NUMERIC})
        EXPECT_TRUE(Updated(id)->isEnabled()) << id;

    EXPECT_EQ(Updated(ID_INDICATOR_LANGUAGE)->text(), QStringLiteral("English (United Kingdom)"));
    m_app.GetCampaign()->SetCurrentLanguageId(1036);
    m_shellApp->UpdateCommands();
    EXPECT_EQ(m_shellApp->GetMainFrame()->GetLanguagePane()->text(),
              QStringLiteral("French (France)"));
}

TEST_F(ApplicationCommands, TheAboutBoxLinksToTheWikiAndTheDocumentation)
{
    m_shellApp->SetProgramFolder(QStringLiteral(PLIM_PROGRAM_DIR));
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        shown = true;
        EXPECT_TRUE(m_app.IsModalState());
        EXPECT_EQ(about->windowTitle(), QStringLiteral("About Plim"));
        EXPECT_EQ(about->GetTemplateId(), 100u);
        // Both links lead to the user guide.
        const QString guide =
            QUrl::fromLocalFile(
                QDir::cleanPath(QStringLiteral(PLIM_PROGRAM_DIR "/plim-guide.html")))
                .toString();
        EXPECT_EQ(about->GetWikiLink()->property("controlId").toInt(), 1195);
        EXPECT_EQ(about->GetWikiLink()->GetURL(), guide);
        EXPECT_EQ(about->GetHelpLink()->property("controlId").toInt(), 1196);
        EXPECT_EQ(about->GetHelpLink()->GetURL(), guide);
        // Everything lies inside the box.
        for (const QWidget* child : about->findChildren<QWidget*>())
            EXPECT_TRUE(about->rect().contains(child->geometry()))
                << child->metaObject()->className() << " " << child->geometry().x() << ","
                << child->geometry().y() << " " << child->width() << "x" << child->height();
        const QImage image =
            shots::GrabAndSave(*about, QStringLiteral("shots"), QStringLiteral("shell-about"));
        // The program's icon and the two links are drawn where they stand.
        const QWidget* parts[] = {about->findChild<QWidget*>(QStringLiteral("AboutIcon")),
                                  about->GetWikiLink(), about->GetHelpLink()};
        for (const QWidget* part : parts) {
            ASSERT_NE(part, nullptr);
            EXPECT_GT(shots::InkCount(image, part->geometry(), 160), 20)
                << part->objectName().toStdString();
        }
        about->accept();
    });
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_APP_ABOUT));
    EXPECT_TRUE(shown);
    EXPECT_FALSE(m_app.IsModalState());
}

TEST_F(ApplicationCommands, AClickOnAnAboutLinkClosesTheBoxAndOpensTheGuide)
{
    m_shellApp->SetProgramFolder(QStringLiteral(PLIM_PROGRAM_DIR));
    m_shellApp->SetUrlOpener([](const QUrl&) { return false; });
    bool clicked = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        CHyperLink* link = about->GetWikiLink();
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, link->height() / 2));
        clicked = true;
        // The box is closed; the guide is not opened while it stands.
        EXPECT_FALSE(about->isVisible());
        EXPECT_TRUE(m_windows.Reports.empty());
    });
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_APP_ABOUT));
    EXPECT_TRUE(clicked);
    EXPECT_FALSE(m_app.IsModalState());
    // No browser: the guide in the report window.
    ASSERT_EQ(m_windows.Reports.size(), 1u);
    EXPECT_EQ(m_windows.Reports[0].Title, QStringLiteral("Plim User Guide"));
    EXPECT_TRUE(m_windows.Reports[0].Html.contains(QStringLiteral("</a>Command line</h2>")));
}

TEST_F(ApplicationCommands, LanguagesChangeInOneUndoableStep)
{
    pelko_wave::CCampaign& campaign = *m_app.GetCampaign();
    ASSERT_EQ(campaign.GetLanguage(0)->GetLanguageId(), 2057);
    ASSERT_EQ(campaign.GetLanguage(1)->GetLanguageId(), 1036);
    const CommandHistory& history = m_app.GetCommandHistory();
    const auto choose = [this](int defaultIndex, int currentIndex) {
        m_dialogs->DefaultLanguageIndex = defaultIndex;
        m_dialogs->CurrentLanguageIndex = currentIndex;
        return m_shellApp->GetActions().Execute(ID_LANGUAGES);
    };
    EXPECT_TRUE(Updated(ID_LANGUAGES)->isEnabled());

    // The languages as they are, a default that does not exist, or Cancel: nothing is run.
    ASSERT_TRUE(choose(0, 0));
    ASSERT_TRUE(choose(5, 1));
    m_dialogs->Cancel = true;
    ASSERT_TRUE(choose(1, 1));
    m_dialogs->Cancel = false;
    EXPECT_EQ(history.GetUndoCount(), 0);
    EXPECT_FALSE(m_app.IsModified());
    EXPECT_EQ(m_dialogs->RanModal, (std::vector<bool>{true, true, true}));

    // Only the current language: one step.
    ASSERT_TRUE(choose(0, 1));
    EXPECT_EQ(history.GetUndoCount(), 1);
    EXPECT_EQ(campaign.GetCurrentLanguageId(), 1036);
    EXPECT_EQ(campaign.GetDefaultLanguageId(), 2057);
    EXPECT_EQ(m_panes->Calls, QStringList{"reload"});
    EXPECT_TRUE(m_app.IsModified());

    // A later run that changes nothing does not stop the earlier step's undo from reloading.
    ASSERT_TRUE(choose(0, 1));
    m_panes->Calls.clear();
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_UNDO));
    EXPECT_EQ(campaign.GetCurrentLanguageId(), 2057);
    EXPECT_EQ(m_panes->Calls, QStringList{"reload"});

    // The default language: one step holding all its parts.
    ASSERT_TRUE(choose(1, 1));
    EXPECT_EQ(history.GetUndoCount(), 1);
    EXPECT_EQ(campaign.GetDefaultLanguageId(), 1036);
    EXPECT_EQ(campaign.GetCurrentLanguageId(), 1036);
    EXPECT_TRUE(campaign.GetLanguage(1)->IsDefault());
    EXPECT_FALSE(campaign.GetLanguage(0)->IsDefault());
    EXPECT_EQ(Updated(ID_EDIT_UNDO)->text(), QStringLiteral("Undo change language\tCtrl+Z"));
    ASSERT_TRUE(m_shellApp->GetActions().Execute(ID_EDIT_UNDO));
    EXPECT_EQ(campaign.GetDefaultLanguageId(), 2057);
    EXPECT_EQ(campaign.GetCurrentLanguageId(), 2057);
    EXPECT_TRUE(campaign.GetLanguage(0)->IsDefault());
    EXPECT_FALSE(campaign.GetLanguage(1)->IsDefault());

    m_dialogs->Available = false;
    EXPECT_FALSE(Updated(ID_LANGUAGES)->isEnabled());
}
