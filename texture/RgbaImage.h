#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace verdin {

// A picture, rows top first, four bytes a pixel: red, green, blue, alpha.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    [[nodiscard]] std::array<std::uint8_t, 4> At(int x, int y) const
    {
        const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 4;
        return {pixels[at], pixels[at + 1], pixels[at + 2], pixels[at + 3]};
    }
};

}  // namespace verdin
