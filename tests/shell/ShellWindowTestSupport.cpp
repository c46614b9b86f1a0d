#include "ShellWindowTestSupport.h"

#include "app/OptionsProfile.h"
#include "dialogs/ReportDlg.h"
#include "shell/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QSettings>

namespace shell_window_test {

CScriptedPanes::CScriptedPanes()
{
    for (QPointer<QWidget>& widget : m_widgets)
        widget = new QWidget;
}

CScriptedPanes::~CScriptedPanes()
{
    for (const QPointer<QWidget>& widget : m_widgets) {
        if (widget && !widget->parent())
            delete widget.data();
    }
}

void CScriptedPanes::ReadLayout(EPane pane, int& width, int& height) const
{
    width = StoredWidth[pane];
    height = StoredHeight[pane];
}

bool CScriptedPanes::ResetAfterLoad()
{
    Calls << QStringLiteral("reset");
    return !FailReset;
}

void CScriptedPanes::SelectWave(int waveId)
{
    Calls << QStringLiteral("select wave %1").arg(waveId);
    SelectedWave = waveId;
    SelectedVolume = -1;
}

void CScriptedPanes::SelectVolume(int volumeId)
{
    Calls << QStringLiteral("select volume %1").arg(volumeId);
    SelectedVolume = volumeId;
}

void CScriptedPanes::SelectCampaign()
{
    Calls << QStringLiteral("select campaign");
    SelectedWave = -1;
    SelectedVolume = -1;
}

void CScriptedPanes::ShowReconciliation(int waveId)
{
    Calls << QStringLiteral("show reconciliation %1").arg(waveId);
    Page = PageReconciliation;
    ReconciliationWave = waveId;
}

void CScriptedPanes::SelectReconQuestion(int questionId)
{
    Calls << QStringLiteral("select question %1").arg(questionId);
    Question = questionId;
}

bool CScriptedDialogs::RunOptionsSheet(QWidget*, SOptionsSheetRecords& records)
{
    Runs << QStringLiteral("options");
    RanModal.push_back(IsModal && IsModal());
    if (EditOptions)
        EditOptions(records);
    return !Cancel;
}

int CScriptedDialogs::RunLanguagesDialog(QWidget*, int& defaultIndex, int& currentIndex)
{
    Runs << QStringLiteral("languages");
    RanModal.push_back(IsModal && IsModal());
    defaultIndex = DefaultLanguageIndex;
    currentIndex = CurrentLanguageIndex;
    return Cancel ? IDCANCEL : IDOK;
}

void CScriptedDialogs::RunCaptionLibrariesDialog(QWidget*)
{
    Runs << QStringLiteral("caption libraries");
    RanModal.push_back(IsModal && IsModal());
}

void CScriptedDialogs::RunDuplicatesDialog(QWidget*, const CCmdCallBacks&)
{
    Runs << QStringLiteral("duplicates");
    RanModal.push_back(IsModal && IsModal());
}

void CScriptedDialogs::RunValidationDialog(QWidget*, const SSourceComparisonLists&,
                                           const QString& report)
{
    Runs << QStringLiteral("validation");
    RanModal.push_back(IsModal && IsModal());
    ValidationReport = report;
}

void ClearProfile()
{
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    profile->clear();
    profile->sync();
}

CReportDlg* ShownReportWindow()
{
    CReportDlg* report = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* shown = qobject_cast<CReportDlg*>(widget); shown && shown->isVisible())
            report = shown;
    }
    return report;
}

CShellWindowTest::CShellWindowTest()
{
    ClearProfile();
    auto dialogs = std::make_unique<CScriptedDialogs>();
    m_dialogs = dialogs.get();
    m_dialogs->IsModal = [this] { return m_app.IsModalState(); };
    m_shellApp = std::make_unique<CShellApp>(
        m_app,
        [this](CCommandActions&) {
            auto panes = std::make_unique<CScriptedPanes>();
            m_panes = panes.get();
            return panes;
        },
        std::move(dialogs));
}

CShellWindowTest::~CShellWindowTest()
{
    m_shellApp.reset();
}

QAction* CShellWindowTest::Updated(unsigned id)
{
    m_shellApp->GetActions().Update(id);
    return m_shellApp->GetActions().Action(id);
}

QString CShellWindowTest::Title() const
{
    return m_shellApp->GetMainFrame()->windowTitle();
}

bool CShellWindowTest::ExecuteTestCommand(const QString& name)
{
    std::unique_ptr<CCmdVirtual> command = std::make_unique<CTestCmd>(m_journal, name);
    const bool done = m_app.ExecuteCommand(command, JournalCallBacks(m_journal), nullptr,
                                           m_app.CaptureViewState(), true);
    m_shellApp->UpdateCommands();
    return done;
}

} // namespace shell_window_test
