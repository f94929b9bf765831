#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "xof/Xof.h"

namespace verdin::xof {

// Readable failure output for the model's types.
void PrintTo(const DataObject& object, std::ostream* out);
void PrintTo(const Value& value, std::ostream* out);

}  // namespace verdin::xof

namespace verdin::xof::test {

// The parsed document; a failed expectation carrying the error message otherwise.
Document MustParseText(std::string_view text);
Document MustParseBinary(std::string_view bytes);

// The streaming conversion of a text in memory through a window of `window`
// bytes; a window the size of the text has no edges inside it.
Result<std::string> StreamToBinary(std::string_view text, BinaryOptions options, std::size_t window);

// Windows so small that tokens of every kind cross their edges, in every way.
inline constexpr std::size_t kTinyWindows[] = {1, 2, 3, 7, 64};

std::vector<std::uint32_t> Integers(const DataObject& object);
std::vector<double> Reals(const DataObject& object);

// The first child object of that template; a failed expectation when none.
const DataObject& ChildOf(const DataObject& object, std::string_view templateName);

// Builds binary token streams by hand, little-endian.
class TokenBytes {
public:
    TokenBytes() : m_bytes("xof 0302bin 0032") {}
    explicit TokenBytes(std::string header) : m_bytes(std::move(header)) {}

    TokenBytes& Word(std::uint16_t value);
    TokenBytes& Dword(std::uint32_t value);
    TokenBytes& Name(std::string_view name);
    TokenBytes& String(std::string_view text, std::uint16_t terminator = 20);
    TokenBytes& Guid(const xof::Guid& guid);
    TokenBytes& Integers(const std::vector<std::uint32_t>& values);
    TokenBytes& Floats(const std::vector<float>& values);
    TokenBytes& Doubles(const std::vector<double>& values);
    TokenBytes& Open() { return Word(10); }
    TokenBytes& Close() { return Word(11); }

    [[nodiscard]] const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

}  // namespace verdin::xof::test
