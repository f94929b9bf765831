#pragma once

#include "gltf/GltfDocument.h"
#include "scene/NodeMotion.h"

#include <span>

#include <string>
#include <vector>

namespace verdin {
class ReportLog;
struct SceneNode;
}  // namespace verdin

namespace verdin::gltf {

struct MeshArrays;
struct NodePlacement;

// Key times are frames, at the modeller's rate.
inline constexpr double kFramesPerSecond = 30;

// The scene's animation as one glTF animation: a node's moves and turns as
// translation and rotation channels, an object's vertex channels as morph
// targets, one for each key, with a weights channel that goes from one to the
// next.
class SceneAnimation {
public:
    explicit SceneAnimation(GltfDocument& document) : m_document(document) {}

    // The moves and turns of `node`, when the node holds its placement.
    void AddNodeMotion(int node, const SceneNode& sceneNode, const NodePlacement& placement);
    // The morph targets of the mesh `arrays` (made with their sources) of
    // `node`, positions carried by `bake`; none, after a report line, when
    // they would be too large.
    std::vector<int> AddVertexMotion(int node, const SceneNode& sceneNode, const MeshArrays& arrays, const Affine& bake,
                                     ReportLog& report);
    // The animation, when anything moves.
    void Finish();

private:
    void AddChannel(int node, const char* path, const std::vector<float>& frames, std::vector<float> values,
                    int components);
    // A channel of the part of each key's placement that `part` takes.
    void AddPlacementChannel(int node, const char* path, const std::vector<LocalKey>& keys,
                             std::span<const double> (*part)(const Trs&));

    GltfDocument& m_document;
    Json m_samplers = Json::array();
    Json m_channels = Json::array();
    std::string m_name;
};

}  // namespace verdin::gltf
