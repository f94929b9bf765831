#include "gltf/Animation.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "cob/ChanChunk.h"
#include "cob/PolHChunk.h"
#include "gltf/MeshArrays.h"
#include "gltf/NodePlacement.h"
#include "scene/NodeMotion.h"
#include "scene/SceneModel.h"

#include <algorithm>
#include <cmath>

namespace verdin::gltf {

namespace {

// Morph targets take a position for every vertex at every key, and the
// weights a number for every target at every key: past this many targets or
// numbers a model's vertex animation is left out.
constexpr std::size_t kMaxTargets = 1024;
constexpr std::size_t kMaxTargetNumbers = std::size_t{64} << 20;

float Finite(double value)
{
    const auto written = static_cast<float>(value);
    return std::isfinite(written) ? written : 0.0f;
}

// The frames at which any vertex has a key.
std::vector<float> KeyFrames(const std::vector<std::vector<ChannelKey>>& keysOf)
{
    std::vector<float> frames;
    for (const std::vector<ChannelKey>& keys : keysOf)
        for (const ChannelKey& key : keys)
            frames.push_back(key.frame);
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return frames;
}

// A vertex's position at `frame`, from its keys in time: between two keys on
// the line between them, before the first and after the last as there.
Vector3 PositionAt(const std::vector<ChannelKey>& keys, float frame)
{
    const auto after =
        std::upper_bound(keys.begin(), keys.end(), frame, [](float f, const ChannelKey& key) { return f < key.frame; });
    const auto value = [](const ChannelKey& key) { return Vector3{key.value[0], key.value[1], key.value[2]}; };
    if (after == keys.begin())
        return value(*after);
    const ChannelKey& before = *(after - 1);
    if (after == keys.end())
        return value(before);
    const double t = (double{frame} - before.frame) / (double{after->frame} - before.frame);
    const Vector3 a = value(before), b = value(*after);
    return {a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2])};
}

}  // namespace

void SceneAnimation::AddPlacementChannel(int node, const char* path, const std::vector<LocalKey>& keys,
                                         std::span<const double> (*part)(const Trs&))
{
    if (keys.empty())
        return;
    std::vector<float> frames, values;
    for (const LocalKey& key : keys) {
        frames.push_back(key.frame);
        for (double value : part(key.placement))
            values.push_back(Finite(value));
    }
    const auto components = static_cast<int>(values.size() / keys.size());
    AddChannel(node, path, frames, std::move(values), components);
}

void SceneAnimation::AddChannel(int node, const char* path, const std::vector<float>& frames, std::vector<float> values,
                                int components)
{
    std::vector<float> times;
    times.reserve(frames.size());
    for (float frame : frames)
        times.push_back(static_cast<float>(frame / kFramesPerSecond));
    const int input = m_document.AddKeyFloats(std::move(times), 1);
    const int output = m_document.AddKeyFloats(std::move(values), components);
    m_channels.push_back({{"sampler", m_samplers.size()}, {"target", {{"node", node}, {"path", path}}}});
    m_samplers.push_back({{"input", input}, {"interpolation", "LINEAR"}, {"output", output}});
}

void SceneAnimation::AddNodeMotion(int node, const SceneNode& sceneNode, const NodePlacement& placement)
{
    if (!placement.trs)
        return;
    const auto upright = [](const Affine& absolute) { return Upright(absolute); };
    AddPlacementChannel(node, "translation", LocalKeys(MovedPlacements(sceneNode), placement.parent, upright),
                        [](const Trs& local) { return std::span<const double>(local.translation); });
    AddPlacementChannel(node, "rotation", LocalKeys(TurnedPlacements(sceneNode), placement.parent, upright),
                        [](const Trs& local) { return std::span<const double>(local.rotation); });
    if (m_name.empty() && (sceneNode.channels.move || sceneNode.channels.rotate))
        m_name = (sceneNode.channels.move ? sceneNode.channels.move : sceneNode.channels.rotate)->m_name;
}

std::vector<int> SceneAnimation::AddVertexMotion(int node, const SceneNode& sceneNode, const MeshArrays& arrays,
                                                 const Affine& bake, ReportLog& report)
{
    const auto& channels = sceneNode.channels.vertices;
    const auto& stored = sceneNode.polygon->m_pVertices;
    // Each animated vertex's keys; of two channels of one vertex, the later.
    std::vector<std::vector<ChannelKey>> keysOf(stored.size());
    for (const CChanChunk* channel : channels)
        if (channel->m_nVertex >= 0 && static_cast<std::size_t>(channel->m_nVertex) < stored.size())
            keysOf[static_cast<std::size_t>(channel->m_nVertex)] = KeysInTime(*channel);
    const std::vector<float> frames = KeyFrames(keysOf);
    const std::size_t vertices = arrays.sources.size();
    if (frames.empty() || vertices == 0)
        return {};
    if (frames.size() > kMaxTargets || frames.size() > kMaxTargetNumbers / 3 / vertices) {
        report.AppendLine(" Vertex animation of " + Printable(sceneNode.name) +
                          " left out: " + FormatInt(static_cast<long long>(frames.size())) + " keys of " +
                          FormatInt(static_cast<long long>(vertices)) + " vertices are too many.");
        return {};
    }

    // A displacement is a direction: the bake's translation does not apply.
    const Vector3 origin = bake.Point({0, 0, 0});
    std::vector<int> targets;
    for (float frame : frames) {
        std::vector<float> moved(3 * vertices, 0.0f);
        for (std::size_t v = 0; v < vertices; ++v) {
            const auto source = static_cast<std::size_t>(arrays.sources[v]);
            const std::vector<ChannelKey>& keys = keysOf[source];
            if (keys.empty())
                continue;
            const Vector3 at = PositionAt(keys, frame);
            const CobVector& rest = stored[source];
            const Vector3 shift =
                bake.Point(Upright(CobVector{static_cast<float>(at[0] - rest.x), static_cast<float>(at[1] - rest.y),
                                             static_cast<float>(at[2] - rest.z)}));
            for (int c = 0; c < 3; ++c)
                moved[3 * v + static_cast<std::size_t>(c)] = Finite(shift[c] - origin[c]);
        }
        targets.push_back(m_document.AddFloats(std::move(moved), 3, true));
    }
    // Each key's target weighs 1 at its key and 0 at the others.
    std::vector<float> weights(frames.size() * frames.size(), 0.0f);
    for (std::size_t k = 0; k < frames.size(); ++k)
        weights[k * frames.size() + k] = 1;
    AddChannel(node, "weights", frames, std::move(weights), 1);
    if (m_name.empty())
        m_name = channels.front()->m_name;
    return targets;
}

void SceneAnimation::Finish()
{
    if (m_channels.empty())
        return;
    Json animation = {{"channels", std::move(m_channels)}, {"samplers", std::move(m_samplers)}};
    if (!m_name.empty())
        animation["name"] = m_name;
    m_document.Add("animations", std::move(animation));
}

}  // namespace verdin::gltf
