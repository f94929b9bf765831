#pragma once

#include "gltf/GltfDocument.h"
#include "xgltf/XModel.h"

#include <map>
#include <string>

namespace verdin {
class ReportLog;
}

namespace verdin::xgltf {

// DirectX's key rate when a file gives none.
inline constexpr std::uint32_t kDefaultTicksPerSecond = 4800;

// Each animation set of the model as a glTF animation of the frames' nodes:
// rotation, scale and position keys as rotation, scale and translation
// channels, matrix keys split into all three. Key times are in seconds, in
// increasing order; of keys at one time the first is kept. An animation of
// a missing frame, or of a part already animated in its set, is left out
// with a report line.
void WriteAnimations(gltf::GltfDocument& document, const XModel& model,
                     const std::map<std::string, int, std::less<>>& nodes, ReportLog& report);

}  // namespace verdin::xgltf
