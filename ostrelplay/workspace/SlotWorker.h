#pragma once
// The worker thread of one open slot: moves the slot's row during play. It never
// draws and never writes the recording; each new row is handed to the window
// thread, and the worker waits until it has been applied (or until it is paused
// or stopped, so a window thread that pauses or stops a worker never waits on a
// worker that waits on it). Pause, resume and stop are cooperative.

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class SlotWorker {
public:
    struct Host {
        // Computes the slot's next row, or nothing when the slot is not to move now
        // (not playing, not open, dragging, not the active slot without sync).
        // Called on the worker thread; reads only what play reads.
        std::function<std::optional<int>(int &dwellMs)> nextPosition;
        // Queues `apply` to run on the window thread.
        std::function<void(std::function<void()> apply)> postToWindow;
        // Applies a new row to the slot's bar; runs on the window thread.
        std::function<void(int position)> applyPosition;
        int periodMs = 10;
    };

    explicit SlotWorker(Host host);
    ~SlotWorker();  // stops
    SlotWorker(const SlotWorker &) = delete;
    SlotWorker &operator=(const SlotWorker &) = delete;

    void start();
    // Returns once the worker is parked and will not call nextPosition until resumed.
    void pause();
    void resume();
    // Returns once the thread has ended. Safe from the window thread at any time.
    void stop();

    bool running() const;

private:
    void run(std::stop_token stop);

    Host m_host;
    mutable std::mutex m_mutex;
    std::condition_variable_any m_wake;
    bool m_pauseRequested = false;
    bool m_parked = false;
    bool m_applied = false;
    // Counts pauses and stops: a hand-over from before one is dropped. Shared with the
    // queued hand-overs, which may run after this worker is gone.
    std::shared_ptr<unsigned> m_generation = std::make_shared<unsigned>(0);
    std::jthread m_thread;
};
