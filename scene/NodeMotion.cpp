#include "scene/NodeMotion.h"

#include "scene/SceneModel.h"

#include <cmath>

namespace verdin {

std::vector<ChannelKey> KeysInTime(const CChanChunk& channel)
{
    std::vector<ChannelKey> keys;
    for (const ChannelKey& key : channel.m_keys)
        if (std::isfinite(key.frame) && key.frame >= 0 && (keys.empty() || key.frame > keys.back().frame))
            keys.push_back(key);
    return keys;
}

std::vector<KeyPlacement> MovedPlacements(const SceneNode& node)
{
    std::vector<KeyPlacement> placements;
    if (!node.channels.move)
        return placements;
    const Affine rest = Affine::FromCob(node.placement);
    for (const ChannelKey& key : KeysInTime(*node.channels.move)) {
        KeyPlacement& placed = placements.emplace_back(KeyPlacement{key.frame, rest});
        for (int r = 0; r < 3; ++r)
            placed.absolute.m[r][3] = key.value[static_cast<std::size_t>(r)];
    }
    return placements;
}

std::vector<KeyPlacement> TurnedPlacements(const SceneNode& node)
{
    std::vector<KeyPlacement> placements;
    const Affine rest = Affine::FromCob(node.placement);
    const std::optional<Trs> parts = Decompose(rest);
    if (!node.channels.rotate || !parts)
        return placements;
    // The matrix without its own turn (turned back by the conjugate), then
    // the key's turn.
    const auto& [x0, y0, z0, w0] = parts->rotation;
    const Affine unturned = Rotation({-x0, -y0, -z0, w0}) * rest;
    for (const ChannelKey& key : KeysInTime(*node.channels.rotate)) {
        const auto& [w, x, y, z] = key.value;
        const double length = std::sqrt(double{w} * w + double{x} * x + double{y} * y + double{z} * z);
        if (!(length > 0) || !std::isfinite(length))
            continue;
        Affine turned = Rotation({x / length, y / length, z / length, w / length}) * unturned;
        for (int r = 0; r < 3; ++r)
            turned.m[r][3] = rest.m[r][3];
        placements.push_back({key.frame, turned});
    }
    return placements;
}

}  // namespace verdin
