#include "platform/ConsoleWindowServices.h"

#include "platform/ProgressThreadData.h"
#include "platform/ViewState.h"

#include <QStringList>

#include <thread>

#include <gtest/gtest.h>

TEST(ConsoleWindowServices, MessagesPrintAndTakeTheFirstButton)
{
    QStringList lines;
    CConsoleWindowServices console([&](const QString& line) { lines << line; });
    SetWindowServices(&console);

    EXPECT_EQ(GetWindowServices().MessageBox(QStringLiteral("Saved."), MB_OK), IDOK);
    EXPECT_EQ(console.MessageBox(QStringLiteral("Upgrade?"), MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(console.MessageBox(QStringLiteral("Save?"), MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(console.MessageBox(QStringLiteral("Go on?"), MB_OKCANCEL), IDOK);
    EXPECT_EQ(console.MessageBoxId(63038, MB_OK), IDOK);
    EXPECT_EQ(lines, QStringList({QStringLiteral("Saved."), QStringLiteral("Upgrade?"),
                                  QStringLiteral("Save?"), QStringLiteral("Go on?"),
                                  QStringLiteral("True")}));

    // Progress, reports and the wait cursor show nothing.
    {
        const CWaitCursor wait;
        std::unique_ptr<IProgressWindow> progress =
            console.CreateProgressDlg(QStringLiteral("Progress"), QStringLiteral("Working"), 10);
        progress->OffsetPos(3);
        progress->OffsetPos(2);
        EXPECT_EQ(progress->GetPos(), 5);
        progress->SetPosToLast();
        EXPECT_EQ(progress->GetPos(), 9);
        console.ShowReport(QStringLiteral("Report"), REPORT_RECONCILIATION,
                           QStringLiteral("<html/>"));
        console.PumpMessages();
    }
    EXPECT_EQ(lines.size(), 5);
    EXPECT_EQ(console.CaptureViewState()->Page, CViewState::PageNone);
    SetWindowServices(nullptr);
}

TEST(ConsoleWindowServices, AnswerUntilOtherServicesAreInstalled)
{
    SetWindowServices(nullptr);
    IWindowServices& defaults = GetWindowServices();
    EXPECT_NE(dynamic_cast<CConsoleWindowServices*>(&defaults), nullptr);
    EXPECT_EQ(defaults.MessageBox(QStringLiteral("Replace the file?"), MB_YESNO), IDYES);
    EXPECT_NE(defaults.CreateProgressDlg(QString(), QString(), 10), nullptr);

    QStringList lines;
    CConsoleWindowServices installed([&](const QString& line) { lines << line; });
    SetWindowServices(&installed);
    EXPECT_EQ(&GetWindowServices(), &installed);
    SetWindowServices(nullptr);
    EXPECT_EQ(&GetWindowServices(), &defaults);
}

TEST(ConsoleWindowServices, ProceduresRunAtOnceAndChoosersAreCancelled)
{
    CConsoleWindowServices console([](const QString&) {});
    EXPECT_TRUE(console.ChooseFileToOpen(QStringLiteral("*.duv"), QStringLiteral("duv")).isEmpty());
    EXPECT_TRUE(console
                    .ChooseFileToSave(QStringLiteral("/tmp/a.duv"), QStringLiteral("*.duv"),
                                      QStringLiteral("duv"))
                    .isEmpty());
    EXPECT_TRUE(console.ChooseFolder(QStringLiteral("Where?"), QStringLiteral("/tmp")).isEmpty());

    // The procedure runs on the calling thread before the call returns; with no window its
    // texts and positions go nowhere.
    const std::thread::id caller = std::this_thread::get_id();
    for (const bool succeed : {true, false}) {
        CUPDialogUserProcData data;
        std::thread::id ranOn;
        data.Proc = [&](CUPDialogUserProcData& self) {
            ranOn = std::this_thread::get_id();
            EXPECT_FALSE(self.SetText(QStringLiteral("Working")));
            self.StepPos();
            return succeed;
        };
        EXPECT_EQ(console.RunProgressDialog(QStringLiteral("Checking"), true, 10, data),
                  succeed ? UPDIALOG_SUCCEEDED : UPDIALOG_FAILED);
        EXPECT_EQ(ranOn, caller);
        EXPECT_EQ(data.DoneCount.load(), 1);
        EXPECT_FALSE(data.Running.load());
    }
}
