#pragma once

#include "scene/Affine.h"
#include "scene/SceneTree.h"

#include <functional>
#include <string>
#include <vector>

namespace verdin {

class ReportLog;
class SceneModel;
class XNames;
class XTextFile;

// Key times are frames, at the modeller's rate.
inline constexpr int kFramesPerSecond = 30;

// The moves and turns of the scene's nodes, after their frames: the key rate,
// then one AnimationSet with an Animation for each moving frame, whose
// position, rotation and scale keys replace its matrix. `absoluteOf` maps
// an absolute placement as the frames' matrices were made. Vertex channels,
// which a .x file cannot hold, get one report line.
struct XAnimationScene {
    const SceneModel& scene;
    const std::vector<RelativePlacement>& placements;
    const std::vector<std::string>& frameNames;  // by node
    std::function<Affine(const Affine&)> absoluteOf;
};
void WriteAnimationSet(XTextFile& out, ReportLog& report, XNames& names, const XAnimationScene& animated);

}  // namespace verdin
