#pragma once

#include "gltf/Placement.h"
#include "scene/SceneTree.h"

#include <optional>
#include <vector>

namespace verdin {
class SceneModel;
}

namespace verdin::gltf {

// How a node holds its placement, relative to its parent and stood upright:
// as translation, rotation and scale where these can express it; otherwise
// its mesh's vertices carry it (`bake`) and the node holds none.
struct NodePlacement {
    std::optional<Trs> trs;
    Affine bake;
    Affine parent;           // where the parent places its children
    bool nonFinite = false;  // the file's matrix held what is no number and was left out
};
std::vector<NodePlacement> PlaceNodes(const SceneModel& scene, const SceneTree& tree);

}  // namespace verdin::gltf
