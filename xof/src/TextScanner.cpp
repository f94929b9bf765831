#include "xof/src/TextScanner.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "xof/src/Decimal.h"
#include "xof/src/Failure.h"
#include "xof/src/Quoted.h"

namespace verdin::xof {

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Reads `digits` hexadecimal digits; false when one is not.
bool ReadHex(std::string_view text, std::size_t& at, int digits, std::uint64_t& value)
{
    value = 0;
    for (int i = 0; i < digits; ++i, ++at) {
        const int digit = HexDigit(text[at]);
        if (digit < 0) {
            return false;
        }
        value = value * 16 + static_cast<std::uint64_t>(digit);
    }
    return true;
}

bool IsNumberChar(char c)
{
    return TextScanner::IsNameChar(c) || c == '+';
}

// Every byte of the text passes here once: counted by blocks of a fixed
// size into a byte, the loop runs on vector instructions.
std::size_t LineEnds(std::string_view bytes)
{
    constexpr std::size_t kBlock = 128;
    std::size_t ends = 0;
    const char* block = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= kBlock; block += kBlock, left -= kBlock) {
        unsigned char inBlock = 0;
        for (std::size_t i = 0; i < kBlock; ++i) {
            inBlock = static_cast<unsigned char>(inBlock + (block[i] == '\n'));
        }
        ends += inBlock;
    }
    return ends + static_cast<std::size_t>(std::count(block, block + left, '\n'));
}

// Adds the line ends of `bytes`, which start at text offset `from`, to a count
// and the start of the last line.
void CountLines(std::string_view bytes, std::size_t from, std::size_t& lines, std::size_t& lineStart)
{
    const std::size_t ends = LineEnds(bytes);
    if (ends != 0) {
        lines += ends;
        lineStart = from + bytes.rfind('\n') + 1;
    }
}

}  // namespace

TextScanner::TextScanner(TextSource& source, std::size_t window)
    : m_source(source), m_size(source.Size()), m_window(std::max<std::size_t>(window, 1))
{
    m_begin = m_position = m_end = m_window.data();
    Refill();
}

bool TextScanner::Refill()
{
    if (m_read == m_size) {
        return false;
    }
    const auto kept = static_cast<std::size_t>(m_end - m_position);
    CountLinesTo(Offset());
    m_base = Offset();
    m_baseLines = m_lines;
    m_baseLineStart = m_lineStart;
    // A token as long as half the window doubles it, so that every refill
    // reads a good part of a window.
    if (kept > m_window.size() / 2) {
        std::vector<char> larger(2 * m_window.size());
        std::memcpy(larger.data(), m_position, kept);
        m_window.swap(larger);
    } else {
        std::memmove(m_window.data(), m_position, kept);
    }
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(m_window.size() - kept, m_size - m_read));
    const std::size_t got = m_source.Read(m_window.data() + kept, wanted);
    m_read += got;
    if (got == 0) {
        m_size = m_read;  // the source ended early: the text ends here
    }
    m_begin = m_position = m_window.data();
    m_end = m_begin + kept + got;
    return got != 0;
}

std::string_view TextScanner::Ahead(std::size_t count)
{
    while (static_cast<std::size_t>(m_end - m_position) < count && Refill()) {
    }
    return std::string_view(m_position, std::min(count, static_cast<std::size_t>(m_end - m_position)));
}

void TextScanner::SkipLine()
{
    for (;;) {
        const void* lineEnd = std::memchr(m_position, '\n', static_cast<std::size_t>(m_end - m_position));
        if (lineEnd) {
            m_position = static_cast<const char*>(lineEnd);
            return;
        }
        m_position = m_end;
        if (!Refill()) {
            return;
        }
    }
}

void TextScanner::CountLinesTo(std::size_t offset)
{
    if (offset <= m_counted) {
        return;
    }
    const std::string_view bytes(m_begin + (m_counted - m_base), offset - m_counted);
    CountLines(bytes, m_counted, m_lines, m_lineStart);
    m_counted = offset;
}

TextPlace TextScanner::PlaceOf(std::size_t offset)
{
    std::size_t lines = m_baseLines;
    std::size_t lineStart = m_baseLineStart;
    if (offset >= m_counted) {
        CountLinesTo(offset);
        lines = m_lines;
        lineStart = m_lineStart;
    } else {
        CountLines(std::string_view(m_begin, offset - m_base), m_base, lines, lineStart);
    }
    return TextPlace{offset, lines + 1, offset - lineStart + 1};
}

bool TextScanner::TokenReachesEnd() const
{
    return std::find_if_not(m_position, m_end, IsNumberChar) == m_end;
}

void TextScanner::Expect(char wanted, std::string_view what)
{
    SkipBlank();
    if (Peek() != wanted || AtEnd()) {
        Fail(AtEnd() ? ErrorCode::Truncated : ErrorCode::Syntax,
             "expected " + std::string(what) + ", found " + DescribeNext());
    }
    Advance();
}

std::string_view TextScanner::ReadName()
{
    std::size_t length = 0;
    do {
        length = static_cast<std::size_t>(std::find_if_not(m_position + length, m_end, IsNameChar) - m_position);
    } while (m_position + length == m_end && Refill());
    const std::string_view name(m_position, length);
    m_position += length;
    return name;
}

Guid TextScanner::ReadGuid()
{
    const TextPlace start = Place();
    Advance();
    SkipBlank();
    // 8-4-4-4-12 hexadecimal digits.
    constexpr std::size_t kGuidLength = 36;
    const std::string_view text = Ahead(kGuidLength);
    if (text.size() < kGuidLength) {
        FailAt(start, ErrorCode::Truncated, "the input ends inside a GUID");
    }
    Guid guid;
    std::size_t at = 0;
    std::uint64_t part = 0;
    bool good = ReadHex(text, at, 8, part) && text[at++] == '-';
    guid.data1 = static_cast<std::uint32_t>(part);
    good = good && ReadHex(text, at, 4, part) && text[at++] == '-';
    guid.data2 = static_cast<std::uint16_t>(part);
    good = good && ReadHex(text, at, 4, part) && text[at++] == '-';
    guid.data3 = static_cast<std::uint16_t>(part);
    for (std::size_t i = 0; i < guid.data4.size() && good; ++i) {
        good = ReadHex(text, at, 2, part) && (i != 1 || text[at++] == '-');
        guid.data4[i] = static_cast<std::uint8_t>(part);
    }
    if (!good) {
        FailAt(start, ErrorCode::Syntax, "malformed GUID");
    }
    Consume(kGuidLength);
    Expect('>', "'>' closing the GUID");
    return guid;
}

std::string TextScanner::ReadString()
{
    const TextPlace start = Place();
    Advance();
    std::size_t searched = 0;
    for (;;) {
        const std::size_t left = static_cast<std::size_t>(m_end - m_position);
        if (const void* quote = std::memchr(m_position + searched, '"', left - searched)) {
            const char* close = static_cast<const char*>(quote);
            std::string text(m_position, close);
            m_position = close + 1;
            return text;
        }
        searched = left;
        if (!Refill()) {
            FailAt(start, ErrorCode::Truncated, "the string is not closed");
        }
    }
}

std::string_view TextScanner::NumberText()
{
    while (TokenReachesEnd() && Refill()) {
    }
    const char* last = std::find_if_not(m_position, m_end, IsNumberChar);
    return std::string_view(m_position, static_cast<std::size_t>(std::max(last, m_position + 1) - m_position));
}

// A number is parsed where it stands in the window; only one that may go on
// past the window's end is parsed again once the window holds it whole.
std::int64_t TextScanner::ReadInteger()
{
    for (;;) {
        if (AtEnd()) {
            Fail(ErrorCode::Truncated, "the input ends where an integer is expected");
        }
        const char* digits = *m_position == '+' ? m_position + 1 : m_position;
        std::int64_t value = 0;
        const auto [end, status] = std::from_chars(digits, m_end, value);
        const bool whole = end != m_end && !IsNameChar(*end);
        if (status == std::errc() && whole) {
            m_position = end;
            return value;
        }
        if (TokenReachesEnd() && Refill()) {
            continue;
        }
        if (status == std::errc::invalid_argument) {
            Fail(ErrorCode::Syntax, "expected an integer, found " + DescribeNext());
        }
        if (status != std::errc() || end != m_end) {
            Fail(ErrorCode::BadNumber, "bad integer " + Quoted(NumberText()));
        }
        m_position = end;
        return value;
    }
}

double TextScanner::ReadReal()
{
    for (;;) {
        if (AtEnd()) {
            Fail(ErrorCode::Truncated, "the input ends where a number is expected");
        }
        const char* start = m_position;
        const char* digits = *start == '+' ? start + 1 : start;
        const char* first = digits != m_end && *digits == '-' ? digits + 1 : digits;
        // from_chars would also take "inf" and "nan", which the format has not.
        if (first == m_end || !((*first >= '0' && *first <= '9') || *first == '.')) {
            if (TokenReachesEnd() && Refill()) {
                continue;
            }
            if (IsNumberStart(*m_position)) {
                Fail(ErrorCode::BadNumber, "bad number " + Quoted(NumberText()));
            }
            Fail(ErrorCode::Syntax, "expected a number, found " + DescribeNext());
        }
        double value = 0.0;
        const auto [end, status] = std::from_chars(digits, m_end, value);
        const bool whole = end != m_end && !IsNameChar(*end);
        if (status == std::errc() && whole) {
            m_position = end;
            return value;
        }
        if (TokenReachesEnd() && Refill()) {
            continue;
        }
        if (status != std::errc() || end != m_end) {
            Fail(ErrorCode::BadNumber, "bad number " + Quoted(NumberText()));
        }
        m_position = end;
        return value;
    }
}

std::string TextScanner::DescribeNext()
{
    if (AtEnd()) {
        return "the end of the input";
    }
    if (IsNameStart(*m_position) || IsNumberStart(*m_position)) {
        return Quoted(NumberText());
    }
    return Quoted(std::string_view(m_position, 1));
}

void TextScanner::FailAt(const TextPlace& place, ErrorCode code, std::string_view message)
{
    Error error{code, "line " + Decimal(place.line) + ", column " + Decimal(place.column) + ": " + std::string(message),
                place.offset, place.line, place.column};
    throw ParseFailure{std::move(error)};
}

}  // namespace verdin::xof
