#include "cob/CobTextLines.h"

#include "base/NumberFormat.h"
#include "cob/CobEof.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace verdin {

namespace {

template <typename Number>
bool ParseWhole(std::string_view word, Number& value)
{
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    return error == std::errc() && stop == end;
}

bool IsDigits(std::string_view word)
{
    return !word.empty() && word.find_first_not_of("0123456789") == std::string_view::npos;
}

// "V0.08": the major and minor version.
bool ParseVersion(std::string_view word, CobTextHeader& header)
{
    const std::size_t dot = word.find('.');
    if (word.size() < 2 || word[0] != 'V' || dot == std::string_view::npos)
        return false;
    const std::string_view major = word.substr(1, dot - 1);
    const std::string_view minor = word.substr(dot + 1);
    return IsDigits(major) && IsDigits(minor) && ParseWhole(major, header.major) && ParseWhole(minor, header.minor);
}

}  // namespace

std::string Quoted(std::string_view text)
{
    constexpr std::size_t kShown = 80;
    std::string quoted = "\"";
    quoted += text.substr(0, kShown);
    if (text.size() > kShown)
        quoted += "...";
    quoted += '"';
    return quoted;
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> SplitWords(std::string_view text, std::string_view separators)
{
    std::vector<std::string_view> words;
    std::size_t start = text.find_first_not_of(separators);
    while (start != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(separators, start), text.size());
        words.push_back(text.substr(start, end - start));
        start = text.find_first_not_of(separators, end);
    }
    return words;
}

std::optional<CobTextHeader> ParseCobTextHeader(std::string_view line)
{
    // The tag fills four characters ("END " among them), then a blank.
    if (line.size() < 6 || line[4] != ' ')
        return std::nullopt;
    const std::vector<std::string_view> words = SplitWords(line.substr(5));
    // A size of 0 is written padded with blanks only.
    if (words.size() != 7 || words[1] != "Id" || words[3] != "Parent" || words[5] != "Size" || !IsDigits(words[6]))
        return std::nullopt;
    CobTextHeader header;
    if (!ParseVersion(words[0], header) || !ParseWhole(words[2], header.id) || !ParseWhole(words[4], header.parentId))
        return std::nullopt;
    std::memcpy(header.tag, line.data(), 4);
    return header;
}

std::string_view CobTextLines::Peek() const
{
    return m_rest.substr(0, m_rest.find_first_of("\r\n"));
}

std::string_view CobTextLines::Next()
{
    const std::string_view line = Peek();
    m_rest.remove_prefix(line.size());
    // "\r\n" is one line end.
    if (m_rest.starts_with("\r\n"))
        m_rest.remove_prefix(2);
    else if (!m_rest.empty())
        m_rest.remove_prefix(1);
    ++m_nextNumber;
    return line;
}

bool CobTextBody::AtEnd() const
{
    return m_lines.AtEnd() || ParseCobTextHeader(m_lines.Peek());
}

std::string_view CobTextBody::Next(std::string_view expected)
{
    if (m_lines.AtEnd())
        throw CobEofError();
    if (AtEnd()) {
        m_number = m_lines.NextNumber();
        Fail(std::string(expected) + " expected");
    }
    m_number = m_lines.NextNumber();
    return m_lines.Next();
}

void CobTextBody::SkipRest()
{
    while (!AtEnd())
        m_lines.Next();
}

void CobTextBody::Fail(std::string_view what) const
{
    throw CobTextError("Line " + FormatInt(m_number) + ": " + std::string(what) + ".");
}

std::string_view CobTextBody::After(std::string_view line, std::string_view key) const
{
    if (!line.starts_with(key) || (line.size() > key.size() && line[key.size()] != ' ' && line[key.size()] != '\t'))
        Fail(Quoted(key) + " expected");
    line.remove_prefix(key.size());
    return line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
}

float CobTextBody::Float(std::string_view word) const
{
    float value = 0;
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (stop == end && error == std::errc())
        return value;
    // Below the smallest float, a number is 0 as a float file would hold it.
    double wide = 0;
    if (stop == end && error == std::errc::result_out_of_range && ParseWhole(word, wide) &&
        std::fabs(wide) < std::numeric_limits<float>::min())
        return std::signbit(wide) ? -0.0f : 0.0f;
    Fail("bad number " + Quoted(word));
}

std::int64_t CobTextBody::Integer(std::string_view word, std::int64_t low, std::int64_t high) const
{
    std::int64_t value = 0;
    if (!ParseWhole(word, value) || value < low || value > high)
        Fail("bad number " + Quoted(word));
    return value;
}

std::vector<float> CobTextBody::Floats(std::string_view text, std::size_t count) const
{
    const std::vector<std::string_view> words = SplitWords(text, " \t,");
    if (words.size() < count)
        Fail(FormatInt(static_cast<int>(count)) + " numbers expected");
    std::vector<float> values;
    for (std::size_t i = 0; i < count; ++i)
        values.push_back(Float(words[i]));
    return values;
}

}  // namespace verdin
