#include "platform/ui_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "support/message_pump.h"

namespace orvane {
namespace {

using test::PumpUntil;

TEST(UiQueue, WorkFromAnotherThreadRunsOnTheQueuesThreadInTheOrderPosted) {
    const UiQueue queue;
    const DWORD self = GetCurrentThreadId();
    std::vector<int> ran;
    bool elsewhere = false;
    std::thread worker([&ran, &elsewhere, self, poster = queue.MakePoster()] {
        for (int i = 0; i < 200; ++i)
            poster.Post([&ran, &elsewhere, self, i] {
                elsewhere |= GetCurrentThreadId() != self;
                ran.push_back(i);
            });
    });
    worker.join();
    EXPECT_TRUE(ran.empty());                   // nothing runs before the thread's messages are dispatched
    queue.Post([&ran] { ran.push_back(-1); });  // the queue's own thread queues behind the worker

    ASSERT_TRUE(PumpUntil([&] { return ran.size() == 201; })) << ran.size();
    for (int i = 0; i < 200; ++i) EXPECT_EQ(ran[i], i);
    EXPECT_EQ(ran.back(), -1);
    EXPECT_FALSE(elsewhere);
}

TEST(UiQueue, WorkWaitingWhenTheQueueGoesIsDroppedAndLaterPostsToo) {
    auto queue = std::make_unique<UiQueue>();
    const UiQueue witness;                        // what it runs shows that the messages before it were dispatched
    const auto token = std::make_shared<int>(0);  // held by each piece of work while it waits
    std::atomic<int> posted{0};
    std::atomic<bool> stop{false};
    int ran = 0;
    // The worker posts all along while the queue goes: the lock keeps it
    // from reaching a window that is being destroyed.
    std::thread worker([&, poster = queue->MakePoster()] {
        while (!stop) {
            poster.Post([&ran, token] { ++ran; });
            ++posted;
            Sleep(0);
        }
    });
    const auto postedAtLeast = [&](int count) {
        const ULONGLONG deadline = GetTickCount64() + 10000;
        while (posted < count && GetTickCount64() < deadline) Sleep(1);
        return posted >= count;
    };
    EXPECT_TRUE(postedAtLeast(20));
    queue.reset();
    EXPECT_TRUE(postedAtLeast(posted + 20));
    stop = true;
    worker.join();
    EXPECT_EQ(token.use_count(), 1);  // nothing posted is kept

    bool witnessed = false;
    witness.Post([&] { witnessed = true; });
    EXPECT_TRUE(PumpUntil([&] { return witnessed; }));
    EXPECT_EQ(ran, 0);
}

TEST(UiQueue, ARepeatTicksUntilStoppedAndATickMayStopItself) {
    UiQueue queue;
    int selfStopping = 0, stoppedFromOutside = 0, witness = 0;
    queue.Repeat(1, 10, [&] {
        if (++selfStopping == 3) queue.StopRepeating(1);
    });
    queue.Repeat(2, 10, [&] { ++stoppedFromOutside; });
    EXPECT_TRUE(queue.Repeating(1));
    EXPECT_TRUE(queue.Repeating(2));

    ASSERT_TRUE(PumpUntil([&] { return stoppedFromOutside >= 8; }));
    EXPECT_EQ(selfStopping, 3);
    EXPECT_FALSE(queue.Repeating(1));
    EXPECT_TRUE(queue.Repeating(2));

    queue.StopRepeating(2);
    queue.StopRepeating(3);  // never started: nothing to stop
    const int atStop = stoppedFromOutside;
    EXPECT_FALSE(queue.Repeating(2));
    queue.Repeat(3, 10, [&] { ++witness; });
    ASSERT_TRUE(PumpUntil([&] { return witness >= 3; }));
    EXPECT_EQ(stoppedFromOutside, atStop);
    EXPECT_EQ(selfStopping, 3);
}

}  // namespace
}  // namespace orvane
