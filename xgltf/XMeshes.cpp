#include "xgltf/XMeshes.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "gltf/Materials.h"
#include "xgltf/CountLine.h"
#include "xgltf/XSkin.h"
#include "xgltf/XSpace.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace verdin::xgltf {

namespace {

using gltf::Json;

// A factor glTF takes in [0, 1].
double Unit(float value)
{
    return std::isfinite(value) ? std::clamp(static_cast<double>(value), 0.0, 1.0) : 0.0;
}

// The attributes of the corners written, each a vertex with its normal.
struct Corners {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<float> uvs;
    std::vector<float> colours;
    std::vector<std::uint32_t> vertices;  // the file's vertex of each corner
    std::size_t nonFinite = 0;

    template <std::size_t N>
    void Put(std::vector<float>& values, const std::array<float, N>& from)
    {
        for (const float value : from) {
            nonFinite += std::isfinite(value) ? 0 : 1;
            values.push_back(std::isfinite(value) ? value : 0);
        }
    }
};

// The normal at unit length; nothing for one of no length.
std::optional<std::array<float, 3>> UnitNormal(const std::array<float, 3>& n)
{
    const double x = n[0], y = n[1], z = n[2];
    const double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0) || !std::isfinite(length))
        return std::nullopt;
    return std::array<float, 3>{static_cast<float>(x / length), static_cast<float>(y / length),
                                static_cast<float>(z / length)};
}

// A point or normal of the file in glTF's axes, then placed by `bake`.
std::array<float, 3> Placed(const std::array<float, 3>& v, const Affine* bake, bool normal)
{
    const Vector3 mirrored = kMirrorX(Vector3{v[0], v[1], v[2]});
    const Vector3 placed = !bake ? mirrored : normal ? bake->Normal(mirrored) : bake->Point(mirrored);
    return {static_cast<float>(placed[0]), static_cast<float>(placed[1]), static_cast<float>(placed[2])};
}

std::array<float, 3> FaceNormal(const Corners& corners, std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    const auto at = [&corners](std::uint32_t corner, std::size_t axis) {
        return static_cast<double>(corners.positions[corner * 3 + axis]);
    };
    double u[3], v[3];
    for (std::size_t i = 0; i < 3; ++i) {
        u[i] = at(b, i) - at(a, i);
        v[i] = at(c, i) - at(a, i);
    }
    const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(length > 0) || !std::isfinite(length))
        return {0, 1, 0};
    return {static_cast<float>(n[0] / length), static_cast<float>(n[1] / length), static_cast<float>(n[2] / length)};
}

}  // namespace

MeshWriter::MeshWriter(gltf::GltfDocument& document, ReportLog& report,
                       const std::map<std::string, int, std::less<>>& nodes, TextureOf textureOf)
    : m_document(document), m_report(report), m_nodes(nodes), m_textureOf(std::move(textureOf))
{
}

WrittenMesh MeshWriter::Write(const XMesh& mesh, int node, const Affine& bake)
{
    const std::string name = mesh.name.empty() ? "noname" : mesh.name;
    const std::size_t vertexCount = mesh.positions.size();
    const bool hasNormals = !mesh.normals.empty() && !mesh.normalFaces.empty();
    const bool hasUvs = mesh.uvs.size() == vertexCount;
    const bool hasColours = mesh.colours.size() == vertexCount;
    const std::optional<SkinWeighting> skin = WeighSkin(mesh, node, m_nodes, m_report);
    // A skinned mesh is placed by its joints alone.
    const Affine* placement = skin || bake.IsIdentity() ? nullptr : &bake;

    Corners corners;
    std::unordered_map<std::uint64_t, std::uint32_t> shared;
    // Corners of the face being made that take its normal: the file gives
    // them none, or one of no length.
    std::vector<std::uint32_t> withoutNormal;
    // A corner of the file's vertex and normal, made once.
    const auto cornerOf = [&](std::uint32_t vertex, std::uint32_t normal) {
        const std::uint64_t key = (std::uint64_t{vertex} << 32) | normal;
        const std::optional<std::array<float, 3>> own = hasNormals && normal < mesh.normals.size()
                                                            ? UnitNormal(Placed(mesh.normals[normal], placement, true))
                                                            : std::nullopt;
        const bool shareable = !hasNormals || own;
        if (shareable)
            if (const auto found = shared.find(key); found != shared.end())
                return found->second;
        const auto corner = static_cast<std::uint32_t>(corners.vertices.size());
        corners.vertices.push_back(vertex);
        corners.Put(corners.positions, Placed(mesh.positions[vertex], placement, false));
        if (hasNormals) {
            corners.Put(corners.normals, own.value_or(std::array<float, 3>{}));
            if (!own)
                withoutNormal.push_back(corner);
        }
        if (hasUvs)
            corners.Put(corners.uvs, mesh.uvs[vertex]);
        if (hasColours) {
            std::array<float, 4> colour = mesh.colours[vertex];
            for (float& channel : colour)
                channel = static_cast<float>(Unit(channel));
            corners.Put(corners.colours, colour);
        }
        if (shareable)
            shared.emplace(key, corner);
        return corner;
    };

    // The triangles of each material; the last list is for faces without one.
    std::vector<std::vector<std::uint32_t>> triangles(mesh.materials.size() + 1);
    std::size_t face = 0, skipped = 0, triangleCount = 0;
    std::size_t normalAt = 0;
    for (std::size_t at = 0; at < mesh.faces.size(); at += 1 + mesh.faces[at], ++face) {
        const std::uint32_t count = mesh.faces[at];
        const std::uint32_t* vertices = mesh.faces.data() + at + 1;
        const std::uint32_t* normals = nullptr;
        if (hasNormals && normalAt < mesh.normalFaces.size()) {
            if (mesh.normalFaces[normalAt] == count)
                normals = mesh.normalFaces.data() + normalAt + 1;
            normalAt += 1 + mesh.normalFaces[normalAt];
        }
        if (count < 3 || std::any_of(vertices, vertices + count, [&](std::uint32_t v) { return v >= vertexCount; })) {
            ++skipped;
            continue;
        }
        std::size_t material =
            mesh.faceMaterials.empty() ? 0 : mesh.faceMaterials[std::min(face, mesh.faceMaterials.size() - 1)];
        material = std::min(material, mesh.materials.size());
        std::vector<std::uint32_t> made(count);
        for (std::uint32_t i = 0; i < count; ++i)
            made[i] = cornerOf(vertices[i], normals ? normals[i] : 0xFFFFFFFFu);
        if (!withoutNormal.empty()) {
            const std::array<float, 3> n = FaceNormal(corners, made[0], made[2], made[1]);
            for (const std::uint32_t corner : withoutNormal)
                std::copy(n.begin(), n.end(), corners.normals.begin() + corner * 3);
            withoutNormal.clear();
        }
        // A fan, each triangle turned round.
        for (std::uint32_t i = 1; i + 1 < count; ++i)
            triangles[material].insert(triangles[material].end(), {made[0], made[i + 1], made[i]});
        triangleCount += count - 2;
    }

    m_report.AppendLine(" writing " + name + " mesh:V=" + FormatInt(static_cast<long long>(corners.vertices.size())) +
                        " F=" + FormatInt(static_cast<long long>(triangleCount)) + " ");
    if (skipped > 0)
        m_report.AppendLine(
            CountLine(skipped, " faces of " + name + " mesh with fewer than 3 corners or a missing vertex left out."));
    if (corners.nonFinite > 0)
        m_report.AppendLine(" Non-finite numbers in " + name + " mesh written as 0.");
    if (triangleCount == 0)
        return {};

    WrittenMesh written;
    gltf::MeshPrimitive attributes;
    attributes.positions = m_document.AddFloats(std::move(corners.positions), 3, true);
    if (hasNormals)
        attributes.normals = m_document.AddFloats(std::move(corners.normals), 3, false);
    if (hasUvs)
        attributes.uvs = m_document.AddFloats(std::move(corners.uvs), 2, false);
    if (hasColours)
        attributes.colours = m_document.AddFloats(std::move(corners.colours), 4, false);
    if (skin) {
        std::vector<std::uint16_t> joints;
        std::vector<float> weights;
        joints.reserve(corners.vertices.size() * 4);
        weights.reserve(corners.vertices.size() * 4);
        for (const std::uint32_t vertex : corners.vertices)
            for (const Influence& influence : skin->influences[vertex]) {
                joints.push_back(influence.joint);
                weights.push_back(influence.weight);
            }
        attributes.joints = m_document.AddJoints(joints);
        attributes.weights = m_document.AddFloats(std::move(weights), 4, false);
        written.skin =
            m_document.Add("skins", {{"inverseBindMatrices", m_document.AddKeyFloats(skin->inverseBinds, 16)},
                                     {"joints", skin->joints}});
    }
    std::vector<gltf::MeshPrimitive> primitives;
    for (std::size_t material = 0; material < triangles.size(); ++material) {
        if (triangles[material].empty())
            continue;
        gltf::MeshPrimitive primitive = attributes;
        primitive.indices = m_document.AddIndices(std::move(triangles[material]));
        primitive.material =
            MaterialOf(material < mesh.materials.size() ? &mesh.materials[material] : nullptr, hasColours);
        primitives.push_back(std::move(primitive));
    }
    written.mesh = m_document.AddMesh(mesh.name, std::move(primitives));
    return written;
}

// DirectX draws with a vertex's colour in place of the material's, keeping
// the material's alpha. The power narrows the highlight as the converter's
// other glTF materials map it; a black specular colour has none.
int MeshWriter::MaterialOf(const XMaterial* material, bool vertexColours)
{
    const XMaterial look = material ? *material : XMaterial{};
    const double alpha = Unit(look.colour[3]);
    Json pbr;
    if (vertexColours)
        pbr["baseColorFactor"] = {1.0, 1.0, 1.0, alpha};
    else
        pbr["baseColorFactor"] = {Unit(look.colour[0]), Unit(look.colour[1]), Unit(look.colour[2]), alpha};
    if (!look.texture.empty())
        if (const int texture = m_textureOf(look.texture); texture >= 0)
            pbr["baseColorTexture"] = {{"index", texture}};
    const bool highlight =
        std::any_of(look.specular.begin(), look.specular.end(), [](float c) { return Unit(c) > 0; }) &&
        std::isfinite(look.power) && look.power > 0;
    pbr["metallicFactor"] = 0;
    pbr["roughnessFactor"] = highlight ? gltf::PhongRoughness(look.power) : 1.0;
    Json json = {{"pbrMetallicRoughness", std::move(pbr)}};
    if (std::any_of(look.emissive.begin(), look.emissive.end(), [](float c) { return Unit(c) > 0; }))
        json["emissiveFactor"] = {Unit(look.emissive[0]), Unit(look.emissive[1]), Unit(look.emissive[2])};
    if (highlight) {
        json["extensions"]["KHR_materials_specular"]["specularColorFactor"] = {
            Unit(look.specular[0]), Unit(look.specular[1]), Unit(look.specular[2])};
        if (!m_specularDeclared) {
            m_document.Add("extensionsUsed", "KHR_materials_specular");
            m_specularDeclared = true;
        }
    }
    if (alpha < 1)
        json["alphaMode"] = "BLEND";
    const auto [alike, added] = m_materials.try_emplace(json.dump(), 0);
    if (added)
        alike->second = m_document.Add("materials", std::move(json));
    return alike->second;
}

}  // namespace verdin::xgltf
