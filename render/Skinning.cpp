#include "render/Skinning.h"

#include <algorithm>
#include <cmath>

namespace verdin::render {

namespace {

// Below this a vertex's weights are taken to move it nowhere.
constexpr float kLeastWeight = 1e-6f;

// The bones of the frames the file has, and their weights.
void ResolveBones(std::span<const SkinWeights> skin, const FrameWorlds& frames, std::vector<RowMatrix>& bones,
                  std::vector<BoneWeight>& weights)
{
    for (const SkinWeights& bone : skin) {
        const auto frame = frames.find(bone.frame);
        if (frame == frames.end())
            continue;
        const auto index = static_cast<std::uint32_t>(bones.size());
        bones.push_back(Multiply(bone.offset, frame->second));
        const std::size_t count = std::min(bone.vertices.size(), bone.weights.size());
        for (std::size_t i = 0; i < count; ++i)
            weights.push_back({bone.vertices[i], index, bone.weights[i]});
    }
}

}  // namespace

std::vector<RowMatrix> BlendBones(std::size_t vertices, std::span<const RowMatrix> bones,
                                  std::span<const BoneWeight> weights, const RowMatrix& meshWorld)
{
    std::vector<RowMatrix> blends(vertices, RowMatrix{});
    std::vector<float> totals(vertices, 0.0f);
    for (const BoneWeight& weight : weights) {
        if (weight.vertex >= vertices || weight.bone >= bones.size())
            continue;
        const RowMatrix& bone = bones[weight.bone];
        for (std::size_t k = 0; k < 16; ++k)
            blends[weight.vertex][k] += weight.weight * bone[k];
        totals[weight.vertex] += weight.weight;
    }
    for (std::size_t v = 0; v < vertices; ++v) {
        if (std::isfinite(totals[v]) && totals[v] > kLeastWeight)
            std::transform(blends[v].begin(), blends[v].end(), blends[v].begin(),
                           [total = totals[v]](float value) { return value / total; });
        else
            blends[v] = meshWorld;
    }
    return blends;
}

void PlaceSkinnedMesh(SceneMesh& mesh, std::span<const SkinWeights> skin, const FrameWorlds& frames,
                      const RowMatrix& meshWorld)
{
    std::vector<RowMatrix> bones;
    std::vector<BoneWeight> weights;
    ResolveBones(skin, frames, bones, weights);
    const std::vector<RowMatrix> blends = BlendBones(mesh.positions.size(), bones, weights, meshWorld);
    for (std::size_t v = 0; v < mesh.positions.size(); ++v)
        mesh.positions[v] = TransformPoint(mesh.positions[v], blends[v]);

    // Normals are listed apart from vertices; each takes its first vertex's blend.
    std::vector<const RowMatrix*> normalBlends(mesh.normals.size(), nullptr);
    for (const Triangle& triangle : mesh.triangles)
        for (std::size_t k = 0; k < 3; ++k) {
            const std::uint32_t normal = triangle.normals[k], vertex = triangle.vertices[k];
            if (normal < normalBlends.size() && vertex < blends.size() && !normalBlends[normal])
                normalBlends[normal] = &blends[vertex];
        }
    for (std::size_t n = 0; n < mesh.normals.size(); ++n)
        mesh.normals[n] = TransformDirection(mesh.normals[n], normalBlends[n] ? *normalBlends[n] : meshWorld);
}

}  // namespace verdin::render
