#include "texture/BmpImage.h"

#include "base/InputFile.h"

#include <algorithm>
#include <optional>

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
    std::optional<std::vector<std::uint8_t>> bytes = ReadInputFile(path);
    if (!bytes)
        return BmpStatus::CannotOpen;
    return Parse(std::move(*bytes));
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

    // Pixels are stored plain or, bottom-up only, run-length encoded.
    const std::uint32_t compression = ReadUint32(m_bytes, kCompressionOffset);
    constexpr std::uint32_t kRle8 = 1;
    if (compression != 0 && (compression != kRle8 || height < 0))
        return BmpStatus::Broken;

    const std::uint32_t clrUsed = ReadUint32(m_bytes, kClrUsedOffset);
    const std::uint64_t colours = clrUsed == 0 ? 256 : clrUsed;
    const std::uint64_t paletteOffset = kFileHeaderSize + std::uint64_t{infoSize};
    const std::uint64_t pixelOffset = paletteOffset + 4 * colours;
    const std::uint64_t rows = height < 0 ? -std::int64_t{height} : std::int64_t{height};
    const std::uint64_t stride = Stride(static_cast<std::uint64_t>(width));
    // Only the last row's padding may be missing: it is never read.
    const std::uint64_t pixelBytes = compression == kRle8 ? 0 : (rows - 1) * stride + static_cast<std::uint64_t>(width);
    if (pixelOffset > m_bytes.size() || pixelBytes > m_bytes.size() - pixelOffset)
        return BmpStatus::Broken;

    m_width = static_cast<std::uint32_t>(width);
    m_rows = static_cast<std::uint32_t>(rows);
    m_bTopDown = height < 0;
    m_colours = static_cast<std::uint32_t>(colours);
    m_paletteOffset = static_cast<std::size_t>(paletteOffset);
    m_pixelOffset = static_cast<std::size_t>(pixelOffset);
    m_stride = static_cast<std::size_t>(stride);
    return compression == kRle8 && !DecodeRuns() ? BmpStatus::Broken : BmpStatus::Ok;
}

// Replaces the encoded pixel array with plain rows, in the same order (the
// bottom row first). Runs are cut at the edges of the picture; pixels no run
// reaches keep index 0. False for a large picture that could not come from
// so few encoded bytes: a run of up to 255 pixels takes two of them.
bool BmpImage::DecodeRuns()
{
    const std::vector<std::uint8_t> runs(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pixelOffset), m_bytes.end());
    const std::uint64_t plainSize = std::uint64_t{m_rows} * m_stride;
    if (plainSize > std::max<std::uint64_t>(128 * std::uint64_t{runs.size()}, std::uint64_t{1} << 20))
        return false;
    m_bytes.resize(m_pixelOffset + static_cast<std::size_t>(plainSize));
    std::fill(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pixelOffset), m_bytes.end(), std::uint8_t{0});
    std::uint64_t x = 0, y = 0;
    const auto put = [&](std::uint8_t index) {
        if (x < m_width && y < m_rows)
            m_bytes[m_pixelOffset + static_cast<std::size_t>(y * m_stride + x)] = index;
        ++x;
    };
    std::size_t at = 0;
    while (at + 1 < runs.size() && y < m_rows) {
        const std::uint8_t count = runs[at], value = runs[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(value);
        } else if (value == 0) {  // end of the row
            x = 0;
            ++y;
        } else if (value == 1) {  // end of the picture
            break;
        } else if (value == 2) {  // a jump right and up
            if (at + 1 >= runs.size())
                break;
            x += runs[at];
            y += runs[at + 1];
            at += 2;
        } else {  // `value` pixels as they are, padded to an even count
            for (int i = 0; i < value && at < runs.size(); ++i)
                put(runs[at++]);
            at += value & 1;
        }
    }
    return true;
}

Rgb BmpImage::Colour(std::uint8_t index) const
{
    if (index >= m_colours)
        return {};
    const std::size_t entry = m_paletteOffset + std::size_t{index} * 4;  // blue, green, red, reserved
    return {m_bytes[entry + 2], m_bytes[entry + 1], m_bytes[entry]};
}

}  // namespace verdin
