#pragma once

#include "base/FileReplacement.h"

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace verdin {

// A buffered text output whose lines end with CR LF on every platform: every
// "\n" written is stored as "\r\n". The file replaces an earlier one of the
// same name only once it is complete.
class XTextFile {
public:
    XTextFile();

    // False when the file cannot be written.
    [[nodiscard]] bool Open(const std::string& path);
    // Text whose "\n" become line ends.
    void Write(std::string_view text);

    // The pieces of a line, appended as they are: text holding no line end,
    // numbers as "%d" and "%f" write them; then the line end.
    void Text(std::string_view text);
    void Char(char c)
    {
        Reserve(1);
        *m_cursor++ = c;
    }
    void Int(long long value);
    // A number no reader takes (NaN, infinite) is written as 0 and counted.
    void Float(double value);
    long long NonFiniteCount() const { return m_nNonFinite; }
    void EndLine()
    {
        Reserve(2);
        *m_cursor++ = '\r';
        *m_cursor++ = '\n';
    }

    // Puts the file in place; false, leaving any earlier file as it was, when
    // a byte could not be written.
    [[nodiscard]] bool Commit();
    // Drops what was written; an earlier file stays as it was.
    void Discard() { m_file.Discard(); }

private:
    void Reserve(std::size_t size)
    {
        if (static_cast<std::size_t>(m_end - m_cursor) < size)
            Flush();
    }
    void Flush();

    FileReplacement m_file;
    std::unique_ptr<char[]> m_buffer;
    char* m_cursor;
    char* m_end;
    long long m_nNonFinite = 0;
};

}  // namespace verdin
