#pragma once

#include "cob/CobRecords.h"

#include <cstdint>

namespace verdin {

class CMat1Chunk;

// The numbers that make a material's look, for writers to map. Newer files
// keep them in the material's shaders, which the modeller draws with; what
// the shaders do not hold comes from the Mat1 body. The diffuse factor is
// left out: no output format has a place for it that keeps a textured model's
// colours (the dwarf's textured materials have a diffuse factor of 0).
struct MaterialLook {
    CobVector colour;          // red, green and blue in [0, 1] when well formed
    float opacity = 1;         // 1 opaque
    std::uint8_t shading = 0;  // 'f' flat, 'p' Phong or 'm' metal, as stored
    float specular = 0;        // the specular factor
    float phongPower = 3;      // n of the highlight's cos^n
    CobVector highlight;       // the colour of a highlight, before the specular factor
    float ambient = 0;         // the ambient factor: how much of the colour shows unlit
};

// The Mat1 colour, which a plain colour shader repeats in bytes in text
// files, so that both forms give one colour; the transparency shader's
// "opacity" and the reflectance shader's "specular factor" and "exponent" (the
// power itself), failing those the Mat1 alpha, specular factor and the power
// 3 + 40 x exponent. A highlight takes the reflectance shader's "specular
// colour", failing that the colour; a metal's always the colour.
MaterialLook LookOf(const CMat1Chunk& material);

}  // namespace verdin
