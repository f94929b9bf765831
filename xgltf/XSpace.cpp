#include "xgltf/XSpace.h"

#include <cmath>

namespace verdin::xgltf {

// Row vectors times the matrix are its transpose times column vectors.
Affine GltfPlacement(const XMatrix& matrix)
{
    Affine a;
    for (std::size_t row = 0; row < 3; ++row)
        for (std::size_t column = 0; column < 4; ++column)
            a.m[row][column] = matrix[column * 4 + row];
    return kMirrorX(a);
}

std::optional<Trs> NearestTrs(const Affine& placement, bool& sheared)
{
    sheared = false;
    if (std::optional<Trs> trs = Decompose(placement))
        return trs;
    if (!placement.IsFinite())
        return std::nullopt;
    // Gram-Schmidt on the columns keeps each one's length and the first's
    // direction.
    Affine nearest = placement;
    std::array<Vector3, 3> axes{};
    for (int c = 0; c < 3; ++c) {
        Vector3 axis{placement.m[0][c], placement.m[1][c], placement.m[2][c]};
        const double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
        for (int before = 0; before < c; ++before) {
            const Vector3& b = axes[static_cast<std::size_t>(before)];
            const double dot = axis[0] * b[0] + axis[1] * b[1] + axis[2] * b[2];
            for (int i = 0; i < 3; ++i)
                axis[i] -= dot * b[i];
        }
        const double left = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
        if (!(left > 1e-12 * length))
            return std::nullopt;
        for (int i = 0; i < 3; ++i) {
            axes[static_cast<std::size_t>(c)][i] = axis[i] / left;
            nearest.m[i][c] = axis[i] / left * length;
        }
    }
    sheared = true;
    return Decompose(nearest);
}

Affine Compose(const Trs& trs)
{
    Affine a = Rotation(trs.rotation);
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column)
            a.m[row][column] *= trs.scale[column];
        a.m[row][3] = trs.translation[row];
    }
    return a;
}

}  // namespace verdin::xgltf
