#pragma once

#include "render/Scene.h"

#include <optional>
#include <string>

namespace verdin::render {

// Reads the pictures the converter itself writes: 8-bit palettised BMP
// files and binary PPM files ("P6", 8 bits a channel). Nothing for any other
// file, or one cut short.
[[nodiscard]] std::optional<RgbaImage> ReadOwnImage(const std::string& path);

}  // namespace verdin::render
