#pragma once

#include "texture/RgbaImage.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace verdin {

// The pictures the converter itself writes, from a file's bytes: 8-bit
// palettised BMP files and binary PPM files ("P6", 8 bits a channel).
// Nothing for any other file, or one cut short.
[[nodiscard]] std::optional<RgbaImage> DecodeOwnImage(const std::vector<std::uint8_t>& bytes);

// Those, and through stb_image BMP files of other depths, TGA, GIF (its first
// picture) and binary PGM and PPM files, of up to 16384 pixels a side,
// 16 Mi pixels in all and 1024 pixels for each byte of the file.
[[nodiscard]] std::optional<RgbaImage> DecodeImage(std::span<const std::uint8_t> bytes);

}  // namespace verdin
