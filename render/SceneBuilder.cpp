#include "render/SceneBuilder.h"

#include "base/PathHelpers.h"

#include <utility>

namespace verdin::render {

namespace {

// A mesh's bones are counted in a WORD by XSkinMeshHeader.
constexpr std::size_t kMaxSkinWeights = 0xFFFF;
// Real models name far fewer frames; the cap keeps a file of empty frames small in memory.
constexpr std::size_t kMaxNamedFrames = 1 << 16;

float& Component(Vec3& vector, std::uint64_t index)
{
    return index == 0 ? vector.x : index == 1 ? vector.y : vector.z;
}

}  // namespace

// Template names are matched as loaders match them, without regard to case.
void SceneBuilder::BeginObject(std::string_view templateName, std::string_view name)
{
    const auto is = [templateName](std::string_view known) { return EqualIgnoringCase(templateName, known); };
    const Kind parent = m_open.empty() ? Kind::Other : m_open.back().kind;
    Kind kind = Kind::Other;
    if (is("Frame")) {
        kind = Kind::Frame;
        m_frames.push_back(m_frames.empty() ? kIdentity : m_frames.back());
    } else if (is("FrameTransformMatrix") && parent == Kind::Frame) {
        kind = Kind::FrameTransformMatrix;
        m_matrix = kIdentity;
    } else if (is("Mesh") && !m_mesh) {
        kind = Kind::Mesh;
        m_mesh.emplace();
    } else if (parent == Kind::Mesh && is("MeshNormals")) {
        kind = Kind::MeshNormals;
    } else if (parent == Kind::Mesh && is("MeshTextureCoords")) {
        kind = Kind::MeshTextureCoords;
    } else if (parent == Kind::Mesh && is("MeshVertexColors")) {
        kind = Kind::MeshVertexColors;
    } else if (parent == Kind::Mesh && is("MeshMaterialList")) {
        kind = Kind::MeshMaterialList;
    } else if (is("Material")) {
        kind = Kind::Material;
        m_material = SceneMaterial{};
    } else if (parent == Kind::Material && is("TextureFilename")) {
        kind = Kind::TextureFilename;
    } else if (parent == Kind::Mesh && is("SkinWeights") && m_skin.size() < kMaxSkinWeights) {
        kind = Kind::SkinWeights;
        m_skin.emplace_back();
    }
    m_open.push_back({kind, 0, std::string(name)});
}

void SceneBuilder::Number(double real, std::uint32_t integer)
{
    if (m_open.empty())
        return;
    Open& open = m_open.back();
    const std::uint64_t at = open.values++;
    switch (open.kind) {
    case Kind::FrameTransformMatrix:
        if (at < 16)
            m_matrix[at] = static_cast<float>(real);
        break;
    case Kind::Mesh:
        MeshValue(at, real, integer);
        break;
    case Kind::MeshNormals:
        NormalsValue(at, real, integer);
        break;
    case Kind::MeshTextureCoords:
        CoordsValue(at, real);
        break;
    case Kind::MeshMaterialList:
        MaterialListValue(at, integer);
        break;
    case Kind::Material:
        MaterialValue(at, real);
        break;
    case Kind::SkinWeights:
        SkinValue(at, real, integer);
        break;
    case Kind::MeshVertexColors:
        ColourValue(at, real, integer);
        break;
    default:
        break;
    }
}

template <typename OnTriangle>
void SceneBuilder::FaceValue(FaceWalk& walk, std::uint32_t integer, OnTriangle onTriangle)
{
    if (walk.face >= walk.faces)
        return;
    if (walk.cornersLeft == 0) {  // a face's count of corners
        walk.cornersLeft = integer;
        walk.corner = 0;
        onTriangle(walk.face, 0, integer, integer, integer);
        if (integer == 0)
            ++walk.face;
        return;
    }
    if (walk.corner == 0)
        walk.first = integer;
    else if (walk.corner >= 2)
        onTriangle(walk.face, walk.corner, walk.first, walk.previous, integer);
    walk.previous = integer;
    ++walk.corner;
    if (--walk.cornersLeft == 0)
        ++walk.face;
}

// Mesh and MeshNormals alike: a count, that many vectors, a count of faces,
// then the faces.
template <typename OnTriangle>
void SceneBuilder::VectorsAndFaces(std::uint64_t at, double real, std::uint32_t integer, std::vector<Vec3>& vectors,
                                   FaceWalk& walk, OnTriangle onTriangle)
{
    if (at == 0) {
        m_listSize = integer;
        return;
    }
    if (at <= 3 * m_listSize) {
        const std::uint64_t component = (at - 1) % 3;
        Component(m_vector, component) = static_cast<float>(real);
        if (component == 2)
            vectors.push_back(m_vector);
        return;
    }
    if (at == 3 * m_listSize + 1) {
        walk = FaceWalk{0, integer};
        return;
    }
    FaceValue(walk, integer, onTriangle);
}

void SceneBuilder::MeshValue(std::uint64_t at, double real, std::uint32_t integer)
{
    SceneMesh& mesh = *m_mesh;
    VectorsAndFaces(at, real, integer, mesh.positions, m_faces,
                    [&](std::uint64_t, std::uint32_t corner, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
                        if (corner == 0) {
                            m_faceTriangles.push_back(static_cast<std::uint32_t>(mesh.triangles.size()));
                            ++mesh.faces;
                        } else {
                            mesh.triangles.push_back(Triangle{{a, b, c}});
                        }
                    });
}

std::pair<std::size_t, std::size_t> SceneBuilder::TrianglesOfFace(std::uint64_t face) const
{
    if (face >= m_faceTriangles.size())
        return {0, 0};
    const std::size_t end = face + 1 < m_faceTriangles.size() ? m_faceTriangles[face + 1] : m_mesh->triangles.size();
    return {m_faceTriangles[face], end};
}

void SceneBuilder::NormalsValue(std::uint64_t at, double real, std::uint32_t integer)
{
    SceneMesh& mesh = *m_mesh;
    VectorsAndFaces(at, real, integer, mesh.normals, m_normalFaces,
                    [&](std::uint64_t face, std::uint32_t corner, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
                        const auto [first, end] = TrianglesOfFace(face);
                        if (corner >= 2 && first + (corner - 2) < end)
                            mesh.triangles[first + (corner - 2)].normals = {a, b, c};
                    });
}

void SceneBuilder::CoordsValue(std::uint64_t at, double real)
{
    if (at == 0)
        return;
    m_uv[(at - 1) % 2] = static_cast<float>(real);
    if ((at - 1) % 2 == 1)
        m_mesh->uvs.push_back(m_uv);
}

void SceneBuilder::MaterialListValue(std::uint64_t at, std::uint32_t integer)
{
    if (at == 1)
        m_materialFaces = integer;
    if (at < 2 || at - 2 >= m_materialFaces)
        return;
    const auto [first, end] = TrianglesOfFace(at - 2);
    for (std::size_t t = first; t < end; ++t)
        m_mesh->triangles[t].material = integer;
}

void SceneBuilder::MaterialValue(std::uint64_t at, double real)
{
    const auto value = static_cast<float>(real);
    if (at < 3)
        Component(m_material.colour, at) = value;
    else if (at >= 8 && at < 11)
        Component(m_material.emissive, at - 8) = value;
}

// A count, then for each colour its vertex, red, green, blue and alpha. A
// vertex that no colour names is white; the alpha is passed over, as the
// picture is opaque.
void SceneBuilder::ColourValue(std::uint64_t at, double real, std::uint32_t integer)
{
    if (at == 0)
        return;
    SceneMesh& mesh = *m_mesh;
    const std::uint64_t member = (at - 1) % 5;
    if (member == 0)
        m_colourVertex = integer;
    else if (member < 4 && m_colourVertex < mesh.positions.size()) {
        if (mesh.colours.empty())
            mesh.colours.assign(mesh.positions.size(), Vec3{1, 1, 1});
        Component(mesh.colours[m_colourVertex], member - 1) = static_cast<float>(real);
    }
}

// The frame's name, then a count, that many vertices, as many weights, and
// the offset matrix.
void SceneBuilder::SkinValue(std::uint64_t at, double real, std::uint32_t integer)
{
    SkinWeights& skin = m_skin.back();
    if (at == 0)
        m_listSize = integer;
    else if (at <= m_listSize)
        skin.vertices.push_back(integer);
    else if (at <= 2 * m_listSize)
        skin.weights.push_back(static_cast<float>(real));
    else if (at - 2 * m_listSize <= 16)
        skin.offset[at - 2 * m_listSize - 1] = static_cast<float>(real);
}

void SceneBuilder::Text(std::string text)
{
    if (m_open.empty())
        return;
    Open& open = m_open.back();
    if (open.kind == Kind::TextureFilename && open.values++ == 0)
        m_material.textureName = std::move(text);
    else if (open.kind == Kind::SkinWeights && open.values == 0)
        m_skin.back().frame = std::move(text);
}

void SceneBuilder::Reference(std::string_view name)
{
    if (m_open.empty() || m_open.back().kind != Kind::MeshMaterialList)
        return;
    const auto found = m_namedMaterials.find(name);
    m_mesh->materials.push_back(found != m_namedMaterials.end() ? found->second : SceneMaterial{});
}

void SceneBuilder::EndObject()
{
    if (m_open.empty())
        return;
    const Open open = std::move(m_open.back());
    m_open.pop_back();
    const Kind parent = m_open.empty() ? Kind::Other : m_open.back().kind;
    switch (open.kind) {
    case Kind::Frame:
        if (!open.name.empty() && m_frameWorlds.size() < kMaxNamedFrames)
            m_frameWorlds.try_emplace(open.name, m_frames.back());
        m_frames.pop_back();
        break;
    case Kind::FrameTransformMatrix: {
        // The frame's own transform goes first, then its parents'.
        const RowMatrix parentWorld = m_frames.size() > 1 ? m_frames[m_frames.size() - 2] : kIdentity;
        m_frames.back() = Multiply(m_matrix, parentWorld);
        break;
    }
    case Kind::Mesh:
        FinishMesh();
        break;
    case Kind::Material:
        if (parent == Kind::MeshMaterialList)
            m_mesh->materials.push_back(std::move(m_material));
        else if (!open.name.empty())
            m_namedMaterials[open.name] = std::move(m_material);
        break;
    default:
        break;
    }
}

void SceneBuilder::FinishMesh()
{
    SceneMesh& mesh = *m_mesh;
    if (!m_skin.empty()) {
        m_skinned.push_back({m_scene.meshes.size(), m_frames.empty() ? kIdentity : m_frames.back(), std::move(m_skin)});
        m_skin = {};
    } else if (!m_frames.empty()) {
        const RowMatrix& world = m_frames.back();
        for (Vec3& position : mesh.positions)
            position = TransformPoint(position, world);
        for (Vec3& normal : mesh.normals)
            normal = TransformDirection(normal, world);
    }
    if (mesh.uvs.size() != mesh.positions.size())
        mesh.uvs.clear();
    m_scene.meshes.push_back(std::move(mesh));
    m_mesh.reset();
    m_faceTriangles = {};
}

void SceneBuilder::Finish()
{
    for (const Skinned& skinned : m_skinned)
        if (skinned.mesh < m_scene.meshes.size())
            PlaceSkinnedMesh(m_scene.meshes[skinned.mesh], skinned.skin, m_frameWorlds, skinned.meshWorld);
    m_skinned = {};
}

}  // namespace verdin::render
