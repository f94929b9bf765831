#include "scene/SceneModel.h"

#include "base/NumberFormat.h"
#include "cob/ChanChunk.h"
#include "cob/Chunk.h"
#include "cob/GrouChunk.h"
#include "cob/PolHChunk.h"

#include <unordered_map>

namespace verdin {

namespace {

std::string ShownName(const CobName& name)
{
    std::string shown = name.name.HasText() ? name.name.Shown() : std::string();
    if (name.duplicateCount > 0 && !shown.empty())
        shown.append(",").append(FormatInt(name.duplicateCount));
    return shown;
}

}  // namespace

SceneModel::SceneModel(const CChunkList& chunks) : m_materials(chunks)
{
    std::vector<std::int32_t> ids, parentIds;
    for (const auto& chunk : chunks) {
        if (chunk->m_nType == CHUNK_GROU) {
            const auto& group = static_cast<const CGrouChunk&>(*chunk);
            m_nodes.push_back({ShownName(group.m_name), SceneNode::kRoot, nullptr, group.m_position, {}});
        } else if (chunk->m_nType == CHUNK_POLH) {
            const auto& polygon = static_cast<const CPolHChunk&>(*chunk);
            m_nodes.push_back({ShownName(polygon.m_name), SceneNode::kRoot, &polygon, polygon.m_position, {}});
        } else
            continue;
        ids.push_back(chunk->m_nId);
        parentIds.push_back(chunk->m_nParentId);
    }
    LinkParents(parentIds, ids);
    LinkChannels(chunks, ids);
}

// A channel whose parent id names no node animates nothing.
void SceneModel::LinkChannels(const CChunkList& chunks, const std::vector<std::int32_t>& ids)
{
    std::unordered_map<std::int32_t, std::size_t> byId;
    for (std::size_t i = 0; i < ids.size(); ++i)
        byId.try_emplace(ids[i], i);
    for (const auto& chunk : chunks) {
        if (chunk->m_nType != CHUNK_CHAN)
            continue;
        const auto found = byId.find(chunk->m_nParentId);
        if (found == byId.end())
            continue;
        const auto& channel = static_cast<const CChanChunk&>(*chunk);
        NodeChannels& channels = m_nodes[found->second].channels;
        if (channel.m_kind == ChannelKind::kMove && !channels.move)
            channels.move = &channel;
        else if (channel.m_kind == ChannelKind::kRotate && !channels.rotate)
            channels.rotate = &channel;
        else if (channel.m_kind == ChannelKind::kVertex && m_nodes[found->second].polygon)
            channels.vertices.push_back(&channel);
    }
}

// A parent id that names no group or object leaves the node at the root, and
// so does the link that would close a circle; of two nodes with one id, the
// first is the parent.
void SceneModel::LinkParents(const std::vector<std::int32_t>& parentIds, const std::vector<std::int32_t>& ids)
{
    std::unordered_map<std::int32_t, std::int32_t> byId;
    for (std::size_t i = 0; i < ids.size(); ++i)
        byId.try_emplace(ids[i], static_cast<std::int32_t>(i));
    for (std::size_t i = 0; i < m_nodes.size(); ++i)
        if (const auto found = byId.find(parentIds[i]); found != byId.end())
            m_nodes[i].parent = found->second;

    // Each node is walked up from once: linear in the number of nodes.
    enum : std::uint8_t { kUnseen, kOnPath, kDone };
    std::vector<std::uint8_t> state(m_nodes.size(), kUnseen);
    std::vector<std::size_t> path;
    for (std::size_t start = 0; start < m_nodes.size(); ++start) {
        path.clear();
        std::int32_t at = static_cast<std::int32_t>(start);
        while (at != SceneNode::kRoot && state[static_cast<std::size_t>(at)] == kUnseen) {
            state[static_cast<std::size_t>(at)] = kOnPath;
            path.push_back(static_cast<std::size_t>(at));
            at = m_nodes[static_cast<std::size_t>(at)].parent;
        }
        if (at != SceneNode::kRoot && state[static_cast<std::size_t>(at)] == kOnPath)
            m_nodes[path.back()].parent = SceneNode::kRoot;
        for (std::size_t node : path)
            state[node] = kDone;
    }
}

}  // namespace verdin
