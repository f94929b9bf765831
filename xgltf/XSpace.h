#pragma once

#include "scene/Affine.h"
#include "xgltf/XModel.h"

#include <optional>

namespace verdin::xgltf {

// DirectX is left-handed and y-up, glTF right-handed and y-up: x is turned
// round, a mirror, so a face's corners go the other way round to keep it
// facing out. A model stood upright in DirectX's axes as the modeller's
// exporters do it, (x, y, z) as (-x, z, -y), so comes out as the converter
// stands it in glTF's, (x, z, -y): facing +z, glTF's front.
inline constexpr AxisChange kMirrorX{{0, 1, 2}, {-1, 1, 1}};

// A file's matrix as a placement of glTF's space.
Affine GltfPlacement(const XMatrix& matrix);

// The placement as translation, rotation and scale; a shear, which these
// cannot hold, is left out (the nearest rotation is kept). Nothing when the
// placement is not finite or flattens space.
std::optional<Trs> NearestTrs(const Affine& placement, bool& sheared);

// The placement that translation, rotation and scale make.
Affine Compose(const Trs& trs);

}  // namespace verdin::xgltf
