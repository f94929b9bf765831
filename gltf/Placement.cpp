#include "gltf/Placement.h"

#include <cmath>

namespace verdin::gltf {

namespace {

// How far from a rotation the scaled-out axes of a placement may be.
constexpr double kRotationTolerance = 1e-4;

// The quaternion of a rotation matrix (columns are the rotated axes).
std::array<double, 4> Quaternion(const double r[3][3])
{
    std::array<double, 4> q;  // x, y, z, w
    const double trace = r[0][0] + r[1][1] + r[2][2];
    if (trace > 0) {
        const double s = std::sqrt(trace + 1) * 2;
        q = {(r[2][1] - r[1][2]) / s, (r[0][2] - r[2][0]) / s, (r[1][0] - r[0][1]) / s, s / 4};
    } else if (r[0][0] > r[1][1] && r[0][0] > r[2][2]) {
        const double s = std::sqrt(1 + r[0][0] - r[1][1] - r[2][2]) * 2;
        q = {s / 4, (r[0][1] + r[1][0]) / s, (r[0][2] + r[2][0]) / s, (r[2][1] - r[1][2]) / s};
    } else if (r[1][1] > r[2][2]) {
        const double s = std::sqrt(1 + r[1][1] - r[0][0] - r[2][2]) * 2;
        q = {(r[0][1] + r[1][0]) / s, s / 4, (r[1][2] + r[2][1]) / s, (r[0][2] - r[2][0]) / s};
    } else {
        const double s = std::sqrt(1 + r[2][2] - r[0][0] - r[1][1]) * 2;
        q = {(r[0][2] + r[2][0]) / s, (r[1][2] + r[2][1]) / s, s / 4, (r[1][0] - r[0][1]) / s};
    }
    const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    for (double& part : q)
        part /= length;
    return q;
}

}  // namespace

Vector3 Upright(const CobVector& v)
{
    return kGltfAxes(Vector3{v.x, v.y, v.z});
}

Affine Upright(const Affine& a)
{
    return kGltfAxes(a);
}

std::optional<Trs> Decompose(const Affine& a)
{
    if (!a.IsFinite())
        return std::nullopt;
    Trs trs;
    double r[3][3];
    for (int c = 0; c < 3; ++c) {
        const double length = std::sqrt(a.m[0][c] * a.m[0][c] + a.m[1][c] * a.m[1][c] + a.m[2][c] * a.m[2][c]);
        if (!(length > 1e-30) || !std::isfinite(length))
            return std::nullopt;
        trs.scale[c] = length;
    }
    // A mirroring placement keeps a rotation with one scale turned negative.
    if (Determinant(a) < 0)
        trs.scale[0] = -trs.scale[0];
    for (int row = 0; row < 3; ++row)
        for (int c = 0; c < 3; ++c)
            r[row][c] = a.m[row][c] / trs.scale[c];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double dot = r[0][i] * r[0][j] + r[1][i] * r[1][j] + r[2][i] * r[2][j];
            if (std::fabs(dot - (i == j ? 1 : 0)) > kRotationTolerance)
                return std::nullopt;
        }
    trs.rotation = Quaternion(r);
    trs.translation = {a.m[0][3], a.m[1][3], a.m[2][3]};
    return trs;
}

}  // namespace verdin::gltf
