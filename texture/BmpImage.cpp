#include "texture/BmpImage.h"

#include "base/FileSystemPath.h"

#include <array>
#include <fstream>

namespace verdin {

namespace {

std::uint32_t ReadUint32(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes.at(offset)) | static_cast<std::uint32_t>(bytes.at(offset + 1)) << 8 |
           static_cast<std::uint32_t>(bytes.at(offset + 2)) << 16 |
           static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}

std::uint16_t ReadUint16(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

}  // namespace

BmpStatus BmpImage::Read(const std::string& path)
{
    std::ifstream in(FileSystemPath(path), std::ios::binary);
    if (!in.is_open())
        return BmpStatus::CannotOpen;
    std::vector<std::uint8_t> bytes;
    std::array<char, 65536> block;
    while (in.read(block.data(), block.size()) || in.gcount() > 0)
        bytes.insert(bytes.end(), block.begin(), block.begin() + in.gcount());
    if (in.bad())  // a folder, or a read error: nothing to take
        return BmpStatus::CannotOpen;
    return Parse(std::move(bytes));
}

BmpStatus BmpImage::Parse(std::vector<std::uint8_t> bytes)
{
    *this = BmpImage();
    m_bytes = std::move(bytes);
    if (m_bytes.size() < kFileHeaderSize + kInfoHeaderSize)
        return BmpStatus::Broken;
    if (ReadUint16(m_bytes, kBitCountOffset) != 8)
        return BmpStatus::NotEightBit;

    // A shorter info header would not hold the fields read here.
    const std::uint32_t infoSize = ReadUint32(m_bytes, kFileHeaderSize);
    const auto width = static_cast<std::int32_t>(ReadUint32(m_bytes, kWidthOffset));
    const auto height = static_cast<std::int32_t>(ReadUint32(m_bytes, kHeightOffset));
    if (infoSize < kInfoHeaderSize || width <= 0 || height == 0)
        return BmpStatus::Broken;

    const std::uint32_t clrUsed = ReadUint32(m_bytes, kClrUsedOffset);
    const std::uint64_t colours = clrUsed == 0 ? 256 : clrUsed;
    const std::uint64_t paletteOffset = kFileHeaderSize + std::uint64_t{infoSize};
    const std::uint64_t pixelOffset = paletteOffset + 4 * colours;
    const std::uint64_t rows = height < 0 ? -std::int64_t{height} : std::int64_t{height};
    const std::uint64_t stride = Stride(static_cast<std::uint64_t>(width));
    // Only the last row's padding may be missing: it is never read.
    const std::uint64_t pixelBytes = (rows - 1) * stride + static_cast<std::uint64_t>(width);
    if (pixelOffset > m_bytes.size() || pixelBytes > m_bytes.size() - pixelOffset)
        return BmpStatus::Broken;

    m_width = static_cast<std::uint32_t>(width);
    m_rows = static_cast<std::uint32_t>(rows);
    m_bTopDown = height < 0;
    m_colours = static_cast<std::uint32_t>(colours);
    m_paletteOffset = static_cast<std::size_t>(paletteOffset);
    m_pixelOffset = static_cast<std::size_t>(pixelOffset);
    m_stride = static_cast<std::size_t>(stride);
    return BmpStatus::Ok;
}

Rgb BmpImage::Colour(std::uint8_t index) const
{
    if (index >= m_colours)
        return {};
    const std::size_t entry = m_paletteOffset + std::size_t{index} * 4;  // blue, green, red, reserved
    return {m_bytes[entry + 2], m_bytes[entry + 1], m_bytes[entry]};
}

}  // namespace verdin
