#include "xfile/NumberFormat.h"

#include <bit>
#include <cmath>
#include <charconv>
#include <cstdint>

namespace verdin {

namespace {

#ifdef __SIZEOF_INT128__
// |value| × 10^6 rounded to an integer as printf rounds it (to nearest, ties
// to even), computed exactly from the binary value. False for values the
// general formatter must take: not finite, or 2^43 and above.
bool ScaledByMillion(double value, std::uint64_t& scaled)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased >= 1023 + 43)
        return false;
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa = biased == 0 ? fraction : fraction | std::uint64_t{1} << 52;
    const int shift = biased == 0 ? 1074 : 1075 - biased;  // value = mantissa / 2^shift, shift > 0 here
    if (shift >= 127) {
        scaled = 0;  // far below half a millionth
        return true;
    }
    const unsigned __int128 product = static_cast<unsigned __int128>(mantissa) * 1000000u;
    const unsigned __int128 quotient = product >> shift;
    const unsigned __int128 remainder = product - (quotient << shift);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    scaled = static_cast<std::uint64_t>(quotient);
    if (remainder > half || (remainder == half && (scaled & 1) != 0))
        ++scaled;
    return true;
}
#endif

}  // namespace

void AppendInt(std::string& out, long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

void AppendFloat(std::string& out, double value)
{
#ifdef __SIZEOF_INT128__
    std::uint64_t scaled;
    if (ScaledByMillion(value, scaled)) {
        char buffer[32];
        char* end = buffer;
        if (std::signbit(value))
            *end++ = '-';
        end = std::to_chars(end, buffer + sizeof buffer, scaled / 1000000).ptr;
        *end++ = '.';
        std::uint64_t decimals = scaled % 1000000;
        for (int digit = 5; digit >= 0; --digit) {
            end[digit] = static_cast<char>('0' + decimals % 10);
            decimals /= 10;
        }
        out.append(buffer, static_cast<std::size_t>(end + 6 - buffer));
        return;
    }
#endif
    // Room for the largest double in fixed notation with six decimals.
    char buffer[320];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

std::string FormatInt(long long value)
{
    std::string text;
    AppendInt(text, value);
    return text;
}

std::string FormatFloat(double value)
{
    std::string text;
    AppendFloat(text, value);
    return text;
}

}  // namespace verdin
