#pragma once

#include "cob/CobRecords.h"

#include <array>
#include <optional>

namespace verdin::gltf {

using Vector3 = std::array<double, 3>;

// An affine placement: three rows of a 4 x 4 matrix whose last row is
// (0, 0, 0, 1).
struct Affine {
    std::array<std::array<double, 4>, 3> m{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};

    static Affine FromCob(const CobMatrix& matrix);
    bool IsFinite() const;
    bool IsIdentity() const;
    Vector3 Point(const Vector3& p) const;
    // A normal carried along (by the inverse transpose), of unit length; the
    // normal as it was when the placement flattens it.
    Vector3 Normal(const Vector3& n) const;
};

Affine operator*(const Affine& a, const Affine& b);
// Nothing for a placement that flattens space.
std::optional<Affine> Inverse(const Affine& a);

// The modeller's right-handed, z-up space stood upright in glTF's right-handed
// y-up space: (x, y, z) becomes (x, z, -y), a rotation, so nothing is
// mirrored and faces keep their corner order.
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
