#include "base/StopSignals.h"

#include "base/TemporaryFiles.h"

#include <atomic>
#include <csignal>
#include <cstdlib>

namespace verdin {

namespace {

std::atomic<StopRequest> g_request{nullptr};
std::atomic<int> g_signals{0};
static_assert(std::atomic<StopRequest>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "read from signal handlers");

extern "C" void OnStopSignal(int signal)
{
    if (g_signals.fetch_add(1) == 0) {
        if (const StopRequest request = g_request.load())
            request();
        return;
    }
    RemoveTemporaryFilesNow();
    std::_Exit(128 + signal);
}

extern "C" void OnBrokenOutput(int signal)
{
    RemoveTemporaryFilesNow();
    std::_Exit(128 + signal);
}

// A signal that the starting process ignored stays ignored: the write then
// fails with an error of its own (EPIPE, EFBIG) instead.
void EndOnBrokenOutput(int signal)
{
    if (std::signal(signal, OnBrokenOutput) == SIG_IGN)
        std::signal(signal, SIG_IGN);
}

}  // namespace

void HandleStopSignals(StopRequest request)
{
    g_request.store(request);
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    std::signal(SIGHUP, OnStopSignal);
    EndOnBrokenOutput(SIGPIPE);
    EndOnBrokenOutput(SIGXFSZ);
}

}  // namespace verdin
