#pragma once

#include "base/ReportLog.h"

#include <atomic>
#include <cstdio>

namespace verdin {

// The report log on a terminal: each "\r\n" becomes "\n", and every finished
// line is flushed at once so that progress shows while a job runs. When no
// one reads it any more (a closed pipe), the job is asked to stop through
// `stop`.
class ConsoleReport : public ReportLog {
public:
    ConsoleReport(std::FILE* out, std::atomic<int>& stop) : m_out(out), m_stop(stop) {}

    void AppendText(std::string_view text) override;
    void ClearText() override {}

private:
    std::FILE* m_out;
    std::atomic<int>& m_stop;
    bool m_bPendingReturn = false;  // a "\r" whose "\n" may come with the next text
};

}  // namespace verdin
