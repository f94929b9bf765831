#pragma once

#include "base/ReportLog.h"

#include <cstdio>

namespace verdin {

// The report log on a terminal: each "\r\n" becomes "\n", and every finished
// line is flushed at once so that progress shows while a job runs.
class ConsoleReport : public ReportLog {
public:
    explicit ConsoleReport(std::FILE* out) : m_out(out) {}

    void AppendText(std::string_view text) override;
    void ClearText() override {}

private:
    std::FILE* m_out;
    bool m_bPendingReturn = false;  // a "\r" whose "\n" may come with the next text
};

}  // namespace verdin
