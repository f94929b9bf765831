#pragma once

#include "render/RowMatrix.h"
#include "render/Scene.h"
#include "render/Skinning.h"
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
// the meshes that refer to them. A mesh with SkinWeights is drawn skinned to
// the frames they name, in their rest pose. Values are taken as the standard
// templates order them; objects of other templates are passed over.
class SceneBuilder : public xof::ObjectVisitor {
public:
    explicit SceneBuilder(Scene& scene) : m_scene(scene) {}

    // Places the skinned meshes, whose frames may come anywhere in the file:
    // to be called once the whole file has been read.
    void Finish();

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
        SkinWeights,
        MeshVertexColors,
    };
    struct Open {
        Kind kind = Kind::Other;
        std::uint64_t values = 0;  // taken so far
        std::string name;
    };
    // A skinned mesh of the scene waiting for the frames its weights name.
    struct Skinned {
        std::size_t mesh = 0;
        RowMatrix meshWorld = kIdentity;  // where its vertices without weights go
        std::vector<SkinWeights> skin;
    };

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
    void SkinValue(std::uint64_t at, double real, std::uint32_t integer);
    void ColourValue(std::uint64_t at, double real, std::uint32_t integer);
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
    std::vector<RowMatrix> m_frames;  // each open frame's transform to the world
    RowMatrix m_matrix{};             // a FrameTransformMatrix being read
    FrameWorlds m_frameWorlds;        // every named frame's, for skinning

    std::optional<SceneMesh> m_mesh;
    std::vector<std::uint32_t> m_faceTriangles;  // the first triangle of each face
    std::uint64_t m_listSize = 0;                // of the array being read
    FaceWalk m_faces;
    FaceWalk m_normalFaces;
    std::uint64_t m_materialFaces = 0;
    Vec3 m_vector;
    std::array<float, 2> m_uv{};
    std::uint32_t m_colourVertex = 0;  // of the vertex colour being read
    std::vector<SkinWeights> m_skin;   // of the mesh being read
    std::vector<Skinned> m_skinned;

    SceneMaterial m_material;
    std::map<std::string, SceneMaterial, std::less<>> m_namedMaterials;
};

}  // namespace verdin::render
