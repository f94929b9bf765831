#include "base/StopSignals.h"

#include "base/TemporaryFiles.h"

#include <atomic>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// The console's control events stand for the signals of other systems: Ctrl+C
// and Ctrl+Break for SIGINT, closing the console window, logging off and
// shutting down for SIGHUP. Windows calls the handler on a thread of its own.

namespace verdin {

namespace {

constexpr int kInterruptStatus = 128 + 2;  // as SIGINT ends a process
constexpr int kHangUpStatus = 128 + 1;     // as SIGHUP ends a process
// The system ends the process some five seconds after a close event; the job
// gets most of them to stop after its current file.
constexpr DWORD kCloseGraceMilliseconds = 4000;

std::atomic<StopRequest> g_request{nullptr};
std::atomic<int> g_events{0};

void RequestStop()
{
    if (const StopRequest request = g_request.load())
        request();
}

BOOL WINAPI OnControlEvent(DWORD event)
{
    const bool interrupt = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
    if (g_events.fetch_add(1) == 0) {
        RequestStop();
        if (interrupt)
            return TRUE;
        // Returning would end the process at once; a clean stop ends it
        // while this waits.
        Sleep(kCloseGraceMilliseconds);
    }
    RemoveTemporaryFilesNow();
    ExitProcess(interrupt ? kInterruptStatus : kHangUpStatus);
}

}  // namespace

void HandleStopSignals(StopRequest request)
{
    g_request.store(request);
    SetConsoleCtrlHandler(OnControlEvent, TRUE);
}

}  // namespace verdin
