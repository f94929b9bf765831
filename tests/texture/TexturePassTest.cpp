#include "BmpBuilder.h"
#include "CobBodies.h"
#include "TestSupport.h"
#include "TextureTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace verdin::test {
namespace {

// A triangle whose corners carry the coordinates (0, 0), (1, 0) and (0, 1),
// with one textured material per texture named.
CobBuilder TexturedTriangle(const std::vector<std::string>& textures)
{
    PolygonSpec triangle = NamedPolygon("tri");
    triangle.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    triangle.uvs = {{0, 0}, {1, 0}, {0, 1}};
    triangle.faces = {{0x10, 0, {{0, 0}, {1, 1}, {2, 2}}}};
    CobBuilder cob;
    cob.Header().Chunk("PolH", 0, 8, 1, 0, PolHBody(triangle));
    for (std::size_t i = 0; i < textures.size(); ++i)
        cob.Chunk(
            "Mat1", 0, 6, static_cast<std::int32_t>(i) + 2, 1,
            Mat1Body(
                {static_cast<std::int16_t>(i), 'f', 30, {1, 1, 1}, 0, MapSpec{0x02, textures[i], {0, 0}, {1, 1}}}));
    return cob.End();
}

std::string Coordinates(const std::string& written)
{
    const std::size_t at = written.find("MeshTextureCoords{");
    return at == std::string::npos ? std::string() : written.substr(at, written.find("}", at) + 1 - at);
}

class TexturePass : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir.Path("tex"));
        std::filesystem::create_directories(dir.Path("models"));
        ASSERT_TRUE(WriteBytes(dir.Path("tex/wide.bmp"), BmpBuilder(NumberedPicture(100, 60)).Bytes()));
        ASSERT_TRUE(WriteBytes(dir.Path("tex/square.bmp"), BmpBuilder(NumberedPicture(128, 128)).Bytes()));
    }

    JobRun Convert(const std::vector<std::string>& textures)
    {
        EXPECT_TRUE(TexturedTriangle(textures).WriteTo(dir.Path("models/car.cob")));
        return RunJob({dir.Path("models/car.cob")}, options);
    }

    TempDir dir;
    OptionFlags options;
};

TEST_F(TexturePass, CoordinatesAreScaledByTheLastEnlargedTexture)
{
    Convert({dir.Path("tex/wide.bmp")});
    EXPECT_EQ(Coordinates(ReadFile(dir.Path("models/car.x"))),
              WithCrLf("MeshTextureCoords{\n3;\n0.000000;0.000000;\n0.781250;0.000000;\n0.000000;0.937500;\n;\n}"));
    EXPECT_EQ(DecodeBmp(ReadFile(dir.Path("models/wide.bmp"))).width, 128);

    Convert({dir.Path("tex/wide.bmp"), dir.Path("tex/square.bmp")});
    EXPECT_NE(Coordinates(ReadFile(dir.Path("models/car.x"))).find(WithCrLf("\n1.000000;0.000000;\n")),
              std::string::npos);

    Convert({dir.Path("tex/square.bmp"), dir.Path("tex/wide.bmp")});
    EXPECT_NE(Coordinates(ReadFile(dir.Path("models/car.x"))).find(WithCrLf("\n0.781250;0.000000;\n")),
              std::string::npos);
}

TEST_F(TexturePass, PpmOptionNamesThePpmFileInTheMaterial)
{
    options.bPPM = 1;
    const JobRun run = Convert({dir.Path("tex/wide.bmp")});
    const std::string written = ReadFile(dir.Path("models/car.x"));
    EXPECT_NE(written.find("TextureFilename{\"wide.ppm\";}"), std::string::npos);
    EXPECT_NE(run.report.find(" copy " + dir.Path("tex/wide.bmp") + " to " + dir.Path("models/wide.bmp") +
                              ".\r\n converted " + dir.Path("models/wide.bmp") + " to ppm.\r\n writing tri mesh:"),
              std::string::npos)
        << run.report;
    const auto ppm = ParsePpm(ReadFile(dir.Path("models/wide.ppm")));
    ASSERT_TRUE(ppm.has_value());
    EXPECT_EQ(ppm->width, 128);
    EXPECT_EQ(ppm->height, 64);
}

TEST_F(TexturePass, MaterialsWithoutAPolygonObjectStillHaveTheirTexturesCopied)
{
    const CobBuilder cob =
        CobBuilder()
            .Header()
            .Chunk("Mat1", 0, 6, 2, 99, Mat1Body({0, 'f', 30, {1, 1, 1}, 0, MapSpec{0x02, dir.Path("tex/square.bmp")}}))
            .End();
    ASSERT_TRUE(cob.WriteTo(dir.Path("models/car.cob")));
    const JobRun run = RunJob({dir.Path("models/car.cob")}, options);
    EXPECT_TRUE(std::filesystem::exists(dir.Path("models/square.bmp")));
    EXPECT_TRUE(ReadFile(dir.Path("models/car.x")).ends_with("Header {\r\n 1;\r\n 0;\r\n 1;\r\n}\r\n"));
    EXPECT_EQ(run.outcome.converted, 1);
}

TEST_F(TexturePass, FailedTextureStillTexturesTheMesh)
{
    const JobRun run = Convert({dir.Path("tex/missing.bmp")});
    EXPECT_NE(run.report.find(" Can't copy " + dir.Path("tex/missing.bmp") + " file to " +
                              dir.Path("models/missing.bmp") + "."),
              std::string::npos);
    const std::string written = ReadFile(dir.Path("models/car.x"));
    EXPECT_NE(written.find("TextureFilename{\"missing.bmp\";}"), std::string::npos);
    EXPECT_NE(Coordinates(written).find(WithCrLf("\n1.000000;0.000000;\n")), std::string::npos);
}

// The textured example and its bitmap, side by side in the folder.
void CopyTexturedExample(const TempDir& dir)
{
    for (const char* name : {"scene.cob", "wood.bmp"})
        std::filesystem::copy_file(std::string(VERDIN_SOURCE_DIR) + "/examples/" + name, dir.Path(name));
}

// Converted into a folder of its own, as ./run.sh does, the example's bitmap
// is copied there, enlarged and converted.
TEST(Examples, TexturedSceneConvertsWithPpmTextures)
{
    TempDir dir;
    CopyTexturedExample(dir);
    std::filesystem::create_directory(dir.Path("out"));
    OptionFlags options;
    options.bPPM = 1;
    const JobRun run = RunJob({dir.Path("scene.cob")}, options, 0, dir.Path("out"));

    EXPECT_EQ(run.outcome.converted, 1) << run.report;
    EXPECT_NE(ReadFile(dir.Path("out/scene.x")).find("TextureFilename{\"wood.ppm\";}"), std::string::npos);
    const DecodedBmp bmp = DecodeBmp(ReadFile(dir.Path("out/wood.bmp")));
    EXPECT_EQ(bmp.width, 128);
    EXPECT_EQ(bmp.height, 64);
    EXPECT_EQ(ReadFile(dir.Path("wood.bmp")), ReadFile(std::string(VERDIN_SOURCE_DIR) + "/examples/wood.bmp"));
    TempDir scratch;
    const auto described = RunNetpbm("pamfile", ShellQuoted(dir.Path("out/wood.ppm")), scratch);
    if (!described)
        GTEST_SKIP() << "netpbm is not installed";
    EXPECT_FALSE(described->failed);
    EXPECT_NE(described->output.find("PPM raw, 128 by 64"), std::string::npos) << described->output;
}

// Converted beside itself, the model's own bitmap is its texture as it is:
// neither enlarged nor its coordinates scaled, so that a second conversion
// writes the same file.
TEST(Examples, TexturedSceneConvertedBesideItLeavesItsOwnBitmapAsItIs)
{
    TempDir dir;
    CopyTexturedExample(dir);
    OptionFlags options;
    options.bPPM = 1;
    const JobRun run = RunJob({dir.Path("scene.cob")}, options);

    const std::string bitmap = dir.Path("wood.bmp");
    EXPECT_NE(run.report.find(" copy " + bitmap + " to " + bitmap + ".\r\n " + bitmap +
                              " is the model's own image: not enlarged.\r\n converted " + bitmap + " to ppm.\r\n"),
              std::string::npos)
        << run.report;
    EXPECT_EQ(ReadFile(bitmap), ReadFile(std::string(VERDIN_SOURCE_DIR) + "/examples/wood.bmp"));
    const auto ppm = ParsePpm(ReadFile(dir.Path("wood.ppm")));
    ASSERT_TRUE(ppm);
    EXPECT_EQ(ppm->width, 100);
    const std::string first = ReadFile(dir.Path("scene.x"));
    EXPECT_NE(first.find("TextureFilename{\"wood.ppm\";}"), std::string::npos);
    EXPECT_NE(Coordinates(first).find(WithCrLf("\n2.000000;0.000000;\n")), std::string::npos) << Coordinates(first);
    RunJob({dir.Path("scene.cob")}, options);
    EXPECT_EQ(ReadFile(dir.Path("scene.x")), first);
}

}  // namespace
}  // namespace verdin::test
