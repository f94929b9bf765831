// Reads arbitrary bytes as the preview reads a glTF file, with no file
// beside it and no image decoded, and draws what it gathered into a small
// picture.

#include "render/GltfSceneReader.h"
#include "render/Rasterizer.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace verdin;
    render::Scene scene;
    const render::ImageDecoder noImages = [](std::span<const std::uint8_t>, std::string_view) {
        return std::optional<RgbaImage>();
    };
    (void)render::ParseGltfScene({data, size}, "/nonexistent/", scene, noImages);
    (void)render::Render(scene, render::View{30, 20, 1}, 32, 24);
    return 0;
}
