#include "xfile/XAnimation.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "cob/ChanChunk.h"
#include "scene/NodeMotion.h"
#include "scene/SceneModel.h"
#include "xfile/XNames.h"
#include "xfile/XTextFile.h"

#include <cmath>

namespace verdin {

namespace {

// A rotation key as DirectX keeps it: w first, and x, y, z negated, the
// quaternion of the turn back (other exporters' files and readers agree).
std::vector<double> RotationKey(const std::array<double, 4>& q)
{
    const auto& [x, y, z, w] = q;
    return {w, -x, -y, -z};
}

// An AnimationKey's keys: each a time and its values.
struct TimedValues {
    std::vector<long long> times;
    std::vector<std::vector<double>> values;
};

void WriteKey(XTextFile& out, int keyType, const TimedValues& keys)
{
    out.Write("AnimationKey {\n");
    out.Int(keyType);
    out.Write(";\n");
    out.Int(static_cast<long long>(keys.times.size()));
    out.Write(";\n");
    for (std::size_t k = 0; k < keys.times.size(); ++k) {
        out.Int(keys.times[k]);
        out.Char(';');
        out.Int(static_cast<long long>(keys.values[k].size()));
        out.Char(';');
        for (std::size_t v = 0; v < keys.values[k].size(); ++v) {
            out.Float(keys.values[k][v] + 0.0);  // a negated 0 is written as 0
            out.Char(v + 1 < keys.values[k].size() ? ',' : ';');
        }
        out.Write(k + 1 < keys.times.size() ? ";,\n" : ";;\n");
    }
    out.Write("}\n");
}

long long Tick(float frame)
{
    return std::llround(static_cast<double>(frame));
}

// The three kinds of keys of one frame: where its channels have none, its own
// placement is the one key.
struct FrameKeys {
    TimedValues rotations, scales, positions;
};

FrameKeys KeysOf(const SceneNode& node, const RelativePlacement& placement,
                 const std::function<Affine(const Affine&)>& absoluteOf)
{
    FrameKeys keys;
    for (const auto& [frame, local] : LocalKeys(MovedPlacements(node), placement.parent, absoluteOf)) {
        keys.positions.times.push_back(Tick(frame));
        keys.positions.values.push_back({local.translation.begin(), local.translation.end()});
    }
    for (const auto& [frame, local] : LocalKeys(TurnedPlacements(node), placement.parent, absoluteOf)) {
        keys.rotations.times.push_back(Tick(frame));
        keys.rotations.values.push_back(RotationKey(local.rotation));
        keys.scales.times.push_back(Tick(frame));
        keys.scales.values.push_back({local.scale.begin(), local.scale.end()});
    }
    const std::optional<Trs> rest = Decompose(placement.local);
    if (!rest)
        return {};
    const long long first = std::min(keys.positions.times.empty() ? 0 : keys.positions.times.front(),
                                     keys.rotations.times.empty() ? 0 : keys.rotations.times.front());
    if (keys.positions.times.empty())
        keys.positions = {{first}, {{rest->translation.begin(), rest->translation.end()}}};
    if (keys.rotations.times.empty()) {
        keys.rotations = {{first}, {RotationKey(rest->rotation)}};
        keys.scales = {{first}, {{rest->scale.begin(), rest->scale.end()}}};
    }
    return keys;
}

}  // namespace

void WriteAnimationSet(XTextFile& out, ReportLog& report, XNames& names, const XAnimationScene& animated)
{
    const auto& nodes = animated.scene.Nodes();
    long long vertexChannels = 0;
    bool opened = false;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const NodeChannels& channels = nodes[i].channels;
        vertexChannels += static_cast<long long>(channels.vertices.size());
        const CChanChunk* first = channels.move ? channels.move : channels.rotate;
        if (!first)
            continue;
        const FrameKeys keys = KeysOf(nodes[i], animated.placements[i], animated.absoluteOf);
        if (keys.positions.times.empty())
            continue;  // a frame whose matrix shears space keeps it
        if (!opened) {
            // One set for all, named as the modeller names it in the first
            // moving frame's channels.
            out.Write("AnimTicksPerSecond {\n");
            out.Int(kFramesPerSecond);
            out.Write(";\n}\n");
            out.Write("AnimationSet " + names.Unique(first->m_name) + " {\n");
            opened = true;
        }
        out.Write("Animation {\n{" + animated.frameNames[i] + "}\n");
        WriteKey(out, 0, keys.rotations);
        WriteKey(out, 1, keys.scales);
        WriteKey(out, 2, keys.positions);
        out.Write("}\n");
    }
    if (opened)
        out.Write("}\n");
    if (vertexChannels > 0)
        report.AppendLine(" Vertex animation of " + FormatInt(vertexChannels) +
                          " vertices left out: a .x file cannot hold it.");
}

}  // namespace verdin
