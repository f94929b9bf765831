#pragma once

#include "cob/CobRecords.h"
#include "scene/Affine.h"

namespace verdin::gltf {

// In glTF's axes (kGltfAxes).
Vector3 Upright(const CobVector& v);
Affine Upright(const Affine& a);

}  // namespace verdin::gltf
