#pragma once

#include "texture/TextureScale.h"

#include <cstdint>
#include <string>

namespace verdin {

class ReportLog;

// The smallest power of two that is at least `side` (1 for 0 and 1).
std::uint64_t PowerOfTwoAtLeast(std::uint64_t side);

// What BitmapExpander gives for a bitmap it may not rewrite but would have
// enlarged.
inline constexpr int kWouldEnlarge = 2;

// Enlarges an 8-bit palettised bitmap in place to power-of-two sides by
// repeating the picture to the right and downwards, and sets textureScale to
// the part of the new picture that the old one covers. The enlarged file
// holds its pixels plain, with header sizes to match. 1 when the file now has
// power-of-two sides; 0 when the file and textureScale are untouched, with one
// report line saying why; kWouldEnlarge, with both untouched, when the file
// needs enlarging and `mayRewrite` is false.
int BitmapExpander(ReportLog& report, std::string path, TextureScale& textureScale, bool mayRewrite = true);

}  // namespace verdin
