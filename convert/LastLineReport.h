#pragma once

#include "base/ReportLog.h"

#include <string>

namespace verdin {

// Passes everything on to another report and keeps the last line that is not
// empty: for a file that failed, why.
class LastLineReport : public ReportLog {
public:
    explicit LastLineReport(ReportLog& report) : m_report(report) {}

    void AppendText(std::string_view text) override
    {
        m_report.AppendText(text);
        m_open += text;
        for (std::size_t end; (end = m_open.find("\r\n")) != std::string::npos; m_open.erase(0, end + 2))
            if (end > 0)
                m_last.assign(m_open, 0, end);
    }
    void ClearText() override { m_report.ClearText(); }

    const std::string& LastLine() const { return m_last; }

private:
    ReportLog& m_report;
    std::string m_open;  // the line being written
    std::string m_last;
};

}  // namespace verdin
