#pragma once

#include "texture/RgbaImage.h"

#include <optional>
#include <vector>

namespace verdin {

// The picture as a PNG file's bytes (8 bits a channel, with alpha only when
// some pixel is not opaque); nothing for a picture without pixels.
[[nodiscard]] std::optional<std::vector<unsigned char>> EncodePng(const RgbaImage& image);

}  // namespace verdin
