#include "texture/PngEncoding.h"

#include <algorithm>
#include <climits>

// stb's writer, compiled here alone; its own deflate gives the same bytes on
// every platform.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace verdin {

namespace {

void Append(void* context, void* data, int size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    auto& out = *static_cast<std::vector<unsigned char>*>(context);
    out.insert(out.end(), bytes, bytes + size);
}

bool IsOpaque(const RgbaImage& image)
{
    for (std::size_t at = 3; at < image.pixels.size(); at += 4)
        if (image.pixels[at] != 255)
            return false;
    return true;
}

}  // namespace

std::optional<std::vector<unsigned char>> EncodePng(const RgbaImage& image)
{
    const std::size_t pixels = static_cast<std::size_t>(std::max(image.width, 0)) * std::max(image.height, 0);
    if (pixels == 0 || image.pixels.size() != pixels * 4 || image.width > INT_MAX / 4)
        return std::nullopt;
    std::vector<unsigned char> rows;
    const unsigned char* data = image.pixels.data();
    int channels = 4;
    if (IsOpaque(image)) {
        channels = 3;
        rows.reserve(pixels * 3);
        for (std::size_t at = 0; at < image.pixels.size(); at += 4)
            rows.insert(rows.end(), image.pixels.begin() + static_cast<std::ptrdiff_t>(at),
                        image.pixels.begin() + static_cast<std::ptrdiff_t>(at + 3));
        data = rows.data();
    }
    std::vector<unsigned char> png;
    if (!stbi_write_png_to_func(Append, &png, image.width, image.height, channels, data, image.width * channels))
        return std::nullopt;
    return png;
}

}  // namespace verdin
