// Text-form COB files, read with the ascii option: the same report and .x file
// as a binary file with the same content, and one report line naming a line
// that cannot be read.

#include "AssimpReader.h"
#include "CobTextBodies.h"
#include "IrrlichtReader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace verdin::test {
namespace {

struct Converted {
    std::string report;  // with the folder written as "D"
    std::string x;
};

Converted ConvertAs(const std::string& cob)
{
    TempDir dir;
    std::ofstream(dir.Path("model.cob"), std::ios::binary) << cob;
    OptionFlags options;
    options.NewerMaterials = 1;
    options.Ascii = 1;
    std::string report = RunJob({dir.Path("model.cob")}, options).report;
    const std::string folder = dir.Path("");
    for (std::size_t at = report.find(folder); at != std::string::npos; at = report.find(folder, at))
        report.replace(at, folder.size(), "D/");
    return {report, ReadFile(dir.Path("model.x"))};
}

const MapSpec kTexture{0x02, "wood.bmp", {0.5f, 0}, {2, 3}};

// A group with a textured square, in the text form.
std::string TextModel(const PolygonSpec& square, const MaterialSpec& material)
{
    return kTextHeader + TextChunk("Grou", 1, 1, 0, TextPlacement("group")) + TextChunk("Unit", 1, 5, 1, "Units 2\n") +
           TextChunk("PolH", 8, 2, 1, TextPolH(square)) + TextChunk("Mat1", 8, 3, 2, TextMat1(material)) +
           TextChunk("ShBx", 4, 4, 3, TextShaders(kTexture)) + kTextEnd;
}

TEST(TextForm, GivesWhatTheBinaryFormGives)
{
    PolygonSpec square = NamedPolygon("square");
    square.position = {{{2, 0, 0, 1}, {0, 2, 0, 0}, {0, 0, 2, 0}}};
    square.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0.1f, 1e-7f, 0}};
    square.uvs = {{0, 0}, {1, 0}, {1, -1}, {0, -1}};
    square.faces = {{0x10, 0, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}}, {0x08, 0, {{0, 0}, {1, 1}, {2, 2}}}};
    const MaterialSpec material{0, 'a', 40, {0.25f, 0.5f, 0.75f}, 3, kTexture};

    const std::string text = TextModel(square, material);
    const std::string binary = CobBuilder()
                                   .Header()
                                   .Chunk("Grou", 0, 1, 1, 0, PlacementBody("group"))
                                   .Chunk("Unit", 0, 1, 5, 1, CobBuilder().Int16(2))
                                   .Chunk("PolH", 0, 8, 2, 1, PolHBody(square))
                                   .Chunk("Mat1", 0, 8, 3, 2, Mat1Body(material))
                                   .Chunk("ShBx", 0, 4, 4, 3, CobBuilder().Bytes("shaders"))
                                   .End()
                                   .Data();

    const Converted fromText = ConvertAs(text);
    const Converted fromBinary = ConvertAs(binary);
    EXPECT_EQ(fromText.report, fromBinary.report);
    EXPECT_EQ(fromText.x, fromBinary.x);
    // As saved on Windows or an old Mac, or by an editor that marks UTF-8 and
    // leaves blank lines, it reads the same.
    auto withLineEnds = [&text](const std::string& end) {
        std::string changed;
        for (char c : text)
            changed += c == '\n' ? end : std::string(1, c);
        return changed;
    };
    const std::string blankLines = kTextHeader + "\n \n" + text.substr(kTextHeader.size());
    for (const std::string& saved : {withLineEnds("\r\n"), withLineEnds("\r"), "\xEF\xBB\xBF" + text, blankLines}) {
        const Converted again = ConvertAs(saved);
        EXPECT_EQ(again.report, fromText.report);
        EXPECT_TRUE(again.x == fromText.x);
    }
    // Both were read whole: the colour, the texture and its placement are there.
    EXPECT_NE(fromText.x.find(WithCrLf("0.250000;0.500000;0.750000;1.0;;\n")), std::string::npos) << fromText.x;
    EXPECT_NE(fromText.x.find("TextureFilename{\"wood.bmp\";}"), std::string::npos);
    EXPECT_NE(fromText.x.find(WithCrLf("MeshTextureCoords{\n4;\n")), std::string::npos);
    EXPECT_NE(fromText.report.find(" No support 'Unit' chunk.\r\n No support 'ShBx' chunk.\r\n"), std::string::npos)
        << fromText.report;
}

void ExpectNear(const std::array<float, 3>& a, const std::array<float, 3>& b, float tolerance)
{
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(a[i], b[i], tolerance * std::max(1.0f, std::fabs(a[i])));
}

// The text form holds six significant digits; an independent reader sees the
// same meshes and materials in both twins and in its own import of the COB.
TEST(TextForm, RealTwinsGiveTheSameMeshesAndMaterials)
{
    const std::string samples = SamplesDir();
    if (samples.empty())
        GTEST_SKIP() << "../shared/samples is absent";
    OptionFlags options;
    options.NewerMaterials = 1;
    options.FlipV = 1;
    options.Ascii = 1;
    for (const std::string name : {"molecule", "spider_6_6"}) {
        TempDir dir;
        for (const std::string& file : {name, name + "_ascii"})
            std::filesystem::copy_file(samples + "/" + file + ".cob", dir.Path(file + ".cob"));
        const JobRun run = RunJob({dir.Path(name + ".cob"), dir.Path(name + "_ascii.cob")}, options);
        EXPECT_EQ(run.outcome.converted, 2) << run.report;

        const LoadedScene peer = LoadWithAssimp(samples + "/" + name + ".cob");
        const LoadedScene binary = LoadWithAssimp(dir.Path(name + ".x"));
        const LoadedScene text = LoadWithAssimp(dir.Path(name + "_ascii.x"));
        ASSERT_TRUE(peer.loaded && binary.loaded && text.loaded) << binary.error << text.error;
        const IrrlichtScene binaryInEngine = LoadWithIrrlicht(dir.Path(name + ".x"));
        const IrrlichtScene textInEngine = LoadWithIrrlicht(dir.Path(name + "_ascii.x"));
        ASSERT_TRUE(binaryInEngine.loaded && textInEngine.loaded) << binaryInEngine.error << textInEngine.error;
        EXPECT_EQ(textInEngine.buffers, binaryInEngine.buffers) << name;
        EXPECT_EQ(binary.textures, peer.textures);
        EXPECT_EQ(text.textures, peer.textures);
        ASSERT_EQ(binary.colours.size(), peer.colours.size()) << name;
        ASSERT_EQ(text.colours.size(), peer.colours.size()) << name;
        for (std::size_t m = 0; m < peer.colours.size(); ++m) {
            ExpectNear(binary.colours[m], peer.colours[m], 1e-6f);
            ExpectNear(text.colours[m], peer.colours[m], 1e-6f);
        }
        ASSERT_EQ(binary.meshes.size(), peer.meshes.size()) << name;
        ASSERT_EQ(text.meshes.size(), peer.meshes.size()) << name;
        for (std::size_t m = 0; m < peer.meshes.size(); ++m) {
            EXPECT_EQ(binary.meshes[m].faces.size(), peer.meshes[m].faces.size()) << name << m;
            ASSERT_EQ(text.meshes[m].faces.size(), binary.meshes[m].faces.size()) << name << m;
            for (std::size_t f = 0; f < binary.meshes[m].faces.size(); ++f) {
                const auto& corners = binary.meshes[m].faces[f].corners;
                ASSERT_EQ(text.meshes[m].faces[f].corners.size(), corners.size());
                for (std::size_t c = 0; c < corners.size(); ++c)
                    ExpectNear(text.meshes[m].faces[f].corners[c].position, corners[c].position, 2e-5f);
            }
        }
    }
}

TEST(TextForm, AnUnreadableLineIsNamedAndNothingIsWritten)
{
    // Lines 2 to 12: a chunk header, the placement.
    const std::string polygon = kTextHeader + TextChunk("PolH", 8, 2, 0, TextPlacement("p"));
    const std::string faceStart = "World Vertices 1\n0 0 0\nTexture Vertices 0\nFaces 1\nFace verts 2 flags 0 mat 0\n";
    const struct {
        std::string file;
        std::string line;
    } cases[] = {
        {kTextHeader + "Name x\n", "Line 2: a chunk header expected."},
        {kTextHeader + "PolH V-1.08 Id 2 Parent 0 Size 00000010\n", "Line 2: a chunk header expected."},
        {kTextHeader + TextChunk("Unit", 1, 1, 0, "Units 2\n"), "Unexcepted EOF."},
        {polygon + "World Vertices 2\n0 0 0\n" + kTextEnd, "Line 15: a vertex expected."},
        // A count far beyond the lines there allocates nothing ahead of them.
        {polygon + "World Vertices 2147483647\n" + kTextEnd, "Line 14: a vertex expected."},
        {polygon + "World Vertices 1\n0 1.2.3 0\n", "Line 14: bad number \"1.2.3\"."},
        {polygon + "World Vertices 1\n0 " + std::string(100'000, '9') + "x 0\n",
         "Line 14: bad number \"" + std::string(80, '9') + "...\"."},
        {polygon + faceStart + "<0,0> <0;0>\n" + kTextEnd, "Line 18: \"<vertex,texture vertex>\" expected."},
        {polygon + faceStart + "<0,0>\n" + kTextEnd, "Line 19: the corners of a face expected."},
        {kTextHeader + TextChunk("Mat1", 6, 3, 0, "mat# 0\nshader: phong  facet: sometimes\n"),
         "Line 4: unknown facet \"sometimes\"."},
    };
    for (const auto& [file, line] : cases) {
        TempDir dir;
        std::ofstream(dir.Path("model.cob"), std::ios::binary) << file;
        std::ofstream(dir.Path("model.x"), std::ios::binary) << "earlier";
        OptionFlags options;
        options.Ascii = 1;
        const JobRun run = RunJob({dir.Path("model.cob")}, options);
        EXPECT_TRUE(run.report.ends_with("\r\n" + line + "\r\nConverted 0 files.\r\n")) << run.report;
        EXPECT_EQ(ReadFile(dir.Path("model.x")), "earlier");
    }
}

}  // namespace
}  // namespace verdin::test
