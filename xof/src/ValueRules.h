#pragma once

#include <cstdint>
#include <limits>

#include "xof/Document.h"

namespace verdin::xof {

// Integers are accepted in the signed or the unsigned range of their type's
// width, since files write both (-1 for an unused DWORD index, 65535 for a
// WORD); they are kept as 32-bit patterns.
[[nodiscard]] inline bool FitsInteger(Primitive type, std::int64_t value)
{
    int bits = 32;
    if (type == Primitive::Word || type == Primitive::Sword) {
        bits = 16;
    } else if (type == Primitive::Char || type == Primitive::Uchar) {
        bits = 8;
    }
    const std::int64_t lowest = -(std::int64_t{1} << (bits - 1));
    const std::int64_t highest = (std::int64_t{1} << bits) - 1;
    return value >= lowest && value <= highest;
}

// False for a finite value that a FLOAT member cannot hold.
[[nodiscard]] inline bool FitsReal(Primitive type, double value)
{
    const double largest = std::numeric_limits<float>::max();
    return type != Primitive::Float || !(value > largest || value < -largest);
}

// A FLOAT member keeps the single-precision value, whatever precision the
// file wrote, so that text and binary forms of a file hold equal values.
[[nodiscard]] inline double StoredReal(Primitive type, double value)
{
    return type == Primitive::Float ? static_cast<double>(static_cast<float>(value)) : value;
}

}  // namespace verdin::xof
