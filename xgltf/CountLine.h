#pragma once

#include "base/NumberFormat.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace verdin::xgltf {

// A report line that counts: " 3 faces of …".
inline std::string CountLine(std::size_t count, std::string_view what)
{
    std::string line = " ";
    AppendInt(line, static_cast<long long>(count));
    return line.append(what);
}

}  // namespace verdin::xgltf
