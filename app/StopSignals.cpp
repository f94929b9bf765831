#include "app/StopSignals.h"

#include "base/StopSignals.h"

#include <QApplication>
#include <QSocketNotifier>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace verdin {

#ifdef _WIN32

void CloseWindowsOnStopSignals() {}

#else

namespace {

// The signal handler only writes a byte; the event loop does the rest.
int g_stopPipe[2] = {-1, -1};

void RequestStop()
{
    const char byte = 1;
    if (write(g_stopPipe[1], &byte, 1) != 1) {
        // the pipe is full: a stop is already on its way
    }
}

}  // namespace

void CloseWindowsOnStopSignals()
{
    if (pipe(g_stopPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_stopPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
        notifier->setEnabled(false);
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
    HandleStopSignals(RequestStop);
}

#endif

}  // namespace verdin
