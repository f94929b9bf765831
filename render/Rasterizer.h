#pragma once

#include "render/Scene.h"

#include <array>
#include <cstdint>

namespace verdin::render {

// How the model is seen. The camera looks along +z at the model's centre,
// x to the right and y up, as DirectX's left-handed coordinates have it.
struct View {
    float yaw = 30;    // degrees the model turns about the vertical axis
    float pitch = 20;  // degrees it tilts its top towards the viewer
    float zoom = 1;    // 1 shows the whole model
};

inline constexpr std::array<std::uint8_t, 4> kBackground{64, 64, 72, 255};

// Draws every triangle of the scene with a depth buffer, coloured by its
// material or its vertices' colours and by its texture, and lit by the
// file's normals: a light from the viewer and some ambient light. A triangle without a usable normal is lit
// by its own plane's.
[[nodiscard]] RgbaImage Render(const Scene& scene, const View& view, int width, int height);

}  // namespace verdin::render
