#include "gltf/Materials.h"

#include "scene/MaterialLook.h"

#include <algorithm>
#include <cmath>

namespace verdin::gltf {

namespace {

// A factor glTF takes in [0, 1]; what is no number counts as `otherwise`.
double Unit(float value, double otherwise)
{
    return std::isfinite(value) ? std::clamp(static_cast<double>(value), 0.0, 1.0) : otherwise;
}

}  // namespace

double PhongRoughness(float phongPower)
{
    const double power = std::isnan(phongPower) ? 3.0 : std::max(static_cast<double>(phongPower), 0.0);
    // Two square roots rather than pow, which may round differently on
    // another platform: the file is the same everywhere.
    return std::sqrt(std::sqrt(2 / (power + 2)));
}

Json MaterialJson(const MaterialLook* look, int texture)
{
    Json pbr;
    double alpha = 1;
    if (look) {
        alpha = Unit(look->opacity, 1);
        const CobVector& colour = look->colour;
        pbr["baseColorFactor"] = {Unit(colour.x, 1), Unit(colour.y, 1), Unit(colour.z, 1), alpha};
    }
    if (texture >= 0)
        pbr["baseColorTexture"] = {{"index", texture}};
    const std::uint8_t shading = look ? look->shading : 'f';
    const bool highlight = shading == 'm' || (shading != 'f' && Unit(look->specular, 0) > 0);
    pbr["metallicFactor"] = shading == 'm' ? 1 : 0;
    pbr["roughnessFactor"] = highlight ? PhongRoughness(look->phongPower) : 1.0;
    Json json = {{"pbrMetallicRoughness", std::move(pbr)}};
    if (alpha < 1)
        json["alphaMode"] = "BLEND";
    return json;
}

}  // namespace verdin::gltf
