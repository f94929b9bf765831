#include "texture/BitmapExpander.h"

#include "base/FileReplacement.h"
#include "base/PathHelpers.h"
#include "base/ReportLog.h"
#include "texture/BmpImage.h"

#include <limits>
#include <vector>

namespace verdin {

namespace {

void PutUint32(std::vector<char>& bytes, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes.at(offset + i) = static_cast<char>(value >> (8 * i));
}

// Writes the enlarged bitmap over path: the same file header, info header and
// palette but for the sizes, sides, compression and palette size, then plain
// bottom-up rows that tile the picture from its top left corner. False when
// the file could not be replaced completely; it is then left as it was.
bool WriteExpanded(const BmpImage& image, const std::string& path, std::uint32_t newWidth, std::uint32_t newHeight)
{
    FileReplacement out;
    if (!out.Open(path))
        return false;
    std::vector<char> head(image.Head().begin(), image.Head().end());
    std::vector<char> stored(BmpImage::Stride(newWidth));
    const std::uint64_t pixelBytes = std::uint64_t{stored.size()} * newHeight;
    PutUint32(head, BmpImage::kFileSizeOffset, static_cast<std::uint32_t>(head.size() + pixelBytes));
    PutUint32(head, BmpImage::kPixelOffsetOffset, static_cast<std::uint32_t>(head.size()));
    PutUint32(head, BmpImage::kWidthOffset, newWidth);
    PutUint32(head, BmpImage::kHeightOffset, newHeight);
    PutUint32(head, BmpImage::kCompressionOffset, 0);
    PutUint32(head, BmpImage::kSizeImageOffset, static_cast<std::uint32_t>(pixelBytes));
    PutUint32(head, BmpImage::kClrUsedOffset, image.Colours());
    out.Write(head.data(), head.size());

    const std::uint32_t width = image.Width();
    const std::uint32_t height = image.Rows();
    for (std::uint32_t row = 0; row < newHeight; ++row) {
        // Picture row `top` (counted from the top) repeats the source's picture
        // row top mod height; newHeight < 2 * height keeps the difference positive.
        const std::uint64_t top = newHeight - 1 - row;
        const auto storedRow = static_cast<std::uint32_t>(
            image.TopDown() ? top % height : (row + 2 * std::uint64_t{height} - newHeight) % height);
        for (std::size_t x = 0; x < stored.size(); ++x)
            stored[x] = static_cast<char>(image.Index(storedRow, static_cast<std::uint32_t>(x % width)));
        out.Write(stored.data(), stored.size());
    }
    return out.Commit();
}

// The new sides must fit the header's signed sides, and the new file its
// unsigned file size.
bool FitsHeaderFields(const BmpImage& image, std::uint64_t newWidth, std::uint64_t newHeight)
{
    constexpr std::uint64_t kMaxSide = std::numeric_limits<std::int32_t>::max();
    return newWidth <= kMaxSide && newHeight <= kMaxSide &&
           image.Head().size() + BmpImage::Stride(newWidth) * newHeight <= std::numeric_limits<std::uint32_t>::max();
}

}  // namespace

std::uint64_t PowerOfTwoAtLeast(std::uint64_t side)
{
    std::uint64_t power = 1;
    while (power < side)
        power *= 2;
    return power;
}

int BitmapExpander(ReportLog& report, std::string path, TextureScale& textureScale, bool mayRewrite)
{
    BmpImage image;
    switch (image.Read(path)) {
    case BmpStatus::CannotOpen:
        report.AppendLine("Can't open " + path + " at BitmapExpander.");
        return 0;
    case BmpStatus::NotEightBit:
        report.AppendLine("Bmp must be 8bit/pixel at BitmapExpander.");
        return 0;
    case BmpStatus::Broken:
        report.AppendLine(QuotedFileName(path) + ":Bmp is broken at BitmapExpander.");
        return 0;
    case BmpStatus::Ok:
        break;
    }
    const std::uint64_t newWidth = PowerOfTwoAtLeast(image.Width());
    const std::uint64_t newHeight = PowerOfTwoAtLeast(image.Rows());
    if (!FitsHeaderFields(image, newWidth, newHeight)) {
        report.AppendLine(QuotedFileName(path) + ":Bmp is too large at BitmapExpander.");
        return 0;
    }
    // A top-down bitmap whose sides are powers of two already is left as it is.
    if (newWidth != image.Width() || newHeight != image.Rows()) {
        if (!mayRewrite)
            return kWouldEnlarge;
        if (!WriteExpanded(image, path, static_cast<std::uint32_t>(newWidth), static_cast<std::uint32_t>(newHeight))) {
            report.AppendLine("Can't write " + path + " at BitmapExpander.");
            return 0;
        }
    }
    textureScale.u = static_cast<float>(static_cast<double>(image.Width()) / static_cast<double>(newWidth));
    textureScale.v = static_cast<float>(static_cast<double>(image.Rows()) / static_cast<double>(newHeight));
    return 1;
}

}  // namespace verdin
