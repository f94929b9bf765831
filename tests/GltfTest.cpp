// glTF output end to end: a COB model in, a .glb or .gltf out, read back by
// assimp's glTF importer and the Khronos validator.

#include "AssimpReader.h"
#include "CliSupport.h"
#include "CobBodies.h"
#include "texture/BmpBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>

namespace verdin::test {
namespace {

// A group whose matrix is the placement of everything in it, as in the
// modeller's files: scale 2, moved by (1, 2, 3).
constexpr Matrix kRig = {{{2, 0, 0, 1}, {0, 2, 0, 2}, {0, 0, 2, 3}}};
// Its object, one more unit up; matrices hold the whole placement.
constexpr Matrix kBody = {{{2, 0, 0, 1}, {0, 2, 0, 2}, {0, 0, 2, 5}}};
// A sheared object, which no node transform can hold.
constexpr Matrix kArm = {{{2, 1, 0, 1}, {0, 2, 0, 2}, {0, 0, 2, 5}}};

PolygonSpec Body()
{
    PolygonSpec body = NamedPolygon("body");
    body.position = kBody;
    body.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}};
    body.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    body.faces = {{0x10, 0, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
                  {0x00, 1, {{4, 0}, {5, 1}, {6, 2}}},
                  {0x10, 1, {{0, 0}, {1, 1}}}};  // degenerate: left out
    return body;
}

PolygonSpec Arm()
{
    PolygonSpec arm = NamedPolygon("arm");
    arm.position = kArm;
    arm.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    arm.faces = {{0x10, 0, {{0, 0}, {1, 0}, {2, 0}}}};
    return arm;
}

// An object at the root beside the group, a triangle.
PolygonSpec Loose()
{
    PolygonSpec loose = Arm();
    loose.name = "loose";
    loose.position = kIdentity;
    return loose;
}

// The rig moves up 4 from frame 0 to 10 and turns a quarter about the
// modeller's z axis.
CobBuilder Rig()
{
    const ChannelSpec move{"Move", 0, 1, {{0, 0, 0, 0, 0, {1, 2, 3}}, {10, 0, 0, 0, 0, {1, 2, 7}}}};
    const float half = std::sqrt(0.5f);
    const ChannelSpec turn{"Rotate", 0, 0, {{0, 0, 0, 0, 0, {1, 0, 0, 0}}, {10, 0, 0, 0, 0, {half, 0, 0, half}}}};
    return CobBuilder()
        .Header()
        .Chunk("Grou", 0, 1, 1, 0, PlacementBody("rig", kRig))
        .Chunk("Chan", 0, 12, 7, 1, ChanBody(move))
        .Chunk("Chan", 0, 12, 8, 1, ChanBody(turn))
        .Chunk("PolH", 0, 8, 2, 1, PolHBody(Body()))
        .Chunk("Mat1", 0, 6, 3, 2, Mat1Body({0, 's', 30, {1, 1, 1}, 0, MapSpec{0x02, "wood.bmp"}}))
        .Chunk("Mat1", 0, 6, 4, 2, Mat1Body({1, 'f', 30, {1, 0, 0}, 0, std::nullopt}))
        .Chunk("PolH", 0, 8, 5, 2, PolHBody(Arm()))
        .Chunk("PolH", 0, 8, 6, 0, PolHBody(Loose()))
        .End();
}

// Where a point of the model lands in glTF: placed, then stood upright.
std::array<float, 3> Placed(const Matrix& m, const std::array<float, 3>& p)
{
    std::array<float, 3> cob;
    for (int r = 0; r < 3; ++r)
        cob[r] = m[r][0] * p[0] + m[r][1] * p[1] + m[r][2] * p[2] + m[r][3];
    return {cob[0], cob[2], -cob[1]};
}

bool Holds(const LoadedNode& node, const std::array<float, 3>& point)
{
    for (const LoadedTriangle& triangle : node.triangles)
        for (const auto& corner : triangle.corners)
            if (std::fabs(corner[0] - point[0]) + std::fabs(corner[1] - point[1]) + std::fabs(corner[2] - point[2]) <
                1e-4)
                return true;
    return false;
}

// Seen from the side its normal faces, every triangle runs counter-clockwise.
void ExpectFacingItsNormals(const LoadedNode& node)
{
    for (const LoadedTriangle& t : node.triangles) {
        const auto& [a, b, c] = t.corners;
        const std::array<float, 3> e1{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, e2{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const float x = e1[1] * e2[2] - e1[2] * e2[1], y = e1[2] * e2[0] - e1[0] * e2[2],
                    z = e1[0] * e2[1] - e1[1] * e2[0];
        EXPECT_GT(x * t.normal[0] + y * t.normal[1] + z * t.normal[2], 0) << node.name;
    }
}

TEST(GltfOutput, TheSceneAsAnImporterReadsIt)
{
    TempDir dir;
    ASSERT_TRUE(Rig().WriteTo(dir.Path("rig.cob")));
    ASSERT_TRUE(CobBuilder().Bytes(BmpBuilder({{1, 2, 3}, {4, 5, 6}}).Bytes()).WriteTo(dir.Path("wood.bmp")));
    const CliRun run = RunCli(
        dir,
        std::string("--to glb -o ").append(Quoted(dir.Path("out"))).append(" ").append(Quoted(dir.Path("rig.cob"))));
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find(" embed " + dir.Path("wood.bmp") +
                           " as png.\n writing body mesh:V=7 F=3 \n"
                           " Degenerate faces in body mesh: 1 faces with fewer than three corners left out.\n"),
              std::string::npos)
        << run.out;

    const LoadedTree tree = LoadTreeWithAssimp(dir.Path("out/rig.glb"));
    ASSERT_TRUE(tree.loaded) << tree.error;
    const LoadedNode* rig = tree.Find("rig");
    const LoadedNode* body = tree.Find("body");
    const LoadedNode* arm = tree.Find("arm");
    ASSERT_TRUE(rig && body && arm && tree.Find("loose"));
    EXPECT_EQ(rig->parent, "");
    EXPECT_EQ(body->parent, "rig");
    EXPECT_EQ(arm->parent, "body");

    // Every corner where the model's matrices put it, stood upright.
    ASSERT_EQ(body->triangles.size(), 3u);
    for (const auto& vertex : Body().vertices)
        EXPECT_TRUE(Holds(*body, Placed(kBody, vertex))) << vertex[0] << " " << vertex[1] << " " << vertex[2];
    ASSERT_EQ(arm->triangles.size(), 1u);
    for (const auto& vertex : Arm().vertices)
        EXPECT_TRUE(Holds(*arm, Placed(kArm, vertex)));
    ExpectFacingItsNormals(*body);
    ExpectFacingItsNormals(*arm);

    // The quad's material carries the bitmap as PNG; the triangle's is red.
    const LoadedMaterial& textured = tree.materials.at(body->triangles[0].material);
    EXPECT_EQ(textured.embeddedFormat, "png");
    const LoadedMaterial& red = tree.materials.at(body->triangles[2].material);
    EXPECT_EQ(red.colour, (std::array<float, 4>{1, 0, 0, 1}));
    EXPECT_EQ(red.texture, "");

    // The .x file of the same model has the same faces.
    ASSERT_EQ(
        RunCli(dir, std::string("-o ").append(Quoted(dir.Path("out"))).append(" ").append(Quoted(dir.Path("rig.cob"))))
            .status,
        0);
    const LoadedScene x = LoadWithAssimp(dir.Path("out/rig.x"));
    ASSERT_TRUE(x.loaded) << x.error;
    std::size_t xTriangles = 0;
    for (const LoadedMesh& mesh : x.meshes)
        for (const LoadedFace& face : mesh.faces)
            xTriangles += face.corners.size() - 2;
    EXPECT_EQ(xTriangles, body->triangles.size() + arm->triangles.size() + tree.Find("loose")->triangles.size());
}

// Asked for the whole scene, a .x file holds the tree the .glb holds: the same
// names and parents, every corner where the .glb has it and faces facing out.
// assimp takes a left-handed .x file into its right-handed axes by negating z:
// the model comes out turned half round the vertical, not mirrored.
TEST(WholeSceneX, IsTheTreeOfTheGlbInDirectXAxes)
{
    TempDir dir;
    ASSERT_TRUE(Rig().WriteTo(dir.Path("rig.cob")));
    const std::string files = " -o " + Quoted(dir.Path("out")) + " " + Quoted(dir.Path("rig.cob"));
    ASSERT_EQ(RunCli(dir, "--to glb" + files).status, 0);
    const CliRun x = RunCli(dir, "--keep-look --binary" + files);
    ASSERT_EQ(x.status, 0) << x.out;
    const LoadedTree glb = LoadTreeWithAssimp(dir.Path("out/rig.glb"));
    const LoadedTree xTree = LoadTreeWithAssimp(dir.Path("out/rig.x"));
    ASSERT_TRUE(glb.loaded && xTree.loaded) << xTree.error;
    // The same moves and turns, in frames in the .x file and seconds in the
    // .glb.
    ASSERT_EQ(glb.motions.size(), 1u);
    ASSERT_EQ(xTree.motions.size(), 1u);
    const LoadedMotion &moved = glb.motions[0], &xMoved = xTree.motions[0];
    EXPECT_EQ(xMoved.node, "rig");
    ASSERT_EQ(xMoved.positions.size(), 2u);
    ASSERT_EQ(moved.positions.size(), 2u);
    EXPECT_EQ(xMoved.positionTimes.back(), 10);
    for (std::size_t k = 0; k < 2; ++k) {
        const auto& p = moved.positions[k];
        EXPECT_EQ(xMoved.positions[k], (std::array<float, 3>{-p[0], p[1], -p[2]}));
    }
    ASSERT_EQ(xMoved.turnedAxes.size(), moved.turnedAxes.size());
    for (std::size_t k = 0; k < moved.turnedAxes.size(); ++k)
        for (std::size_t a = 0; a < 2; ++a) {
            const auto& axis = moved.turnedAxes[k][a];
            const auto& xAxis = xMoved.turnedAxes[k][a];
            const float sign = a == 0 ? -1.0f : 1.0f;  // the .x file's x axis, seen in assimp's axes
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(xAxis[c], sign * (c == 1 ? axis[c] : -axis[c]), 1e-5) << k << " " << a;
        }

    for (const LoadedNode& node : glb.nodes) {
        const LoadedNode* xNode = xTree.Find(node.name);
        ASSERT_TRUE(xNode) << node.name;
        EXPECT_EQ(xNode->parent, node.parent);
        ASSERT_EQ(xNode->triangles.size(), node.triangles.size()) << node.name;
        for (const LoadedTriangle& triangle : node.triangles)
            for (const auto& corner : triangle.corners)
                EXPECT_TRUE(Holds(*xNode, {-corner[0], corner[1], -corner[2]})) << node.name;
        ExpectFacingItsNormals(*xNode);
    }
}

// Newer files: the opacity and highlight come from the material's shaders,
// whose last one cannot be read to its end.
TEST(GltfOutput, NewerMaterialsLookAsTheirShadersSay)
{
    TempDir dir;
    ASSERT_TRUE(CobBuilder()
                    .Header()
                    .Chunk("PolH", 0, 8, 1, 0, PolHBody(Loose()))
                    .Chunk("Mat1", 0, 8, 2, 1, Mat1Body({0, 'f', 30, {1, 1, 1}, 0, std::nullopt}))
                    .Chunk("ShBx", 0, 4, 3, 2, ShBxBody(0.5f, 0.4f, 8))
                    .End()
                    .WriteTo(dir.Path("glass.cob")));
    const CliRun run = RunCli(dir, "--to glb --newer-materials " + Quoted(dir.Path("glass.cob")));
    ASSERT_EQ(run.status, 0) << run.out;
    const LoadedTree tree = LoadTreeWithAssimp(dir.Path("glass.glb"));
    ASSERT_TRUE(tree.loaded) << tree.error;
    const LoadedMaterial& glass = tree.materials.at(tree.Find("loose")->triangles.at(0).material);
    EXPECT_EQ(glass.colour, (std::array<float, 4>{1, 1, 1, 0.5f}));
    EXPECT_FLOAT_EQ(glass.roughness, std::sqrt(std::sqrt(2.0f / (8 + 2))));  // the Mat1 says power 3

    // The .x file's full material has the same numbers; in a summary the
    // shaders it used are not called unsupported.
    const CliRun x = RunCli(dir, "--newer-materials --full-materials --summary " + Quoted(dir.Path("glass.cob")));
    ASSERT_EQ(x.status, 0) << x.out;
    EXPECT_EQ(x.out.find("No support"), std::string::npos) << x.out;
    EXPECT_NE(ReadFile(dir.Path("glass.x"))
                  .find("Material{\r\n1.000000;1.000000;1.000000;0.500000;;\r\n8.000000;\r\n"
                        "0.400000;0.400000;0.400000;;\r\n"),
              std::string::npos);
}

// A vertex channel becomes a morph target for each key frame, with a weights
// animation; one of too many keys is left out with a report line.
TEST(GltfOutput, VertexChannelsBecomeMorphTargetsWithinBounds)
{
    TempDir dir;
    const auto convert = [&dir](int keys) {
        ChannelSpec vertex{"Vertex", 1, 0, {}};
        for (int k = 0; k < keys; ++k)
            vertex.keys.push_back({static_cast<float>(k), 0, 0, 0, 0, {1, 0, static_cast<float>(k)}});
        EXPECT_TRUE(CobBuilder()
                        .Header()
                        .Chunk("PolH", 0, 8, 1, 0, PolHBody(Loose()))
                        .Chunk("Chan", 0, 12, 2, 1, ChanBody(vertex))
                        .End()
                        .WriteTo(dir.Path("wave.cob")));
        const CliRun run = RunCli(dir, "--to glb " + Quoted(dir.Path("wave.cob")));
        EXPECT_EQ(run.status, 0) << run.out;
        return std::pair(run.out, ReadFile(dir.Path("wave.glb")));
    };
    const auto [report, glb] = convert(3);
    EXPECT_EQ(report.find("No support"), std::string::npos) << report;
    EXPECT_NE(glb.find("\"targets\":[{\"POSITION\":"), std::string::npos);
    EXPECT_NE(glb.find("\"weights\":[0,0,0]"), std::string::npos);
    EXPECT_NE(glb.find("\"path\":\"weights\""), std::string::npos);

    const auto [tooMany, plain] = convert(1025);
    EXPECT_NE(tooMany.find(" Vertex animation of loose left out: 1025 keys of 3 vertices are too many.\n"),
              std::string::npos)
        << tooMany;
    EXPECT_EQ(plain.find("\"targets\""), std::string::npos);
}

// A 2 x 1 bitmap of 24 bits a pixel, and a 1 x 1 GIF: images glTF cannot
// hold, which become PNG.
std::string DeepBitmap()
{
    const std::string le32[] = {std::string("\x3E\0\0\0", 4), std::string("\x36\0\0\0", 4),
                                std::string("\x28\0\0\0", 4), std::string("\x02\0\0\0", 4),
                                std::string("\x01\0\0\0", 4)};
    return "BM" + le32[0] + std::string(4, '\0') + le32[1] + le32[2] + le32[3] + le32[4] +
           std::string("\x01\0\x18\0", 4) + std::string(24, '\0') + std::string("\0\0\xFF\xFF\0\0\0\0", 8);
}

constexpr char kGifBytes[] = "GIF89a\x01\0\x01\0\x80\0\0\xFF\0\0\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02"
                             "D\x01\0;";
const std::string kGif(kGifBytes, sizeof kGifBytes - 1);

TEST(GltfOutput, ImagesGltfCannotHoldBecomePng)
{
    TempDir dir;
    ASSERT_TRUE(CobBuilder().Bytes(DeepBitmap()).WriteTo(dir.Path("deep.bmp")));
    ASSERT_TRUE(CobBuilder().Bytes(kGif).WriteTo(dir.Path("pic.gif")));
    ASSERT_TRUE(TexturedModel("deep.bmp").WriteTo(dir.Path("deep.cob")));
    ASSERT_TRUE(TexturedModel("pic.gif").WriteTo(dir.Path("pic.cob")));
    const CliRun run = RunCli(
        dir,
        std::string("--to glb ").append(Quoted(dir.Path("deep.cob"))).append(" ").append(Quoted(dir.Path("pic.cob"))));
    ASSERT_EQ(run.status, 0) << run.out;
    for (const char* model : {"deep", "pic"}) {
        const LoadedTree tree = LoadTreeWithAssimp(dir.Path(std::string(model) + ".glb"));
        ASSERT_TRUE(tree.loaded) << tree.error;
        ASSERT_EQ(tree.materials.at(tree.Find("tri")->triangles.at(0).material).embeddedFormat, "png") << model;
    }
}

std::string ValidatorScript()
{
    return std::string(VERDIN_SOURCE_DIR) + "/tests/validator/validate.mjs";
}

bool HasValidator()
{
    return std::filesystem::exists(std::string(VERDIN_SOURCE_DIR) + "/tests/validator/node_modules/gltf-validator");
}

// What no file should hold, each in a place of its own: numbers that are no
// numbers, a placement that flattens space, parents that go round in a
// circle, indices out of range, and a group without name, placement or
// children.
CobBuilder Broken()
{
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    PolygonSpec nan = NamedPolygon("nan");
    nan.position = {{{kNaN, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};
    nan.vertices = {{kNaN, 0, 0}, {1, std::numeric_limits<float>::infinity(), 0}, {0, 1, 0}};
    nan.uvs = {{kNaN, 0}};
    nan.faces = {{0x10, 0, {{0, 0}, {1, 0}, {2, 5}}}, {0x10, 3, {{0, 0}, {1, 0}, {9, 0}}}};
    PolygonSpec flat = NamedPolygon("flat");
    flat.position = {{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}};
    flat.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    flat.faces = {{0x10, 0, {{0, 0}, {1, 0}, {2, 0}}}};
    return CobBuilder()
        .Header()
        .Chunk("Grou", 0, 1, 1, 2, PlacementBody("a"))
        .Chunk("Grou", 0, 1, 2, 1, PlacementBody("b"))
        .Chunk("PolH", 0, 8, 3, 3, PolHBody(nan))
        .Chunk("Mat1", 0, 6, 4, 3, Mat1Body({0, 'a', 30, {kNaN, 2, -1}, kNaN, MapSpec{0x02, "missing.bmp"}}))
        .Chunk("PolH", 0, 8, 5, 1, PolHBody(flat))
        .Chunk("Grou", 0, 1, 6, 0, PlacementBody(""))  // a node of nothing at all
        .End();
}

TEST(GltfOutput, WhatAFileHoldsTheOutputValidates)
{
    if (!HasValidator())
        GTEST_SKIP() << "the glTF validator is not installed (npm ci --prefix tests/validator)";
    TempDir dir;
    ASSERT_TRUE(Broken().WriteTo(dir.Path("broken.cob")));
    ASSERT_TRUE(Rig().WriteTo(dir.Path("rig.cob")));
    ASSERT_TRUE(CobBuilder().Bytes(BmpBuilder({{1, 2, 3}, {4, 5, 6}}).Bytes()).WriteTo(dir.Path("wood.bmp")));
    for (const char* format : {"glb", "gltf"}) {
        const std::string out = dir.Path(format);
        const CliRun run = RunCli(dir, std::string("--to ") + format + " -o " + Quoted(out) + " " +
                                           Quoted(dir.Path("broken.cob")) + " " + Quoted(dir.Path("rig.cob")));
        ASSERT_EQ(run.status, 0) << run.out;
        EXPECT_NE(run.out.find(" Non-finite numbers in nan mesh written as 0."), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(" Can't read "), std::string::npos) << run.out;
        const CliRun validated = RunShell(dir, std::string("node ")
                                                   .append(Quoted(ValidatorScript()))
                                                   .append(" ")
                                                   .append(Quoted(out))
                                                   .append("/*.")
                                                   .append(format));
        EXPECT_EQ(validated.status, 0) << validated.out << validated.err;
    }
    EXPECT_TRUE(std::filesystem::exists(dir.Path("gltf/wood.png")));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("gltf/rig.bin")));
}

}  // namespace
}  // namespace verdin::test

namespace verdin::test {
namespace {

// assimp takes a .x file into right-handed axes by negating z, Verdin by
// negating x: seen so, the model is turned half round the vertical.
std::array<float, 3> HalfTurned(const std::array<float, 3>& v)
{
    return {-v[0], v[1], -v[2]};
}

// The nodes, corners, moves and turns of `x`, half turned when `turned`, are
// those of `glb`.
void ExpectSameTrees(const LoadedTree& x, const LoadedTree& glb, bool turned)
{
    const auto seen = [turned](const std::array<float, 3>& v) { return turned ? HalfTurned(v) : v; };
    const auto near = [](const std::array<float, 3>& a, const std::array<float, 3>& b) {
        for (std::size_t c = 0; c < 3; ++c)
            EXPECT_NEAR(a[c], b[c], 1e-4);
    };
    ASSERT_TRUE(x.loaded && glb.loaded) << x.error << glb.error;
    ASSERT_EQ(glb.nodes.size(), x.nodes.size());
    for (const LoadedNode& node : x.nodes) {
        const LoadedNode* made = glb.Find(node.name);
        ASSERT_TRUE(made) << node.name;
        EXPECT_EQ(made->parent, node.parent);
        ASSERT_EQ(made->triangles.size(), node.triangles.size()) << node.name;
        for (const LoadedTriangle& triangle : node.triangles)
            for (const auto& corner : triangle.corners)
                EXPECT_TRUE(Holds(*made, seen(corner))) << node.name;
    }
    EXPECT_EQ(glb.meshes, x.meshes);
    EXPECT_EQ(glb.animations, x.animations);
    ASSERT_EQ(glb.motions.size(), x.motions.size());
    for (std::size_t m = 0; m < x.motions.size(); ++m) {
        const LoadedMotion &made = glb.motions[m], &motion = x.motions[m];
        EXPECT_EQ(made.node, motion.node);
        ASSERT_EQ(made.positions.size(), motion.positions.size());
        for (std::size_t k = 0; k < motion.positions.size(); ++k)
            near(made.positions[k], seen(motion.positions[k]));
        ASSERT_EQ(made.turnedAxes.size(), motion.turnedAxes.size());
        for (std::size_t k = 0; k < motion.turnedAxes.size(); ++k) {
            // The x axis itself is turned round.
            const std::array<float, 3>& xAxis = motion.turnedAxes[k][0];
            near(made.turnedAxes[k][0], turned ? std::array<float, 3>{xAxis[0], -xAxis[1], xAxis[2]} : xAxis);
            near(made.turnedAxes[k][1], seen(motion.turnedAxes[k][1]));
        }
    }
}

// A model's .x file with the whole scene, turned into glTF, is the model's
// own glTF file: the same nodes, corners, facing, moves and turns, the
// sheared arm included.
TEST(XToGlb, TheWholeSceneXOfAModelIsItsGlb)
{
    TempDir dir;
    ASSERT_TRUE(Rig().WriteTo(dir.Path("rig.cob")));
    ASSERT_EQ(RunCli(dir, "--to glb " + Quoted(dir.Path("rig.cob"))).status, 0);
    ASSERT_EQ(
        RunCli(dir, "--keep-look --binary -o " + Quoted(dir.Path("x")) + " " + Quoted(dir.Path("rig.cob"))).status, 0);
    const CliRun run = RunCli(dir, "--x-to-glb " + Quoted(dir.Path("x/rig.x")));
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find(" Frame arm is sheared: its meshes carry the shear."), std::string::npos) << run.out;
    const LoadedTree glb = LoadTreeWithAssimp(dir.Path("x/rig.glb"));
    ExpectSameTrees(LoadTreeWithAssimp(dir.Path("rig.glb")), glb, false);
    for (const LoadedNode& node : glb.nodes)
        ExpectFacingItsNormals(node);
}

// The .x files from elsewhere as glTF: what assimp reads from each .x, it
// reads from the .glb, the skins' bones with their offsets too.
TEST(XToGlb, FilesFromElsewhereReadAsTheirX)
{
    const std::string samples = SamplesDir() + "/x";
    if (!std::filesystem::is_directory(samples))
        GTEST_SKIP() << samples << " is absent";
    TempDir dir;
    // assimp's .x reader fails on anim_test.x, whose skin names missing frames.
    for (const char* name : {"cube_with_vertex_colors", "test", "test_cube_binary", "test_cube_compressed"}) {
        const std::string x = samples + "/" + name + ".x";
        const CliRun run = RunCli(dir, "--x-to-glb -o " + Quoted(dir.Path("out")) + " " + Quoted(x));
        ASSERT_EQ(run.status, 0) << run.out;
        const LoadedTree fromX = LoadTreeWithAssimp(x);
        const LoadedTree fromGlb = LoadTreeWithAssimp(dir.Path("out/" + std::string(name) + ".glb"));
        ExpectSameTrees(fromX, fromGlb, true);
        ASSERT_EQ(fromGlb.bones.size(), fromX.bones.size()) << name;
        // Offsets map the turned mesh to turned bones.
        constexpr std::array<float, 4> kTurn{-1, 1, -1, 1};
        for (std::size_t b = 0; b < fromX.bones.size(); ++b) {
            EXPECT_EQ(fromGlb.bones[b].node, fromX.bones[b].node);
            for (std::size_t i = 0; i < 16; ++i)
                EXPECT_NEAR(fromGlb.bones[b].offset[i], kTurn[i / 4] * kTurn[i % 4] * fromX.bones[b].offset[i], 1e-5)
                    << name << " " << i;
        }
    }
}

// A skinned model with flaws of every kind (tests/data/flawed-skin.x says
// which): each is reported, and what is written holds together: every
// vertex moved by at most four bones whose weights sum to 1, the texture
// found without its Windows folder and whatever its case.
TEST(XToGlb, FlawsAreReportedAndTheSkinHoldsTogether)
{
    TempDir dir;
    std::filesystem::copy_file(std::string(VERDIN_SOURCE_DIR) + "/tests/data/flawed-skin.x", dir.Path("flawed.x"));
    ASSERT_TRUE(CobBuilder().Bytes(BmpBuilder({{1, 2}, {3, 4}}).Bytes()).WriteTo(dir.Path("skin.bmp")));
    const CliRun run = RunCli(dir, "--x-to-glb " + Quoted(dir.Path("flawed.x")));
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, dir.Path("flawed.x") + ":\n embed " + dir.Path("skin.bmp") +
                           " as png.\n"
                           " Skin weights of Body mesh for missing frame Missing left out.\n"
                           " 1 skin weights of Body mesh for missing vertices or not positive left out.\n"
                           " 2 vertices of Body mesh have more than 4 skin weights: the 4 largest kept, scaled to "
                           "sum 1.\n"
                           " writing Body mesh:V=7 F=3 \n"
                           " 2 faces of Body mesh with fewer than 3 corners or a missing vertex left out.\n"
                           " AnimTicksPerSecond 0: 4800 ticks a second taken.\n"
                           " Animation of missing frame Nowhere left out.\n"
                           " 1 matrix keys sheared: the shear is left out.\n"
                           "\nConverted 1 file.\n");
    const LoadedTree tree = LoadTreeWithAssimp(dir.Path("flawed.glb"));
    ASSERT_TRUE(tree.loaded) << tree.error;
    EXPECT_TRUE(std::any_of(tree.materials.begin(), tree.materials.end(),
                            [](const LoadedMaterial& material) { return material.embeddedFormat == "png"; }));
    std::map<unsigned, std::vector<float>> weights;
    for (const LoadedBone& bone : tree.bones)
        for (const auto& [vertex, weight] : bone.weights)
            if (weight != 0)
                weights[vertex].push_back(weight);
    EXPECT_EQ(weights.size(), 7u);  // the corners of the face of no normal are its own
    for (const auto& [vertex, ofVertex] : weights) {
        EXPECT_LE(ofVertex.size(), 4u);
        float sum = 0;
        for (const float weight : ofVertex)
            sum += weight;
        EXPECT_NEAR(sum, 1, 1e-6) << vertex;
    }
    EXPECT_EQ(tree.animations, 1u);
}

}  // namespace
}  // namespace verdin::test
