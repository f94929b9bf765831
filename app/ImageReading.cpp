#include "app/ImageReading.h"

#include "render/TextureImages.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <cstring>

namespace verdin {

std::optional<render::RgbaImage> ReadAnyImage(const std::string& path)
{
    if (std::optional<render::RgbaImage> own = render::ReadOwnImage(path))
        return own;
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
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

}  // namespace verdin
