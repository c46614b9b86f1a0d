// The window services of the window program: message boxes, file filters, progress and report
// windows, the wait cursor, and the panes' snapshot.

#include "ShellWindowTestSupport.h"

#include "dialogs/ProgressDlg.h"
#include "dialogs/ReportDlg.h"
#include "platform/ViewState.h"
#include "shell/WidgetWindowServices.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace shell_window_test;

namespace {

// Answers the next message box by clicking its button of the given text (none: closes it with
// Escape), and notes what the box showed.
struct SAnswer
{
    QString Button;
    QString Text;
    QStringList Buttons;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QString DefaultButton;
};

void AnswerNextBox(SAnswer& answer)
{
    QTimer::singleShot(0, [&answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        answer.Text = box->text();
        answer.Icon = box->icon();
        answer.DefaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            answer.Buttons << button->text().remove(QLatin1Char('&'));
            if (button->text().remove(QLatin1Char('&')) == answer.Button)
                chosen = button;
        }
        if (chosen)
            chosen->click();
        else
            box->reject();
    });
}

} // namespace

TEST(WidgetWindowServices, MessageBoxesByType)
{
    struct SCase
    {
        unsigned Type;
        const char* Click;
        QStringList Buttons;
        QMessageBox::Icon Icon;
        int Expected;
    };
    const SCase cases[] = {
        {MB_OK | MB_ICONWARNING, "OK", {"OK"}, QMessageBox::Warning, IDOK},
        {MB_OK | MB_ICONINFORMATION, "", {"OK"}, QMessageBox::Information, IDOK},
        {MB_OKCANCEL | MB_ICONERROR, "Cancel", {"OK", "Cancel"}, QMessageBox::Critical, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, "No", {"Yes", "No"}, QMessageBox::Question, IDNO},
        {MB_YESNOCANCEL | MB_ICONQUESTION,
         "Yes",
         {"Yes", "No", "Cancel"},
         QMessageBox::Question,
         IDYES},
        {MB_YESNOCANCEL | MB_ICONQUESTION,
         "",
         {"Yes", "No", "Cancel"},
         QMessageBox::Question,
         IDCANCEL},
    };
    CWidgetWindowServices services;
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Type);
        SAnswer answer;
        answer.Button = QString::fromLatin1(test.Click);
        AnswerNextBox(answer);
        const QString text = QStringLiteral("Keep <b>existing</b> counts?\nSecond line");
        EXPECT_EQ(services.MessageBox(text, test.Type), test.Expected);
        EXPECT_EQ(answer.Text, text) << "shown as plain text";
        EXPECT_EQ(answer.Buttons.size(), test.Buttons.size());
        for (const QString& button : test.Buttons)
            EXPECT_TRUE(answer.Buttons.contains(button)) << qPrintable(button);
        EXPECT_EQ(answer.Icon, test.Icon);
        EXPECT_EQ(answer.DefaultButton.remove(QLatin1Char('&')), test.Buttons.first());
    }
}

TEST(WidgetWindowServices, FileFiltersOfTheStringTable)
{
    EXPECT_EQ(
        NameFiltersFromFilter(QStringLiteral("Plim Files (*.duv)|*.duv|All Files (*.*)|*.*||")),
        (QStringList{"Plim Files (*.duv)", "All Files (*)"}));
    EXPECT_EQ(NameFiltersFromFilter(QStringLiteral("Sources|*.zoz;*.sss|")),
              (QStringList{"Sources (*.zoz *.sss)"}));
    EXPECT_TRUE(NameFiltersFromFilter(QString()).isEmpty());
}

TEST(WidgetWindowServices, AFolderTheDesktopCannotOpenIsNamedInAWarning)
{
    const QString folder = QStringLiteral("/data/campaigns/wave 3");
    for (const bool desktopOpens : {true, false}) {
        SCOPED_TRACE(desktopOpens);
        CWidgetWindowServices services;
        QList<QUrl> asked;
        services.SetUrlOpener([&](const QUrl& url) {
            asked << url;
            return desktopOpens;
        });
        SAnswer answer;
        answer.Button = QStringLiteral("OK");
        AnswerNextBox(answer);
        services.OpenFolder(folder);
        // The answer's timer runs whether a box came or not.
        QCoreApplication::processEvents();

        EXPECT_EQ(asked, QList<QUrl>{QUrl::fromLocalFile(folder)});
        if (desktopOpens) {
            EXPECT_TRUE(answer.Text.isEmpty()) << qPrintable(answer.Text);
        } else {
            EXPECT_EQ(answer.Text,
                      "The folder '/data/campaigns/wave 3' could not be opened in the file "
                      "manager.");
            EXPECT_EQ(answer.Icon, QMessageBox::Warning);
            EXPECT_EQ(answer.Buttons, QStringList{"OK"});
        }
    }
}

TEST(WidgetWindowServices, ProgressWindowGoesWithItsObject)
{
    CWidgetWindowServices services;
    std::unique_ptr<IProgressWindow> progress =
        services.CreateProgressDlg(QStringLiteral("Packaging campaign..."),
                                   QStringLiteral("Creating package location.."), 10000);
    QPointer<CProgressDlg> dialog;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<CProgressDlg*>(widget); found && found->isVisible())
            dialog = found;
    }
    ASSERT_TRUE(dialog);
    progress->SetPos(500);
    progress->OffsetPos(250);
    EXPECT_EQ(progress->GetPos(), 750);
    progress->SetPosToLast();
    EXPECT_EQ(dialog->GetPos(), 9999);
    progress->SetMessageText(QStringLiteral("Saving campaign.."));
    EXPECT_EQ(dialog->GetMessageText(), QStringLiteral("Saving campaign.."));
    progress.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

TEST(WidgetWindowServices, ReportsOpenInWindowsOfTheirOwn)
{
    CWidgetWindowServices services;
    services.ShowReport(QStringLiteral("Source File Problems"), 3, QStringLiteral("<p>one</p>"));
    services.ShowReport(QStringLiteral("Reconciliation Report"), 2, QStringLiteral("<p>two</p>"));
    QList<CReportDlg*> reports;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* report = qobject_cast<CReportDlg*>(widget); report && report->isVisible())
            reports << report;
    }
    ASSERT_EQ(reports.size(), 2);
    for (CReportDlg* report : reports)
        report->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(WidgetWindowServices, WaitCursorNests)
{
    CWidgetWindowServices services;
    services.BeginWaitCursor();
    services.BeginWaitCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    services.EndWaitCursor();
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    services.EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    services.EndWaitCursor(); // one too many changes nothing
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A worker thread's steps leave the cursor and the event loop to the interface thread.
    std::thread worker([&services] {
        services.BeginWaitCursor();
        services.PumpMessages();
    });
    worker.join();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    services.BeginWaitCursor();
    services.EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(WidgetWindowServices, SnapshotsGoThroughThePanes)
{
    CWidgetWindowServices services;
    EXPECT_EQ(*services.CaptureViewState(), CViewState{}) << "no panes: none";
    CScriptedPanes panes;
    services.SetPanes([&panes] { return &panes; });
    panes.SelectedWave = 2;
    panes.Page = IShellPanes::PageReconciliation;
    panes.ReconciliationWave = 2;
    panes.Question = 12;
    const std::unique_ptr<CViewState> state = services.CaptureViewState();
    EXPECT_EQ(state->WaveId, 2);
    EXPECT_EQ(state->QuestionId, 12);
    panes.SelectCampaign();
    panes.Page = IShellPanes::PageQuestionTree;
    panes.Calls.clear();
    services.RestoreViewState(*state);
    EXPECT_EQ(panes.Calls,
              (QStringList{"select wave 2", "show reconciliation 2", "select question 12"}));
}

TEST(WidgetWindowServices, CallsOfAWorkerThreadRunOnTheInterfaceThread)
{
    CWidgetWindowServices services;
    CScriptedPanes panes;
    panes.SelectedWave = 3;
    QThread* const interfaceThread = QThread::currentThread();
    std::vector<QThread*> panesAskedOn;
    services.SetPanes([&] {
        panesAskedOn.push_back(QThread::currentThread());
        return &panes;
    });

    // The interface thread answers the message box with No and notes on which thread every
    // window it meets lives.
    std::vector<QThread*> windowThreads;
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->isVisible())
                continue;
            if (qobject_cast<CProgressDlg*>(widget) || qobject_cast<CReportDlg*>(widget) ||
                qobject_cast<QMessageBox*>(widget))
                windowThreads.push_back(widget->thread());
            if (auto* box = qobject_cast<QMessageBox*>(widget);
                box && box->thread() == interfaceThread)
                box->button(QMessageBox::No)->click();
        }
    });
    answer.start();

    struct SResults
    {
        int WaveId = 0;
        int Position = 0;
        int Answer = 0;
    } results;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        const std::unique_ptr<CViewState> state = services.CaptureViewState();
        results.WaveId = state ? state->WaveId : 0;
        services.RestoreViewState(*state);
        std::unique_ptr<IProgressWindow> progress =
            services.CreateProgressDlg(QStringLiteral("Checking"), QStringLiteral("Wave 3"), 10);
        progress->SetPos(4);
        progress->OffsetPos(2);
        progress->SetMessageText(QStringLiteral("Wave 4"));
        results.Position = progress->GetPos();
        progress.reset();
        services.ShowReport(QStringLiteral("Source File Problems"), REPORT_SOURCE_FILES,
                            QStringLiteral("<p>one</p>"));
        results.Answer = services.MessageBox(QStringLiteral("Go on?"), MB_YESNO);
        done = true;
    });
    const QDeadlineTimer deadline(20000);
    while (!done && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_TRUE(done) << "the worker is stuck";
    worker.join();
    answer.stop();

    EXPECT_EQ(results.WaveId, 3);
    EXPECT_EQ(panes.Calls, QStringList{"select wave 3"});
    EXPECT_EQ(results.Position, 6);
    EXPECT_EQ(results.Answer, IDNO);
    ASSERT_GE(panesAskedOn.size(), 2u);
    for (QThread* thread : panesAskedOn)
        EXPECT_EQ(thread, interfaceThread);
    ASSERT_FALSE(windowThreads.empty());
    for (QThread* thread : windowThreads)
        EXPECT_EQ(thread, interfaceThread);
    CReportDlg* report = ShownReportWindow();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->thread(), interfaceThread);
    report->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
