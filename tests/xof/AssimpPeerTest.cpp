#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "XSamples.h"
#include "XTestSupport.h"
#include "xof/Xof.h"

namespace verdin::xof::test {
namespace {

// What an independent reader makes of a file, in numbers that can be compared.
struct MeshSummary {
    unsigned vertices = 0;
    unsigned faces = 0;
    unsigned normals = 0;
    unsigned textureCoords = 0;
    unsigned material = 0;
    std::vector<float> sample;  // first and last vertex, first normal, first texture coordinate

    bool operator==(const MeshSummary&) const = default;
};

struct SceneSummary {
    std::vector<MeshSummary> meshes;
    unsigned materials = 0;
    std::vector<std::string> textures;
    std::vector<float> diffuse;

    bool operator==(const SceneSummary&) const = default;
};

void PrintTo(const SceneSummary& scene, std::ostream* out)
{
    *out << scene.meshes.size() << " meshes, " << scene.materials << " materials";
    for (const MeshSummary& mesh : scene.meshes) {
        *out << " [V" << mesh.vertices << " F" << mesh.faces << " N" << mesh.normals << " T" << mesh.textureCoords
             << " M" << mesh.material << "]";
    }
}

void AddVector(std::vector<float>& out, const aiVector3D& vector)
{
    out.insert(out.end(), {vector.x, vector.y, vector.z});
}

// Empty when the reader refuses the bytes.
std::optional<SceneSummary> Load(const std::string& bytes, std::string* why = nullptr)
{
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(bytes.data(), bytes.size(), 0, "x");
    if (!scene) {
        if (why) {
            *why = importer.GetErrorString();
        }
        return std::nullopt;
    }
    SceneSummary summary;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh& mesh = *scene->mMeshes[m];
        MeshSummary meshSummary;
        meshSummary.vertices = mesh.mNumVertices;
        meshSummary.faces = mesh.mNumFaces;
        meshSummary.normals = mesh.mNormals ? mesh.mNumVertices : 0;
        meshSummary.textureCoords = mesh.mTextureCoords[0] ? mesh.mNumVertices : 0;
        meshSummary.material = mesh.mMaterialIndex;
        if (mesh.mNumVertices > 0) {
            AddVector(meshSummary.sample, mesh.mVertices[0]);
            AddVector(meshSummary.sample, mesh.mVertices[mesh.mNumVertices - 1]);
            if (mesh.mNormals) {
                AddVector(meshSummary.sample, mesh.mNormals[0]);
            }
            if (mesh.mTextureCoords[0]) {
                AddVector(meshSummary.sample, mesh.mTextureCoords[0][0]);
            }
        }
        summary.meshes.push_back(meshSummary);
    }
    summary.materials = scene->mNumMaterials;
    for (unsigned m = 0; m < scene->mNumMaterials; ++m) {
        aiString path;
        if (scene->mMaterials[m]->GetTexture(aiTextureType_DIFFUSE, 0, &path) == AI_SUCCESS) {
            summary.textures.emplace_back(path.C_Str());
        }
        aiColor4D colour;
        if (scene->mMaterials[m]->Get(AI_MATKEY_COLOR_DIFFUSE, colour) == AI_SUCCESS) {
            summary.diffuse.insert(summary.diffuse.end(), {colour.r, colour.g, colour.b});
        }
    }
    return summary;
}

std::string Binary(const std::string& text, BinaryOptions options)
{
    Result<std::string> bytes = TextToBinary(text, options);
    if (!bytes) {
        ADD_FAILURE() << bytes.GetError().message;
        return {};
    }
    return std::move(bytes).Value();
}

std::string TextForm(const Document& document, BinaryOptions options)
{
    Result<std::string> text = WriteText(document, options);
    if (!text) {
        ADD_FAILURE() << text.GetError().message;
        return {};
    }
    return std::move(text).Value();
}

// The reader loads the text, both binary forms and both text forms written
// from the model alike.
SceneSummary ExpectSameScene(const std::string& text)
{
    std::string why;
    const auto fromText = Load(text, &why);
    EXPECT_TRUE(fromText) << why;
    if (!fromText) {
        return {};
    }
    const Document document = MustParseText(text);
    for (const BinaryOptions options : {BinaryOptions::Templates, BinaryOptions::None}) {
        for (const std::string& bytes : {Binary(text, options), TextForm(document, options)}) {
            const auto loaded = Load(bytes, &why);
            EXPECT_TRUE(loaded) << why;
            if (loaded) {
                EXPECT_EQ(*loaded, *fromText);
            }
        }
    }
    return *fromText;
}

TEST(AssimpPeer, TexturedMeshWithTemplates)
{
    const SceneSummary scene = ExpectSameScene(TexturedMeshFile(true));
    ASSERT_EQ(scene.materials, 2u);
    EXPECT_EQ(scene.textures, (std::vector<std::string>{"wood.ppm"}));
    ASSERT_EQ(scene.meshes.size(), 2u);  // one per material
    unsigned faces = 0;
    for (const MeshSummary& mesh : scene.meshes) {
        faces += mesh.faces;
        EXPECT_EQ(mesh.normals, mesh.vertices);
        EXPECT_EQ(mesh.textureCoords, mesh.vertices);
    }
    EXPECT_EQ(faces, 3u);
}

// The reader knows the standard objects by name and needs no template
// definitions in a binary file, nor does it refuse objects of other templates.
TEST(AssimpPeer, TexturedMeshWithoutTemplates)
{
    const SceneSummary scene = ExpectSameScene(TexturedMeshFile(false));
    EXPECT_EQ(scene.materials, 2u);
    EXPECT_EQ(scene.meshes.size(), 2u);
}

TEST(AssimpPeer, LongTextureName)
{
    const std::string longName = std::string(150, 't') + ".ppm";
    const SceneSummary scene = ExpectSameScene(TexturedMeshFile(true, longName));
    EXPECT_EQ(scene.textures, (std::vector<std::string>{longName}));
}

TEST(AssimpPeer, SeveralMeshesAndEmptyLists)
{
    const SceneSummary scene = ExpectSameScene(SeveralMeshesFile(true));
    // The reader drops meshes without faces; the material of the empty one stays.
    ASSERT_EQ(scene.meshes.size(), 1u);
    EXPECT_EQ(scene.meshes[0].vertices, 3u);
    EXPECT_EQ(scene.meshes[0].faces, 1u);
    EXPECT_EQ(scene.meshes[0].normals, 3u);
    EXPECT_EQ(scene.materials, 2u);
    const SceneSummary withoutTemplates = ExpectSameScene(SeveralMeshesFile(false));
    EXPECT_EQ(withoutTemplates, scene);
}

TEST(AssimpPeer, HandWrittenFramesAndReferences)
{
    const SceneSummary scene = ExpectSameScene(FramesFile());
    ASSERT_EQ(scene.meshes.size(), 1u);
    EXPECT_EQ(scene.meshes[0].faces, 1u);
    EXPECT_EQ(scene.meshes[0].vertices, 3u);
    EXPECT_EQ(scene.diffuse, (std::vector<float>{1.0f, 0.0f, 0.0f}));
}

TEST(AssimpPeer, BigMesh)
{
    const SceneSummary scene = ExpectSameScene(BigMeshFile(300000));
    ASSERT_EQ(scene.meshes.size(), 1u);
    EXPECT_GT(scene.meshes[0].faces, 1000u);
    EXPECT_EQ(scene.textures, (std::vector<std::string>{"grid.ppm"}));
}

// Exporters' files, with templates that DirectX's mesh library registers and
// names in another case: their binary forms load as the text does.
TEST(AssimpPeer, TextSamplesFromElsewhere)
{
    const std::string samples = verdin::test::SamplesDir();
    if (samples.empty()) {
        GTEST_SKIP() << "../shared/samples is absent";
    }
    for (const char* name : {"anim_test.x", "cube_with_vertex_colors.x", "test.x"}) {
        SCOPED_TRACE(name);
        const SceneSummary scene = ExpectSameScene(verdin::test::ReadFile(samples + "/x/" + name));
        EXPECT_FALSE(scene.meshes.empty());
    }
}

}  // namespace
}  // namespace verdin::xof::test
