#include "CobBodies.h"
#include "TestSupport.h"
#include "base/Version.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace verdin::test {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command line, capturing what it prints.
CliRun RunShell(const TempDir& dir, const std::string& commandLine)
{
    const std::string command =
        commandLine + " >'" + dir.Path("stdout") + "' 2>'" + dir.Path("stderr") + "' </dev/null";
    const int result = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    run.out = ReadFile(dir.Path("stdout"));
    run.err = ReadFile(dir.Path("stderr"));
    std::filesystem::remove(dir.Path("stdout"));
    std::filesystem::remove(dir.Path("stderr"));
    return run;
}

// Runs verdin-cli with `arguments` (already quoted for the shell).
CliRun RunCli(const TempDir& dir, const std::string& arguments, const std::string& environment = "")
{
    return RunShell(dir, environment + " '" VERDIN_CLI "' " + arguments);
}

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

CobBuilder Model()
{
    PolygonSpec point = NamedPolygon("");
    point.vertices = {{0, 0, 0}};
    return CobBuilder()
        .Header()
        .Chunk("PolH", 0, 8, 1, 0, PolHBody(point))
        .Chunk("Unit", 0, 1, 2, 0, CobBuilder())
        .End();
}

TEST(Cli, PrintsTheReportWithPlainLineEnds)
{
    TempDir dir;
    ASSERT_TRUE(Model().WriteTo(dir.Path("a.cob")));
    const CliRun run = RunCli(dir, Quoted(dir.Path("a.cob")));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, dir.Path("a.cob") + ":\n reading file...\n No support 'Unit' chunk.\n"
                                           " writing noname mesh:V=1 F=0 N=0 \n\nConverted 1 file.\n");
    EXPECT_EQ(run.err, "");
}

TEST(Cli, ExitStatusTellsWhetherEveryFileConverted)
{
    TempDir dir;
    ASSERT_TRUE(Model().WriteTo(dir.Path("a.cob")));
    const CliRun run = RunCli(dir, Quoted(dir.Path("a.cob")) + " " + Quoted(dir.Path("missing.cob")));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.ends_with("Can't open " + dir.Path("missing.cob") + " for read.\nConverted 1 file.\n"));
}

TEST(Cli, BadArgumentsGoToStandardErrorWithStatusTwo)
{
    TempDir dir;
    for (const std::string arguments : {"", "--frobnicate a.cob", "--templates=maybe a.cob"}) {
        const CliRun run = RunCli(dir, arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_NE(run.err, "") << arguments;
    }
    const CliRun help = RunCli(dir, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--no-templates"), std::string::npos);
    for (const char* option : {"--newer-materials", "--no-flip-v", "--ascii"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    const CliRun version = RunCli(dir, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "verdin-cli " + std::string(kVersion) + "\n");
}

TEST(Cli, LastOfAnOptionAndItsNegationWins)
{
    TempDir dir;
    ASSERT_TRUE(Model().WriteTo(dir.Path("a.cob")));
    RunCli(dir, "--templates --no-templates " + Quoted(dir.Path("a.cob")));
    EXPECT_EQ(ReadFile(dir.Path("a.x")).find("template "), std::string::npos);
    RunCli(dir, "--no-templates --templates " + Quoted(dir.Path("a.cob")));
    EXPECT_NE(ReadFile(dir.Path("a.x")).find("template Header {"), std::string::npos);
    RunCli(dir, "--no-templates " + Quoted(dir.Path("a.cob")));
    EXPECT_EQ(ReadFile(dir.Path("a.x")).find("template "), std::string::npos);
}

TEST(Cli, OutputDoesNotDependOnTheLocale)
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (./test.sh generates it)";
    std::setlocale(LC_ALL, "C");
    TempDir dir;
    ASSERT_TRUE(Model().WriteTo(dir.Path("a.cob")));
    const CliRun inC = RunCli(dir, Quoted(dir.Path("a.cob")), "LC_ALL=C");
    const std::string writtenInC = ReadFile(dir.Path("a.x"));
    const CliRun inGerman = RunCli(dir, Quoted(dir.Path("a.cob")), "LC_ALL=de_DE.UTF-8");
    EXPECT_EQ(inGerman.out, inC.out);
    EXPECT_EQ(inGerman.err, "");
    EXPECT_EQ(ReadFile(dir.Path("a.x")), writtenInC);
}

TEST(Cli, FullDiskLeavesTheEarlierOutputWhole)
{
    TempDir dir;
    PolygonSpec big = NamedPolygon("big");
    for (int v = 0; v < 3000; ++v)
        big.vertices.push_back({static_cast<float>(v), 0.5f, -0.25f});
    ASSERT_TRUE(CobBuilder().Header().Chunk("PolH", 0, 8, 1, 0, PolHBody(big)).End().WriteTo(dir.Path("a.cob")));
    ASSERT_TRUE(CobBuilder().Bytes("an earlier conversion").WriteTo(dir.Path("a.x")));

    // Files may not grow past 16 KiB: writes fail as on a full disk.
    const CliRun run = RunShell(dir, "bash -c \"trap '' XFSZ; ulimit -f 16; exec '" VERDIN_CLI "' " +
                                         Quoted(dir.Path("a.cob")) + "\"");
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.out.find("Can't write " + dir.Path("a.x") + ".\nConverted 0 files.\n"), std::string::npos) << run.out;
    EXPECT_EQ(ReadFile(dir.Path("a.x")), "an earlier conversion");
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
        files += entry.path().extension() == ".tmp";
    EXPECT_EQ(files, 0u);
}

TEST(Examples, AreWhatTheBuilderMakes)
{
    TempDir dir;
    ASSERT_EQ(std::system(("'" VERDIN_MAKE_EXAMPLES "' '" + dir.Path("") + "'").c_str()), 0);
    const std::filesystem::path examples = std::filesystem::path(VERDIN_SOURCE_DIR) / "examples";
    std::size_t compared = 0;
    for (const auto& made : std::filesystem::directory_iterator(dir.Path(""))) {
        EXPECT_EQ(ReadFile((examples / made.path().filename()).string()), ReadFile(made.path().string()))
            << made.path().filename() << " differs: run build/bin/make-examples examples";
        ++compared;
    }
    EXPECT_GE(compared, 3u);
}

}  // namespace
}  // namespace verdin::test
