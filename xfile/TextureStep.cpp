#include "xfile/TextureStep.h"

#include "base/FileReplacement.h"
#include "base/FileSystemPath.h"
#include "base/OptionFlags.h"
#include "base/PathHelpers.h"
#include "base/ReportLog.h"
#include "cob/Mat1Chunk.h"
#include "texture/BitmapExpander.h"
#include "texture/BmpToPpmConverter.h"
#include "xfile/TextureSource.h"

#include <filesystem>
#include <system_error>

namespace verdin {

namespace {

// Puts the texture at the destination, replacing any file of that name only
// once the copy is whole. A source that is the destination itself, under
// whatever spelling, is there already; a source that does not exist, or is no
// regular file of a sane size, is a failed copy.
bool PlaceTexture(const std::string& source, const std::string& destination)
{
    if (!IsReadableInput(source))
        return false;
    std::error_code error;
    return std::filesystem::equivalent(FileSystemPath(source), FileSystemPath(destination), error) ||
           CopyFileReplacing(source, destination);
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

void RunTextureStep(ReportLog& report, CMat1Chunk& material, const std::string& modelFolder,
                    const std::string& outputName, TextureScale& textureScale, const std::atomic<int>& ppm)
{
    CobString& texture = material.m_textureMap.name;
    const std::string stored = texture.Shown();
    if (stored.empty()) {
        report.AppendLine(" No texture file name.");
        return;
    }
    const std::string source = FindTextureSource(stored, modelFolder);
    const std::string destination = PathDirectory(outputName) + PathFileName(stored);
    const std::string extension = PathExtension(stored);
    const bool bmp = EqualIgnoringCase(extension, "bmp");

    if (!PlaceTexture(source, destination)) {
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
