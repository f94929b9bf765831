#include "xof/src/ChildRules.h"
#include "xof/src/NameCase.h"
#include "xof/src/Quoted.h"

#include <algorithm>

namespace verdin::xof {

std::optional<std::string> RefusedChild(const Template& parent, const Template* childTemplate)
{
    if (parent.openness == Openness::Closed) {
        return "template " + Quoted(parent.name) + " is closed and takes no child objects";
    }
    if (parent.openness == Openness::Open || !childTemplate) {
        return std::nullopt;
    }
    const bool listed =
        std::any_of(parent.restrictions.begin(), parent.restrictions.end(), [&](const Restriction& restriction) {
            return SameWord(restriction.name, childTemplate->name) || restriction.guid == childTemplate->guid;
        });
    if (listed) {
        return std::nullopt;
    }
    return "template " + Quoted(parent.name) + " does not admit " + Quoted(childTemplate->name) + " objects";
}

}  // namespace verdin::xof
