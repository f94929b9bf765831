// Reads arbitrary bytes as the preview reads a DirectX file, text (first byte
// even) or binary (odd), and draws what it gathered into a small picture from
// a view the first byte chooses.

#include "render/Rasterizer.h"
#include "render/SceneBuilder.h"
#include "xof/Visitor.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    using namespace verdin;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    render::Scene scene;
    render::SceneBuilder builder(scene);
    if (data[0] & 1) {
        (void)xof::VisitBinary(bytes, builder);
    } else {
        xof::MemoryTextSource source(bytes);
        (void)xof::VisitText(source, builder, 64);
    }
    builder.Finish();
    const render::View view{static_cast<float>(data[0]) * 7, static_cast<float>(data[0] % 90),
                            static_cast<float>(1 + data[0] % 4)};
    (void)render::Render(scene, view, 32, 24);
    return 0;
}
