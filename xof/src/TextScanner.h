#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xof/Document.h"
#include "xof/Result.h"
#include "xof/Stream.h"

namespace verdin::xof {

// A place in the text, its line and column counted from 1.
struct TextPlace {
    std::size_t offset = 0;
    std::size_t line = 1;
    std::size_t column = 1;
};

// The characters of a DirectX text file, read from a position that only moves
// forward, through a window refilled from the source as the position reaches
// its end. A token is always whole in the window, which grows for one longer
// than it; what a token reader returns as a view stays valid until the
// scanner reads on. Every read stays inside the window; failures throw
// ParseFailure with the line and column of the offending character.
class TextScanner {
public:
    TextScanner(TextSource& source, std::size_t window);

    // Whitespace and comments ("//" or "#" to the end of the line).
    void SkipBlank() { Skip<false>(); }
    // The same, and the separators "," and ";" as well.
    void SkipBlankAndSeparators() { Skip<true>(); }

    [[nodiscard]] bool AtEnd() { return m_position == m_end && !Refill(); }
    [[nodiscard]] char Peek() { return AtEnd() ? '\0' : *m_position; }
    [[nodiscard]] std::size_t Offset() const { return m_base + static_cast<std::size_t>(m_position - m_begin); }
    [[nodiscard]] std::uint64_t BytesLeft() const { return m_size - Offset(); }
    // Only after Peek() has found a character.
    void Advance() { ++m_position; }
    // Up to `count` bytes from the position, fewer only at the end of the text.
    [[nodiscard]] std::string_view Ahead(std::size_t count);
    // Moves on by bytes that Ahead() has shown.
    void Consume(std::size_t count) { m_position += count; }

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

    // The current position, to fail at later, once the window has moved on.
    [[nodiscard]] TextPlace Place() { return PlaceOf(Offset()); }
    // A place still in the window: at or after the start of the token read last.
    [[nodiscard]] TextPlace PlaceOf(std::size_t offset);

    [[noreturn]] void Fail(ErrorCode code, std::string_view message) { FailAt(Offset(), code, message); }
    [[noreturn]] void FailAt(std::size_t offset, ErrorCode code, std::string_view message)
    {
        FailAt(PlaceOf(offset), code, message);
    }
    [[noreturn]] static void FailAt(const TextPlace& place, ErrorCode code, std::string_view message);
    // "the end of the input" or the offending character, quoted.
    [[nodiscard]] std::string DescribeNext();

private:
    template <bool withSeparators>
    void Skip()
    {
        for (;;) {
            while (m_position != m_end) {
                const char c = *m_position;
                if ((c > 0 && c <= ' ') || (withSeparators && (c == ',' || c == ';'))) {
                    ++m_position;
                } else if (c == '#' || (c == '/' && Ahead(2) == "//")) {
                    SkipLine();
                } else {
                    return;
                }
            }
            if (!Refill()) {
                return;
            }
        }
    }

    // To the line's end, left for the blanks.
    void SkipLine();
    // Moves the bytes from the position to the window's start and reads on
    // after them; false when the text has no more.
    bool Refill();
    // Whether the token at the position may go on past the window.
    [[nodiscard]] bool TokenReachesEnd() const;
    // The number-like token at the position, whole; at least one character.
    [[nodiscard]] std::string_view NumberText();
    // Counts the line ends before `offset`, from the last offset counted.
    void CountLinesTo(std::size_t offset);

    TextSource& m_source;
    std::uint64_t m_size;
    std::uint64_t m_read = 0;  // bytes taken from the source
    std::vector<char> m_window;
    const char* m_begin;  // the window's first byte, at text offset m_base
    const char* m_position;
    const char* m_end;  // after the last byte read into the window
    std::size_t m_base = 0;
    // Line ends before m_counted, and where the line holding it starts.
    std::size_t m_counted = 0;
    std::size_t m_lines = 0;
    std::size_t m_lineStart = 0;
    // The same at m_base, for places looked up behind m_counted.
    std::size_t m_baseLines = 0;
    std::size_t m_baseLineStart = 0;
};

}  // namespace verdin::xof
