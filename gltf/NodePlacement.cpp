#include "gltf/NodePlacement.h"

#include "scene/SceneModel.h"

namespace verdin::gltf {

std::vector<NodePlacement> PlaceNodes(const SceneModel& scene, const SceneTree& tree)
{
    const std::vector<RelativePlacement> relative = RelativePlacements(
        scene, tree, [](const SceneNode& node) { return Upright(Affine::FromCob(node.placement)); },
        [](const Affine& local) { return Decompose(local).has_value(); });
    std::vector<NodePlacement> placements;
    placements.reserve(relative.size());
    for (const RelativePlacement& node : relative) {
        if (node.held)
            placements.push_back({Decompose(node.local), Affine{}, node.parent, node.nonFinite});
        else
            placements.push_back({std::nullopt, node.local, node.parent, node.nonFinite});
    }
    return placements;
}

}  // namespace verdin::gltf
