#pragma once

#include "cob/CobRecords.h"

#include <array>
#include <optional>

namespace verdin {

using Vector3 = std::array<double, 3>;

// An affine placement: three rows of a 4 x 4 matrix whose last row is
// (0, 0, 0, 1). It maps column vectors: p' = A p.
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
double Determinant(const Affine& a);
// Nothing for a placement that flattens space.
std::optional<Affine> Inverse(const Affine& a);

// A placement as translation, rotation (a unit quaternion x, y, z, w) and
// scale, applied in the reverse order.
struct Trs {
    Vector3 translation{0, 0, 0};
    std::array<double, 4> rotation{0, 0, 0, 1};
    Vector3 scale{1, 1, 1};
};

// Nothing when the placement shears or flattens space, which translation,
// rotation and scale cannot express.
std::optional<Trs> Decompose(const Affine& a);

// The rotation of a unit quaternion (x, y, z, w).
Affine Rotation(const std::array<double, 4>& q);

// A change of axes that renames and negates them: component r of a point in
// the new axes is sign[r] times its component from[r] in the modeller's.
struct AxisChange {
    std::array<int, 3> from;
    std::array<double, 3> sign;

    Vector3 operator()(const Vector3& v) const;
    // The same placement seen in the new axes: C a C^T, C being the change.
    Affine operator()(const Affine& a) const;
    // A placement whose points then change axes: C a.
    Affine After(const Affine& a) const;
};

// The modeller's right-handed, z-up space stood upright in glTF's right-handed
// y-up space: (x, y, z) becomes (x, z, -y), a rotation, so nothing is
// mirrored and faces keep their corner order.
inline constexpr AxisChange kGltfAxes{{0, 2, 1}, {1, 1, -1}};
// The same in DirectX's left-handed y-up space: (x, y, z) becomes (-x, z, -y),
// a mirror, so a face's corners go the other way round to keep it facing out.
inline constexpr AxisChange kDirectXAxes{{0, 2, 1}, {-1, 1, -1}};

}  // namespace verdin
