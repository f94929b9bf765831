#include "scene/Affine.h"

#include <cmath>

namespace verdin {

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

double Determinant(const Affine& a)
{
    const auto& m = a.m;
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

Affine Affine::FromCob(const CobMatrix& matrix)
{
    Affine a;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            a.m[r][c] = matrix.m[r][c];
    return a;
}

bool Affine::IsFinite() const
{
    for (const auto& row : m)
        for (double value : row)
            if (!std::isfinite(value))
                return false;
    return true;
}

bool Affine::IsIdentity() const
{
    return m == Affine{}.m;
}

Vector3 Affine::Point(const Vector3& p) const
{
    Vector3 result;
    for (int r = 0; r < 3; ++r)
        result[r] = m[r][0] * p[0] + m[r][1] * p[1] + m[r][2] * p[2] + m[r][3];
    return result;
}

Vector3 Affine::Normal(const Vector3& n) const
{
    // The cofactor matrix is the inverse transpose times the determinant,
    // whose sign keeps the normal's side.
    const double sign = Determinant(*this) < 0 ? -1 : 1;
    Vector3 result;
    for (int r = 0; r < 3; ++r) {
        const int r1 = (r + 1) % 3, r2 = (r + 2) % 3;
        Vector3 cofactors;
        for (int c = 0; c < 3; ++c) {
            const int c1 = (c + 1) % 3, c2 = (c + 2) % 3;
            cofactors[c] = m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1];
        }
        result[r] = sign * (cofactors[0] * n[0] + cofactors[1] * n[1] + cofactors[2] * n[2]);
    }
    const double length = std::sqrt(result[0] * result[0] + result[1] * result[1] + result[2] * result[2]);
    if (!(length > 0) || !std::isfinite(length))
        return n;
    return {result[0] / length, result[1] / length, result[2] / length};
}

Affine operator*(const Affine& a, const Affine& b)
{
    Affine product;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            product.m[r][c] =
                a.m[r][0] * b.m[0][c] + a.m[r][1] * b.m[1][c] + a.m[r][2] * b.m[2][c] + (c == 3 ? a.m[r][3] : 0);
    return product;
}

std::optional<Affine> Inverse(const Affine& a)
{
    const double determinant = Determinant(a);
    if (!std::isfinite(determinant) || std::fabs(determinant) < 1e-300)
        return std::nullopt;
    const auto& m = a.m;
    Affine inverse;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
            inverse.m[r][c] = (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / determinant;
        }
    for (int r = 0; r < 3; ++r)
        inverse.m[r][3] = -(inverse.m[r][0] * m[0][3] + inverse.m[r][1] * m[1][3] + inverse.m[r][2] * m[2][3]);
    if (!inverse.IsFinite())
        return std::nullopt;
    return inverse;
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

Affine Rotation(const std::array<double, 4>& q)
{
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    Affine r;
    r.m[0] = {1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w), 0};
    r.m[1] = {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w), 0};
    r.m[2] = {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y), 0};
    return r;
}

Vector3 AxisChange::operator()(const Vector3& v) const
{
    return {sign[0] * v[from[0]], sign[1] * v[from[1]], sign[2] * v[from[2]]};
}

Affine AxisChange::After(const Affine& a) const
{
    // Rows renamed and negated.
    Affine result;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            result.m[r][c] = sign[r] * a.m[from[r]][c];
    return result;
}

Affine AxisChange::operator()(const Affine& a) const
{
    // Columns renamed and negated as the rows are.
    const Affine rows = After(a);
    Affine result;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            result.m[r][c] = sign[c] * rows.m[r][from[c]];
        result.m[r][3] = rows.m[r][3];
    }
    return result;
}

}  // namespace verdin
