#include "xfile/TextureStep.h"

#include "base/FileSystemPath.h"
#include "base/OptionFlags.h"
#include "base/PathHelpers.h"
#include "base/ReportLog.h"
#include "cob/Mat1Chunk.h"
#include "texture/BitmapExpander.h"
#include "texture/BmpToPpmConverter.h"
#include "texture/ImageFiles.h"
#include "texture/TextureCopies.h"
#include "texture/TextureSource.h"

namespace verdin {

namespace {

// The material now names `name`.
void Rename(CobString& texture, std::string name)
{
    texture.length = static_cast<std::int16_t>(name.size());
    texture.text = std::move(name);
}

// The texture path now names the PPM file written beside the bitmap; its
// extension, bmp or ppm, has three letters.
void NamePpmFile(CobString& texture)
{
    std::string path = texture.Shown();
    path.replace(path.size() - 3, 3, "ppm");
    Rename(texture, std::move(path));
}

}  // namespace

void RunTextureStep(const TexturePass& pass, CMat1Chunk& material)
{
    ReportLog& report = pass.report;
    CobString& texture = material.m_textureMap.name;
    const std::string stored = texture.Shown();
    if (stored.empty()) {
        report.AppendLine(" No texture file name.");
        return;
    }
    const std::string source = FindTextureSource(stored, pass.modelFolder);
    const std::string named = PathDirectory(pass.outputName) + WritableTextureName(PathFileName(stored));
    const std::string destination = pass.copies.Claim(source, named);
    const std::string extension = PathExtension(destination);
    const bool bmp = EqualIgnoringCase(extension, "bmp");

    // A texture beside a model converted beside it is the model's own image.
    const bool ownImage = IsSameFile(source, destination);
    if (!(ownImage ? IsImageFile(source) : CopyImageFile(source, destination, pass.stop))) {
        report.AppendLine(" Can't copy " + source + " file to " + destination + ".");
        return;
    }
    report.AppendLine(" copy " + source + " to " + destination + ".");
    if (destination != named)
        Rename(texture, PathFileName(destination));

    if (!bmp && !EqualIgnoringCase(extension, "ppm")) {
        // The copy is named in the file: a summary leaves out what readers
        // take as it is.
        if (!IsOn(pass.summary))
            report.AppendLine(" No support " + extension + " texture file format.");
        return;
    }
    const int expanded = BitmapExpander(report, destination, pass.textureScale, !ownImage);
    if (expanded == 0)
        return;
    if (expanded == kWouldEnlarge)
        report.AppendLine(" " + destination + " is the model's own image: not enlarged.");
    if (IsOn(pass.ppm) && BmpToPpmConverter(report, destination) == 1) {
        report.AppendLine(" converted " + destination + " to ppm.");
        NamePpmFile(texture);
    }
}

}  // namespace verdin
