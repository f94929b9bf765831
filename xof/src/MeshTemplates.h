#pragma once

#include "xof/Document.h"

namespace verdin::xof {

// The 19 templates of meshes (kMeshTemplates): the only ones every reader
// knows without a declaration, since it is told no others.
[[nodiscard]] const Document& MeshTemplates();

}  // namespace verdin::xof
