#include "xgltf/XAnimations.h"

#include "base/ReportLog.h"
#include "xgltf/CountLine.h"
#include "xgltf/XSpace.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>

namespace verdin::xgltf {

namespace {

using gltf::Json;

bool Finite(std::span<const float> values)
{
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

// One glTF animation being made.
class AnimationWriter {
public:
    AnimationWriter(gltf::GltfDocument& document, double ticksPerSecond, ReportLog& report)
        : m_document(document), m_ticksPerSecond(ticksPerSecond), m_report(report)
    {
    }

    void Add(int node, const XKeys& keys)
    {
        std::vector<float> times;
        const std::vector<std::size_t> order = KeyOrder(keys, times);
        const std::size_t size = keys.values.size() / std::max<std::size_t>(keys.times.size(), 1);
        std::vector<float> translation, rotation, scale;
        for (const std::size_t key : order) {
            const std::span<const float> v(keys.values.data() + key * size, size);
            switch (keys.kind) {
            case KeyKind::Rotation:
                // DirectX keeps w first and x, y, z negated; turning x round
                // negates y and z.
                PutRotation(rotation, {-v[1], v[2], v[3], v[0]});
                break;
            case KeyKind::Scale:
                Put(scale, {v[0], v[1], v[2]}, 1);
                break;
            case KeyKind::Position:
                Put(translation, {-v[0], v[1], v[2]}, 0);
                break;
            case KeyKind::Matrix:
                PutMatrix(v, translation, rotation, scale);
                break;
            }
        }
        int input = -1;
        for (auto [path, values, components] :
             {std::tuple{"translation", &translation, 3}, {"rotation", &rotation, 4}, {"scale", &scale, 3}}) {
            if (values->empty())
                continue;
            if (!m_targets.emplace(node, path).second) {
                m_report.AppendLine(std::string(" A second ") + path + " animation of one frame left out.");
                continue;
            }
            if (input < 0)
                input = m_document.AddKeyFloats(times, 1);
            m_samplers.push_back(
                {{"input", input}, {"output", m_document.AddKeyFloats(std::move(*values), components)}});
            m_channels.push_back({{"sampler", m_samplers.size() - 1}, {"target", {{"node", node}, {"path", path}}}});
        }
    }

    void Finish(const std::string& name)
    {
        ReportCount(m_nonFinite, " animation keys that are no numbers or no placement written as rest.");
        ReportCount(m_sheared, " matrix keys sheared: the shear is left out.");
        if (m_channels.empty())
            return;
        Json animation;
        if (!name.empty())
            animation["name"] = name;
        animation["channels"] = std::move(m_channels);
        animation["samplers"] = std::move(m_samplers);
        m_document.Add("animations", std::move(animation));
    }

private:
    void ReportCount(std::size_t count, std::string_view what)
    {
        if (count > 0)
            m_report.AppendLine(CountLine(count, what));
    }

    // The keys in time order, the first of each time, with their times in
    // seconds as floats, each later than the one before.
    std::vector<std::size_t> KeyOrder(const XKeys& keys, std::vector<float>& times) const
    {
        std::vector<std::size_t> order(keys.times.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&keys](std::size_t a, std::size_t b) { return keys.times[a] < keys.times[b]; });
        std::vector<std::size_t> kept;
        for (const std::size_t key : order) {
            const auto seconds = static_cast<float>(keys.times[key] / m_ticksPerSecond);
            if (times.empty() || seconds > times.back()) {
                times.push_back(seconds);
                kept.push_back(key);
            }
        }
        return kept;
    }

    void Put(std::vector<float>& out, std::array<float, 3> values, float rest)
    {
        if (!Finite(values)) {
            ++m_nonFinite;
            values.fill(rest);
        }
        out.insert(out.end(), values.begin(), values.end());
    }

    void PutRotation(std::vector<float>& out, std::array<double, 4> q)
    {
        const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
        if (!(length > 0) || !std::isfinite(length)) {
            ++m_nonFinite;
            q = {0, 0, 0, 1};
        } else
            for (double& c : q)
                c /= length;
        for (const double c : q)
            out.push_back(static_cast<float>(c));
    }

    void PutMatrix(std::span<const float> values, std::vector<float>& translation, std::vector<float>& rotation,
                   std::vector<float>& scale)
    {
        XMatrix matrix{};
        std::copy(values.begin(), values.end(), matrix.begin());
        bool sheared = false;
        const std::optional<Trs> trs = NearestTrs(GltfPlacement(matrix), sheared);
        const Trs placement = trs.value_or(Trs{});
        m_nonFinite += trs ? 0 : 1;
        m_sheared += sheared ? 1 : 0;
        for (const double c : placement.translation)
            translation.push_back(static_cast<float>(c));
        PutRotation(rotation, placement.rotation);
        for (const double c : placement.scale)
            scale.push_back(static_cast<float>(c));
    }

    gltf::GltfDocument& m_document;
    double m_ticksPerSecond;
    ReportLog& m_report;
    Json m_samplers = Json::array();
    Json m_channels = Json::array();
    std::set<std::pair<int, std::string>> m_targets;
    std::size_t m_nonFinite = 0;
    std::size_t m_sheared = 0;
};

}  // namespace

void WriteAnimations(gltf::GltfDocument& document, const XModel& model,
                     const std::map<std::string, int, std::less<>>& nodes, ReportLog& report)
{
    double ticksPerSecond = model.ticksPerSecond;
    if (!model.animationSets.empty() && ticksPerSecond == 0) {
        if (model.hasTicksPerSecond)
            report.AppendLine(" AnimTicksPerSecond 0: 4800 ticks a second taken.");
        ticksPerSecond = kDefaultTicksPerSecond;
    }
    for (const XAnimationSet& set : model.animationSets) {
        AnimationWriter writer(document, ticksPerSecond, report);
        for (const XAnimation& animation : set.animations) {
            const auto node = nodes.find(animation.frame);
            if (node == nodes.end()) {
                report.AppendLine(" Animation of missing frame " + animation.frame + " left out.");
                continue;
            }
            for (const XKeys& keys : animation.keys)
                writer.Add(node->second, keys);
        }
        writer.Finish(set.name);
    }
}

}  // namespace verdin::xgltf
