#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "xof/Document.h"
#include "xof/Result.h"

namespace verdin::xof {

// The characters of a DirectX text file, read from a position that only moves
// forward. Every read stays inside the text; failures throw ParseFailure with
// the line and column of the offending character.
class TextScanner {
public:
    TextScanner(std::string_view text, std::size_t start)
        : m_begin(text.data()), m_position(text.data() + start), m_end(text.data() + text.size())
    {
    }

    // Whitespace and comments ("//" or "#" to the end of the line).
    void SkipBlank() { Skip<false>(); }
    // The same, and the separators "," and ";" as well.
    void SkipBlankAndSeparators() { Skip<true>(); }

    [[nodiscard]] bool AtEnd() const { return m_position == m_end; }
    [[nodiscard]] char Peek() const { return AtEnd() ? '\0' : *m_position; }
    [[nodiscard]] std::size_t Offset() const { return static_cast<std::size_t>(m_position - m_begin); }
    [[nodiscard]] std::size_t BytesLeft() const { return static_cast<std::size_t>(m_end - m_position); }
    void Advance() { ++m_position; }

    [[nodiscard]] static bool IsNameStart(char c)
    {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    }
    [[nodiscard]] static bool IsNameChar(char c)
    {
        return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
    }
    [[nodiscard]] static bool IsNumberStart(char c)
    {
        return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
    }

    // Skips blanks, then consumes the character or fails naming what was wanted.
    void Expect(char wanted, std::string_view what);

    // Each reads at the current position, which must hold what it reads.
    [[nodiscard]] std::string_view ReadName();
    [[nodiscard]] Guid ReadGuid();
    [[nodiscard]] std::string ReadString();
    [[nodiscard]] std::int64_t ReadInteger();
    [[nodiscard]] double ReadReal();

    [[noreturn]] void Fail(ErrorCode code, std::string_view message) const;
    [[noreturn]] void FailAt(std::size_t offset, ErrorCode code, std::string_view message) const;
    // "the end of the input" or the offending character, quoted.
    [[nodiscard]] std::string DescribeNext() const;

private:
    template <bool withSeparators>
    void Skip()
    {
        while (m_position != m_end) {
            const char c = *m_position;
            if ((c > 0 && c <= ' ') || (withSeparators && (c == ',' || c == ';'))) {
                ++m_position;
            } else if (c == '#' || (c == '/' && m_end - m_position > 1 && m_position[1] == '/')) {
                const void* lineEnd = std::memchr(m_position, '\n', static_cast<std::size_t>(m_end - m_position));
                m_position = lineEnd ? static_cast<const char*>(lineEnd) : m_end;
            } else {
                return;
            }
        }
    }

    [[nodiscard]] std::string_view NumberText(const char* from) const;

    const char* m_begin;
    const char* m_position;
    const char* m_end;
};

}  // namespace verdin::xof
