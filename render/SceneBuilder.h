#pragma once

#include "render/Scene.h"
#include "xof/Visitor.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verdin::render {

// Makes the scene of a DirectX file's objects as a reader hands them over:
// frames with their transforms, meshes with their normals, texture
// coordinates and materials, and the materials named at the top level for
// the meshes that refer to them. Values are taken as the standard templates
// order them; objects of other templates are passed over.
class SceneBuilder : public xof::ObjectVisitor {
public:
    explicit SceneBuilder(Scene& scene) : m_scene(scene) {}

    void BeginObject(std::string_view templateName, std::string_view name) override;
    void Integer(std::uint32_t value) override { Number(value, value); }
    void Real(double value) override { Number(value, 0); }
    void Text(std::string text) override;
    void Reference(std::string_view name) override;
    void EndObject() override;

private:
    enum class Kind {
        Other,
        Frame,
        FrameTransformMatrix,
        Mesh,
        MeshNormals,
        MeshTextureCoords,
        MeshMaterialList,
        Material,
        TextureFilename,
    };
    struct Open {
        Kind kind = Kind::Other;
        std::uint64_t values = 0;  // taken so far
        std::string name;
    };
    using Matrix = std::array<float, 16>;

    // Lists of faces, each a count and that many indices.
    struct FaceWalk {
        std::uint64_t face = 0;  // the face being read
        std::uint64_t faces = 0;
        std::uint32_t cornersLeft = 0;
        std::uint32_t corner = 0;
        std::uint32_t first = 0;
        std::uint32_t previous = 0;
    };

    void Number(double real, std::uint32_t integer);
    void MeshValue(std::uint64_t at, double real, std::uint32_t integer);
    void NormalsValue(std::uint64_t at, double real, std::uint32_t integer);
    void CoordsValue(std::uint64_t at, double real);
    void MaterialListValue(std::uint64_t at, std::uint32_t integer);
    void MaterialValue(std::uint64_t at, double real);
    template <typename OnTriangle>
    void VectorsAndFaces(std::uint64_t at, double real, std::uint32_t integer, std::vector<Vec3>& vectors,
                         FaceWalk& walk, OnTriangle onTriangle);
    // A value of a face list; the face's triangles are told corner by corner.
    template <typename OnCorner>
    void FaceValue(FaceWalk& walk, std::uint32_t integer, OnCorner onCorner);
    void FinishMesh();
    [[nodiscard]] bool InCurrentMesh() const;
    [[nodiscard]] std::pair<std::size_t, std::size_t> TrianglesOfFace(std::uint64_t face) const;

    Scene& m_scene;
    std::vector<Open> m_open;
    std::vector<Matrix> m_frames;  // each open frame's transform to the world
    Matrix m_matrix{};             // a FrameTransformMatrix being read

    std::optional<SceneMesh> m_mesh;
    std::vector<std::uint32_t> m_faceTriangles;  // the first triangle of each face
    std::uint64_t m_listSize = 0;                // of the array being read
    FaceWalk m_faces;
    FaceWalk m_normalFaces;
    std::uint64_t m_materialFaces = 0;
    Vec3 m_vector;
    std::array<float, 2> m_uv{};

    SceneMaterial m_material;
    std::map<std::string, SceneMaterial, std::less<>> m_namedMaterials;
};

}  // namespace verdin::render
