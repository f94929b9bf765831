#include "base/TemporaryFiles.h"

#include <array>
#include <atomic>
#include <cstring>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace verdin {

namespace {

// Fixed slots, so that a signal handler reads them without locks or
// allocation: enough for every file of the most threads a job runs.
constexpr std::size_t kSlots = 1024;
constexpr std::size_t kPathBytes = 4096;

enum SlotState : int { kFree, kFilling, kMarked };

struct Slot {
    std::atomic<int> state{kFree};
    char path[kPathBytes];
};
static_assert(std::atomic<int>::is_always_lock_free, "slots are read from signal handlers");

std::array<Slot, kSlots> g_slots;

}  // namespace

TemporaryFileMark::TemporaryFileMark(const std::string& path)
{
    if (path.size() >= kPathBytes)
        return;
    for (std::size_t i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (g_slots[i].state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(g_slots[i].path, path.c_str(), path.size() + 1);
            g_slots[i].state.store(kMarked, std::memory_order_release);
            m_slot = static_cast<std::ptrdiff_t>(i);
            return;
        }
    }
}

TemporaryFileMark::~TemporaryFileMark()
{
    if (m_slot >= 0)
        g_slots[static_cast<std::size_t>(m_slot)].state.store(kFree, std::memory_order_release);
}

void RemoveTemporaryFilesNow()
{
    for (Slot& slot : g_slots) {
        if (slot.state.load(std::memory_order_acquire) != kMarked)
            continue;
#ifdef _WIN32
        // The names are UTF-8; the wide call does not depend on the code page.
        wchar_t wide[kPathBytes];
        if (MultiByteToWideChar(CP_UTF8, 0, slot.path, -1, wide, static_cast<int>(kPathBytes)) > 0)
            DeleteFileW(wide);
#else
        unlink(slot.path);
#endif
    }
}

}  // namespace verdin
