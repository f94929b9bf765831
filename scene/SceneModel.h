#pragma once

#include "cob/CobRecords.h"
#include "scene/MeshData.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace verdin {

class CChanChunk;
class CChunkList;
class CPolHChunk;

// The animation channels of a node: its moves and turns, and for an object
// the moves of its vertices.
struct NodeChannels {
    const CChanChunk* move = nullptr;  // the first of the node's, as the others are too
    const CChanChunk* rotate = nullptr;
    std::vector<const CChanChunk*> vertices;  // in file order
};

// A group or a polygon object of the file.
struct SceneNode {
    static constexpr std::int32_t kRoot = -1;

    std::string name;                     // as the modeller shows it, "Sphere,1" for a duplicate; may be empty
    std::int32_t parent = kRoot;          // index of the parent node
    const CPolHChunk* polygon = nullptr;  // null for a group
    // The placement in the scene: matrices of a COB file already hold their
    // groups' placement, so none is applied to its children again.
    CobMatrix placement;
    NodeChannels channels;  // none when the file was read without them
};

// What a COB file shows, read once from its chunks by every writer: the
// groups and objects in file order with their parents, and the materials of
// each object. The chunks must outlive it.
class SceneModel {
public:
    explicit SceneModel(const CChunkList& chunks);

    // File order; a parent may come after its children.
    const std::vector<SceneNode>& Nodes() const { return m_nodes; }
    std::span<const CMat1Chunk* const> MaterialsOf(const CPolHChunk& polygon) const { return m_materials.Of(polygon); }

private:
    void LinkParents(const std::vector<std::int32_t>& parentIds, const std::vector<std::int32_t>& ids);
    void LinkChannels(const CChunkList& chunks, const std::vector<std::int32_t>& ids);

    std::vector<SceneNode> m_nodes;
    MaterialsByOwner m_materials;
};

}  // namespace verdin
