#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verdin {

// The header line of a chunk in a text-form file, such as
// "PolH V0.08 Id 497163284 Parent 497130340 Size 00013948".
struct CobTextHeader {
    char tag[5] = {};
    std::int16_t major = 0;
    std::int16_t minor = 0;
    std::int32_t id = 0;
    std::int32_t parentId = 0;
};

// The header a line holds, if it is one. Its size is not kept: hand-edited
// files get it wrong, and chunks end where the next header line starts.
std::optional<CobTextHeader> ParseCobTextHeader(std::string_view line);

// The lines of a text, one at a time, numbered as an editor numbers them. A
// line is given without its line end: "\n", "\r\n" or "\r", as the text was
// saved on one system or another.
class CobTextLines {
public:
    CobTextLines(std::string_view text, int firstNumber) : m_rest(text), m_nextNumber(firstNumber) {}

    bool AtEnd() const { return m_rest.empty(); }
    // Whether the next line holds nothing but blanks.
    bool NextIsBlank() const { return Peek().find_first_not_of(" \t") == std::string_view::npos; }
    std::string_view Peek() const;
    std::string_view Next();
    // The number of the line Next gives next.
    int NextNumber() const { return m_nextNumber; }

private:
    std::string_view m_rest;
    int m_nextNumber;
};

// The lines of one chunk's body: those up to the next header line.
class CobTextBody {
public:
    explicit CobTextBody(CobTextLines& lines) : m_lines(lines) {}

    bool AtEnd() const;
    // The next line of the body. `expected` names what it should hold, for
    // the error raised when the body has ended: CobEofError at the end of the
    // file, CobTextError before the next header.
    std::string_view Next(std::string_view expected);
    void SkipRest();

    // Raises CobTextError naming the line Next gave last.
    [[noreturn]] void Fail(std::string_view what) const;

    // The rest of `line` after `key` and the blanks that follow it; fails
    // unless the line starts with `key`.
    std::string_view After(std::string_view line, std::string_view key) const;
    float Float(std::string_view word) const;
    // `word` as an integer in [low, high].
    std::int64_t Integer(std::string_view word, std::int64_t low, std::int64_t high) const;
    // `count` numbers, the words of `text` between blanks and commas.
    std::vector<float> Floats(std::string_view text, std::size_t count) const;

private:
    CobTextLines& m_lines;
    int m_number = 0;
};

// A text in double quotes for a report line; a long one is cut after 80
// characters and marked "...", so that one word cannot flood the report.
std::string Quoted(std::string_view text);

// `text` without the blanks at its start and end.
std::string_view Trimmed(std::string_view text);

// The words of `text` between any of the `separators`.
std::vector<std::string_view> SplitWords(std::string_view text, std::string_view separators = " \t");

}  // namespace verdin
