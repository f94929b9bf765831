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

}  // namespace

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
    const char* start = m_position;
    while (m_position != m_end && IsNameChar(*m_position)) {
        ++m_position;
    }
    return std::string_view(start, static_cast<std::size_t>(m_position - start));
}

Guid TextScanner::ReadGuid()
{
    const std::size_t start = Offset();
    Advance();
    SkipBlank();
    // 8-4-4-4-12 hexadecimal digits.
    constexpr std::size_t kGuidLength = 36;
    if (BytesLeft() < kGuidLength) {
        FailAt(start, ErrorCode::Truncated, "the input ends inside a GUID");
    }
    const std::string_view text(m_position, kGuidLength);
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
    m_position += kGuidLength;
    Expect('>', "'>' closing the GUID");
    return guid;
}

std::string TextScanner::ReadString()
{
    const std::size_t start = Offset();
    Advance();
    const void* quote = std::memchr(m_position, '"', BytesLeft());
    if (!quote) {
        FailAt(start, ErrorCode::Truncated, "the string is not closed");
    }
    const char* close = static_cast<const char*>(quote);
    std::string text(m_position, close);
    m_position = close + 1;
    return text;
}

std::string_view TextScanner::NumberText(const char* from) const
{
    const char* last = from;
    while (last != m_end && (IsNameChar(*last) || *last == '+')) {
        ++last;
    }
    return std::string_view(from, static_cast<std::size_t>(std::max(last, from + 1) - from));
}

std::int64_t TextScanner::ReadInteger()
{
    if (AtEnd()) {
        Fail(ErrorCode::Truncated, "the input ends where an integer is expected");
    }
    const char* start = m_position;
    const char* digits = *start == '+' ? start + 1 : start;
    std::int64_t value = 0;
    const auto [end, status] = std::from_chars(digits, m_end, value);
    if (status == std::errc::invalid_argument) {
        Fail(ErrorCode::Syntax, "expected an integer, found " + DescribeNext());
    }
    if (status != std::errc() || (end != m_end && IsNameChar(*end))) {
        Fail(ErrorCode::BadNumber, "bad integer " + Quoted(NumberText(start)));
    }
    m_position = end;
    return value;
}

double TextScanner::ReadReal()
{
    if (AtEnd()) {
        Fail(ErrorCode::Truncated, "the input ends where a number is expected");
    }
    const char* start = m_position;
    const char* digits = *start == '+' ? start + 1 : start;
    const char* first = digits != m_end && *digits == '-' ? digits + 1 : digits;
    // from_chars would also take "inf" and "nan", which the format has not.
    if (first == m_end || !((*first >= '0' && *first <= '9') || *first == '.')) {
        if (IsNumberStart(*start)) {
            Fail(ErrorCode::BadNumber, "bad number " + Quoted(NumberText(start)));
        }
        Fail(ErrorCode::Syntax, "expected a number, found " + DescribeNext());
    }
    double value = 0.0;
    const auto [end, status] = std::from_chars(digits, m_end, value);
    if (status != std::errc() || (end != m_end && IsNameChar(*end))) {
        Fail(ErrorCode::BadNumber, "bad number " + Quoted(NumberText(start)));
    }
    m_position = end;
    return value;
}

std::string TextScanner::DescribeNext() const
{
    if (AtEnd()) {
        return "the end of the input";
    }
    if (IsNameStart(*m_position) || IsNumberStart(*m_position)) {
        return Quoted(NumberText(m_position));
    }
    return Quoted(std::string_view(m_position, 1));
}

void TextScanner::Fail(ErrorCode code, std::string_view message) const
{
    FailAt(Offset(), code, message);
}

void TextScanner::FailAt(std::size_t offset, ErrorCode code, std::string_view message) const
{
    const std::string_view before(m_begin, offset);
    const std::size_t line = 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column = lineStart == std::string_view::npos ? offset + 1 : offset - lineStart;
    Error error{code, "line " + Decimal(line) + ", column " + Decimal(column) + ": " + std::string(message), offset,
                line, column};
    throw ParseFailure{std::move(error)};
}

}  // namespace verdin::xof
