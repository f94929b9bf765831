#include "xgltf/XSkin.h"

#include "base/ReportLog.h"
#include "xgltf/CountLine.h"
#include "xgltf/XSpace.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace verdin::xgltf {

namespace {

// Joint indices are 16 bits wide.
constexpr std::size_t kMaxJoints = std::size_t{1} << 16;

void PutColumns(std::vector<float>& out, const Affine& a)
{
    for (std::size_t column = 0; column < 4; ++column)
        for (std::size_t row = 0; row < 4; ++row)
            out.push_back(row < 3 ? static_cast<float>(a.m[row][column]) : column == 3 ? 1.0f : 0.0f);
}

// The four largest weights scaled to sum 1, the largest taking what rounding
// leaves, so that the sum in floats is 1 as nearly as floats allow. Weights
// of one joint are one weight.
std::array<Influence, kInfluences> Normalised(std::vector<Influence>& weights)
{
    std::stable_sort(weights.begin(), weights.end(),
                     [](const Influence& a, const Influence& b) { return a.joint < b.joint; });
    std::size_t merged = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (merged > 0 && weights[merged - 1].joint == weights[i].joint)
            weights[merged - 1].weight += weights[i].weight;
        else
            weights[merged++] = weights[i];
    }
    weights.resize(merged);
    std::stable_sort(weights.begin(), weights.end(),
                     [](const Influence& a, const Influence& b) { return a.weight > b.weight; });
    const std::size_t kept = std::min(weights.size(), kInfluences);
    double sum = 0;
    for (std::size_t i = 0; i < kept; ++i)
        sum += weights[i].weight;
    std::array<Influence, kInfluences> out{};
    float rest = 1;
    for (std::size_t i = kept; i-- > 1;) {
        out[i] = {weights[i].joint, static_cast<float>(weights[i].weight / sum)};
        rest -= out[i].weight;
    }
    out[0] = {weights[0].joint, rest};
    return out;
}

}  // namespace

std::optional<SkinWeighting> WeighSkin(const XMesh& mesh, int node,
                                       const std::map<std::string, int, std::less<>>& nodes, ReportLog& report)
{
    if (mesh.skin.empty())
        return std::nullopt;
    const std::string name = mesh.name.empty() ? "noname" : mesh.name;
    if (mesh.skin.size() >= kMaxJoints) {
        report.AppendLine(" " + name + " mesh has more than 65535 bones: written without its skin.");
        return std::nullopt;
    }
    SkinWeighting skin;
    std::vector<std::vector<Influence>> weights(mesh.positions.size());
    std::set<std::string> missing;
    std::map<int, std::uint16_t> jointOf;
    std::size_t outOfRange = 0;
    for (const XSkinWeights& bone : mesh.skin) {
        const auto found = nodes.find(bone.frame);
        if (found == nodes.end()) {
            if (missing.insert(bone.frame).second)
                report.AppendLine(" Skin weights of " + name + " mesh for missing frame " + bone.frame + " left out.");
            continue;
        }
        // A node is one joint, whose first matrix holds.
        const auto [known, added] = jointOf.try_emplace(found->second, static_cast<std::uint16_t>(skin.joints.size()));
        const std::uint16_t joint = known->second;
        if (added) {
            skin.joints.push_back(found->second);
            const Affine offset = GltfPlacement(bone.offset);
            if (!offset.IsFinite())
                report.AppendLine(" Skin offset of " + name + " mesh for frame " + bone.frame +
                                  " is no number: none taken.");
            PutColumns(skin.inverseBinds, offset.IsFinite() ? offset : Affine{});
        }
        for (std::size_t i = 0; i < bone.vertices.size(); ++i) {
            const float weight = bone.weights[i];
            if (bone.vertices[i] >= weights.size() || !std::isfinite(weight) || !(weight > 0)) {
                outOfRange += weight != 0 ? 1 : 0;
                continue;
            }
            weights[bone.vertices[i]].push_back({joint, weight});
        }
    }
    if (skin.joints.empty())
        return std::nullopt;
    if (outOfRange > 0)
        report.AppendLine(
            CountLine(outOfRange, " skin weights of " + name + " mesh for missing vertices or not positive left out."));

    if (mesh.duplicates.size() == weights.size())
        for (std::size_t v = 0; v < weights.size(); ++v)
            if (const std::uint32_t original = mesh.duplicates[v];
                weights[v].empty() && original < weights.size() && original != v)
                weights[v] = weights[original];

    std::size_t cut = 0;
    std::optional<std::uint16_t> own;
    skin.influences.reserve(weights.size());
    for (std::vector<Influence>& vertex : weights) {
        if (vertex.empty()) {
            if (!own) {
                const auto [known, added] = jointOf.try_emplace(node, static_cast<std::uint16_t>(skin.joints.size()));
                own = known->second;
                if (added) {
                    skin.joints.push_back(node);
                    PutColumns(skin.inverseBinds, Affine{});
                }
            }
            vertex.push_back({*own, 1});
        }
        skin.influences.push_back(Normalised(vertex));
        cut += vertex.size() > kInfluences ? 1 : 0;  // counted once merged
    }
    if (cut > 0)
        report.AppendLine(CountLine(
            cut, " vertices of " + name + " mesh have more than 4 skin weights: the 4 largest kept, scaled to sum 1."));
    return skin;
}

}  // namespace verdin::xgltf
