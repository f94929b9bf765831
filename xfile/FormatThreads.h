#pragma once

#include "xfile/TextOutput.h"
#include "xfile/XTextFile.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace verdin {

// Helper threads that format the slices of a file's long lists. Each slice is
// formatted into a piece of its own, and the pieces are appended to the file
// in the order the slices were given, so the file is byte for byte what one
// thread writes. The threads start with the first slice: a file of small
// meshes never starts them.
class FormatThreads {
public:
    using Format = std::function<void(TextOutput&)>;

    // `helpers` threads besides the caller's; with none, every slice is
    // formatted on the caller's thread, straight into the file.
    explicit FormatThreads(unsigned helpers);
    ~FormatThreads();
    FormatThreads(const FormatThreads&) = delete;
    FormatThreads& operator=(const FormatThreads&) = delete;

    // Queues a slice. With a few slices waiting already, first appends the
    // oldest once it is formatted, rethrowing what its formatting threw.
    void Add(XTextFile& out, Format format);
    // Appends every queued slice, in order.
    void Finish(XTextFile& out);
    // Drops the queued slices, waiting for those being formatted.
    void Drop();

private:
    struct Slot {
        TextPiece piece;
        Format format;
        bool formatted = false;
        std::exception_ptr error;

        void Reset()
        {
            piece.Clear();
            format = nullptr;
            formatted = false;
            error = nullptr;
        }
    };

    void Work();
    void AppendOldest(XTextFile& out, std::unique_lock<std::mutex>& lock);
    Slot& SlotOf(std::uint64_t sequence) { return m_slots[sequence % m_slots.size()]; }

    unsigned m_nHelpers;
    std::mutex m_mutex;
    std::condition_variable m_queued;     // a slice to format, or the end
    std::condition_variable m_formatted;  // a slice is formatted
    std::vector<Slot> m_slots;            // a ring, indexed by sequence number
    std::uint64_t m_nAdded = 0, m_nTaken = 0, m_nAppended = 0;
    bool m_bStopping = false;
    std::vector<std::thread> m_threads;
};

// Work on the entries [0, count) of a list, slice by slice, through the
// file's format threads, or on the caller's thread when it has none.
// `makeSlice(begin, end)` runs on the caller's thread, in order, and returns
// what formats entries [begin, end) into a TextOutput, which may carry what
// it made for them. A slice may also only compute, writing nothing but its
// report lines.
inline constexpr std::size_t kSliceEntries = 4096;

template <typename MakeSlice>
void WriteSliced(XTextFile& out, std::size_t count, MakeSlice makeSlice)
{
    // A list of one slice is made at once: handing it over would cost more.
    FormatThreads* threads = count > kSliceEntries ? out.Threads() : nullptr;
    if (!threads) {
        for (std::size_t begin = 0; begin < count; begin += kSliceEntries)
            makeSlice(begin, std::min(count, begin + kSliceEntries))(static_cast<TextOutput&>(out));
        return;
    }
    try {
        for (std::size_t begin = 0; begin < count; begin += kSliceEntries)
            threads->Add(out, makeSlice(begin, std::min(count, begin + kSliceEntries)));
        threads->Finish(out);
    } catch (...) {
        threads->Drop();  // the slices refer to what the caller holds
        throw;
    }
}

}  // namespace verdin
