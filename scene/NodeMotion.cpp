#include "scene/NodeMotion.h"

#include "cob/ChanChunk.h"
#include "scene/SceneModel.h"

#include <cmath>

namespace verdin {

namespace {

// Keys follow one another in time; one at or before the last, or at no
// frame at all, is left out.
bool FollowsLast(const std::vector<KeyPlacement>& keys, float frame)
{
    return std::isfinite(frame) && frame >= 0 && (keys.empty() || frame > keys.back().frame);
}

}  // namespace

std::vector<KeyPlacement> MovedPlacements(const SceneNode& node)
{
    std::vector<KeyPlacement> keys;
    if (!node.channels.move)
        return keys;
    const Affine rest = Affine::FromCob(node.placement);
    for (const ChannelKey& key : node.channels.move->m_keys) {
        if (!FollowsLast(keys, key.frame))
            continue;
        KeyPlacement& placed = keys.emplace_back(KeyPlacement{key.frame, rest});
        for (int r = 0; r < 3; ++r)
            placed.absolute.m[r][3] = key.value[static_cast<std::size_t>(r)];
    }
    return keys;
}

std::vector<KeyPlacement> TurnedPlacements(const SceneNode& node)
{
    std::vector<KeyPlacement> keys;
    const Affine rest = Affine::FromCob(node.placement);
    const std::optional<Trs> parts = Decompose(rest);
    if (!node.channels.rotate || !parts)
        return keys;
    // The matrix without its own turn: scale, then the key's turn.
    const std::optional<Affine> unturned = Inverse(Rotation(parts->rotation));
    for (const ChannelKey& key : node.channels.rotate->m_keys) {
        const auto& [w, x, y, z] = key.value;
        const double length = std::sqrt(double{w} * w + double{x} * x + double{y} * y + double{z} * z);
        if (!(length > 0) || !std::isfinite(length) || !unturned || !FollowsLast(keys, key.frame))
            continue;
        Affine turned = Rotation({x / length, y / length, z / length, w / length}) * *unturned * rest;
        for (int r = 0; r < 3; ++r)
            turned.m[r][3] = rest.m[r][3];
        keys.push_back({key.frame, turned});
    }
    return keys;
}

}  // namespace verdin
