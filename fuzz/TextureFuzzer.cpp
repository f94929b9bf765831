// Runs the bitmap expander or the PPM converter, as the first byte says, on
// arbitrary bytes as a bitmap file; and decodes the bytes as the glTF writer
// does an image it converts to PNG.

#include "FuzzSupport.h"

#include "texture/BitmapExpander.h"
#include "texture/BmpToPpmConverter.h"
#include "texture/ImageDecoding.h"
#include "texture/PngEncoding.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const FuzzFolder folder;
    const std::string bmp = folder.Write("texture.bmp", data + 1, size - 1);
    QuietReport report;
    verdin::TextureScale scale;
    if (data[0] & 1)
        verdin::BmpToPpmConverter(report, bmp);
    else if (verdin::BitmapExpander(report, bmp, scale) == 1)
        verdin::BmpToPpmConverter(report, bmp);
    if (const std::optional<verdin::RgbaImage> image = verdin::DecodeImage({data + 1, size - 1}))
        (void)verdin::EncodePng(*image);
    return 0;
}
