#pragma once

#include "cob/CobRecords.h"
#include "scene/Affine.h"

#include <array>
#include <optional>

namespace verdin::gltf {

// In glTF's axes (kGltfAxes).
Vector3 Upright(const CobVector& v);
Affine Upright(const Affine& a);

// A placement as glTF's translation, rotation (a unit quaternion x, y, z, w)
// and scale.
struct Trs {
    Vector3 translation{0, 0, 0};
    std::array<double, 4> rotation{0, 0, 0, 1};
    Vector3 scale{1, 1, 1};
};

// Nothing when the placement shears or flattens space, which a node's
// translation, rotation and scale cannot express.
std::optional<Trs> Decompose(const Affine& a);

}  // namespace verdin::gltf
