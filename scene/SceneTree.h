#pragma once

#include "scene/Affine.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace verdin {

class SceneModel;
struct SceneNode;

// The scene's nodes as a tree, children in file order.
struct SceneTree {
    std::vector<std::vector<std::int32_t>> children;
    std::vector<std::int32_t> roots;
};
SceneTree TreeOf(const SceneModel& scene);

// A node's placement relative to its parent.
struct RelativePlacement {
    Affine local;
    Affine parent;           // where the parent places its children
    bool held = true;        // false: the node holds none, its mesh's vertices carry `local`
    bool nonFinite = false;  // the file's matrix held what is no number and was left out
};

// Every node's placement relative to its parent, from the absolute placement
// `absoluteOf` gives each node (matrices in a COB file already hold their
// groups' placement). A node whose local placement `canHold` refuses holds
// none, and its children are placed from its parent.
std::vector<RelativePlacement> RelativePlacements(const SceneModel& scene, const SceneTree& tree,
                                                  const std::function<Affine(const SceneNode&)>& absoluteOf,
                                                  const std::function<bool(const Affine&)>& canHold);

}  // namespace verdin
