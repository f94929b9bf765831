#pragma once

#include <string>
#include <string_view>

namespace verdin::xof {

// A text from the input in single quotes, for an error message. A long one is
// cut after 80 characters and marked "...", so that one token of a hostile
// file cannot flood the report.
inline std::string Quoted(std::string_view text)
{
    constexpr std::size_t kShown = 80;
    std::string quoted = "'";
    quoted += text.substr(0, kShown);
    if (text.size() > kShown)
        quoted += "...";
    quoted += '\'';
    return quoted;
}

}  // namespace verdin::xof
