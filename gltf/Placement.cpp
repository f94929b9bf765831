#include "gltf/Placement.h"

namespace verdin::gltf {

Vector3 Upright(const CobVector& v)
{
    return kGltfAxes(Vector3{v.x, v.y, v.z});
}

Affine Upright(const Affine& a)
{
    return kGltfAxes(a);
}

}  // namespace verdin::gltf
