#include "xof/src/ChildRules.h"

#include <algorithm>

namespace verdin::xof {

std::optional<std::string> RefusedChild(const Template& parent, const Template* childTemplate)
{
    if (parent.openness == Openness::Closed) {
        return "template '" + parent.name + "' is closed and takes no child objects";
    }
    if (parent.openness == Openness::Open || !childTemplate) {
        return std::nullopt;
    }
    const bool listed =
        std::any_of(parent.restrictions.begin(), parent.restrictions.end(), [&](const Restriction& restriction) {
            return restriction.name == childTemplate->name || restriction.guid == childTemplate->guid;
        });
    if (listed) {
        return std::nullopt;
    }
    return "template '" + parent.name + "' does not admit '" + childTemplate->name + "' objects";
}

}  // namespace verdin::xof
