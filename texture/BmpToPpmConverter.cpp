#include "texture/BmpToPpmConverter.h"

#include "base/FileReplacement.h"
#include "base/NumberFormat.h"
#include "base/PathHelpers.h"
#include "base/ReportLog.h"
#include "texture/BmpImage.h"

#include <cstdint>
#include <vector>

namespace verdin {

namespace {

// Writes the picture top row first, each pixel as red, green and blue bytes.
// False when the file could not be written completely; it is then left out.
bool WritePpm(const BmpImage& image, const std::string& ppmName)
{
    FileReplacement out;
    if (!out.Open(ppmName))
        return false;
    const std::string head = "P6\n" + FormatInt(image.Width()) + " " + FormatInt(image.Rows()) + "\n255\n";
    out.Write(head.data(), head.size());
    std::vector<char> pixels(std::size_t{image.Width()} * 3);
    for (std::uint32_t row = 0; row < image.Rows(); ++row) {
        // The picture's top row is stored last unless the bitmap is top-down.
        const std::uint32_t storedRow = image.TopDown() ? row : image.Rows() - 1 - row;
        for (std::uint32_t column = 0; column < image.Width(); ++column) {
            const Rgb colour = image.Colour(image.Index(storedRow, column));
            pixels[3 * std::size_t{column}] = static_cast<char>(colour.red);
            pixels[3 * std::size_t{column} + 1] = static_cast<char>(colour.green);
            pixels[3 * std::size_t{column} + 2] = static_cast<char>(colour.blue);
        }
        out.Write(pixels.data(), pixels.size());
    }
    return out.Commit();
}

}  // namespace

std::string PpmNameFor(const std::string& bmpPath)
{
    return PathDirectory(bmpPath) + PathTitle(bmpPath) + ".ppm";
}

int BmpToPpmConverter(ReportLog& report, std::string path)
{
    BmpImage image;
    switch (image.Read(path)) {
    case BmpStatus::CannotOpen:
        report.AppendLine("Can't open " + path + " for read at BmpToPpmConverter.");
        return 0;
    case BmpStatus::NotEightBit:
        report.AppendLine(QuotedFileName(path) + ":Bmp must be 8bits/pixel at BmpToPpmConverter.");
        return 0;
    case BmpStatus::Broken:
        report.AppendLine(QuotedFileName(path) + ":Bmp is broken at BmpToPpmConverter.");
        return 0;
    case BmpStatus::Ok:
        break;
    }
    const std::string ppmName = PpmNameFor(path);
    if (!WritePpm(image, ppmName)) {
        report.AppendLine("Can't write " + ppmName + " at BmpToPpmConverter.");
        return 0;
    }
    return 1;
}

}  // namespace verdin
