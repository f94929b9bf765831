#include "scene/SceneTree.h"

#include "scene/SceneModel.h"

namespace verdin {

SceneTree TreeOf(const SceneModel& scene)
{
    SceneTree tree;
    const auto& nodes = scene.Nodes();
    tree.children.resize(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const auto index = static_cast<std::int32_t>(i);
        if (nodes[i].parent == SceneNode::kRoot)
            tree.roots.push_back(index);
        else
            tree.children[static_cast<std::size_t>(nodes[i].parent)].push_back(index);
    }
    return tree;
}

std::vector<RelativePlacement> RelativePlacements(const SceneModel& scene, const SceneTree& tree,
                                                  const std::function<Affine(const SceneNode&)>& absoluteOf,
                                                  const std::function<bool(const Affine&)>& canHold)
{
    const auto& nodes = scene.Nodes();
    std::vector<RelativePlacement> placements(nodes.size());
    std::vector<Affine> placed(nodes.size());  // where each node puts its children
    std::vector<std::int32_t> pending(tree.roots.rbegin(), tree.roots.rend());
    while (!pending.empty()) {
        const auto node = static_cast<std::size_t>(pending.back());
        pending.pop_back();
        const std::int32_t parent = nodes[node].parent;
        const Affine parentPlaced = parent == SceneNode::kRoot ? Affine{} : placed[static_cast<std::size_t>(parent)];
        RelativePlacement& placement = placements[node];
        placement.parent = parentPlaced;
        if (const Affine absolute = absoluteOf(nodes[node]); absolute.IsFinite())
            placement.local = Inverse(parentPlaced).value_or(Affine{}) * absolute;
        else
            placement.nonFinite = true;
        placement.held = canHold(placement.local);
        placed[node] = placement.held ? parentPlaced * placement.local : parentPlaced;
        for (auto child = tree.children[node].rbegin(); child != tree.children[node].rend(); ++child)
            pending.push_back(*child);
    }
    return placements;
}

}  // namespace verdin
