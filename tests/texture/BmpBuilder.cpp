#include "BmpBuilder.h"

#include <cstdlib>
#include <stdexcept>

namespace verdin::test {

namespace {

std::size_t StrideOf(std::size_t width)
{
    return (width + 3) / 4 * 4;
}

// One picture row in RLE8, ended by its end-of-row mark.
std::string EncodedRow(const std::vector<std::uint8_t>& row)
{
    std::string encoded;
    for (std::size_t x = 0; x < row.size();) {
        std::size_t same = 1;
        while (x + same < row.size() && row[x + same] == row[x] && same < 255)
            ++same;
        std::size_t different = 0;
        while (x + different < row.size() && different < 255 &&
               (x + different + 1 == row.size() || row[x + different + 1] != row[x + different]))
            ++different;
        if (same > 1 || different < 3) {
            encoded += {static_cast<char>(same), static_cast<char>(row[x])};
            x += same;
        } else {
            encoded += {'\0', static_cast<char>(different)};
            encoded.append(row.begin() + static_cast<std::ptrdiff_t>(x),
                           row.begin() + static_cast<std::ptrdiff_t>(x + different));
            if (different % 2 == 1)
                encoded += '\0';
            x += different;
        }
    }
    return encoded + std::string("\0\0", 2);
}

}  // namespace

Colour PaletteColour(std::uint8_t index)
{
    return {index, static_cast<std::uint8_t>(index ^ 0x5A), static_cast<std::uint8_t>(255 - index)};
}

BmpBuilder& BmpBuilder::TopDown()
{
    m_bTopDown = true;
    return *this;
}

BmpBuilder& BmpBuilder::ColoursUsed(std::uint32_t count)
{
    m_colours = count;
    return *this;
}

BmpBuilder& BmpBuilder::InfoSize(std::uint32_t size)
{
    m_infoSize = size;
    return *this;
}

BmpBuilder& BmpBuilder::RunLengthEncoded()
{
    m_bEncoded = true;
    return *this;
}

std::string BmpBuilder::Bytes() const
{
    const std::size_t height = m_picture.size();
    const std::size_t width = height == 0 ? 0 : m_picture.front().size();
    const std::size_t stride = StrideOf(width);
    const std::uint32_t entries = m_colours == 0 ? 256 : m_colours;
    const std::size_t pixelOffset = 14 + m_infoSize + 4 * std::size_t{entries};

    std::string bytes(pixelOffset, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutUint32(bytes, 10, static_cast<std::uint32_t>(pixelOffset));
    PutUint32(bytes, kBiSize, m_infoSize);
    PutUint32(bytes, kBiWidth, static_cast<std::uint32_t>(width));
    const auto rows = static_cast<std::int32_t>(height);
    PutUint32(bytes, kBiHeight, static_cast<std::uint32_t>(m_bTopDown ? -rows : rows));
    PutUint16(bytes, kBiSize + 12, 1);  // planes
    PutUint16(bytes, kBiBitCount, 8);
    PutUint32(bytes, kBiSizeImage, static_cast<std::uint32_t>(stride * height));
    PutUint32(bytes, kBiXPelsPerMeter, 2835);
    PutUint32(bytes, kBiXPelsPerMeter + 4, 2835);
    PutUint32(bytes, kBiClrUsed, m_colours);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const Colour colour = PaletteColour(static_cast<std::uint8_t>(i));
        const std::size_t entry = 14 + m_infoSize + 4 * std::size_t{i};
        bytes[entry] = static_cast<char>(colour.blue);
        bytes[entry + 1] = static_cast<char>(colour.green);
        bytes[entry + 2] = static_cast<char>(colour.red);
    }
    for (std::size_t stored = 0; stored < height; ++stored) {
        const auto& row = m_picture[m_bTopDown ? stored : height - 1 - stored];
        if (m_bEncoded) {
            bytes += EncodedRow(row);
            continue;
        }
        std::string storedRow(stride, static_cast<char>(kPaddingIndex));
        for (std::size_t x = 0; x < width; ++x)
            storedRow[x] = static_cast<char>(row.at(x));
        bytes += storedRow;
    }
    if (m_bEncoded) {
        bytes += std::string("\0\1", 2);  // the end of the picture
        PutUint32(bytes, kBiCompression, 1);
        PutUint32(bytes, kBiSizeImage, static_cast<std::uint32_t>(bytes.size() - pixelOffset));
    }
    PutUint32(bytes, kBfSize, static_cast<std::uint32_t>(bytes.size()));
    return bytes;
}

void PutUint16(std::string& bytes, std::size_t offset, std::uint16_t value)
{
    bytes.at(offset) = static_cast<char>(value & 0xFF);
    bytes.at(offset + 1) = static_cast<char>(value >> 8);
}

void PutUint32(std::string& bytes, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes.at(offset + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetUint32(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(offset + i))) << (8 * i);
    return value;
}

DecodedBmp DecodeBmp(const std::string& bytes)
{
    DecodedBmp bmp;
    bmp.width = static_cast<std::int32_t>(GetUint32(bytes, kBiWidth));
    bmp.height = static_cast<std::int32_t>(GetUint32(bytes, kBiHeight));
    bmp.sizeImage = GetUint32(bytes, kBiSizeImage);
    bmp.clrUsed = GetUint32(bytes, kBiClrUsed);
    const std::size_t entries = bmp.clrUsed == 0 ? 256 : bmp.clrUsed;
    const std::size_t pixelOffset = 14 + GetUint32(bytes, kBiSize) + 4 * entries;
    const auto width = static_cast<std::size_t>(bmp.width);
    const auto rows = static_cast<std::size_t>(std::abs(bmp.height));
    const std::size_t stride = StrideOf(width);
    if (pixelOffset + stride * rows != bytes.size())
        throw std::runtime_error("the pixel array does not end the file");
    for (std::size_t stored = 0; stored < rows; ++stored)
        bmp.storedRows.push_back(bytes.substr(pixelOffset + stored * stride, stride));
    bmp.picture.resize(rows);
    for (std::size_t stored = 0; stored < rows; ++stored) {
        const std::string& row = bmp.storedRows[stored];
        bmp.picture[bmp.height < 0 ? stored : rows - 1 - stored].assign(row.begin(), row.begin() + width);
    }
    return bmp;
}

Picture NumberedPicture(int width, int height)
{
    Picture picture(static_cast<std::size_t>(height), std::vector<std::uint8_t>(static_cast<std::size_t>(width)));
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            picture[row][column] = static_cast<std::uint8_t>(row * 16 + column);
    return picture;
}

}  // namespace verdin::test
