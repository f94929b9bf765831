#include "xfile/FormatThreads.h"

namespace verdin {

namespace {

// Slices waiting or being formatted per helper: enough to keep every helper
// busy while the oldest is appended, few enough to keep memory small.
constexpr unsigned kSlotsPerHelper = 3;

}  // namespace

FormatThreads::FormatThreads(unsigned helpers) : m_nHelpers(helpers) {}

FormatThreads::~FormatThreads()
{
    {
        const std::lock_guard lock(m_mutex);
        m_bStopping = true;
    }
    m_queued.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void FormatThreads::Add(XTextFile& out, Format format)
{
    if (m_nHelpers == 0) {
        format(out);
        return;
    }
    std::unique_lock lock(m_mutex);
    if (m_threads.empty()) {
        m_slots = std::vector<Slot>(kSlotsPerHelper * m_nHelpers);
        for (unsigned i = 0; i < m_nHelpers; ++i)
            m_threads.emplace_back([this] { Work(); });
    }
    if (m_nAdded - m_nAppended == m_slots.size())
        AppendOldest(out, lock);
    Slot& slot = SlotOf(m_nAdded++);
    slot.format = std::move(format);
    lock.unlock();
    m_queued.notify_one();
}

void FormatThreads::Finish(XTextFile& out)
{
    std::unique_lock lock(m_mutex);
    while (m_nAppended < m_nAdded)
        AppendOldest(out, lock);
}

void FormatThreads::Drop()
{
    std::unique_lock lock(m_mutex);
    m_formatted.wait(lock, [this] {
        for (std::uint64_t s = m_nAppended; s < m_nTaken; ++s)
            if (!SlotOf(s).formatted)
                return false;
        return true;
    });
    for (std::uint64_t s = m_nAppended; s < m_nAdded; ++s)
        SlotOf(s).Reset();
    m_nTaken = m_nAppended = m_nAdded;
}

void FormatThreads::AppendOldest(XTextFile& out, std::unique_lock<std::mutex>& lock)
{
    Slot& slot = SlotOf(m_nAppended);
    m_formatted.wait(lock, [&slot] { return slot.formatted; });
    // A formatted slot is the caller's until it is counted as appended.
    lock.unlock();
    const std::exception_ptr error = slot.error;
    if (!error)
        out.Append(slot.piece);
    slot.Reset();
    lock.lock();
    ++m_nAppended;
    if (error)
        std::rethrow_exception(error);
}

void FormatThreads::Work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_queued.wait(lock, [this] { return m_bStopping || m_nTaken < m_nAdded; });
        if (m_bStopping)
            return;
        Slot& slot = SlotOf(m_nTaken++);
        lock.unlock();
        try {
            slot.format(slot.piece);
        } catch (...) {
            slot.error = std::current_exception();
        }
        lock.lock();
        slot.formatted = true;
        m_formatted.notify_all();
    }
}

}  // namespace verdin
