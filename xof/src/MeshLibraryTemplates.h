#pragma once

#include <string_view>

namespace verdin::xof {

// Besides AnimTicksPerSecond (Xof.h), the templates of skinned meshes, vertex declarations, effects, patches,
// progressive meshes and property bags that DirectX's mesh library registers
// itself, so that files use them without declaring them. DirectX text with
// "\n" line ends, each template after those it uses.
extern const std::string_view kMeshLibraryTemplates;

}  // namespace verdin::xof
