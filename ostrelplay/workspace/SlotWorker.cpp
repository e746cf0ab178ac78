#include "SlotWorker.h"

#include <chrono>

SlotWorker::SlotWorker(Host host)
    : m_host(std::move(host))
{
}

SlotWorker::~SlotWorker()
{
    stop();
}

void SlotWorker::start()
{
    if (running())
        return;
    m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

void SlotWorker::pause()
{
    std::unique_lock lock(m_mutex);
    if (!running())
        return;
    m_pauseRequested = true;
    ++*m_generation;
    m_wake.notify_all();
    m_wake.wait(lock, [this] { return m_parked; });
}

void SlotWorker::resume()
{
    {
        std::lock_guard lock(m_mutex);
        m_pauseRequested = false;
    }
    m_wake.notify_all();
}

void SlotWorker::stop()
{
    if (!running())
        return;
    {
        std::lock_guard lock(m_mutex);
        ++*m_generation;
    }
    m_thread.request_stop();  // wakes every wait of run()
    m_thread.join();
}

bool SlotWorker::running() const
{
    return m_thread.joinable();
}

void SlotWorker::run(std::stop_token stop)
{
    const auto pauseRequested = [this] { return m_pauseRequested; };
    std::unique_lock lock(m_mutex);
    while (!stop.stop_requested()) {
        if (m_pauseRequested) {
            m_parked = true;
            m_wake.notify_all();
            m_wake.wait(lock, stop, [this] { return !m_pauseRequested; });
            m_parked = false;
            continue;
        }

        lock.unlock();
        int dwellMs = 0;
        const std::optional<int> next = m_host.nextPosition(dwellMs);
        lock.lock();

        if (next && !m_pauseRequested && !stop.stop_requested()) {
            m_applied = false;
            const unsigned generation = *m_generation;
            std::shared_ptr<const unsigned> current = m_generation;
            lock.unlock();
            // The window thread runs this after any pause or stop queued before it; a
            // pause or stop since posting makes it stale, and the worker may be gone.
            m_host.postToWindow([this, current, generation, position = *next] {
                if (*current != generation)
                    return;
                m_host.applyPosition(position);
                {
                    std::lock_guard applied(m_mutex);
                    m_applied = true;
                }
                m_wake.notify_all();
            });
            lock.lock();
            m_wake.wait(lock, stop, [this] { return m_applied || m_pauseRequested; });
        }

        if (dwellMs > 0)
            m_wake.wait_for(lock, stop, std::chrono::milliseconds(dwellMs), pauseRequested);
        m_wake.wait_for(lock, stop, std::chrono::milliseconds(m_host.periodMs), pauseRequested);
    }
}
