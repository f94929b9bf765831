#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace verdin {

enum class BmpStatus {
    Ok,
    CannotOpen,
    NotEightBit,
    Broken,  // headers, palette or pixels cut off, or sides no picture has
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// An 8-bit palettised Windows bitmap held in memory as the whole file, with
// its parts located and checked against the bytes that are really there, so
// that no access below can leave them. The palette is taken to hold
// biClrUsed entries (0 meaning 256) right after the info header, and the
// pixel array to follow the palette; the file header's pixel offset is not
// consulted. A run-length encoded pixel array (RLE8) is decoded in memory.
class BmpImage {
public:
    static constexpr std::size_t kFileHeaderSize = 14;
    static constexpr std::size_t kInfoHeaderSize = 40;
    // Offsets of the header fields within the file.
    static constexpr std::size_t kFileSizeOffset = 2;
    static constexpr std::size_t kPixelOffsetOffset = 10;
    static constexpr std::size_t kWidthOffset = kFileHeaderSize + 4;
    static constexpr std::size_t kHeightOffset = kFileHeaderSize + 8;
    static constexpr std::size_t kBitCountOffset = kFileHeaderSize + 14;
    static constexpr std::size_t kCompressionOffset = kFileHeaderSize + 16;
    static constexpr std::size_t kSizeImageOffset = kFileHeaderSize + 20;
    static constexpr std::size_t kClrUsedOffset = kFileHeaderSize + 32;

    // Reads the whole of an input file, then parses it.
    [[nodiscard]] BmpStatus Read(const std::string& path);
    // Takes the bytes of a whole file and locates its parts.
    [[nodiscard]] BmpStatus Parse(std::vector<std::uint8_t> bytes);

    std::uint32_t Width() const { return m_width; }
    std::uint32_t Rows() const { return m_rows; }  // the height without its sign
    bool TopDown() const { return m_bTopDown; }
    std::uint32_t Colours() const { return m_colours; }  // biClrUsed, 0 taken as 256

    // The palette index at a stored row (0 is the first row in the file) and
    // a column, both inside the picture.
    std::uint8_t Index(std::uint32_t storedRow, std::uint32_t column) const
    {
        return m_bytes.at(m_pixelOffset + std::size_t{storedRow} * m_stride + column);
    }
    // The palette entry; black for an index the palette does not reach.
    Rgb Colour(std::uint8_t index) const;

    // Everything before the pixel array: file header, info header, palette.
    std::span<const std::uint8_t> Head() const { return {m_bytes.data(), m_pixelOffset}; }

    // Bytes per stored row: the width rounded up to a multiple of 4.
    static std::uint64_t Stride(std::uint64_t width) { return (width + 3) / 4 * 4; }

private:
    bool DecodeRuns();

    std::vector<std::uint8_t> m_bytes;
    std::uint32_t m_width = 0;
    std::uint32_t m_rows = 0;
    bool m_bTopDown = false;
    std::uint32_t m_colours = 0;
    std::size_t m_paletteOffset = 0;
    std::size_t m_pixelOffset = 0;
    std::size_t m_stride = 0;
};

}  // namespace verdin
