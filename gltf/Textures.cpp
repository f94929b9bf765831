#include "gltf/Textures.h"

#include "base/FileSystemPath.h"
#include "base/InputFile.h"
#include "base/PathHelpers.h"
#include "base/ReportLog.h"
#include "cob/Mat1Chunk.h"
#include "texture/ImageDecoding.h"
#include "texture/ImageFiles.h"
#include "texture/PngEncoding.h"
#include "texture/TextureCopies.h"
#include "texture/TextureSource.h"

namespace verdin::gltf {

namespace {

constexpr int kLinear = 9729;
constexpr int kLinearMipmapLinear = 9987;
constexpr int kRepeat = 10497;

}  // namespace

Textures::Textures(GltfDocument& document, const ImagePlacement& placement)
    : m_document(document), m_placement(placement)
{
}

int Textures::TextureOf(const CMat1Chunk& material)
{
    if (const auto known = m_byMaterial.find(&material); known != m_byMaterial.end())
        return known->second;
    const int texture = TextureNamed(material.m_textureMap.name.Shown());
    m_byMaterial.emplace(&material, texture);
    return texture;
}

int Textures::TextureNamed(const std::string& stored)
{
    if (stored.empty()) {
        m_placement.report.AppendLine(" No texture file name.");
        return -1;
    }
    const std::string source = FindTextureSource(stored, m_placement.modelFolder);
    const auto [made, added] = m_bySource.try_emplace(source, -1);
    if (added)
        made->second = AddImage(source, stored);
    return made->second;
}

int Textures::AddImage(const std::string& source, const std::string& stored)
{
    ReportLog& report = m_placement.report;
    const std::optional<std::vector<unsigned char>> bytes = ReadInputFile(source);
    if (!bytes || !StartsLikeImage(*bytes)) {
        report.AppendLine(" Can't read " + source + " texture: the material keeps its colour.");
        return -1;
    }
    std::span<const unsigned char> data = *bytes;
    std::optional<std::vector<unsigned char>> png;
    const char* mimeType = "image/png";
    if (StartsLikeJpeg(data))
        mimeType = "image/jpeg";
    else if (!StartsLikePng(data)) {
        if (const std::optional<RgbaImage> image = DecodeImage(*bytes))
            png = EncodePng(*image);
        if (!png) {
            report.AppendLine(std::string(" No support ").append(PathExtension(source)) +
                              " texture file format in glTF: the material keeps its colour.");
            return -1;
        }
        data = *png;
    }

    Json image;
    if (m_placement.embedded) {
        image = {{"bufferView", m_document.AddImageBytes(data)}, {"mimeType", mimeType}};
        report.AppendLine(" embed " + source + (png ? " as png." : "."));
    } else if (!PlaceBeside(source, stored, data, png.has_value(), image))
        return -1;
    if (m_nSampler < 0)
        m_nSampler = m_document.Add(
            "samplers",
            {{"magFilter", kLinear}, {"minFilter", kLinearMipmapLinear}, {"wrapS", kRepeat}, {"wrapT", kRepeat}});
    const int imageIndex = m_document.Add("images", std::move(image));
    return m_document.Add("textures", {{"sampler", m_nSampler}, {"source", imageIndex}});
}

// The image's file beside the .gltf file, as the .x file's texture copies
// are made; a converted image takes the extension png.
bool Textures::PlaceBeside(const std::string& source, const std::string& stored, std::span<const unsigned char> bytes,
                           bool converted, Json& image)
{
    std::string name = WritableTextureName(PathFileName(stored));
    if (converted)
        name = PathTitle(name) + ".png";
    const std::string destination = m_placement.copies.Claim(source, PathDirectory(m_placement.outputName) + name);
    const bool ownImage = IsSameFile(source, destination);
    const bool placed = converted ? !ownImage && SaveImageFile(source, destination, bytes)
                                  : ownImage || CopyImageFile(source, destination, m_placement.stop);
    if (!placed) {
        m_placement.report.AppendLine(" Can't copy " + source + " file to " + destination + ".");
        return false;
    }
    m_placement.report.AppendLine((converted ? " converted " : " copy ") + source + " to " + destination + ".");
    image = {{"uri", UriOf(PathFileName(destination))}};
    return true;
}

}  // namespace verdin::gltf
