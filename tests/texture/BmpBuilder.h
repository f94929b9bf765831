#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace verdin::test {

// A picture as palette indexes, top row first, every row of the same width.
using Picture = std::vector<std::vector<std::uint8_t>>;

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

// The colour that the builder puts in a palette entry: every entry differs.
Colour PaletteColour(std::uint8_t index);

// Builds 8-bit palettised bitmaps byte by byte: file header, 40-byte info
// header (or a longer one), palette, rows padded to 4 bytes with the index
// kPaddingIndex, so that a reader that takes padding for pixels is caught.
class BmpBuilder {
public:
    static constexpr std::uint8_t kPaddingIndex = 0xEE;

    explicit BmpBuilder(Picture picture) : m_picture(std::move(picture)) {}

    BmpBuilder& TopDown();                         // rows stored top first, height negative
    BmpBuilder& ColoursUsed(std::uint32_t count);  // biClrUsed and entries written; 0 writes 256
    BmpBuilder& InfoSize(std::uint32_t size);      // zero bytes after the 40 known ones
    // Pixels run-length encoded (RLE8): runs of equal pixels, other pixels in
    // absolute mode where three or more stand together.
    BmpBuilder& RunLengthEncoded();

    std::string Bytes() const;

private:
    Picture m_picture;
    bool m_bTopDown = false;
    bool m_bEncoded = false;
    std::uint32_t m_colours = 0;
    std::uint32_t m_infoSize = 40;
};

// Offsets of bitmap fields within the file.
constexpr std::size_t kBfSize = 2;
constexpr std::size_t kBiSize = 14;
constexpr std::size_t kBiWidth = 18;
constexpr std::size_t kBiHeight = 22;
constexpr std::size_t kBiBitCount = 28;
constexpr std::size_t kBiCompression = 30;
constexpr std::size_t kBiSizeImage = 34;
constexpr std::size_t kBiXPelsPerMeter = 38;
constexpr std::size_t kBiClrUsed = 46;
constexpr std::size_t kPaletteStart = 54;  // after a 40-byte info header

void PutUint16(std::string& bytes, std::size_t offset, std::uint16_t value);
void PutUint32(std::string& bytes, std::size_t offset, std::uint32_t value);
std::uint32_t GetUint32(const std::string& bytes, std::size_t offset);

// A written bitmap read back field by field, independently of the converters.
struct DecodedBmp {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t clrUsed = 0;
    Picture picture;                      // top row first
    std::vector<std::string> storedRows;  // whole stored rows, padding included, in file order
};
DecodedBmp DecodeBmp(const std::string& bytes);

// A picture whose index at (row, column) is row * 16 + column.
Picture NumberedPicture(int width, int height);

}  // namespace verdin::test
