#pragma once

#include <string>
#include <string_view>

namespace verdin {

// The append-only log that every step of a job writes to. A line ends only
// where "\r\n" is appended; nothing adds line ends on its own.
class ReportLog {
public:
    virtual ~ReportLog() = default;
    virtual void AppendText(std::string_view text) = 0;
    virtual void ClearText() = 0;

    // Appends a whole line, the text and its line end, in one call.
    void AppendLine(std::string_view text)
    {
        std::string line(text);
        line += "\r\n";
        AppendText(line);
    }
};

}  // namespace verdin
