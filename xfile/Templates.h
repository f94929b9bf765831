#pragma once

#include "xof/Xof.h"

#include <string_view>

namespace verdin {

// The definitions of the 19 standard DirectX file templates that a file may
// carry ahead of its data, written with "\n" line ends.
inline constexpr const std::string_view& kTemplateBlock = xof::kMeshTemplates;
// The 9 templates of frames and animations, written after them when the file
// holds frames.
inline constexpr const std::string_view& kFrameTemplateBlock = xof::kFrameTemplates;
// The template of the animation's key rate, after those.
inline constexpr const std::string_view& kAnimTicksTemplateBlock = xof::kAnimTicksPerSecondTemplate;

}  // namespace verdin
