#include "base/NumberFormat.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace verdin {

namespace {

// Three digits of every number below 1000, "000" to "999" (and a byte more,
// so that four can be loaded at once).
constexpr auto kDigitTriples = [] {
    std::array<char, 3001> triples{};
    for (int i = 0; i < 1000; ++i) {
        triples[3 * i] = static_cast<char>('0' + i / 100);
        triples[3 * i + 1] = static_cast<char>('0' + i / 10 % 10);
        triples[3 * i + 2] = static_cast<char>('0' + i % 10);
    }
    return triples;
}();

// |value| × 10^6 rounded as printf rounds it (to nearest, ties to even), for
// a value of at most 39 significant bits below 2^31, as every float
// coordinate is: the product then has at most 53 bits, so the double multiply
// is exact, and stays below 2^51, so adding and taking away 1.5 × 2^52 rounds
// it to an integer in the default rounding mode.
bool ScaledByMillionFast(double value, std::uint64_t& scaled)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    constexpr std::uint64_t kLowBits = (std::uint64_t{1} << 14) - 1;
    const double magnitude = std::fabs(value);
    if ((bits & kLowBits) != 0 || !(magnitude < 2147483648.0))
        return false;
    constexpr double kRounder = 6755399441055744.0;  // 1.5 × 2^52
    scaled = static_cast<std::uint64_t>(magnitude * 1e6 + kRounder - kRounder);
    return true;
}

// |value| × 10^6 rounded to an integer as printf rounds it (to nearest, ties
// to even), computed exactly from the binary value. False for values the
// general formatter must take: not finite, or 2^43 and above.
bool ScaledByMillion(double value, std::uint64_t& scaled)
{
#ifdef __SIZEOF_INT128__
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
#else
    (void)value;
    (void)scaled;
    return false;
#endif
}

// The digits of a number below 1000 without leading zeros; writes four bytes.
char* WriteBelowThousand(char* out, std::uint32_t value)
{
    const int digits = 1 + (value >= 10) + (value >= 100);
    std::uint32_t triple;
    std::memcpy(&triple, kDigitTriples.data() + 3 * value, 4);
    triple >>= 8 * (3 - digits);  // drops the leading zeros
    std::memcpy(out, &triple, 4);
    return out + digits;
}

}  // namespace

char* WriteInt(char* out, long long value)
{
    // The indices and counts of a mesh: mostly below a million.
    if (value >= 0 && value < 1000000 && std::endian::native == std::endian::little) {
        const auto small = static_cast<std::uint32_t>(value);
        if (small < 1000)
            return WriteBelowThousand(out, small);
        out = WriteBelowThousand(out, small / 1000);
        std::memcpy(out, kDigitTriples.data() + 3 * (small % 1000), 3);
        return out + 3;
    }
    return std::to_chars(out, out + kMaxIntChars, value).ptr;
}

char* WriteFloat(char* out, double value)
{
    std::uint64_t scaled;
    if (ScaledByMillionFast(value, scaled) || ScaledByMillion(value, scaled)) {
        // Without branches where they are least predictable: the sign, and
        // the digits of a whole part below 1000.
        *out = '-';
        out += std::signbit(value);
        const std::uint64_t whole = scaled / 1000000;
        if (whole < 1000 && std::endian::native == std::endian::little) {
            out = WriteBelowThousand(out, static_cast<std::uint32_t>(whole));
        } else {
            out = std::to_chars(out, out + 20, whole).ptr;
        }
        *out++ = '.';
        const auto decimals = static_cast<std::uint32_t>(scaled % 1000000);
        std::memcpy(out, kDigitTriples.data() + 3 * (decimals / 1000), 3);
        std::memcpy(out + 3, kDigitTriples.data() + 3 * (decimals % 1000), 3);
        return out + 6;
    }
    return std::to_chars(out, out + kMaxFloatChars, value, std::chars_format::fixed, 6).ptr;
}

void AppendInt(std::string& out, long long value)
{
    char buffer[kMaxIntChars];
    out.append(buffer, static_cast<std::size_t>(WriteInt(buffer, value) - buffer));
}

void AppendFloat(std::string& out, double value)
{
    char buffer[kMaxFloatChars];
    out.append(buffer, static_cast<std::size_t>(WriteFloat(buffer, value) - buffer));
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
