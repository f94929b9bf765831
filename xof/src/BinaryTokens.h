#pragma once

#include <cstdint>

namespace verdin::xof {

// The 16-bit little-endian words of the binary format. Primitive types use
// the values of the Primitive enumeration (40 to 51).
enum class Token : std::uint16_t {
    Name = 1,
    String = 2,
    Integer = 3,
    Guid = 5,
    IntegerList = 6,
    FloatList = 7,
    OpenBrace = 10,
    CloseBrace = 11,
    OpenBracket = 14,
    CloseBracket = 15,
    Dot = 18,
    Comma = 19,
    Semicolon = 20,
    Template = 31,
    Array = 52,
};

}  // namespace verdin::xof
