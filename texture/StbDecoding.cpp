#include "texture/ImageDecoding.h"

#include <algorithm>
#include <climits>
#include <memory>

// stb's image reader, compiled here alone and only for the formats it is used
// for, from memory.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_FAILURE_STRINGS
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_GIF
#define STBI_ONLY_PNM
#define STBI_MAX_DIMENSIONS 16384
#include <stb/stb_image.h>

namespace verdin {

namespace {

// Pictures of more pixels than this are not decoded: 64 MiB of RGBA, a
// picture of 4096 x 4096.
constexpr long long kMaxPixels = 16LL << 20;
// Nor more pixels for each byte of the file: a small file that says it
// holds a huge picture (a compressed run of one colour) is refused before
// anything is allocated for it.
constexpr long long kMaxPixelsPerByte = 1024;

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

std::optional<RgbaImage> DecodeImage(std::span<const std::uint8_t> bytes)
{
    if (std::optional<RgbaImage> own = DecodeOwnImage({bytes.begin(), bytes.end()}))
        return own;
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    const auto size = static_cast<int>(bytes.size());
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bytes.data(), size, &width, &height, &channels) || width <= 0 || height <= 0 ||
        static_cast<long long>(width) * height > std::min(kMaxPixels, kMaxPixelsPerByte * size))
        return std::nullopt;
    const std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load_from_memory(bytes.data(), size, &width, &height, &channels, 4));
    if (!pixels)
        return std::nullopt;
    RgbaImage image{width, height, {}};
    image.pixels.assign(pixels.get(),
                        pixels.get() + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    return image;
}

}  // namespace verdin
