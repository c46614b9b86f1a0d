// The campaign dialogs in the window program as main starts it: the Tools menu's commands that
// open them, and the validation dialog on the road of opening a campaign.

#include "ShellWindowTestSupport.h"

#include "MenuTestSupport.h"
#include "app/WaveApp.h"

#include "dialogs/CaptionLibraryDlg.h"
#include "dialogs/CheckForDuplicatesDlg.h"
#include "dialogs/DialogControls.h"
#include "dialogs/EnvironmentGenOptionsPage.h"
#include "dialogs/LanguageDlg.h"
#include "dialogs/OptionsSheet.h"
#include "dialogs/ValidateCampaignDlg.h"
#include "model/Campaign.h"
#include "model/CaptionLibrary.h"
#include "model/Volume.h"
#include "res/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/ShellApp.h"
#include "shell/WindowProgram.h"
#include "views/ViewDialogs.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

class CampaignDialogsProgram : public shell_test::CShellTest
{
protected:
    CampaignDialogsProgram()
    {
        m_app.SetStartupPause(std::chrono::milliseconds(0));
        m_app.SetWindowProgram([this](CWaveApp& app) { return m_program.Start(app); });
    }
    ~CampaignDialogsProgram() override { m_program.End(); }

    QAction* Updated(unsigned id)
    {
        CShellApp& shell = *m_program.GetShell();
        shell.UpdateCommands();
        return shell.GetActions().Action(id);
    }

    CWindowProgram m_program;
};

// Runs `act` once on the first modal dialog of the type that comes up, as soon as `ready` holds
// for it, while the test goes on. The dialog is looked for, and `ready` asked, on each turn of a
// polling timer: the act waits for the dialog's own state, never for time to pass, and never
// inside the turn of the event loop that found the dialog not ready (which may be a nested one of
// the dialog's own work).
template <class Dialog> class CWhenShown
{
public:
    explicit CWhenShown(
        std::function<void(Dialog&)> act,
        std::function<bool(const Dialog&)> ready = [](const Dialog&) { return true; })
        : m_act(std::move(act)), m_ready(std::move(ready))
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (dialog && m_ready(*dialog)) {
                m_poll.stop();
                Shown = true;
                m_act(*dialog);
            }
        });
        m_poll.start();
    }

    bool Shown = false;

private:
    std::function<void(Dialog&)> m_act;
    std::function<bool(const Dialog&)> m_ready;
    QTimer m_poll;
};

} // namespace

TEST_F(CampaignDialogsProgram, LanguagesOpensTheLanguagesDialogAndAppliesItsChoice)
{
    const QString file = Path(QStringLiteral("wave1.duv"));
    WriteReconciledCampaign(file, SampleCode());
    ASSERT_TRUE(m_app.InitInstance({file}));
    ASSERT_EQ(m_app.GetCampaign()->GetCurrentLanguageId(), 2057);
    QAction* languages = Updated(ID_LANGUAGES);
    ASSERT_NE(languages, nullptr);
    EXPECT_TRUE(languages->isEnabled());

    QStringList rows;
    bool modal = false;
    CWhenShown<CLanguageDlg> chooseFrench([&](CLanguageDlg& dialog) {
        modal = m_app.IsModalState();
        QTreeWidget& list = *dialog.GetList();
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            rows << list.topLevelItem(i)->text(0) + QStringLiteral(": ") +
                        list.topLevelItem(i)->text(2);
        list.setCurrentItem(list.topLevelItem(1));
        QTest::mouseClick(dialog.GetSetCurrentButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.GetOkButton(), Qt::LeftButton);
    });
    languages->trigger();
    EXPECT_TRUE(chooseFrench.Shown);
    EXPECT_TRUE(modal);
    EXPECT_EQ(rows,
              (QStringList{"English (United Kingdom): Default, current", "French (France): "}));
    EXPECT_EQ(m_app.GetCampaign()->GetCurrentLanguageId(), 1036);
    EXPECT_TRUE(m_app.IsModified());
    EXPECT_TRUE(Updated(ID_EDIT_UNDO)->isEnabled());
    EXPECT_FALSE(m_app.IsModalState());
    m_program.End();
    EXPECT_EQ(m_app.ExitInstance(), 0);
}

TEST_F(CampaignDialogsProgram, TheToolsMenusDialogCommandsAreEnabledAndOpenTheirDialogs)
{
    const QString file = Path(QStringLiteral("wave1.duv"));
    WriteReconciledCampaign(file, SampleCode());
    ASSERT_TRUE(m_app.InitInstance({file}));
    CShellApp& shell = *m_program.GetShell();
    CMainFrame& frame = *shell.GetMainFrame();
    ASSERT_GE(shell.GetRecentFileList().GetCount(), 1);

    // The four commands stand in the Tools menu, enabled when it opens.
    QMenu* tools = menutest::OpenBarMenu(frame, QStringLiteral("&Tools"));
    ASSERT_NE(tools, nullptr);
    ASSERT_TRUE(tools->isVisible());
    for (const unsigned id :
         {ID_OPTIONS, ID_LANGUAGES, ID_CAPTION_LIBRARIES, ID_CHECK_DUPLICATES}) {
        QAction* action = shell.GetActions().Action(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_TRUE(tools->actions().contains(action)) << id;
        EXPECT_TRUE(action->isEnabled()) << id;
    }
    tools->hide();

    // Options: the general page's edits and Clear List reach the program.
    bool modal = false;
    CWhenShown<COptionsSheet> options([&](COptionsSheet& sheet) {
        modal = m_app.IsModalState();
        CEnvironmentGenOptionsPage& general = *sheet.GetGeneralPage();
        auto* recent =
            FindControl<QLineEdit>(general, CEnvironmentGenOptionsPage::IDC_RECENT_FILES);
        recent->selectAll();
        QTest::keyClicks(recent, QStringLiteral("6"));
        QTest::mouseClick(
            FindControl<QPushButton>(general, CEnvironmentGenOptionsPage::IDC_CLEAR_LIST),
            Qt::LeftButton);
        QTest::mouseClick(sheet.GetButtons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    Updated(ID_OPTIONS)->trigger();
    EXPECT_TRUE(options.Shown);
    EXPECT_TRUE(modal);
    EXPECT_EQ(m_app.GetEnvironmentSettings().GetMRUSize(), 6);
    EXPECT_EQ(shell.GetRecentFileList().GetSize(), 6);
    EXPECT_EQ(shell.GetRecentFileList().GetCount(), 0);

    // Check for Duplicates: Close once the search has ended (the dialog refuses it before).
    modal = false;
    bool closeEnabled = false;
    CWhenShown<CCheckForDuplicatesDlg> duplicates(
        [&](CCheckForDuplicatesDlg& dialog) {
            modal = m_app.IsModalState();
            closeEnabled = dialog.GetCloseButton()->isEnabled();
            QTest::mouseClick(dialog.GetCloseButton(), Qt::LeftButton);
        },
        [](const CCheckForDuplicatesDlg& dialog) { return !dialog.IsSearching(); });
    Updated(ID_CHECK_DUPLICATES)->trigger();
    EXPECT_TRUE(duplicates.Shown);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(closeEnabled);

    // Languages and Caption Libraries, cancelled.
    CWhenShown<CLanguageDlg> languages([](CLanguageDlg& dialog) { dialog.reject(); });
    Updated(ID_LANGUAGES)->trigger();
    EXPECT_TRUE(languages.Shown);
    CWhenShown<CCaptionLibraryDlg> libraries([](CCaptionLibraryDlg& dialog) { dialog.reject(); });
    Updated(ID_CAPTION_LIBRARIES)->trigger();
    EXPECT_TRUE(libraries.Shown);
    EXPECT_FALSE(m_app.IsModalState());
    EXPECT_FALSE(m_app.IsModified());
    m_program.End();
    EXPECT_EQ(m_app.ExitInstance(), 0);
}

TEST_F(CampaignDialogsProgram, CaptionLibrariesOpensTheLibrariesToEditAndViewsHaveTheirDialogs)
{
    ASSERT_TRUE(m_app.InitInstance({}));
    // The views open the campaign tree's dialogs through the program's own.
    EXPECT_NE(GetViewDialogs(), nullptr);
    QAction* libraries = Updated(ID_CAPTION_LIBRARIES);
    ASSERT_NE(libraries, nullptr);
    EXPECT_TRUE(libraries->isEnabled());

    QString okText;
    bool modal = false;
    CWhenShown<CCaptionLibraryDlg> addLibrary([&](CCaptionLibraryDlg& dialog) {
        modal = m_app.IsModalState();
        okText = FindControl<QPushButton>(dialog, CCaptionLibraryDlg::IDC_OK)->text();
        dialog.OnNewLibrary();
        QApplication::processEvents();
        QTest::mouseClick(FindControl<QPushButton>(dialog, CCaptionLibraryDlg::IDC_OK),
                          Qt::LeftButton);
    });
    libraries->trigger();
    ASSERT_TRUE(addLibrary.Shown);
    EXPECT_TRUE(modal);
    EXPECT_FALSE(m_app.IsModalState());
    EXPECT_EQ(okText, QStringLiteral("OK"));
    ASSERT_EQ(m_app.GetCaptionLibraries().size(), 1);
    EXPECT_EQ(m_app.GetCaptionLibraries()[0]->GetName(), QStringLiteral("(library name)"));
    m_program.End();
    EXPECT_EQ(GetViewDialogs(), nullptr);
    EXPECT_EQ(m_app.ExitInstance(), 0);
}

TEST_F(CampaignDialogsProgram, ACampaignWithMatchingProblemsOpensIntoTheValidationDialog)
{
    const QString file = Path(QStringLiteral("wave1.duv"));
    // Question 11 is matched to a source question that volume 1's source does not have.
    WriteReconciledCampaign(file, QStringLiteral("987654"));
    bool closeFirst = true;
    bool closeAfter = false;
    QString report;
    CWhenShown<CValidateCampaignDlg> validate([&](CValidateCampaignDlg& dialog) {
        dialog.SetFinalPause(std::chrono::milliseconds(0));
        closeFirst = dialog.GetCloseButton()->isEnabled();
        QTest::mouseClick(dialog.GetValidateButton(), Qt::LeftButton);
        closeAfter = dialog.GetCloseButton()->isEnabled();
        report = dialog.GetHtml();
        QTest::mouseClick(dialog.GetCloseButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(m_app.InitInstance({file}));
    ASSERT_TRUE(validate.Shown);
    EXPECT_FALSE(closeFirst);
    EXPECT_TRUE(closeAfter);
    EXPECT_TRUE(report.contains(QStringLiteral("The campaign is now valid"))) << qPrintable(report);
    EXPECT_EQ(shell_window_test::ShownReportWindow(), nullptr);

    // The correction is one undoable step, and the campaign shows modified.
    const pelko_wave::CVolume& volume = *m_app.GetCampaign()->FindVolume(1);
    EXPECT_EQ(volume.FindQuestionMatchingInherited(11, 1), nullptr);
    EXPECT_TRUE(m_app.IsModified());
    CMainFrame& frame = *m_program.GetShell()->GetMainFrame();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.windowTitle().startsWith(QStringLiteral("wave1.duv *")))
        << qPrintable(frame.windowTitle());
    QAction* undo = Updated(ID_EDIT_UNDO);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_TRUE(undo->text().contains(QStringLiteral("validated campaign")))
        << qPrintable(undo->text());
    m_program.End();
    EXPECT_EQ(m_app.ExitInstance(), 0);
}
