#include "AssimpReader.h"
#include "CobBodies.h"
#include "IrrlichtReader.h"
#include "TestSupport.h"
#include "XMeshText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <map>

namespace verdin::test {
namespace {

// Checks that assimp reads every corner of every written face as the
// converter meant it. Its X importer turns the scene left-handed (z negated,
// corners reversed), counts v from the other edge, and splits each mesh by
// material, in material order.
void ExpectAssimpAgrees(const std::string& xPath)
{
    const std::vector<ParsedMesh> meshes = ParseMeshes(ReadFile(xPath));
    const LoadedScene scene = LoadWithAssimp(xPath);
    ASSERT_TRUE(scene.loaded) << xPath << ": " << scene.error;
    std::size_t next = 0;
    for (const ParsedMesh& mesh : meshes) {
        std::map<int, std::vector<std::size_t>> byMaterial;
        for (std::size_t f = 0; f < mesh.faces.size(); ++f)
            byMaterial[mesh.faceMaterials.at(f)].push_back(f);
        for (const auto& [material, faces] : byMaterial) {
            ASSERT_LT(next, scene.meshes.size());
            const LoadedMesh& loaded = scene.meshes[next++];
            ASSERT_EQ(loaded.faces.size(), faces.size());
            EXPECT_EQ(loaded.hasUVs, !mesh.uvs.empty());
            for (std::size_t i = 0; i < faces.size(); ++i) {
                const std::vector<int>& corners = mesh.faces[faces[i]];
                const std::vector<LoadedCorner>& seen = loaded.faces[i].corners;
                ASSERT_EQ(seen.size(), corners.size());
                for (std::size_t c = 0; c < corners.size(); ++c) {
                    const LoadedCorner& corner = seen[corners.size() - 1 - c];
                    const auto& position = mesh.vertices.at(static_cast<std::size_t>(corners[c]));
                    EXPECT_NEAR(corner.position[0], position[0], 1e-5);
                    EXPECT_NEAR(corner.position[1], position[1], 1e-5);
                    EXPECT_NEAR(corner.position[2], -position[2], 1e-5);
                    const auto& normal = mesh.normals.at(static_cast<std::size_t>(mesh.faceNormals.at(faces[i]).at(c)));
                    EXPECT_NEAR(corner.normal[0], normal[0], 1e-5);
                    EXPECT_NEAR(corner.normal[1], normal[1], 1e-5);
                    EXPECT_NEAR(corner.normal[2], -normal[2], 1e-5);
                    if (!mesh.uvs.empty()) {
                        const auto& uv = mesh.uvs.at(static_cast<std::size_t>(corners[c]));
                        EXPECT_NEAR(corner.uv[0], uv[0], 1e-5);
                        EXPECT_NEAR(corner.uv[1], 1 - uv[1], 1e-5);
                    }
                }
            }
        }
    }
    EXPECT_EQ(next, scene.meshes.size());
}

// Checks that a game engine's loader reads the file as the converter meant
// it: one buffer per material of each mesh, with the material's colour and
// texture, and a triangle fan for each face of that material.
void ExpectIrrlichtAgrees(const std::string& xPath)
{
    const std::vector<ParsedMesh> meshes = ParseMeshes(ReadFile(xPath));
    const IrrlichtScene scene = LoadWithIrrlicht(xPath);
    ASSERT_TRUE(scene.loaded) << xPath << ": " << scene.error;
    const std::filesystem::path folder = std::filesystem::path(xPath).parent_path();
    std::size_t next = 0;
    for (const ParsedMesh& mesh : meshes) {
        if (mesh.materials.empty()) {  // a mesh without faces: one empty buffer of the default material
            ASSERT_LT(next, scene.buffers.size()) << xPath;
            EXPECT_EQ(scene.buffers[next++].indices, 0u) << xPath;
            continue;
        }
        std::vector<unsigned> indices(mesh.materials.size());
        for (std::size_t f = 0; f < mesh.faces.size(); ++f)
            indices.at(static_cast<std::size_t>(mesh.faceMaterials.at(f))) +=
                3 * static_cast<unsigned>(mesh.faces[f].size() - 2);
        for (std::size_t m = 0; m < mesh.materials.size(); ++m) {
            ASSERT_LT(next, scene.buffers.size()) << xPath;
            const IrrlichtBuffer& buffer = scene.buffers[next++];
            const ParsedMaterial& material = mesh.materials[m];
            EXPECT_EQ(buffer.indices, indices[m]) << xPath << " buffer " << next - 1;
            for (std::size_t i = 0; i < 3; ++i)
                EXPECT_NEAR(buffer.colour[i], material.colour[i] * 255, 1) << xPath;
            const bool imageThere = !material.texture.empty() && std::filesystem::exists(folder / material.texture);
            EXPECT_EQ(buffer.texture, imageThere ? (folder / material.texture).string() : "") << xPath;
        }
    }
    EXPECT_EQ(next, scene.buffers.size()) << xPath;
}

class Mesh : public ::testing::Test {
protected:
    // Converts a file of one polygon object (id 1) and its materials.
    std::string Convert(const PolygonSpec& polygon, const std::vector<MaterialSpec>& materials = {})
    {
        CobBuilder cob;
        cob.Header().Chunk("PolH", 0, 8, 1, 0, PolHBody(polygon));
        for (const MaterialSpec& material : materials)
            cob.Chunk("Mat1", 0, 6, 2, 1, Mat1Body(material));
        return ConvertFile(cob.End());
    }

    std::string ConvertFile(const CobBuilder& cob)
    {
        EXPECT_TRUE(cob.WriteTo(dir.Path("model.cob")));
        const JobRun run = RunJob({dir.Path("model.cob")}, options);
        report = run.report.substr(run.report.find("\r\n") + 2);
        if (run.report.find(" F=0 ") == std::string::npos)  // assimp refuses scenes without faces
            ExpectAssimpAgrees(dir.Path("model.x"));
        ExpectIrrlichtAgrees(dir.Path("model.x"));
        const std::string written = ReadFile(dir.Path("model.x"));
        const std::size_t mesh = written.find("Mesh{");
        return mesh == std::string::npos ? std::string() : written.substr(mesh);
    }

    TempDir dir;
    OptionFlags options;
    std::string report;
};

MaterialSpec Textured(std::int16_t number = 0)
{
    MaterialSpec material;
    material.number = number;
    material.texture = MapSpec{0x02, "wood.ppm", {0, 0}, {1, 1}};
    return material;
}

MaterialSpec Facet(char facet, std::uint8_t angle = 30)
{
    MaterialSpec material;
    material.facet = facet;
    material.autoFacetAngle = angle;
    return material;
}

PolygonSpec Cube()
{
    PolygonSpec cube = NamedPolygon("cube");
    cube.vertices = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                     {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
    for (auto side : {std::array{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 4, 7, 3}}) {
        FaceSpec face;
        for (int v : side)
            face.corners.emplace_back(v, 0);
        cube.faces.push_back(face);
    }
    return cube;
}

// The object that begins with `start`, up to its closing brace.
std::string Section(const std::string& mesh, const std::string& start)
{
    const std::size_t at = mesh.find(start);
    if (at == std::string::npos)
        return {};
    int depth = 0;
    for (std::size_t i = at; i < mesh.size(); ++i) {
        depth += mesh[i] == '{' ? 1 : mesh[i] == '}' ? -1 : 0;
        if (depth == 0 && mesh[i] == '}')
            return mesh.substr(at, i + 3 - at);
    }
    return {};
}

TEST_F(Mesh, CornersWithANewCoordinateGetVerticesBehindTheStoredOnes)
{
    PolygonSpec polygon = NamedPolygon("split");
    polygon.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    polygon.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    polygon.faces = {{0x10, 0, {{0, 0}, {1, 1}, {2, 2}}}, {0x10, 0, {{0, 3}, {2, 2}, {3, 1}}}};
    const std::string mesh = Convert(polygon, {Textured()});
    EXPECT_TRUE(mesh.starts_with(WithCrLf("Mesh{\n5;\n0.000000;0.000000;0.000000;,\n1.000000;0.000000;0.000000;,\n"
                                          "1.000000;1.000000;0.000000;,\n0.000000;1.000000;0.000000;,\n"
                                          "0.000000;0.000000;0.000000;;\n2;\n3;0,1,2;,\n3;4,2,3;;\n")));
    EXPECT_EQ(Section(mesh, "MeshTextureCoords{"),
              WithCrLf("MeshTextureCoords{\n5;\n0.000000;0.000000;\n1.000000;0.000000;\n1.000000;1.000000;\n"
                       "1.000000;0.000000;\n0.000000;1.000000;\n;\n}\n"));
    EXPECT_NE(report.find(" writing split mesh:V=4 F=2 N=2 T=5 \r\n"), std::string::npos) << report;

    for (FaceSpec& face : polygon.faces)
        face.flags = 0;
    const std::string reversed = Convert(polygon, {Textured()});
    EXPECT_NE(reversed.find(WithCrLf("\n2;\n3;2,1,0;,\n3;3,2,4;;\n")), std::string::npos);
    EXPECT_NE(reversed.find(WithCrLf("\n0.000000;0.000000;0.000000;;\n")), std::string::npos);
}

TEST_F(Mesh, SplittingComparesCoordinatesExactlyAndOnlyForTexturedFaces)
{
    PolygonSpec polygon = NamedPolygon("exact");
    polygon.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    polygon.uvs = {{0.5f, 0.5f}, {std::nextafter(0.5f, 1.0f), 0.5f}, {0.5f, 0.5f}, {0.9f, 0.9f}};
    polygon.faces = {{0x10, 0, {{0, 0}, {1, 3}, {2, 3}}},
                     {0x10, 0, {{0, 2}, {2, 3}, {3, 3}}},   // same coordinate through another entry: shared
                     {0x10, 0, {{0, 1}, {3, 3}, {1, 3}}},   // one bit apart: a new vertex
                     {0x10, 1, {{0, 3}, {1, 0}, {2, 1}}}};  // untextured: adds nothing
    const std::string mesh = Convert(polygon, {Textured(0), MaterialSpec{1, 'f', 30, {1, 1, 1}, 0, std::nullopt}});
    EXPECT_TRUE(mesh.starts_with(WithCrLf("Mesh{\n5;\n")));
    EXPECT_NE(mesh.find(WithCrLf("\n4;\n3;0,1,2;,\n3;0,2,3;,\n3;4,3,1;,\n3;0,1,2;;\n")), std::string::npos);
}

// Past a few coordinates a vertex's records are found through an index, with
// the same outcome: 0 and -0 are one coordinate, NaN matches nothing.
TEST_F(Mesh, AVertexWithManyCoordinatesSplitsAsOneWithFew)
{
    PolygonSpec fan = NamedPolygon("fan");
    fan.vertices = {{0, 0, 0}};
    for (int k = 0; k < 13; ++k) {
        fan.vertices.push_back({std::cos(0.48f * k), std::sin(0.48f * k), 0});
        fan.uvs.push_back({0.05f * static_cast<float>(k), 0});
    }
    fan.uvs[10] = {-0.0f, 0};
    fan.uvs[11] = {std::numeric_limits<float>::quiet_NaN(), 0};
    fan.uvs[12] = fan.uvs[1];
    fan.uvs.push_back({0.5f, 0.5f});
    for (int k = 0; k < 13; ++k)
        fan.faces.push_back({0x10, 0, {{0, k}, {k + 1, 13}, {(k + 1) % 13 + 1, 13}}});
    const std::string mesh = Convert(fan, {Textured(0)});
    EXPECT_TRUE(mesh.starts_with(WithCrLf("Mesh{\n24;\n"))) << mesh.substr(0, 40);
    EXPECT_NE(mesh.find(WithCrLf("3;22,10,11;,\n3;0,11,12;,\n3;23,12,13;,\n3;14,13,1;;\n")), std::string::npos);
}

TEST_F(Mesh, CubeNormalsFollowTheFacetType)
{
    const std::string flat = Section(Convert(Cube(), {Facet('f')}), "MeshNormals{");
    EXPECT_TRUE(flat.starts_with(WithCrLf("MeshNormals{\n6;\n0.000000;0.000000;-1.000000;,\n")));
    EXPECT_NE(
        flat.find(WithCrLf("6;\n4;0,0,0,0;,\n4;1,1,1,1;,\n4;2,2,2,2;,\n4;3,3,3,3;,\n4;4,4,4,4;,\n4;5,5,5,5;;\n}\n")),
        std::string::npos)
        << flat;
    EXPECT_NE(report.find("V=8 F=6 N=6 \r\n"), std::string::npos);

    const std::string smooth = Section(Convert(Cube(), {Facet('s')}), "MeshNormals{");
    const std::vector<ParsedMesh> parsed = ParseMeshes("\nMesh{" + Convert(Cube(), {Facet('s')}).substr(5));
    ASSERT_EQ(parsed.size(), 1u);
    ASSERT_EQ(parsed[0].normals.size(), 24u);
    for (const auto& normal : parsed[0].normals)
        for (float component : normal)
            EXPECT_EQ(std::fabs(component), 0.57735f);
    EXPECT_NE(smooth.find(WithCrLf("4;0,1,2,3;,\n4;4,5,6,7;,")), std::string::npos);
    EXPECT_NE(smooth.find(WithCrLf("4;20,21,22,23;;\n}\n")), std::string::npos);

    const std::vector<ParsedMesh> angled = ParseMeshes("\nMesh{" + Convert(Cube(), {Facet('a', 60)}).substr(5));
    ASSERT_EQ(angled[0].normals.size(), 24u);
    const std::vector<ParsedMesh> flatParsed = ParseMeshes("\nMesh{" + Convert(Cube(), {Facet('f')}).substr(5));
    for (std::size_t n = 0; n < 24; ++n)
        EXPECT_EQ(angled[0].normals[n], flatParsed[0].normals[n / 4]) << n;
}

TEST_F(Mesh, AutoAngleBetweenFlatAndSmooth)
{
    const std::vector<ParsedMesh> wide = ParseMeshes("\nMesh{" + Convert(Cube(), {Facet('a', 180)}).substr(5));
    const std::vector<ParsedMesh> smooth = ParseMeshes("\nMesh{" + Convert(Cube(), {Facet('s')}).substr(5));
    EXPECT_EQ(wide[0].normals, smooth[0].normals);
    const std::vector<ParsedMesh> narrow = ParseMeshes("\nMesh{" + Convert(Cube(), {Facet('a', 0)}).substr(5));
    const std::vector<ParsedMesh> angled = ParseMeshes("\nMesh{" + Convert(Cube(), {Facet('a', 60)}).substr(5));
    EXPECT_EQ(narrow[0].normals, angled[0].normals);
}

// A vertex of many faces shares the auto-angle sum between faces of one
// normal, never between faces of different normals.
TEST_F(Mesh, AutoAngleAroundAVertexOfManyFaces)
{
    PolygonSpec fan = NamedPolygon("fan");
    fan.vertices = {{0, 0, 0}, {0, 0, 1}};
    for (int k = 0; k <= 20; ++k)
        fan.vertices.push_back({std::cos(0.15f * k), std::sin(0.15f * k), 0});
    for (int k = 0; k < 20; ++k)
        fan.faces.push_back({0x10, 0, {{0, 0}, {k + 2, 0}, {k + 3, 0}}});
    for (int k : {0, 10, 20})  // upright faces through the centre
        fan.faces.push_back({0x10, 0, {{0, 0}, {1, 0}, {k + 2, 0}}});
    const std::string mesh = Convert(fan, {Facet('a', 40)});
    const std::vector<ParsedMesh> parsed = ParseMeshes("\nMesh{" + mesh.substr(5));
    ASSERT_EQ(parsed.size(), 1u);
    for (std::size_t f = 0; f < parsed[0].faces.size(); ++f) {
        ASSERT_EQ(parsed[0].faces[f][0], 0);
        const auto& normal = parsed[0].normals.at(static_cast<std::size_t>(parsed[0].faceNormals.at(f).at(0)));
        EXPECT_EQ(std::fabs(normal[2]), f < 20 ? 1.0f : 0.0f) << f;
    }
}

TEST_F(Mesh, FaceNormalComesFromTheCornerClosestToARightAngle)
{
    PolygonSpec polygon = NamedPolygon("normals");
    // A nearly straight corner first, then a right angle in the xz plane.
    polygon.vertices = {{0, 0, 0}, {1, 0.001f, 0}, {2, 0, 0}, {2, 0, 1}, {5, 5, 5}, {6, 6, 6}, {7, 7, 7}};
    polygon.faces = {{0x10, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
                     {0x10, 0, {{4, 0}, {5, 0}, {6, 0}}},   // collinear: (1, 0, 0), no message
                     {0x10, 0, {{4, 0}, {4, 0}, {5, 0}}}};  // a repeated point: the same
    const std::string normals = Section(Convert(polygon, {Facet('f')}), "MeshNormals{");
    EXPECT_TRUE(normals.starts_with(WithCrLf("MeshNormals{\n3;\n-0.001000;-1.000000;0.000000;,\n"
                                             "1.000000;0.000000;0.000000;,\n1.000000;0.000000;0.000000;;\n")))
        << normals;
    EXPECT_EQ(report.find("normalize"), std::string::npos) << report;
}

TEST_F(Mesh, OppositeSmoothFacesOnAVertexAreReported)
{
    PolygonSpec polygon = NamedPolygon("sheet");
    polygon.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    polygon.faces = {{0x10, 0, {{0, 0}, {1, 0}, {2, 0}}}, {0x00, 0, {{0, 0}, {1, 0}, {2, 0}}}};
    const std::string normals = Section(Convert(polygon, {Facet('s')}), "MeshNormals{");
    EXPECT_TRUE(normals.starts_with(WithCrLf("MeshNormals{\n6;\n1.000000;0.000000;0.000000;,\n")));
    std::string expected = " writing sheet mesh:V=3 F=2 ";
    for (int corner = 0; corner < 6; ++corner)
        expected += "Normalize vector error at smooth face.\r\n";
    EXPECT_NE(report.find(expected + "N=6 \r\n"), std::string::npos) << report;
    // The reversed face's corners are reversed, its normal indices are not.
    EXPECT_TRUE(normals.ends_with(WithCrLf("2;\n3;0,1,2;,\n3;3,4,5;;\n}\n"))) << normals;
}

TEST_F(Mesh, SmoothCornersAverageTheirFlatNeighboursToo)
{
    PolygonSpec polygon = NamedPolygon("roof");
    polygon.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    polygon.faces = {{0x10, 0, {{0, 0}, {1, 0}, {2, 0}}}, {0x10, 1, {{0, 0}, {3, 0}, {1, 0}}}};
    const std::string normals =
        Section(Convert(polygon, {Facet('f'), MaterialSpec{1, 's', 30, {1, 1, 1}, 0, std::nullopt}}), "MeshNormals{");
    EXPECT_EQ(normals, WithCrLf("MeshNormals{\n4;\n-0.000000;0.000000;1.000000;,\n0.000000;0.707107;0.707107;,\n"
                                "0.000000;1.000000;0.000000;,\n0.000000;0.707107;0.707107;;\n2;\n3;0,0,0;,\n"
                                "3;1,2,3;;\n}\n"));
}

TEST_F(Mesh, PlacementFollowsTheOptionsButNormalsDoNot)
{
    PolygonSpec polygon = NamedPolygon("placed");
    polygon.position = {{{0, -2, 0, 10}, {2, 0, 0, 0}, {0, 0, 2, 0}}};  // a quarter turn, scale 2, x + 10
    polygon.vertices = {{1, 1, 1}, {2, 1, 1}, {1, 3, 1}};
    polygon.faces = {{0x10, 0, {{0, 0}, {1, 0}, {2, 0}}}};
    const auto firstVertex = [](const std::string& mesh) {
        const std::size_t start = mesh.find("3;\r\n") + 4;
        return mesh.substr(start, mesh.find(",\r\n") - start);
    };

    options.Position = 0;
    options.ScaleAndRotation = 1;
    const std::string rotated = Convert(polygon);
    EXPECT_EQ(firstVertex(rotated), "-2.000000;2.000000;2.000000;");
    options.Position = 1;
    EXPECT_EQ(firstVertex(Convert(polygon)), "8.000000;2.000000;2.000000;");
    options.ScaleAndRotation = 0;
    EXPECT_EQ(firstVertex(Convert(polygon)), "11.000000;1.000000;1.000000;");
    options.Position = 0;
    const std::string stored = Convert(polygon);
    EXPECT_EQ(firstVertex(stored), "1.000000;1.000000;1.000000;");
    EXPECT_EQ(Section(rotated, "MeshNormals{"), Section(stored, "MeshNormals{"));
}

TEST_F(Mesh, WindingAndHoles)
{
    PolygonSpec polygon = NamedPolygon("holes");
    for (int v = 0; v < 9; ++v)
        polygon.vertices.push_back({static_cast<float>(v % 3), static_cast<float>(v / 3), 0});
    polygon.faces = {{0x00, 0, {{5, 0}, {6, 0}, {7, 0}, {8, 0}}}, {0x10, 0, {{5, 0}, {6, 0}, {7, 0}, {8, 0}}},
                     {0x08, 0, {{0, 0}, {1, 0}, {2, 0}}},         {0x10, 0, {{0, 0}, {1, 0}, {4, 0}}},
                     {0x18, 0, {{0, 0}, {4, 0}, {3, 0}}},         {0x08, 0, {}}};
    const std::string mesh = Convert(polygon, {Facet('f')});
    EXPECT_NE(mesh.find(WithCrLf("\n3;\n4;8,7,6,5;,\n4;5,6,7,8;,\n3;0,1,4;;\nMeshMaterialList{\n1;\n3;\n0,\n0,\n0;\n")),
              std::string::npos)
        << mesh;
    EXPECT_NE(report.find("V=9 F=3 N=3 \r\n"), std::string::npos);
}

TEST_F(Mesh, TwoMaterialsOneTextured)
{
    PolygonSpec polygon = NamedPolygon("two");
    polygon.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    polygon.uvs = {{0, 0}};
    for (std::int16_t material : {0, 0, 1, 1})
        polygon.faces.push_back({0x10, material, {{0, 0}, {1, 0}, {2, 0}}});
    MaterialSpec orange{0, 'f', 30, {1, 0.5f, 0}, 0.5f, std::nullopt};
    MaterialSpec grey{1, 'f', 30, {0.8f, 0.8f, 0.8f}, 0, MapSpec{0x02, "C:\\tex\\wood.ppm", {0, 0}, {1, 1}}};
    const std::string mesh = Convert(polygon, {grey, orange});  // placed by number, not by chunk order
    EXPECT_EQ(Section(mesh, "MeshMaterialList{"),
              WithCrLf("MeshMaterialList{\n2;\n4;\n0,\n0,\n1,\n1;\nMaterial{\n1.000000;0.500000;0.000000;1.0;;\n"
                       "23.000000;\n1.0;1.0;1.0;;\n0.0;0.0;0.0;;\n}\nMaterial{\n0.800000;0.800000;0.800000;1.0;;\n"
                       "3.000000;\n1.0;1.0;1.0;;\n0.0;0.0;0.0;;\nTextureFilename{\"wood.ppm\";}\n}\n}\n"));
}

TEST_F(Mesh, TextureCoordinatesAreMappedByTheLastBoundMaterial)
{
    PolygonSpec polygon = NamedPolygon("mapped");
    polygon.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}};
    polygon.uvs = {{0.25f, 0.5f}, {1, 1}};
    polygon.faces = {{0x10, 0, {{0, 0}, {1, 1}, {2, 1}}}, {0x10, 1, {{0, 0}, {2, 1}, {1, 1}}}};
    MaterialSpec first = Textured(0);
    MaterialSpec second = Textured(1);
    second.texture->repeat = {2, 3};
    second.texture->offset = {0.5f, 0.25f};
    const std::string coords = Section(Convert(polygon, {first, second}), "MeshTextureCoords{");
    // Vertex 3 is used by no face: (0, 0).
    EXPECT_EQ(coords, WithCrLf("MeshTextureCoords{\n4;\n1.000000;1.750000;\n2.500000;3.250000;\n2.500000;3.250000;\n"
                               "0.000000;0.000000;\n;\n}\n"));
}

TEST_F(Mesh, EmptyMeshIsStillWellFormed)
{
    const std::string mesh = Convert(NamedPolygon(""));
    EXPECT_EQ(mesh, WithCrLf("Mesh{\n0;\n0;\nMeshMaterialList{\n0;\n0;\n;\n}\nMeshNormals{\n0;\n0;\n;\n}\n}\n"));
    EXPECT_NE(report.find(" writing noname mesh:V=0 F=0 N=0 \r\n"), std::string::npos);
}

TEST_F(Mesh, FacesNamingMissingMaterialsGetDefaultOnes)
{
    PolygonSpec polygon = NamedPolygon("orphans");
    polygon.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    polygon.faces = {{0x10, 2, {{0, 0}, {1, 0}, {2, 0}}}, {0x10, -4, {{2, 0}, {1, 0}, {0, 0}}}};
    const std::string list = Section(Convert(polygon), "MeshMaterialList{");
    const std::string defaultMaterial =
        "Material{\n1.000000;1.000000;1.000000;1.0;;\n3.000000;\n1.0;1.0;1.0;;\n0.0;0.0;0.0;;\n}\n";
    EXPECT_EQ(list, WithCrLf("MeshMaterialList{\n3;\n2;\n2,\n0;\n" + defaultMaterial + defaultMaterial +
                             defaultMaterial + "}\n"));
}

TEST_F(Mesh, IndicesOutsideTheTablesAreNeverFollowed)
{
    PolygonSpec polygon = NamedPolygon("broken");
    polygon.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    polygon.uvs = {{0.5f, 0.5f}};
    polygon.faces = {{0x10, 0, {{0, 0}, {1, 7}, {2, -1}}},
                     {0x10, 0, {{0, 0}, {3, 0}, {2, 0}}},
                     {0x10, 0, {{-1, 0}, {1, 0}, {2, 0}}}};
    const std::string mesh = Convert(polygon, {Textured()});
    EXPECT_NE(mesh.find(WithCrLf("\n1;\n3;0,1,2;;\n")), std::string::npos) << mesh;
    EXPECT_NE(report.find(" writing broken mesh:V=3 F=1 N=1 T=3 \r\n Bad indices in broken mesh: 2 faces naming "
                          "missing vertices left out, 2 missing texture coordinates taken as 0.\r\n"),
              std::string::npos)
        << report << mesh;
}

// A mesh of many slices of every list, with textured, smooth, auto-angle and
// flat faces, left-out faces, a non-finite coordinate and smooth corners that
// cannot be normalised in several slices: on one thread or several, the same
// file and the same report.
TEST(MeshThreads, SeveralThreadsWriteWhatOneWrites)
{
    PolygonSpec grid = QuadGrid(300);
    grid.uvs = {{0.25f, 0.5f}};
    for (std::size_t i = 0; i < grid.faces.size(); ++i)
        grid.faces[i].material = static_cast<std::int16_t>(i % 3);
    grid.faces[70000].flags |= 0x08;               // a hole
    grid.faces[80000].corners.resize(2);           // too few corners
    grid.faces[85000].corners[1].first = 1 << 24;  // a missing vertex
    grid.vertices[12345][2] = std::numeric_limits<float>::quiet_NaN();
    for (const std::size_t at : {100, 50000, 89000}) {  // two opposite smooth faces
        const auto v = static_cast<std::int32_t>(grid.vertices.size());
        grid.vertices.insert(grid.vertices.end(), {{0, 0, 9}, {1, 0, 9}, {0, 1, 9}});
        grid.faces.insert(
            grid.faces.begin() + static_cast<std::ptrdiff_t>(at),
            {FaceSpec{0x10, 0, {{v, 0}, {v + 1, 0}, {v + 2, 0}}}, FaceSpec{0x10, 0, {{v, 0}, {v + 2, 0}, {v + 1, 0}}}});
    }
    MaterialSpec smooth = Facet('s'), autoAngle = Facet('a', 40), flat = Facet('f');
    smooth.texture = MapSpec{0x02, "wood.ppm", {0, 0}, {2, 1}};
    autoAngle.number = 1;
    flat.number = 2;
    CobBuilder cob;
    cob.Header().Chunk("PolH", 0, 8, 1, 0, PolHBody(grid));
    for (const MaterialSpec& material : {smooth, autoAngle, flat})
        cob.Chunk("Mat1", 0, 6, 2 + material.number, 1, Mat1Body(material));
    TempDir dir;
    ASSERT_TRUE(cob.End().WriteTo(dir.Path("grid.cob")));

    OptionFlags options;
    const JobRun alone = RunJob({dir.Path("grid.cob")}, options, 0);
    const std::string written = ReadFile(dir.Path("grid.x"));
    ASSERT_EQ(alone.outcome.converted, 1) << alone.report;
    std::size_t failures = 0;
    for (std::size_t at = 0;
         (at = alone.report.find("Normalize vector error at smooth face.", at)) != std::string::npos; ++at)
        ++failures;
    EXPECT_EQ(failures, 18u) << alone.report;
    EXPECT_NE(alone.report.find(" Non-finite numbers in grid mesh written as 0."), std::string::npos);
    for (const unsigned helpers : {1u, 3u}) {
        const JobRun together = RunJob({dir.Path("grid.cob")}, options, helpers);
        EXPECT_EQ(together.report, alone.report) << helpers;
        EXPECT_TRUE(ReadFile(dir.Path("grid.x")) == written) << helpers;
    }
}

TEST_F(Mesh, RealSamplesLoadInAnIndependentReader)
{
    const std::string samples = SamplesDir();
    if (samples.empty())
        GTEST_SKIP() << "../shared/samples is absent";
    for (const char* name : {"molecule", "spider_6_6"}) {
        const std::string cob = dir.Path(std::string(name) + ".cob");
        std::filesystem::copy_file(samples + "/" + name + ".cob", cob);
        const JobRun run = RunJob({cob}, options);
        EXPECT_EQ(run.outcome.converted, 1) << run.report;
        const LoadedScene scene = LoadWithAssimp(dir.Path(std::string(name) + ".x"));
        ASSERT_TRUE(scene.loaded) << scene.error;
        std::size_t reportedFaces = 0;
        for (std::size_t at = run.report.find(" F="); at != std::string::npos; at = run.report.find(" F=", at + 1))
            reportedFaces += std::stoul(run.report.substr(at + 3));
        EXPECT_EQ(scene.FaceCount(), reportedFaces);
        ExpectAssimpAgrees(dir.Path(std::string(name) + ".x"));
        ExpectIrrlichtAgrees(dir.Path(std::string(name) + ".x"));
    }
}

TEST_F(Mesh, ExampleSceneLoadsInAnIndependentReader)
{
    const std::string example = std::string(VERDIN_SOURCE_DIR) + "/examples/scene.cob";
    std::filesystem::copy_file(example, dir.Path("scene.cob"));
    const JobRun run = RunJob({dir.Path("scene.cob")}, options);
    EXPECT_NE(run.report.find(" writing cube mesh:V=8 F=6 N=12 T=8 \r\n writing triangle mesh:V=3 F=1 N=3 \r\n"),
              std::string::npos)
        << run.report;
    ExpectAssimpAgrees(dir.Path("scene.x"));
    ExpectIrrlichtAgrees(dir.Path("scene.x"));
}

// Loaders refuse faces of fewer than three corners, or crash on them.
TEST_F(Mesh, DegenerateFacesAreLeftOutAndBothLoadersReadBothForms)
{
    PolygonSpec odd = NamedPolygon("odd");
    odd.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    odd.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    odd.faces = {{0x10, 0, {}},
                 {0x10, 0, {}, -2},
                 {0x10, 9, {{0, 0}}},  // its material number grows no table
                 {0x10, 1, {{0, 0}, {1, 1}}},
                 {0x10, 0, {{0, 0}, {1, 1}, {2, 2}}},
                 {0x10, 1, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
                 {0x08, 0, {{0, 0}, {2, 2}, {3, 3}}}};
    CobBuilder cob;
    cob.Header().Chunk("PolH", 0, 8, 1, 0, PolHBody(odd)).Chunk("PolH", 0, 8, 2, 0, PolHBody(NamedPolygon("empty")));
    for (std::int16_t number = 0; number < 4; ++number) {
        MaterialSpec material =
            number == 1 ? Textured(1) : MaterialSpec{number, 'a', 40, {0.2f * number, 0.5f, 1}, 0, std::nullopt};
        cob.Chunk("Mat1", 0, 6, 10 + number, 1, Mat1Body(material));
    }
    const std::string mesh = ConvertFile(cob.End());  // and both loaders read the text form
    const std::size_t writing = report.find(" writing odd mesh:V=4 F=2 ");
    ASSERT_NE(writing, std::string::npos) << report;
    EXPECT_EQ(report.substr(report.find("\r\n", writing)),
              "\r\n Degenerate faces in odd mesh: 4 faces with fewer than three corners left out.\r\n"
              " writing empty mesh:V=0 F=0 N=0 \r\n\r\nConverted 1 file.\r\n");
    EXPECT_TRUE(Section(mesh, "MeshMaterialList{").starts_with(WithCrLf("MeshMaterialList{\n4;\n2;\n0,\n1;\n")));

    std::filesystem::rename(dir.Path("model.x"), dir.Path("text.x"));
    options.BinaryXFile = 1;
    RunJob({dir.Path("model.cob")}, options);
    ASSERT_TRUE(ReadFile(dir.Path("model.x")).starts_with("xof 0302bin 0032"));
    const IrrlichtScene text = LoadWithIrrlicht(dir.Path("text.x"));
    const IrrlichtScene binary = LoadWithIrrlicht(dir.Path("model.x"));
    ASSERT_TRUE(binary.loaded) << binary.error;
    ASSERT_EQ(binary.buffers.size(), text.buffers.size());
    for (std::size_t b = 0; b < text.buffers.size(); ++b) {
        EXPECT_EQ(binary.buffers[b].indices, text.buffers[b].indices);
        EXPECT_EQ(binary.buffers[b].colour, text.buffers[b].colour);
    }
    EXPECT_EQ(LoadWithAssimp(dir.Path("model.x")).FaceCount(), 2u);
}

}  // namespace
}  // namespace verdin::test
