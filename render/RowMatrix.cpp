#include "render/RowMatrix.h"

#include <cmath>

namespace verdin::render {

RowMatrix Multiply(const RowMatrix& first, const RowMatrix& second)
{
    RowMatrix product{};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += first[row * 4 + k] * second[k * 4 + column];
            product[row * 4 + column] = sum;
        }
    return product;
}

Vec3 TransformPoint(const Vec3& p, const RowMatrix& m)
{
    return {p.x * m[0] + p.y * m[4] + p.z * m[8] + m[12], p.x * m[1] + p.y * m[5] + p.z * m[9] + m[13],
            p.x * m[2] + p.y * m[6] + p.z * m[10] + m[14]};
}

Vec3 TransformDirection(const Vec3& d, const RowMatrix& m)
{
    const Vec3 t{d.x * m[0] + d.y * m[4] + d.z * m[8], d.x * m[1] + d.y * m[5] + d.z * m[9],
                 d.x * m[2] + d.y * m[6] + d.z * m[10]};
    const float length = std::sqrt(t.x * t.x + t.y * t.y + t.z * t.z);
    return length > 0 ? Vec3{t.x / length, t.y / length, t.z / length} : t;
}

}  // namespace verdin::render
