#pragma once

#include "gltf/Placement.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace verdin {
class SceneModel;
}

namespace verdin::gltf {

// The scene's nodes as a tree, children in file order.
struct SceneTree {
    std::vector<std::vector<std::int32_t>> children;
    std::vector<std::int32_t> roots;
};
SceneTree TreeOf(const SceneModel& scene);

// How a node holds its placement, relative to its parent and stood upright:
// as translation, rotation and scale where these can express it; otherwise
// its mesh's vertices carry it (`bake`) and the node holds none.
struct NodePlacement {
    std::optional<Trs> trs;
    Affine bake;
    bool nonFinite = false;  // the file's matrix held what is no number and was left out
};
std::vector<NodePlacement> PlaceNodes(const SceneModel& scene, const SceneTree& tree);

}  // namespace verdin::gltf
