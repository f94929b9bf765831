#pragma once

#include <optional>
#include <string>

#include "xof/Document.h"

namespace verdin::xof {

// Why the parent's template does not admit a child, or nothing when it does.
// A closed template admits no children; a restricted one admits objects of
// the templates it lists (by name or GUID) and references, whose target's
// template is not known where they stand.
[[nodiscard]] std::optional<std::string> RefusedChild(const Template& parent, const Template* childTemplate);

}  // namespace verdin::xof
