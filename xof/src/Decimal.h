#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace verdin::xof {

// An unsigned number in decimal for messages, whatever the process locale.
[[nodiscard]] inline std::string Decimal(std::uint64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace verdin::xof
