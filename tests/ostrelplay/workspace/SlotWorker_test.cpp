// A slot's worker: rows reach the window thread in order, one at a time; pause and
// stop never wait on the window thread, and a hand-over they overtake is dropped.
// The test thread plays the window thread and pumps its queue by hand.

#include "workspace/SlotWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <latch>
#include <memory>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Ends the program when a test hangs (a deadlock is the fault looked for here),
// rather than leaving it to ctest's timeout.
class Watchdog {
public:
    Watchdog()
        : m_thread([](std::stop_token stop) {
              std::mutex mutex;
              std::condition_variable_any wake;
              std::unique_lock lock(mutex);
              wake.wait_for(lock, stop, 20s, [] { return false; });
              if (!stop.stop_requested()) {
                  std::fputs("SlotWorker test hung\n", stderr);
                  std::abort();
              }
          })
    {
    }

private:
    std::jthread m_thread;
};

// The window thread's event queue.
class WindowQueue {
public:
    void post(std::function<void()> call)
    {
        {
            std::lock_guard lock(m_mutex);
            m_calls.push_back(std::move(call));
        }
        m_posted.notify_all();
    }
    void waitForCall()
    {
        std::unique_lock lock(m_mutex);
        m_posted.wait(lock, [this] { return !m_calls.empty(); });
    }
    void runNext()
    {
        std::unique_lock lock(m_mutex);
        m_posted.wait(lock, [this] { return !m_calls.empty(); });
        std::function<void()> call = std::move(m_calls.front());
        m_calls.pop_front();
        lock.unlock();
        call();
    }
    void runAll()
    {
        std::deque<std::function<void()>> calls;
        {
            std::lock_guard lock(m_mutex);
            calls.swap(m_calls);
        }
        for (auto &call : calls)
            call();
    }
    size_t pending() const
    {
        std::lock_guard lock(m_mutex);
        return m_calls.size();
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_calls;
};

// A count the test thread can wait on.
class Counter {
public:
    void add()
    {
        {
            std::lock_guard lock(m_mutex);
            ++m_value;
        }
        m_changed.notify_all();
    }
    int value() const
    {
        std::lock_guard lock(m_mutex);
        return m_value;
    }
    void waitFor(int atLeast)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_value >= atLeast; });
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_value = 0;
};

using NextPosition = std::function<std::optional<int>(int &dwellMs)>;

struct Window {
    WindowQueue queue;
    std::vector<int> applied;  // touched on the test thread only
    std::atomic<int> appliedCount{0};

    SlotWorker::Host host(NextPosition next, int periodMs = 1)
    {
        return {std::move(next), [this](std::function<void()> apply) { queue.post(std::move(apply)); },
                [this](int position) {
                    applied.push_back(position);
                    ++appliedCount;
                },
                periodMs};
    }
};

TEST(SlotWorker, RowsReachTheWindowInOrderEachAfterThePreviousWasApplied)
{
    Watchdog watchdog;
    Window window;
    std::atomic<int> produced{0};
    std::atomic<int> overtaken{0};
    SlotWorker worker(window.host([&](int &) -> std::optional<int> {
        if (produced == 5)
            return std::nullopt;
        if (window.appliedCount != produced)
            ++overtaken;
        return 10 * ++produced;
    }));
    worker.start();
    window.queue.waitForCall();
    std::this_thread::sleep_for(20ms);  // room for a worker that does not wait to run ahead
    EXPECT_EQ(window.queue.pending(), 1u);
    for (int k = 0; k < 5; ++k)
        window.queue.runNext();
    worker.stop();

    EXPECT_EQ(window.applied, (std::vector<int>{10, 20, 30, 40, 50}));
    EXPECT_EQ(overtaken, 0);
    EXPECT_EQ(window.queue.pending(), 0u);
}

TEST(SlotWorker, PauseWaitsForThePassInProgressAndHoldsTheWorkerUntilResumed)
{
    Watchdog watchdog;
    Counter passes;
    std::latch secondPassEntered(1), releaseSecondPass(1);
    std::atomic<bool> inPass{false}, paused{false};
    std::atomic<int> passesWhilePaused{0};
    SlotWorker worker({[&](int &) -> std::optional<int> {
                           if (paused)
                               ++passesWhilePaused;
                           inPass = true;
                           if (passes.value() == 1) {
                               secondPassEntered.count_down();
                               releaseSecondPass.wait();
                           }
                           inPass = false;
                           passes.add();
                           return std::nullopt;
                       },
                       [](std::function<void()>) {}, [](int) {}, 1});
    worker.start();
    secondPassEntered.wait();

    std::atomic<bool> inPassWhenPauseReturned{true};
    std::thread pauser([&] {
        worker.pause();
        inPassWhenPauseReturned = inPass.load();
    });
    std::this_thread::sleep_for(20ms);  // room for a pause that does not wait
    releaseSecondPass.count_down();
    pauser.join();
    EXPECT_FALSE(inPassWhenPauseReturned);

    paused = true;
    const int passesAtPause = passes.value();
    std::this_thread::sleep_for(30ms);  // many worker periods
    EXPECT_EQ(passesWhilePaused, 0);
    paused = false;
    worker.resume();
    passes.waitFor(passesAtPause + 2);
    worker.stop();
}

TEST(SlotWorker, StopWithAHandOverQueuedReturnsAndTheStaleApplyDoesNothing)
{
    Watchdog watchdog;
    Window window;
    auto worker = std::make_unique<SlotWorker>(window.host([](int &) -> std::optional<int> { return 7; }));
    worker->start();
    window.queue.waitForCall();
    worker->stop();  // from the window thread, which is not pumping
    EXPECT_FALSE(worker->running());
    worker.reset();  // the slot frees its worker before the queue runs

    window.queue.runAll();
    EXPECT_TRUE(window.applied.empty());
}

TEST(SlotWorker, PauseWithAHandOverQueuedDropsItAndResumeGoesOn)
{
    Watchdog watchdog;
    Window window;
    std::atomic<int> produced{0};
    SlotWorker worker(window.host([&](int &) -> std::optional<int> { return ++produced; }));
    worker.start();
    window.queue.waitForCall();
    worker.pause();  // row 1 is still queued
    EXPECT_EQ(produced, 1);
    window.queue.runAll();
    EXPECT_TRUE(window.applied.empty());

    worker.resume();
    window.queue.runNext();
    EXPECT_EQ(window.applied, std::vector<int>{2});
    worker.stop();
}

TEST(SlotWorker, DwellAndPeriodAreCutShortByPauseAndStop)
{
    Watchdog watchdog;
    {
        Window window;
        SlotWorker dwelling(window.host([](int &dwellMs) -> std::optional<int> {
            dwellMs = 600000;
            return 1;
        }));
        dwelling.start();
        window.queue.runNext();
        dwelling.pause();
        dwelling.stop();
        EXPECT_EQ(window.applied, std::vector<int>{1});
    }
    {
        Window window;
        SlotWorker slow(window.host([](int &) -> std::optional<int> { return 1; }, 600000));
        slow.start();
        window.queue.runNext();
        slow.stop();
        EXPECT_EQ(window.applied, std::vector<int>{1});
    }
}

TEST(SlotWorker, WorkerNeverStartedIgnoresPauseResumeAndStop)
{
    Watchdog watchdog;
    Counter passes;
    {
        SlotWorker idle({[&](int &) -> std::optional<int> {
                             passes.add();
                             return std::nullopt;
                         },
                         [](std::function<void()>) {}, [](int) {}, 1});
        idle.pause();
        idle.resume();
        idle.stop();
        EXPECT_FALSE(idle.running());
    }
    EXPECT_EQ(passes.value(), 0);

    SlotWorker worker({[&](int &) -> std::optional<int> {
                           passes.add();
                           return std::nullopt;
                       },
                       [](std::function<void()>) {}, [](int) {}, 1});
    worker.pause();  // before start: nothing to hold
    worker.start();
    passes.waitFor(2);
    EXPECT_TRUE(worker.running());
}

} // namespace
