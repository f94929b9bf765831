#include "xfile/TextureStep.h"

#include "base/OptionFlags.h"
#include "base/PathHelpers.h"
#include "base/ReportLog.h"
#include "cob/Mat1Chunk.h"
#include "texture/BitmapExpander.h"
#include "texture/BmpToPpmConverter.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace verdin {

namespace {

char FoldAsciiCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

// Copies over any file of the destination's name. A copy of a file onto
// itself, under whatever spelling, fails and leaves the file as it was.
bool CopyTexture(const std::string& source, const std::string& destination)
{
    std::error_code error;
    if (std::filesystem::equivalent(source, destination, error))
        return false;
    return std::filesystem::copy_file(source, destination, std::filesystem::copy_options::overwrite_existing, error);
}

// The texture path now names the PPM file written beside the bitmap; its
// extension, bmp or ppm, has three letters.
void NamePpmFile(CobString& texture)
{
    std::string path = texture.Shown();
    path.replace(path.size() - 3, 3, "ppm");
    texture.length = static_cast<std::int16_t>(path.size());
    texture.text = std::move(path);
}

}  // namespace

void RunTextureStep(ReportLog& report, CMat1Chunk& material, const std::string& outputName, TextureScale& textureScale,
                    const std::atomic<int>& ppm)
{
    CobString& texture = material.m_textureMap.name;
    const std::string source = texture.Shown();
    if (source.empty()) {
        report.AppendLine(" No texture file name.");
        return;
    }
    const std::string destination = PathDirectory(outputName) + PathFileName(source);
    const std::string extension = PathExtension(source);
    const bool bmp = EqualIgnoringCase(extension, "bmp");

    // A texture that already lies in the output folder cannot be copied onto
    // itself, yet is there to be worked on.
    if (!CopyTexture(source, destination) && !EqualIgnoringCase(source, destination) && bmp) {
        report.AppendLine(" Can't copy " + source + " file to " + destination + ".");
        return;
    }
    report.AppendLine(" copy " + source + " to " + destination + ".");

    if (!bmp && !EqualIgnoringCase(extension, "ppm")) {
        report.AppendLine(" No support " + extension + " texture file format.");
        return;
    }
    if (BitmapExpander(report, destination, textureScale) == 0)
        return;
    if (IsOn(ppm) && BmpToPpmConverter(report, destination) == 1) {
        report.AppendLine(" converted " + destination + " to ppm.");
        NamePpmFile(texture);
    }
}

}  // namespace verdin
