#pragma once

#include "gltf/GltfDocument.h"

namespace verdin {
struct MaterialLook;
}

namespace verdin::gltf {

// A COB material as glTF's metallic-roughness material; null stands for the
// default white one. `texture` is its base colour texture, or -1.
//
// The look maps so: the colour and opacity are the base colour, blended when
// the opacity is below 1. Flat shading has no highlight: roughness 1. Phong
// is a dielectric whose highlight narrows as the power n grows: roughness
// (2 / (n + 2))^(1/4), and a specular factor of 0 gives roughness 1. Metal is
// metallic, with the same roughness: its highlight takes the colour.
Json MaterialJson(const MaterialLook* look, int texture);

// The roughness of a highlight of cos^n: (2 / (n + 2))^(1/4), the same bits
// on every platform; n that is no number counts as 3.
double PhongRoughness(float phongPower);

}  // namespace verdin::gltf
