#pragma once

#include <condition_variable>
#include <mutex>

namespace verdin {

// Auto-reset event: Wait() returns once Set() has been called, and consumes it.
class HandOverEvent {
public:
    // Notifies under the lock: the waiter may destroy the event as soon as
    // Wait() returns, which it cannot before the lock is released.
    void Set()
    {
        const std::lock_guard lock(m_mutex);
        m_bSignalled = true;
        m_changed.notify_one();
    }

    void Wait()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_bSignalled; });
        m_bSignalled = false;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_bSignalled = false;
};

}  // namespace verdin
