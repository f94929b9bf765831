#include "base/NumberFormat.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace verdin {
namespace {

std::string PrintfF(double value)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%f", value);
    return buffer;
}

// Values where "%f" is easy to get wrong: signs, ties at the sixth decimal,
// the ends of the float and double ranges.
std::vector<double> HardValues()
{
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1.0,
                                  -1.0,
                                  0.5,
                                  0.0000005,
                                  0.0000015,
                                  0.0000025,
                                  -0.0000005,
                                  0.1,
                                  0.2,
                                  0.3,
                                  1e-7,
                                  123456.7890125,
                                  0.1234565,
                                  2.5e-6,
                                  9.9999995,
                                  999999.9999995,
                                  1e15,
                                  1e16 + 1,
                                  1e22,
                                  1e300,
                                  -1e300,
                                  std::numeric_limits<double>::max(),
                                  -std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<float>::max(),
                                  std::numeric_limits<float>::min(),
                                  std::numeric_limits<float>::denorm_min()};
    for (int i = -40; i <= 40; ++i)
        values.push_back((i + 0.5) / 1e6);  // exact ties do not exist in binary, near ties do
    return values;
}

TEST(NumberFormat, FloatsMatchPrintfInTheCLocale)
{
    ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
    for (double value : HardValues())
        EXPECT_EQ(FormatFloat(value), PrintfF(value)) << value;

    std::mt19937 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        // Random 32-bit patterns: every float the COB files can hold.
        const float f = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (std::isnan(f))
            continue;
        ASSERT_EQ(FormatFloat(f), PrintfF(f)) << std::bit_cast<std::uint32_t>(f);
    }
    for (int i = 0; i < 200000; ++i) {
        // Random 64-bit patterns over every magnitude up to 2^60.
        const auto bits = (static_cast<std::uint64_t>(random()) << 32 | random()) & ~(std::uint64_t{0x7FF} << 52);
        const double value = std::bit_cast<double>(bits | static_cast<std::uint64_t>(random() % (1023 + 60)) << 52);
        ASSERT_EQ(FormatFloat(value), PrintfF(value)) << value;
    }
    for (int i = 0; i < 200000; ++i) {
        // Doubles of at most 39 significant bits, as float arithmetic gives, up to 2^33.
        const auto bits = (static_cast<std::uint64_t>(random()) << 32 | random()) & ~(std::uint64_t{0xFFF} << 52) &
                          ~((std::uint64_t{1} << 14) - 1);
        const double value = std::bit_cast<double>(bits | static_cast<std::uint64_t>(random() % (1023 + 33)) << 52);
        ASSERT_EQ(FormatFloat(value), PrintfF(value)) << value;
    }
    for (double boundary : {std::ldexp(1.0, 31), std::nextafter(std::ldexp(1.0, 31), 0.0),
                            std::ldexp(1.0, 31) - std::ldexp(1.0, -8) + 0.0000005, std::ldexp(1.0, 43),
                            std::nextafter(std::ldexp(1.0, 43), 0.0), std::ldexp(1.0, -20), std::ldexp(1.0, -21),
                            std::ldexp(3.0, -22), -std::ldexp(1.0, -21), 8796093022207.9999995})
        EXPECT_EQ(FormatFloat(boundary), PrintfF(boundary)) << boundary;
    std::uniform_real_distribution<double> nearOne(-1000.0, 1000.0);
    for (int i = 0; i < 200000; ++i) {
        const double value = nearOne(random);
        ASSERT_EQ(FormatFloat(value), PrintfF(value)) << value;
    }
}

TEST(NumberFormat, IntegersMatchPrintf)
{
    std::vector<long long> values = {-1LL, 999999LL, 1000000LL, 2147483647LL, -2147483648LL, 4294967295LL};
    for (long long value = 0; value < 1001000; value += value < 2000 ? 1 : 7)
        values.push_back(value);
    for (long long value : values) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%lld", value);
        ASSERT_EQ(FormatInt(value), buffer);
    }
}

TEST(NumberFormat, DecimalPointIgnoresTheProcessLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (./test.sh generates it)";
    EXPECT_EQ(PrintfF(1.5), "1,500000");  // the locale is really in force
    EXPECT_EQ(FormatFloat(1.5), "1.500000");
    EXPECT_EQ(FormatFloat(-1234567.25), "-1234567.250000");
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace verdin
