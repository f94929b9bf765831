#pragma once

#include "scene/Affine.h"

#include <optional>
#include <vector>

namespace verdin {

struct SceneNode;

// Where a node is at one key of its Move or Rotate channel: its matrix with
// the key's position, or the key's turn, in place of its own. Keys hold
// absolute positions and turns, as the matrices do. A key is left out unless
// it comes after the one before it, at a frame of 0 or more.
struct KeyPlacement {
    float frame = 0;
    Affine absolute;
};

std::vector<KeyPlacement> MovedPlacements(const SceneNode& node);
// None when the node's matrix shears space, so that its turn cannot be told
// from the rest.
std::vector<KeyPlacement> TurnedPlacements(const SceneNode& node);

// A key placement as a node's own, after `map` (what the writer makes of an
// absolute placement: options, axes) and relative to where its parent places
// it; nothing when it is no number or shears space.
template <typename Map>
std::optional<Trs> LocalKey(const KeyPlacement& key, const Affine& parent, Map map)
{
    const Affine absolute = map(key.absolute);
    if (!absolute.IsFinite())
        return std::nullopt;
    return Decompose(Inverse(parent).value_or(Affine{}) * absolute);
}

}  // namespace verdin
