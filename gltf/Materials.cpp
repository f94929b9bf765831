#include "gltf/Materials.h"

#include "cob/Mat1Chunk.h"

#include <algorithm>
#include <cmath>

namespace verdin::gltf {

namespace {

// A factor glTF takes in [0, 1]; what is no number counts as `otherwise`.
double Unit(float value, double otherwise)
{
    return std::isfinite(value) ? std::clamp(static_cast<double>(value), 0.0, 1.0) : otherwise;
}

double Roughness(const CMat1Chunk& material)
{
    // Two square roots rather than pow, which may round differently on
    // another platform: the file is the same everywhere.
    const double power = 3 + 40 * Unit(material.m_fExponent, 0);
    return std::sqrt(std::sqrt(2 / (power + 2)));
}

}  // namespace

Json MaterialJson(const CMat1Chunk* material, int texture)
{
    Json pbr;
    double alpha = 1;
    if (material) {
        alpha = Unit(material->m_fAlpha, 1);
        const CobVector& colour = material->m_colour;
        pbr["baseColorFactor"] = {Unit(colour.x, 1), Unit(colour.y, 1), Unit(colour.z, 1), alpha};
    }
    if (texture >= 0)
        pbr["baseColorTexture"] = {{"index", texture}};
    const std::uint8_t shader = material ? material->m_cShader : 'f';
    const bool highlight = shader == 'm' || (shader != 'f' && Unit(material->m_fSpecular, 0) > 0);
    pbr["metallicFactor"] = shader == 'm' ? 1 : 0;
    pbr["roughnessFactor"] = highlight ? Roughness(*material) : 1.0;
    Json json = {{"pbrMetallicRoughness", std::move(pbr)}};
    if (alpha < 1)
        json["alphaMode"] = "BLEND";
    return json;
}

}  // namespace verdin::gltf
