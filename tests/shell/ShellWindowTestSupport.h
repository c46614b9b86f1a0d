#pragma once

#include "ShellTestSupport.h"

#include "dialogs/ShellDialogs.h"
#include "shell/ShellApp.h"
#include "shell/ShellPanes.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class CReportDlg;
class QAction;

namespace shell_window_test {

// The three panes as a script: each answers what the test sets and records what it is asked to
// do ("select campaign", "select wave 3", "select volume 7", "show reconciliation 3", "select
// question 17", "reload", "refill grids", "refresh question grid", "refill panes", "reset",
// "save layout 0", "apply layout 2").
class CScriptedPanes final : public IShellPanes
{
public:
    CScriptedPanes();
    // Deletes the pane widgets that no window took.
    ~CScriptedPanes() override;

    QWidget* GetPaneWidget(EPane pane) const override { return m_widgets[pane]; }
    void ReadLayout(EPane pane, int& width, int& height) const override;
    void SaveLayout(EPane pane) override { Calls << QStringLiteral("save layout %1").arg(pane); }
    void ApplyLayout(EPane pane) override { Calls << QStringLiteral("apply layout %1").arg(pane); }

    bool ResetAfterLoad() override;
    int GetSelectedWaveId() const override { return SelectedWave; }
    int GetSelectedVolumeId() const override { return SelectedVolume; }
    void SelectWave(int waveId) override;
    void SelectVolume(int volumeId) override;
    void SelectCampaign() override;
    int GetShownPage() const override { return Page; }
    int GetReconciliationWaveId() const override { return ReconciliationWave; }
    int GetCurrentQuestionId() const override { return Page == PageReconciliation ? Question : -1; }
    int GetFocusedModalityId() const override { return Page == PageReconciliation ? Response : -1; }
    void ShowReconciliation(int waveId) override;
    void SelectReconQuestion(int questionId) override;
    void ReloadReconciliation() override { Calls << QStringLiteral("reload"); }
    void RefreshReconciliationGrids() override { Calls << QStringLiteral("refill grids"); }
    void RefreshReconQuestionGrid() override { Calls << QStringLiteral("refresh question grid"); }
    void RefillFromCampaign() override { Calls << QStringLiteral("refill panes"); }
    bool IsReconciliationPageWindow() const override { return ReconciliationWindow; }
    int GetBottomValue() const override { return BottomValue; }

    int SelectedWave = -1;
    int SelectedVolume = -1;
    int Page = PageNone;
    int ReconciliationWave = -1;
    int Question = -1;
    int Response = -1;
    int BottomValue = 0;
    bool ReconciliationWindow = false;
    bool FailReset = false;
    // The stored sizes ReadLayout gives, per pane (-1: none).
    int StoredWidth[3] = {-1, -1, -1};
    int StoredHeight[3] = {-1, -1, -1};
    mutable QStringList Calls;

private:
    QPointer<QWidget> m_widgets[3];
};

// The dialogs as a script: the test says which are there and what the options sheet does to
// the records; each run is recorded ("options", "languages", "caption libraries",
// "duplicates", "validation").
class CScriptedDialogs final : public IShellDialogs
{
public:
    bool HasDialog(EDialog dialog) const override { return Available; }
    bool RunOptionsSheet(QWidget* parent, SOptionsSheetRecords& records) override;
    int RunLanguagesDialog(QWidget* parent, int& defaultIndex, int& currentIndex) override;
    void RunCaptionLibrariesDialog(QWidget* parent) override;
    void RunDuplicatesDialog(QWidget* parent, const CCmdCallBacks& callBacks) override;
    void RunValidationDialog(QWidget* parent, const SSourceComparisonLists& lists,
                             const QString& report) override;

    bool Available = true;
    // The report the validation dialog was given.
    QString ValidationReport;
    // What the user does in the options sheet; the sheet answers OK unless Cancel is set.
    std::function<void(SOptionsSheetRecords&)> EditOptions;
    bool Cancel = false;
    int DefaultLanguageIndex = 0;
    int CurrentLanguageIndex = 0;
    // Whether the application was in its modal state during each run.
    std::vector<bool> RanModal;
    QStringList Runs;
    std::function<bool()> IsModal;
};

// A test of the window program: the roads' fixture (temporary folder, scripted window
// services, application object) with the window program around it, on scripted panes and
// dialogs. The profile starts empty.
class CShellWindowTest : public shell_test::CShellTest
{
protected:
    CShellWindowTest();
    ~CShellWindowTest() override;

    // The shared action of a command, brought up to date.
    QAction* Updated(unsigned id);
    // The main window's caption.
    QString Title() const;
    // Runs a test command through the application (marks the campaign modified).
    bool ExecuteTestCommand(const QString& name);

    CScriptedPanes* m_panes = nullptr;     // owned by the frame
    CScriptedDialogs* m_dialogs = nullptr; // owned by the shell
    std::unique_ptr<CShellApp> m_shellApp;
};

// Empties the profile of the test program.
void ClearProfile();

// The report window on screen (the last one when there are several); null when none.
CReportDlg* ShownReportWindow();

} // namespace shell_window_test
