#pragma once

#include "texture/RgbaImage.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace verdin {

// The pictures the converter itself writes, from a file's bytes: 8-bit
// palettised BMP files and binary PPM files ("P6", 8 bits a channel).
// Nothing for any other file, or one cut short.
[[nodiscard]] std::optional<RgbaImage> DecodeOwnImage(const std::vector<std::uint8_t>& bytes);

}  // namespace verdin
