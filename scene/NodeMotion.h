#pragma once

#include "cob/ChanChunk.h"
#include "scene/Affine.h"

#include <optional>
#include <vector>

namespace verdin {

struct SceneNode;

// A channel's keys in time: one at or before the key before it, or at no
// frame of 0 or more, is left out.
std::vector<ChannelKey> KeysInTime(const CChanChunk& channel);

// Where a node is at one key of its Move or Rotate channel: its matrix with
// the key's position, or the key's turn, in place of its own. Keys hold
// absolute positions and turns, as the matrices do.
struct KeyPlacement {
    float frame = 0;
    Affine absolute;
};

std::vector<KeyPlacement> MovedPlacements(const SceneNode& node);
// None when the node's matrix shears space, so that its turn cannot be told
// from the rest.
std::vector<KeyPlacement> TurnedPlacements(const SceneNode& node);

// A key as the node's own placement.
struct LocalKey {
    float frame = 0;
    Trs placement;
};

// Key placements as the node's own, after `map` (what the writer makes of an
// absolute placement: options, axes) and relative to where its parent places
// it; a key that is no number or shears space is left out.
template <typename Map>
std::vector<LocalKey> LocalKeys(const std::vector<KeyPlacement>& keys, const Affine& parent, Map map)
{
    const Affine fromParent = Inverse(parent).value_or(Affine{});
    std::vector<LocalKey> local;
    for (const KeyPlacement& key : keys) {
        const Affine absolute = map(key.absolute);
        if (!absolute.IsFinite())
            continue;
        if (const std::optional<Trs> placement = Decompose(fromParent * absolute))
            local.push_back({key.frame, *placement});
    }
    return local;
}

}  // namespace verdin
