#include "controls/UPDialog.h"

#include "widgets/Screenshots.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <thread>
#include <vector>

namespace {

// Runs a call on the interface thread from the procedure's worker and waits for it.
template <typename Call> void OnInterface(CUPDialog& dialog, Call call)
{
    QMetaObject::invokeMethod(&dialog, call, Qt::BlockingQueuedConnection);
}

// From the procedure's worker: waits until the bar shows the position (it takes positions at
// its ticks while the procedure runs); the position it shows at the end of the wait.
int WaitUntilShown(CUPDialog& dialog, int position)
{
    int shown = -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (shown != position && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        OnInterface(dialog, [&] { shown = dialog.GetPos(); });
    }
    return shown;
}

QPushButton& CancelButton(CUPDialog& dialog)
{
    return *dialog.findChild<QPushButton*>();
}

// A dialog whose worker thread cannot be started.
class CNoThreadDialog : public CUPDialog
{
public:
    using CUPDialog::CUPDialog;

protected:
    bool StartWorker(std::function<void()>) override { return false; }
};

} // namespace

TEST(UPDialog, ResultsOfARun)
{
    struct SCase
    {
        const char* Name;
        bool ProcResult;
        bool PressCancel;
        bool NoThread;
        int Expected;
    };
    const SCase cases[] = {
        {"success", true, false, false, UPDIALOG_SUCCEEDED},
        {"failure", false, false, false, UPDIALOG_FAILED},
        {"cancelled, procedure succeeded", true, true, false, UPDIALOG_CANCELLED},
        {"cancelled, procedure failed", false, true, false, UPDIALOG_CANCELLED},
        {"no worker thread", true, false, true, UPDIALOG_NO_THREAD},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.Name);
        bool ran = false;
        CUPDialog* self = nullptr;
        auto proc = [&](CUPDialogUserProcData&) {
            ran = true;
            if (test.PressCancel)
                OnInterface(*self,
                            [&] { QTest::mouseClick(&CancelButton(*self), Qt::LeftButton); });
            return test.ProcResult;
        };
        std::unique_ptr<CUPDialog> dialog =
            test.NoThread ? std::make_unique<CNoThreadDialog>(nullptr, proc, nullptr,
                                                              QStringLiteral("Run"), true, 10)
                          : std::make_unique<CUPDialog>(nullptr, proc, nullptr,
                                                        QStringLiteral("Run"), true, 10);
        self = dialog.get();
        EXPECT_EQ(dialog->DoModal(), test.Expected);
        EXPECT_EQ(ran, !test.NoThread);
        EXPECT_FALSE(dialog->isVisible());
    }
}

TEST(UPDialog, CancelAsksAndTheDialogWaitsForTheProcedure)
{
    CUPDialog* self = nullptr;
    bool visibleAfterCancel = false;
    bool cancelEnabledAfterCancel = true;
    QString textAfterCancel;
    bool shownAfterCancel = false;
    auto proc = [&](CUPDialogUserProcData& data) {
        EXPECT_TRUE(data.SetText(QStringLiteral("Checking campaign")));
        OnInterface(*self, [&] { QTest::mouseClick(&CancelButton(*self), Qt::LeftButton); });
        // The procedure goes on for a while; the dialog stays until it returns.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_TRUE(data.IsCancelled());
        OnInterface(*self, [&] {
            visibleAfterCancel = self->isVisible();
            cancelEnabledAfterCancel = CancelButton(*self).isEnabled();
            textAfterCancel = self->GetText();
        });
        data.StepPos(); // positions stop after a cancel
        shownAfterCancel = data.SetText(QStringLiteral("Checking campaign cancelled"));
        return true;
    };
    CUPDialog dialog(nullptr, proc, nullptr, QStringLiteral("Opening"), true, 10);
    self = &dialog;
    EXPECT_EQ(dialog.DoModal(), UPDIALOG_CANCELLED);
    EXPECT_TRUE(visibleAfterCancel);
    EXPECT_FALSE(cancelEnabledAfterCancel);
    EXPECT_EQ(textAfterCancel, QStringLiteral("Cancelling, please wait..."));
    EXPECT_TRUE(shownAfterCancel);
    EXPECT_EQ(dialog.GetText(), QStringLiteral("Checking campaign cancelled"));
    EXPECT_EQ(dialog.GetPos(), 0);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Opening"));
}

TEST(UPDialog, EscapeAndCloseAskToCancelOnlyWhileCancellingIsAllowed)
{
    enum class EWay
    {
        Escape,
        Close
    };
    for (const bool allowCancel : {true, false}) {
        for (const EWay way : {EWay::Escape, EWay::Close}) {
            SCOPED_TRACE(testing::Message() << "allow " << allowCancel << " way " << int(way));
            CUPDialog* self = nullptr;
            bool stillVisible = false;
            bool cancelEnabled = true;
            auto proc = [&](CUPDialogUserProcData& data) {
                OnInterface(*self, [&] {
                    cancelEnabled = CancelButton(*self).isEnabled();
                    if (way == EWay::Escape)
                        QTest::keyClick(self, Qt::Key_Escape);
                    else
                        self->close();
                    stillVisible = self->isVisible();
                });
                return true;
            };
            CUPDialog dialog(nullptr, proc, nullptr, QStringLiteral("Run"), allowCancel, 10);
            self = &dialog;
            EXPECT_EQ(dialog.DoModal(), allowCancel ? UPDIALOG_CANCELLED : UPDIALOG_SUCCEEDED);
            EXPECT_EQ(cancelEnabled, allowCancel);
            EXPECT_TRUE(stillVisible);
        }
    }
}

TEST(UPDialog, WorkerTogglesCancellingAndShowsTheLatestPositionOfTheFullRange)
{
    CUPDialog* self = nullptr;
    bool enabledWhileDisabled = true;
    int shownPos = -1;
    constexpr int kBound = 200000; // beyond 16 bits: the open road's bound in big campaigns
    auto proc = [&](CUPDialogUserProcData& data) {
        data.EnableCancel(false);
        OnInterface(*self, [&] { enabledWhileDisabled = CancelButton(*self).isEnabled(); });
        data.EnableCancel(true);
        data.SetPos(150000);
        shownPos = WaitUntilShown(*self, 150000);
        return true;
    };
    CUPDialog dialog(nullptr, proc, nullptr, QStringLiteral("Run"), true, kBound);
    self = &dialog;
    EXPECT_EQ(dialog.DoModal(), UPDIALOG_SUCCEEDED);
    EXPECT_FALSE(enabledWhileDisabled);
    EXPECT_TRUE(dialog.IsCancelEnabled());
    EXPECT_EQ(dialog.GetUpperBound(), kBound);
    EXPECT_EQ(shownPos, 150000);
}

// Positions set faster than the window's ticks: the bar shows the last one when the run ends,
// however soon after it the procedure returns; steps show the done-count, an explicit position
// after them shows itself.
TEST(UPDialog, TheLastPositionShowsWhenTheRunEnds)
{
    const auto stepFromThreads = [](CUPDialogUserProcData& data) {
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&data] {
                for (int i = 0; i < 1000; ++i)
                    data.StepPos();
            });
        for (std::thread& thread : threads)
            thread.join();
    };
    const struct
    {
        const char* name;
        std::function<bool(CUPDialogUserProcData&)> proc;
        int shown;
    } cases[] = {
        {"one position", [](CUPDialogUserProcData& data) { return data.SetPos(1), true; }, 1},
        {"positions up to 250000",
         [](CUPDialogUserProcData& data) {
             for (int position = 0; position <= 250000; ++position)
                 data.SetPos(position);
             return true;
         },
         250000},
        {"steps from four threads",
         [&](CUPDialogUserProcData& data) { return stepFromThreads(data), true; }, 4000},
        {"a position after the steps",
         [&](CUPDialogUserProcData& data) {
             stepFromThreads(data);
             data.SetPos(17);
             return true;
         },
         17},
        {"a step after a position",
         [](CUPDialogUserProcData& data) {
             data.SetPos(170);
             data.StepPos();
             return true;
         },
         1},
    };
    for (const auto& c : cases) {
        CUPDialog dialog(nullptr, c.proc, nullptr, QStringLiteral("Run"), true, 250000);
        EXPECT_EQ(dialog.DoModal(), UPDIALOG_SUCCEEDED) << c.name;
        EXPECT_EQ(dialog.GetPos(), c.shown) << c.name;
    }
}

// Many short runs with eight stepping threads and a Cancel at a random moment: every run ends,
// with the result that fits what happened. Each run draws how its Cancel comes:
// - after a random delay on the interface thread, anywhere from before the worker starts to
//   after the procedure returned: either result may fit;
// - at a random step: the thread that got there clicks through the interface thread and waits
//   for the click while the others go on stepping, so the procedure is still running and the
//   run must end cancelled;
// - never: the run must succeed.
// The runs that must end one way are drawn by step, not by time, so that both results are seen
// however busy the machine is.
TEST(UPDialog, StressShortRunsWithRandomCancel)
{
    constexpr int kRuns = 500;
    constexpr int kThreads = 8;
    constexpr int kSteps = 400;
    enum class ECancel
    {
        AfterDelay,
        AtStep,
        Never
    };
    std::mt19937 random(20);
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<int> delay(0, 3);
    std::uniform_int_distribution<int> step(1, kThreads * kSteps);
    int cancelled = 0;
    for (int run = 0; run < kRuns; ++run) {
        const int drawn = kind(random);
        const ECancel way = drawn < 2    ? ECancel::AfterDelay
                            : drawn == 2 ? ECancel::AtStep
                                         : ECancel::Never;
        const int cancelStep = step(random);
        CUPDialog* self = nullptr;
        bool clicked = false;
        auto click = [&] {
            clicked = true;
            QTest::mouseClick(&CancelButton(*self), Qt::LeftButton);
        };
        auto proc = [&](CUPDialogUserProcData& data) {
            std::atomic<bool> complete{true};
            std::atomic<bool> clickAsked{false};
            std::vector<std::thread> threads;
            for (int t = 0; t < kThreads; ++t)
                threads.emplace_back([&] {
                    for (int i = 0; i < kSteps; ++i) {
                        if (data.IsCancelled()) {
                            complete = false;
                            return;
                        }
                        data.StepPos();
                        if (way == ECancel::AtStep && data.DoneCount.load() >= cancelStep &&
                            !clickAsked.exchange(true))
                            OnInterface(*self, click);
                    }
                });
            for (std::thread& thread : threads)
                thread.join();
            data.SetText(QStringLiteral("done"));
            return complete.load();
        };
        CUPDialog dialog(nullptr, proc, nullptr, QStringLiteral("Stress"), true, kThreads * kSteps);
        self = &dialog;
        QTimer cancel;
        cancel.setSingleShot(true);
        QObject::connect(&cancel, &QTimer::timeout, click);
        const int delayMs = delay(random);
        if (way == ECancel::AfterDelay)
            cancel.start(delayMs);
        const int result = dialog.DoModal();
        cancel.stop();
        ASSERT_TRUE(result == UPDIALOG_SUCCEEDED || result == UPDIALOG_CANCELLED)
            << "run " << run << " gave " << result;
        if (result == UPDIALOG_SUCCEEDED)
            ASSERT_EQ(dialog.GetUserProcData().DoneCount.load(), kThreads * kSteps);
        else
            ASSERT_TRUE(clicked);
        if (way == ECancel::AtStep) {
            ASSERT_EQ(result, UPDIALOG_CANCELLED) << "run " << run;
            ASSERT_GE(dialog.GetUserProcData().DoneCount.load(), cancelStep);
        }
        if (way == ECancel::Never) {
            ASSERT_EQ(result, UPDIALOG_SUCCEEDED) << "run " << run;
        }
        cancelled += result == UPDIALOG_CANCELLED;
    }
    // Both ends are exercised.
    EXPECT_GT(cancelled, 0);
    EXPECT_LT(cancelled, kRuns);
}

TEST(UPDialog, GalleryWhileRunning)
{
    CUPDialog* self = nullptr;
    QImage image;
    auto proc = [&](CUPDialogUserProcData& data) {
        data.SetText(QStringLiteral("Checking wave 2, volume \"Spring\"..."));
        data.SetPos(40);
        WaitUntilShown(*self, 40);
        OnInterface(*self, [&] { image = shots::GrabAndSave(*self, "gallery", "UPDialog"); });
        return true;
    };
    CUPDialog dialog(nullptr, proc, nullptr, QStringLiteral("Checking campaign"), true, 100);
    self = &dialog;
    EXPECT_EQ(dialog.DoModal(), UPDIALOG_SUCCEEDED);
    ASSERT_FALSE(image.isNull());
    // The bar is 40 % filled: its chunk colour differs from its groove at 20 % and 80 %.
    const QRect bar = dialog.findChild<QProgressBar*>()->geometry();
    const int y = bar.center().y();
    EXPECT_NE(shots::PixelAt(image, bar.left() + bar.width() / 5, y),
              shots::PixelAt(image, bar.left() + bar.width() * 4 / 5, y));
}
