#pragma once

#include "render/Scene.h"

#include <array>

namespace verdin::render {

// A DirectX file's 4 × 4 matrix as it stores it, row by row, for row
// vectors: a point p goes to p · M.
using RowMatrix = std::array<float, 16>;

inline constexpr RowMatrix kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// A point goes through `first`, then `second`.
[[nodiscard]] RowMatrix Multiply(const RowMatrix& first, const RowMatrix& second);
[[nodiscard]] Vec3 TransformPoint(const Vec3& p, const RowMatrix& m);
// Turned by the matrix's linear part, then normalised.
[[nodiscard]] Vec3 TransformDirection(const Vec3& d, const RowMatrix& m);

}  // namespace verdin::render
