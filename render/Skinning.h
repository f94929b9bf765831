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

// Places a skinned mesh, read in its bind space, in the rest pose: a vertex
// goes through the blend of offset · frame world of its weights, divided by
// the sum of those weights, so that a frame missing from the file leaves the
// others' share whole. A vertex that no weight of a known frame moves goes
// through `meshWorld`, the mesh's own frames, as an unskinned mesh does. A
// normal follows the first vertex whose corner uses it.
void PlaceSkinnedMesh(SceneMesh& mesh, std::span<const SkinWeights> skin, const FrameWorlds& frames,
                      const RowMatrix& meshWorld);

}  // namespace verdin::render
