#include "xfile/NumberFormat.h"

#include <charconv>

namespace verdin {

void AppendInt(std::string& out, long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendFloat(std::string& out, double value)
{
    // Room for the largest double in fixed notation with six decimals.
    char buffer[320];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, result.ptr);
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
