// What a model, its names and the way a run ends cannot do: read files that
// are not its images, garble the report or the .x file, or leave temporaries.

#include "AssimpReader.h"
#include "CliSupport.h"
#include "CobBodies.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

namespace verdin::test {
namespace {

TEST(UntrustedModel, CopiesNoFileThatIsNoImage)
{
    TempDir dir;
    std::filesystem::create_directories(dir.Path("m"));
    ASSERT_TRUE(CobBuilder().Bytes("API_KEY=secret\n").WriteTo(dir.Path("private.txt")));
    std::filesystem::permissions(dir.Path("private.txt"), std::filesystem::perms::owner_read);
    const std::vector<std::string> textures = {dir.Path("private.txt"), "../private.txt", "/proc/self/environ",
                                               "/proc/self/pagemap"};
    std::string models;
    for (std::size_t i = 0; i < textures.size(); ++i) {
        ASSERT_TRUE(TexturedModel(textures[i]).WriteTo(dir.Path("m/" + std::to_string(i) + ".cob")));
        models.append(" ").append(Quoted(dir.Path("m/" + std::to_string(i) + ".cob")));
    }
    const CliRun run = RunCli(dir, "-o " + Quoted(dir.Path("out")) + models, "timeout 60");
    EXPECT_EQ(run.status, 0) << run.out;
    for (const std::string& texture : {dir.Path("private.txt"), dir.Path("m/../private.txt"),
                                       std::string("/proc/self/environ"), std::string("/proc/self/pagemap")})
        EXPECT_NE(run.out.find(" Can't copy " + texture + " file to "), std::string::npos) << run.out;
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path("out")))
        written.push_back(entry.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"0.x", "1.x", "2.x", "3.x"}));
}

TEST(UntrustedModel, NamesBreakNeitherTheReportNorTheXFile)
{
    TempDir dir;
    PolygonSpec triangle = NamedPolygon("\x1b]0;title\x07\x1b[2Jmesh\r\nConverted 9 files.");
    triangle.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    triangle.uvs = {{0, 0}, {1, 0}, {0, 1}};
    triangle.faces = {{0x10, 0, {{0, 0}, {1, 1}, {2, 2}}}};
    ASSERT_TRUE(
        CobBuilder()
            .Header()
            .Chunk("PolH", 0, 8, 1, 0, PolHBody(triangle))
            .Chunk("Mat1", 0, 6, 2, 1, Mat1Body({0, 'f', 30, {1, 1, 1}, 0, MapSpec{0x02, "a\"b\nFrame x {}\x7f.bmp"}}))
            .End()
            .WriteTo(dir.Path("m.cob")));
    const CliRun run = RunCli(dir, Quoted(dir.Path("m.cob")));
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.find_first_of(std::string("\x1b\x07\r\x7f\0", 5)), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" writing ?]0;title??[2Jmesh??Converted 9 files. mesh:"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("a\"b?Frame x {}?.bmp file to"), std::string::npos) << run.out;

    const std::string x = ReadFile(dir.Path("m.x"));
    EXPECT_NE(x.find("TextureFilename{\"a_b_Frame x {}_.bmp\";}"), std::string::npos);
    EXPECT_EQ(LoadWithAssimp(dir.Path("m.x")).meshes.size(), 1u);
    EXPECT_EQ(RunCli(dir, "--x-to-binary " + Quoted(dir.Path("m.x"))).status, 0);
}

// A closed pipe (with SIGPIPE taken or ignored), the file-size limit and a
// stop signal during --x-to-binary.
TEST(UntrustedModel, EveryWayARunEndsRemovesItsTemporaries)
{
    TempDir dir;
    std::string models;
    for (const char* name : {"a", "b", "c"}) {
        ASSERT_TRUE(Grid(200).WriteTo(dir.Path(std::string(name) + ".cob")));
        models.append(" ").append(Quoted(dir.Path(std::string(name) + ".cob")));
    }
    const std::string cli = "'" VERDIN_CLI "'";
    const CliRun piped =
        RunShell(dir, "bash -c \"" + cli + models + " | head -n 1 >/dev/null; exit \\${PIPESTATUS[0]}\"");
    EXPECT_EQ(piped.status, 128 + SIGPIPE);
    EXPECT_EQ(TemporariesIn(dir.Path("")), 0u);
    const CliRun ignoring =
        RunShell(dir, "bash -c \"trap '' PIPE; " + cli + models + " | head -n 1 >/dev/null; exit \\${PIPESTATUS[0]}\"");
    EXPECT_EQ(ignoring.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("c.x")));
    EXPECT_EQ(TemporariesIn(dir.Path("")), 0u);
    const CliRun limited = RunShell(dir, "bash -c \"ulimit -f 64; exec " + cli + models + "\"");
    EXPECT_EQ(limited.status, 128 + SIGXFSZ);
    EXPECT_EQ(TemporariesIn(dir.Path("")), 0u);

    ASSERT_EQ(RunCli(dir, Quoted(dir.Path("a.cob"))).status, 0);
    for (const char* name : {"b.x", "c.x"})
        std::filesystem::copy_file(dir.Path("a.x"), dir.Path(name), std::filesystem::copy_options::overwrite_existing);
    const pid_t converting =
        SpawnCli({"--x-to-binary", dir.Path("a.x"), dir.Path("b.x"), dir.Path("c.x")}, dir.Path("out"));
    ASSERT_TRUE(Eventually([&] { return !ReadFile(dir.Path("out")).empty(); }));
    kill(converting, SIGTERM);
    EXPECT_EQ(ExitStatusOf(converting), 1);
    EXPECT_TRUE(ReadFile(dir.Path("out")).ends_with("\naborted.\n")) << ReadFile(dir.Path("out"));
    EXPECT_TRUE(ReadFile(dir.Path("c.x")).starts_with("xof 0302txt"));
    EXPECT_EQ(TemporariesIn(dir.Path("")), 0u);
}

TEST(UntrustedModel, InputsAreCheckedBeforeTheyAreRead)
{
    TempDir dir;
    ASSERT_TRUE(CobBuilder().Bytes("Caligari V00.01BLH").WriteTo(dir.Path("huge.cob")));
    std::filesystem::resize_file(dir.Path("huge.cob"), (std::uintmax_t{1} << 30) + 1);  // sparse: no disk used
    ASSERT_TRUE(Model().WriteTo(dir.Path("m.x")));
    const CliRun run = RunCli(dir, Quoted(dir.Path("huge.cob")) + " " + Quoted(dir.Path("m.x")), "timeout 60");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Can't open " + dir.Path("huge.cob") + " for read.\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Can't write " + dir.Path("m.x") + " over its own model.\n"), std::string::npos) << run.out;
    EXPECT_EQ(ReadFile(dir.Path("m.x")), Model().Data());
}

}  // namespace
}  // namespace verdin::test
