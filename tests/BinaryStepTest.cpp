#include "AssimpReader.h"
#include "CobBodies.h"
#include "IrrlichtReader.h"
#include "TestSupport.h"
#include "xof/XSamples.h"
#include "xof/XTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <sys/wait.h>

namespace verdin::test {
namespace {

// Both scenes hold the same faces with the same corners, in the same order.
void ExpectSameScene(const LoadedScene& text, const LoadedScene& binary)
{
    ASSERT_TRUE(text.loaded) << text.error;
    ASSERT_TRUE(binary.loaded) << binary.error;
    EXPECT_EQ(binary.textures, text.textures);
    ASSERT_EQ(binary.meshes.size(), text.meshes.size());
    for (std::size_t m = 0; m < text.meshes.size(); ++m) {
        const LoadedMesh& a = text.meshes[m];
        const LoadedMesh& b = binary.meshes[m];
        EXPECT_EQ(b.hasNormals, a.hasNormals);
        EXPECT_EQ(b.hasUVs, a.hasUVs);
        ASSERT_EQ(b.faces.size(), a.faces.size());
        for (std::size_t f = 0; f < a.faces.size(); ++f) {
            EXPECT_EQ(b.faces[f].material, a.faces[f].material);
            ASSERT_EQ(b.faces[f].corners.size(), a.faces[f].corners.size());
            for (std::size_t c = 0; c < a.faces[f].corners.size(); ++c) {
                const LoadedCorner& x = a.faces[f].corners[c];
                const LoadedCorner& y = b.faces[f].corners[c];
                for (int i = 0; i < 3; ++i) {
                    EXPECT_NEAR(y.position[i], x.position[i], 1e-5f);
                    EXPECT_NEAR(y.normal[i], x.normal[i], 1e-5f);
                }
                EXPECT_NEAR(y.uv[0], x.uv[0], 1e-5f);
                EXPECT_NEAR(y.uv[1], x.uv[1], 1e-5f);
            }
        }
    }
}

class BinaryStep : public ::testing::Test {
protected:
    // Converts `cob` twice, as text and as binary, and compares what assimp
    // reads; with `wholeScene`, with every option that keeps a newer file's
    // look.
    void ConvertBothWays(const std::string& cob, bool wholeScene = false)
    {
        OptionFlags options;
        for (std::atomic<int>* option :
             {&options.NewerMaterials, &options.FlipV, &options.Ascii, &options.Position, &options.Axes,
              &options.Hierarchy, &options.FullMaterials, &options.Animation, &options.Summary})
            *option = wholeScene ? 1 : 0;
        RunJob({cob}, options);
        const std::string x = cob.substr(0, cob.size() - 4) + ".x";
        const LoadedScene text = LoadWithAssimp(x);
        const IrrlichtScene textInEngine = LoadWithIrrlicht(x);
        options.BinaryXFile = 1;
        const JobRun run = RunJob({cob}, options);
        EXPECT_EQ(run.outcome.converted, 1);
        EXPECT_NE(run.report.find("\r\nBinary \r\nConverted 1 file.\r\n"), std::string::npos) << run.report;
        EXPECT_TRUE(ReadFile(x).starts_with("xof 0302bin 0032"));
        ExpectSameScene(text, LoadWithAssimp(x));
        const IrrlichtScene binaryInEngine = LoadWithIrrlicht(x);
        ASSERT_TRUE(textInEngine.loaded && binaryInEngine.loaded) << textInEngine.error << binaryInEngine.error;
        EXPECT_EQ(binaryInEngine.buffers, textInEngine.buffers) << x;
    }

    TempDir dir;
};

TEST_F(BinaryStep, ExamplesAndSamplesReadTheSameAsText)
{
    std::filesystem::copy_file(std::string(VERDIN_SOURCE_DIR) + "/examples/scene.cob", dir.Path("scene.cob"));
    ConvertBothWays(dir.Path("scene.cob"));
    const std::string samples = SamplesDir();
    if (samples.empty())
        GTEST_SKIP() << "../shared/samples is absent";
    for (const char* name : {"molecule.cob", "spider_6_6.cob"}) {
        std::filesystem::copy_file(samples + "/" + name, dir.Path(name));
        ConvertBothWays(dir.Path(name));
    }
    for (const char* name : {"molecule.cob", "spider_6_6_ascii.cob", "dwarf.cob"}) {
        std::filesystem::copy_file(samples + "/" + name, dir.Path(name),
                                   std::filesystem::copy_options::overwrite_existing);
        ConvertBothWays(dir.Path(name), true);
    }
}

TEST_F(BinaryStep, TemplatesAreSavedOnlyWithTheTemplateOption)
{
    ASSERT_TRUE(
        CobBuilder().Header().Chunk("PolH", 0, 8, 1, 0, PolHBody(NamedPolygon("p"))).End().WriteTo(dir.Path("a.cob")));
    OptionFlags options;
    options.BinaryXFile = 1;
    RunJob({dir.Path("a.cob")}, options);
    const std::string withTemplates = ReadFile(dir.Path("a.x"));
    EXPECT_EQ(withTemplates.substr(16, 2), std::string("\x1f\x00", 2));  // the TEMPLATE token
    options.AddTemplates = 0;
    const JobRun run = RunJob({dir.Path("a.cob")}, options);
    const std::string without = ReadFile(dir.Path("a.x"));
    EXPECT_TRUE(without.starts_with("xof 0302bin 0032"));
    EXPECT_NE(without.substr(16, 2), std::string("\x1f\x00", 2));
    EXPECT_LT(without.size() + 1000, withTemplates.size());
}

int Shell(const std::string& command)
{
    const int result = std::system(command.c_str());
    return WIFEXITED(result) ? WEXITSTATUS(result) : -1;
}

TEST_F(BinaryStep, TextFilesFromElsewhereConvertOnTheirOwn)
{
    const std::string handWritten = "xof 0302txt 0064\n"
                                    "Frame Root {\n FrameTransformMatrix {\n  "
                                    "1.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,\n"
                                    "  0.000000,0.000000,1.000000,0.000000,2.000000,0.000000,0.000000,1.000000;;\n }\n"
                                    " Mesh tri {\n  3; 0;0;0;, 1;0;0;, 0;1;0;;\n  1; 3;0,1,2;;\n"
                                    "  MeshMaterialList { 1; 1; 0;; Material red { 1;0;0;1;; 9; 0;0;0;; 0;0;0;; } }\n"
                                    " }\n}\n";
    ASSERT_TRUE(CobBuilder().Bytes(handWritten).WriteTo(dir.Path("hand.x")));
    ASSERT_TRUE(CobBuilder().Bytes("xof 0302txt 0064\nMesh { 3; 1;2;3;, }\n").WriteTo(dir.Path("broken.x")));
    const std::string out = dir.Path("out");
    const int status = Shell("'" VERDIN_CLI "' --x-to-binary '" + dir.Path("hand.x") + "' '" + dir.Path("broken.x") +
                             "' >'" + out + "'");
    EXPECT_EQ(status, 1);
    const std::string report = ReadFile(out);
    EXPECT_NE(report.find(dir.Path("hand.x") + ":\nBinary \n"), std::string::npos) << report;
    EXPECT_NE(report.find(dir.Path("broken.x") + ":\n\nCan't load Direct3DRMMeshBuilder(" + dir.Path("broken.x") +
                          "). Skip converting AsciiX to BinaryX.\n line 2"),
              std::string::npos)
        << report;
    EXPECT_EQ(ReadFile(dir.Path("broken.x")), "xof 0302txt 0064\nMesh { 3; 1;2;3;, }\n");
    const LoadedScene scene = LoadWithAssimp(dir.Path("hand.x"));
    ASSERT_TRUE(scene.loaded) << scene.error;
    EXPECT_EQ(scene.FaceCount(), 1u);
}

// verdin-cli with an option on the files of a folder; its exit status, the
// report going to `report`.
int ConvertFolder(const std::string& option, const std::string& folder, const std::vector<std::string>& names,
                  const std::string& report)
{
    std::string command = "'" VERDIN_CLI "' " + option;
    for (const std::string& name : names)
        command += " '" + folder + "/" + name + "'";
    return Shell(command + " >'" + report + "'");
}

void WriteFiles(const std::string& folder, const std::map<std::string, std::string>& files)
{
    std::filesystem::create_directory(folder);
    for (const auto& [name, bytes] : files)
        ASSERT_TRUE(CobBuilder().Bytes(bytes).WriteTo(folder + "/" + name));
}

// The samples' DirectX files and two made here go into every form: the text
// and binary forms hold the document of the file read, assimp reads them and
// the file alike, and text -> binary -> text and binary -> text -> binary give
// the same bytes again. What the text form cannot hold, or a read-only file,
// stays as it was.
TEST_F(BinaryStep, AnyFormConvertsToTheOthers)
{
    std::map<std::string, std::string> inputs{
        {"frames.x", xof::test::FramesFile()},
        {"textured.x",
         xof::WriteBinary(xof::test::MustParseText(xof::test::TexturedMeshFile(true)), xof::BinaryOptions::None)},
    };
    const std::string samples = SamplesDir();
    if (!samples.empty())
        for (const auto& entry : std::filesystem::directory_iterator(samples + "/x"))
            if (entry.path().extension() == ".x")
                inputs[entry.path().filename().string()] = ReadFile(entry.path().string());
    std::vector<std::string> names;
    for (const auto& [name, bytes] : inputs)
        names.push_back(name);
    const std::string quoted =
        xof::test::TokenBytes().Name("TextureFilename").Open().String("a \"b\".bmp").Close().Bytes();
    for (const char* folder : {"text", "direct", "original"})
        WriteFiles(dir.Path(folder), inputs);
    WriteFiles(dir.Path("text"), {{"quoted.x", quoted}, {"readonly.x", xof::test::FramesFile()}});
    std::filesystem::permissions(dir.Path("text/readonly.x"), std::filesystem::perms::owner_read);
    std::vector<std::string> withRefused = names;
    withRefused.insert(withRefused.end(), {"quoted.x", "readonly.x"});
    EXPECT_EQ(ConvertFolder("--x-to-text", dir.Path("text"), withRefused, dir.Path("text.out")), 1);
    const int directStatus = ConvertFolder("--x-to-binary", dir.Path("direct"), names, dir.Path("direct.out"));
    const std::string report = ReadFile(dir.Path("text.out"));
    EXPECT_NE(report.find("quoted.x'(D3DRMMeshBuilder::Save()==2147500037). Skip converting BinaryX to AsciiX.\n a "
                          "string of 'TextureFilename' cannot be written in the text form (it holds '\"')\n"),
              std::string::npos)
        << report;
    EXPECT_TRUE(ReadFile(dir.Path("text/quoted.x")) == quoted);
    EXPECT_NE(report.find("readonly.x'(D3DRMMeshBuilder::Save()==2147500037)."), std::string::npos) << report;
    EXPECT_EQ(ReadFile(dir.Path("text/readonly.x")), xof::test::FramesFile());

    // Every file converts, those from elsewhere and the compressed one included.
    EXPECT_EQ(directStatus, 0);
    for (const auto& [name, bytes] : inputs) {
        const std::string text = dir.Path("text/" + name);
        const xof::Result<xof::Document> original = xof::Parse(bytes);
        ASSERT_TRUE(original) << name << ": " << original.GetError().message;
        EXPECT_NE(report.find(text + ":\nText \n"), std::string::npos) << report;
        const std::string textForm = ReadFile(text);
        EXPECT_TRUE(textForm.starts_with("xof 0302txt 0032\r\n")) << name;
        EXPECT_EQ(xof::test::MustParseText(textForm).objects, original.Value().objects) << name;
        EXPECT_EQ(xof::test::MustParseBinary(ReadFile(dir.Path("direct/" + name))).objects, original.Value().objects)
            << name;
    }

    // Text -> binary gives what the file gave directly, and back to text the same text.
    std::filesystem::create_directory(dir.Path("binary"));
    std::filesystem::create_directory(dir.Path("again"));
    for (const std::string& name : names)
        std::filesystem::copy_file(dir.Path("text/" + name), dir.Path("binary/" + name));
    EXPECT_EQ(ConvertFolder("--x-to-binary", dir.Path("binary"), names, dir.Path("binary.out")), 0);
    for (const std::string& name : names)
        std::filesystem::copy_file(dir.Path("binary/" + name), dir.Path("again/" + name));
    EXPECT_EQ(ConvertFolder("--x-to-text", dir.Path("again"), names, dir.Path("again.out")), 0);
    for (const std::string& name : names) {
        EXPECT_TRUE(ReadFile(dir.Path("binary/" + name)) == ReadFile(dir.Path("direct/" + name))) << name;
        EXPECT_TRUE(ReadFile(dir.Path("again/" + name)) == ReadFile(dir.Path("text/" + name))) << name;
        const LoadedScene text = LoadWithAssimp(dir.Path("text/" + name));
        ExpectSameScene(text, LoadWithAssimp(dir.Path("binary/" + name)));
        ExpectSameScene(LoadWithAssimp(dir.Path("original/" + name)), text);
        // The engine reads no compressed files.
        const IrrlichtScene inEngine = LoadWithIrrlicht(dir.Path("text/" + name));
        EXPECT_TRUE(inEngine.loaded) << name << ": " << inEngine.error;
        const IrrlichtScene originalInEngine = LoadWithIrrlicht(dir.Path("original/" + name));
        if (originalInEngine.loaded) {
            EXPECT_EQ(originalInEngine.buffers, inEngine.buffers) << name;
        }
    }
    if (samples.empty())
        GTEST_SKIP() << "../shared/samples is absent: only the files made here were converted";
}

// A text several times the window it is read through, whose edges fall in
// numbers, then in long strings; the templates it declares come last, so that
// with --templates it is read twice.
std::string LargeText()
{
    std::string text = xof::test::BigMeshFile(4 * xof::kDefaultWindow);
    for (int i = 0; i < 2000; ++i)
        text += "TextureFilename { \"" +
                std::string(static_cast<std::size_t>(300 + i % 7), static_cast<char>('a' + i % 26)) + "\"; }\n";
    return text + std::string(xof::kMeshTemplates);
}

TEST_F(BinaryStep, LargeTextsConvertInPiecesToTheBytesOfTheWholeText)
{
    const std::string text = LargeText();
    const std::string path = dir.Path("big.x");
    for (const bool templates : {true, false}) {
        ASSERT_TRUE(CobBuilder().Bytes(text).WriteTo(path));
        const std::string option = templates ? "--templates" : "--no-templates";
        EXPECT_EQ(Shell("'" VERDIN_CLI "' --x-to-binary " + option + " '" + path + "' >/dev/null"), 0);
        const xof::BinaryOptions options = templates ? xof::BinaryOptions::Templates : xof::BinaryOptions::None;
        const xof::Result<std::string> whole = xof::test::StreamToBinary(text, options, text.size());
        ASSERT_TRUE(whole) << whole.GetError().message;
        EXPECT_TRUE(ReadFile(path) == whole.Value()) << option;
    }

    // A fault on the last line is found there, and the text stays.
    const std::string broken = text + "TextureFilename { \"x\"; 5; }\n";
    const std::string line = std::to_string(std::count(text.begin(), text.end(), '\n') + 1);
    ASSERT_TRUE(CobBuilder().Bytes(broken).WriteTo(path));
    EXPECT_EQ(Shell("'" VERDIN_CLI "' --x-to-binary '" + path + "' >'" + dir.Path("out") + "'"), 1);
    EXPECT_NE(ReadFile(dir.Path("out"))
                  .find("Can't load Direct3DRMMeshBuilder(" + path + "). Skip converting AsciiX to BinaryX.\n line " +
                        line + ", column 24: more values than the members of 'TextureFilename' take\n"),
              std::string::npos)
        << ReadFile(dir.Path("out"));
    EXPECT_TRUE(ReadFile(path) == broken);
    const std::filesystem::directory_iterator files(dir.Path(""));
    EXPECT_EQ(std::distance(begin(files), end(files)), 2);  // the text and the report: no temporary file
}

TEST_F(BinaryStep, FailedSaveKeepsTheTextFile)
{
    ASSERT_TRUE(CobBuilder().Bytes("xof 0302txt 0064\nHeader { 1; 0; 1; }\n").WriteTo(dir.Path("a.x")));
    // No file may be written: the save fails as on a full disk.
    const int status = Shell("bash -c \"trap '' XFSZ; ulimit -f 0; exec '" VERDIN_CLI "' --x-to-binary '" +
                             dir.Path("a.x") + "'\" | cat >'" + dir.Path("out") + "'");
    EXPECT_EQ(status, 0);  // the pipe's status; the report tells
    EXPECT_NE(ReadFile(dir.Path("out"))
                  .find("\nCan't save Direct3DRMMeshBuilder as '" + dir.Path("a.x") +
                        "'(D3DRMMeshBuilder::Save()==2147500037). Skip converting AsciiX to BinaryX.\n"),
              std::string::npos)
        << ReadFile(dir.Path("out"));
    EXPECT_EQ(ReadFile(dir.Path("a.x")), "xof 0302txt 0064\nHeader { 1; 0; 1; }\n");
}

}  // namespace
}  // namespace verdin::test
