#pragma once

#include "base/ReportSink.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace verdin {

// Text formatted into a buffer, with lines ending in CR LF on every platform:
// every "\n" written is stored as "\r\n". What happens when the buffer is
// full is the derived class's: a file writes it out, a piece grows.
class TextOutput : public ReportSink {
public:
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
    // A report line made along with this stretch of text (ReportLine): a
    // piece keeps its lines until it is appended, so that they keep the order
    // of the file.
    void EndLine()
    {
        Reserve(2);
        *m_cursor++ = '\r';
        *m_cursor++ = '\n';
    }

protected:
    TextOutput() = default;
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;
    ~TextOutput() = default;

    void Reserve(std::size_t size)
    {
        if (static_cast<std::size_t>(m_end - m_cursor) < size)
            MakeRoom(size);
    }
    // Leaves room for `size` more bytes at the cursor.
    virtual void MakeRoom(std::size_t size) = 0;

    char* m_cursor = nullptr;
    char* m_end = nullptr;
    long long m_nNonFinite = 0;
};

// Formatted text kept in memory, growing as needed: a part of a file made
// apart from it, to be appended to it later.
class TextPiece final : public TextOutput {
public:
    TextPiece() = default;
    std::string_view Bytes() const { return {m_buffer.get(), static_cast<std::size_t>(m_cursor - m_buffer.get())}; }
    // Its report lines, each with its line end.
    const std::string& ReportLines() const { return m_reportLines; }
    void ReportLine(std::string_view line) override;
    void Clear();

private:
    void MakeRoom(std::size_t size) override;

    std::unique_ptr<char[]> m_buffer;
    std::string m_reportLines;
};

}  // namespace verdin
