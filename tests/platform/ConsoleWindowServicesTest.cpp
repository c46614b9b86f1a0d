#include "platform/ConsoleWindowServices.h"

#include "platform/ViewState.h"

#include <QStringList>

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
