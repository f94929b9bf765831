#pragma once

#include "gltf/GltfDocument.h"

namespace verdin {
class CMat1Chunk;
}

namespace verdin::gltf {

// A COB material as glTF's metallic-roughness material; null stands for the
// default white one. `texture` is its base colour texture, or -1.
//
// The shading maps so: the colour and alpha (opacity) are the base colour,
// blended when below 1. Flat shading has no highlight: roughness 1. Phong
// is a dielectric whose highlight narrows as the exponent grows: the .x
// file's Phong power n = 3 + 40 x exponent gives roughness (2 / (n + 2))^(1/4),
// and a specular factor of 0 gives roughness 1. Metal is metallic, with the
// same roughness: its highlight takes the colour. The ambient factor and the
// index of refraction have no counterpart.
Json MaterialJson(const CMat1Chunk* material, int texture);

}  // namespace verdin::gltf
