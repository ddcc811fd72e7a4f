#include "common/BackgroundTask.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

// Spins the event loop until `done` holds or five seconds pass.
template <typename Condition> bool waitFor(Condition done)
{
    const QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

TEST(BackgroundTaskTest, ResultReachesTheGuiThreadAndIsDroppedOnceTheContextIsGone)
{
    QObject kept;
    QThread* reportedOn = nullptr;
    int result = 0;
    BackgroundTask::run(
        &kept, [] { return 42; },
        [&](int value) {
            reportedOn = QThread::currentThread();
            result = value;
        });

    std::atomic<bool> workEnded{false};
    bool lateDone = false;
    auto* gone = new QObject;
    BackgroundTask::run(
        gone, [&] { workEnded = true; }, [&] { lateDone = true; });
    delete gone;

    ASSERT_TRUE(waitFor([&] { return result == 42 && workEnded; }));
    EXPECT_EQ(reportedOn, QCoreApplication::instance()->thread());
    // The drop is checked after every event posted by then has been delivered.
    QCoreApplication::processEvents();
    EXPECT_FALSE(lateDone);
}

TEST(BackgroundTaskTest, QueueRunsItsJobsOneAtATimeInOrder)
{
    QObject context;
    BackgroundTask::Queue queue;
    std::atomic<int> running{0};
    std::atomic<int> mostAtOnce{0};
    std::vector<int> order; // touched by one job at a time, then read after waitForDone
    std::vector<int> reported;
    for (int index = 0; index < 20; ++index) {
        queue.run(
            &context,
            [&, index] {
                mostAtOnce = std::max(mostAtOnce.load(), ++running);
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                order.push_back(index);
                --running;
                return index;
            },
            [&](int index) { reported.push_back(index); });
    }
    queue.waitForDone();
    EXPECT_EQ(mostAtOnce, 1);
    ASSERT_EQ(order.size(), 20u);
    EXPECT_TRUE(std::is_sorted(order.cbegin(), order.cend()));
    ASSERT_TRUE(waitFor([&] { return reported.size() == 20; }));
    EXPECT_TRUE(std::is_sorted(reported.cbegin(), reported.cend()));
}

} // namespace
