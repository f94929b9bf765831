#include "texture/ImageDecoding.h"

#include "texture/BmpImage.h"

#include <cctype>

namespace verdin {

namespace {

std::optional<RgbaImage> FromBmp(std::vector<std::uint8_t> bytes)
{
    BmpImage bmp;
    if (bmp.Parse(std::move(bytes)) != BmpStatus::Ok || bmp.Width() == 0 || bmp.Rows() == 0)
        return std::nullopt;
    RgbaImage image{static_cast<int>(bmp.Width()), static_cast<int>(bmp.Rows()), {}};
    image.pixels.reserve(std::size_t{bmp.Width()} * bmp.Rows() * 4);
    for (std::uint32_t row = 0; row < bmp.Rows(); ++row) {
        // Bottom-up bitmaps store the picture's top row last.
        const std::uint32_t stored = bmp.TopDown() ? row : bmp.Rows() - 1 - row;
        for (std::uint32_t column = 0; column < bmp.Width(); ++column) {
            const Rgb colour = bmp.Colour(bmp.Index(stored, column));
            image.pixels.insert(image.pixels.end(), {colour.red, colour.green, colour.blue, 255});
        }
    }
    return image;
}

// The next number of a PPM header, after blanks and comments; false at the
// end of the bytes or when none stands there.
bool HeaderNumber(const std::vector<std::uint8_t>& bytes, std::size_t& at, std::uint64_t& number)
{
    while (at < bytes.size() && (std::isspace(bytes[at]) || bytes[at] == '#')) {
        if (bytes[at] == '#')
            while (at < bytes.size() && bytes[at] != '\n')
                ++at;
        else
            ++at;
    }
    if (at == bytes.size() || !std::isdigit(bytes[at]))
        return false;
    number = 0;
    while (at < bytes.size() && std::isdigit(bytes[at]) && number < (1u << 24))
        number = number * 10 + (bytes[at++] - '0');
    return true;
}

std::optional<RgbaImage> FromPpm(const std::vector<std::uint8_t>& bytes)
{
    std::size_t at = 2;
    std::uint64_t width = 0, height = 0, maximum = 0;
    if (!HeaderNumber(bytes, at, width) || !HeaderNumber(bytes, at, height) || !HeaderNumber(bytes, at, maximum) ||
        maximum != 255 || width == 0 || height == 0 || at == bytes.size())
        return std::nullopt;
    ++at;  // the one blank that ends the header
    if ((bytes.size() - at) / 3 / width < height)
        return std::nullopt;
    RgbaImage image{static_cast<int>(width), static_cast<int>(height), {}};
    image.pixels.reserve(width * height * 4);
    for (std::uint64_t pixel = 0; pixel < width * height; ++pixel, at += 3)
        image.pixels.insert(image.pixels.end(), {bytes[at], bytes[at + 1], bytes[at + 2], 255});
    return image;
}

}  // namespace

std::optional<RgbaImage> DecodeOwnImage(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return FromBmp(bytes);
    if (bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] == '6')
        return FromPpm(bytes);
    return std::nullopt;
}

}  // namespace verdin
