#pragma once

#include <string>
#include <string_view>

namespace verdin {

// A text for the report as the user's terminal or window must show it: each
// control byte (below 0x20, and 0x7F) becomes "?". Names and texts from files
// could otherwise move the terminal's cursor, forge report lines or, with a
// NUL, cut one short.
std::string Printable(std::string_view text);

// The append-only log that every step of a job writes to. A line ends only
// where "\r\n" is appended; nothing adds line ends on its own.
class ReportLog {
public:
    virtual ~ReportLog() = default;
    virtual void AppendText(std::string_view text) = 0;
    virtual void ClearText() = 0;

    // Appends a whole line, the text made printable and its line end, in one
    // call.
    void AppendLine(std::string_view text) { AppendText(Printable(text) + "\r\n"); }
};

}  // namespace verdin
