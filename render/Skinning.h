#pragma once

#include "render/RowMatrix.h"
#include "render/Scene.h"

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace verdin::render {

// One SkinWeights object of a mesh: the frame that moves some of its
// vertices, their weights, and the matrix from the mesh's bind space into
// the frame's own.
struct SkinWeights {
    std::string frame;
    std::vector<std::uint32_t> vertices;
    std::vector<float> weights;  // one per vertex; what either list has beyond the other is passed over
    RowMatrix offset = kIdentity;
};

// Named frames' transforms to the world in the rest pose the file gives.
using FrameWorlds = std::map<std::string, RowMatrix, std::less<>>;

// How much one bone of a skin moves one vertex.
struct BoneWeight {
    std::uint32_t vertex = 0;
    std::uint32_t bone = 0;
    float weight = 0;
};

// Each vertex's blend of its bones' matrices (from the mesh's bind space to
// the world), divided by the sum of its weights so that a bone left out
// leaves the others' share whole; `meshWorld` for a vertex no weight moves.
// A weight naming a vertex or bone out of range is passed over.
[[nodiscard]] std::vector<RowMatrix> BlendBones(std::size_t vertices, std::span<const RowMatrix> bones,
                                                std::span<const BoneWeight> weights, const RowMatrix& meshWorld);

// Places a skinned mesh, read in its bind space, in the rest pose: a vertex
// goes through the blend (BlendBones) of offset · frame world of its
// weights; a frame missing from the file is left out. A vertex that no
// weight of a known frame moves goes through `meshWorld`, the mesh's own
// frames, as an unskinned mesh does. A normal follows the first vertex whose
// corner uses it.
void PlaceSkinnedMesh(SceneMesh& mesh, std::span<const SkinWeights> skin, const FrameWorlds& frames,
                      const RowMatrix& meshWorld);

}  // namespace verdin::render
