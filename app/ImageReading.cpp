#include "app/ImageReading.h"

#include "base/InputFile.h"
#include "base/PathHelpers.h"
#include "render/GltfSceneReader.h"
#include "render/SceneReader.h"
#include "texture/ImageDecoding.h"
#include "texture/ImageFiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <cstring>

namespace verdin {

std::optional<render::RgbaImage> ReadAnyImage(const std::string& path)
{
    const std::optional<std::vector<std::uint8_t>> bytes = ReadInputFile(path);
    if (!bytes)
        return std::nullopt;
    return DecodeAnyImage(*bytes, QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).suffix().toStdString());
}

std::optional<render::RgbaImage> DecodeAnyImage(std::span<const std::uint8_t> bytes, std::string_view hint)
{
    if (!StartsLikeImage(bytes))
        return std::nullopt;
    // TGA and the other kinds the converter decodes itself need no Qt plugin.
    if (std::optional<render::RgbaImage> own = DecodeImage(bytes))
        return own;
    QByteArray data =
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    // The hint helps where the content alone does not tell.
    QImageReader reader(&buffer, QByteArray(hint.data(), static_cast<qsizetype>(hint.size())));
    const QImage read = reader.read();
    if (read.isNull())
        return std::nullopt;
    const QImage image = read.convertToFormat(QImage::Format_RGBA8888);
    render::RgbaImage rgba{image.width(), image.height(), {}};
    rgba.pixels.resize(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()) * 4);
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * 4;
    for (int row = 0; row < image.height(); ++row)
        std::memcpy(rgba.pixels.data() + static_cast<std::size_t>(row) * rowBytes, image.constScanLine(row), rowBytes);
    return rgba;
}

std::optional<std::string> ReadAnyScene(const std::string& path, render::Scene& scene)
{
    const std::string extension = PathExtension(path);
    if (EqualIgnoringCase(extension, "glb") || EqualIgnoringCase(extension, "gltf"))
        return render::ReadGltfScene(path, scene, DecodeAnyImage);
    return render::ReadScene(path, scene, ReadAnyImage);
}

}  // namespace verdin
