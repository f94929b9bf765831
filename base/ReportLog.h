#pragma once

#include <string_view>

namespace verdin {

// The append-only log that every step of a job writes to. A line ends only
// where "\r\n" is appended; nothing adds line ends on its own.
class ReportLog {
public:
    virtual ~ReportLog() = default;
    virtual void AppendText(std::string_view text) = 0;
    virtual void ClearText() = 0;
};

}  // namespace verdin
