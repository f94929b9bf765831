#pragma once

#include "xfile/FileReplacement.h"

#include <string>
#include <string_view>

namespace verdin {

// A buffered text output whose lines end with CR LF on every platform: every
// "\n" written is stored as "\r\n". The file replaces an earlier one of the
// same name only once it is complete.
class XTextFile {
public:
    // False when the file cannot be written.
    bool Open(const std::string& path);
    void Write(std::string_view text);

    // The pieces of a line, appended as they are: text holding no line end,
    // numbers as "%d" and "%f" write them; then the line end.
    void Text(std::string_view text) { m_buffer.append(text); }
    void Int(long long value);
    void Float(double value);
    void EndLine();

    // Puts the file in place; false, leaving any earlier file as it was, when
    // a byte could not be written.
    bool Commit();
    // Drops what was written; an earlier file stays as it was.
    void Discard() { m_file.Discard(); }

private:
    void Flush();

    FileReplacement m_file;
    std::string m_buffer;
};

}  // namespace verdin
