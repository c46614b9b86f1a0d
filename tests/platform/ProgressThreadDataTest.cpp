#include "platform/ProgressThreadData.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

namespace {

class CRecordingWindow final : public IProgressDialogWindow
{
public:
    void EnableCancel(bool enable) override { CancelEnabled = enable; }
    void SetPos(int position) override
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        Positions.push_back(position);
    }
    bool SetText(const QString& text) override
    {
        Texts << text;
        return true;
    }

    bool CancelEnabled = true;
    std::vector<int> Positions;
    QStringList Texts;

private:
    std::mutex m_lock;
};

} // namespace

TEST(ProgressThreadData, ResultFollowsTheProcedure)
{
    CUPDialogUserProcData data;
    data.Proc = [](CUPDialogUserProcData&) { return true; };
    EXPECT_EQ(data.RunWorker(), UPDIALOG_SUCCEEDED);
    EXPECT_FALSE(data.Running);

    data.Proc = [](CUPDialogUserProcData&) { return false; };
    EXPECT_EQ(data.RunWorker(), UPDIALOG_FAILED);
}

TEST(ProgressThreadData, CancelWinsOverTheProcedure)
{
    CUPDialogUserProcData data;
    data.Proc = [](CUPDialogUserProcData& self) {
        self.Cancelled = true; // the user pressed Cancel while it ran
        return true;
    };
    EXPECT_EQ(data.RunWorker(), UPDIALOG_CANCELLED);

    bool ran = false;
    data.Proc = [&](CUPDialogUserProcData&) { return ran = true; };
    EXPECT_EQ(data.RunWorker(), UPDIALOG_CANCELLED);
    EXPECT_FALSE(ran);
}

TEST(ProgressThreadData, PositionsAndCancelStopWithCancelTextsOnlyWithoutWindow)
{
    CUPDialogUserProcData data;
    data.StepPos(); // no window: counted, not shown
    EXPECT_FALSE(data.SetText(QStringLiteral("lost")));

    CRecordingWindow window;
    data.Window = &window;
    EXPECT_TRUE(data.SetText(QStringLiteral("Comparing")));
    data.EnableCancel(false);
    data.StepPos();
    data.Cancelled = true;
    data.StepPos();
    data.SetPos(99);
    data.EnableCancel(true);
    // Texts still show after a cancel, so the procedure can say that it stopped.
    EXPECT_TRUE(data.SetText(QStringLiteral("Checking campaign cancelled")));
    EXPECT_EQ(window.Texts, QStringList({QStringLiteral("Comparing"),
                                         QStringLiteral("Checking campaign cancelled")}));
    EXPECT_FALSE(window.CancelEnabled);
    EXPECT_EQ(window.Positions, std::vector<int>({2}));
    EXPECT_EQ(data.DoneCount.load(), 3);
}

TEST(ProgressThreadData, StepsFromManyThreadsAreAllCounted)
{
    CUPDialogUserProcData data;
    CRecordingWindow window;
    data.Window = &window;
    constexpr int kThreads = 8;
    constexpr int kSteps = 5000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < kSteps; ++i)
                data.StepPos();
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(data.DoneCount.load(), kThreads * kSteps);
    EXPECT_EQ(window.Positions.size(), size_t(kThreads * kSteps));
}
