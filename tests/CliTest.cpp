#include "CliSupport.h"
#include "CobBodies.h"
#include "base/Version.h"

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace verdin::test {
namespace {

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
    EXPECT_EQ(help.out.find("{false}"), std::string::npos) << help.out;
    for (const char* option : {"--newer-materials", "--no-flip-v", "--ascii"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    ASSERT_TRUE(Model().WriteTo(dir.Path("a.cob")));
    const CliRun noFolder = RunCli(dir, "-o " + Quoted(dir.Path("a.cob")) + " " + Quoted(dir.Path("a.cob")));
    EXPECT_EQ(noFolder.status, 2);
    EXPECT_TRUE(noFolder.err.starts_with("verdin-cli: cannot make the output folder " + dir.Path("a.cob") + ": "))
        << noFolder.err;
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

TEST(Cli, TextureCopiesNeitherTruncateNorWriteThroughLinks)
{
    TempDir dir;
    std::filesystem::create_directories(dir.Path("out"));
    const std::string big = kPngSignature + std::string(40'000, 't');
    ASSERT_TRUE(CobBuilder().Bytes(big).WriteTo(dir.Path("big.png")));
    ASSERT_TRUE(TexturedModel(dir.Path("big.png")).WriteTo(dir.Path("out/m.cob")));
    const std::string earlier = kPngSignature + "earlier";
    ASSERT_TRUE(CobBuilder().Bytes(earlier).WriteTo(dir.Path("out/big.png")));
    const CliRun full = RunShell(dir, "bash -c \"trap '' XFSZ; ulimit -f 16; exec '" VERDIN_CLI "' " +
                                          Quoted(dir.Path("out/m.cob")) + "\"");
    EXPECT_NE(full.out.find(" Can't copy " + dir.Path("big.png") + " file to " + dir.Path("out/big.png") + ".\n"),
              std::string::npos)
        << full.out;
    EXPECT_EQ(ReadFile(dir.Path("out/big.png")), earlier);
    EXPECT_EQ(TemporariesIn(dir.Path("out")), 0u);

    ASSERT_TRUE(CobBuilder().Bytes("someone else's").WriteTo(dir.Path("victim")));
    std::filesystem::remove(dir.Path("out/big.png"));
    std::filesystem::create_symlink(dir.Path("victim"), dir.Path("out/big.png"));
    RunCli(dir, Quoted(dir.Path("out/m.cob")));
    EXPECT_EQ(ReadFile(dir.Path("victim")), "someone else's");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.Path("out/big.png")));
    EXPECT_TRUE(ReadFile(dir.Path("out/big.png")) == big);
}

// What would mend the files that lose their look goes to standard error after
// the job; the report on standard output is as it was.
TEST(Cli, HintsGoToStandardErrorAfterTheReport)
{
    TempDir dir;
    ASSERT_TRUE(LaterModel().WriteTo(dir.Path("later.cob")));
    const std::string files = Quoted(dir.Path("later.cob")) + " " + Quoted(VERDIN_SOURCE_DIR "/examples/ascii.cob");
    const CliRun run = RunCli(dir, "-o " + Quoted(dir.Path("out")) + " " + files);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "verdin-cli: 1 file had newer materials refused: --newer-materials (or --keep-look) reads "
                       "them.\n"
                       "verdin-cli: 1 file in the text form not read: --ascii (or --keep-look) reads them.\n"
                       "verdin-cli: 1 file had objects overlapping without their positions: --position (or "
                       "--keep-look) places them.\n");
    EXPECT_EQ(run.out, dir.Path("later.cob") +
                           ":\n reading file...\nNo support Mat1 chunk version 0.8\n writing left mesh:V=3 F=1 N=1 "
                           "\n writing right mesh:V=3 F=1 N=1 \n\n" VERDIN_SOURCE_DIR
                           "/examples/ascii.cob:\nNo support ascii format.\nConverted 1 file.\n");

    const CliRun kept = RunCli(dir, "--keep-look -o " + Quoted(dir.Path("out")) + " " + Quoted(dir.Path("later.cob")));
    EXPECT_EQ(kept.status, 0) << kept.out;
    EXPECT_EQ(kept.err, "");
    const CliRun glb = RunCli(dir, "--to glb -o " + Quoted(dir.Path("out")) + " " + Quoted(dir.Path("later.cob")));
    EXPECT_EQ(glb.err.find("--position"), std::string::npos) << "glTF files place every object";
}

// Everything a conversion writes goes into the output folder, which is made
// when missing; the models' folders are left as they were, and two models of
// one name write its file one after the other, in the order given.
TEST(Cli, OutputFolderTakesEveryFileWritten)
{
    TempDir dir;
    std::filesystem::create_directories(dir.Path("a"));
    std::filesystem::create_directories(dir.Path("b"));
    std::filesystem::copy_file(VERDIN_SOURCE_DIR "/examples/wood.bmp", dir.Path("a/wood.bmp"));
    ASSERT_TRUE(TexturedModel("wood.bmp").WriteTo(dir.Path("a/t.cob")));
    ASSERT_TRUE(Model().WriteTo(dir.Path("a/m.cob")));
    ASSERT_TRUE(TexturedModel("missing.bmp").WriteTo(dir.Path("b/m.cob")));
    const CliRun run =
        RunCli(dir, "--ppm --binary -j 2 -o " + Quoted(dir.Path("out/x")) + " " + Quoted(dir.Path("a/t.cob")) + " " +
                        Quoted(dir.Path("a/m.cob")) + " " + Quoted(dir.Path("b/m.cob")));
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find(" converted " + dir.Path("out/x/wood.bmp") + " to ppm.\n"), std::string::npos) << run.out;

    const std::string textured = ReadFile(dir.Path("out/x/t.x"));
    EXPECT_TRUE(textured.starts_with("xof 0302bin")) << textured.substr(0, 16);
    EXPECT_NE(textured.find("wood.ppm"), std::string::npos);
    EXPECT_NE(ReadFile(dir.Path("out/x/m.x")).find("missing.bmp"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.Path("out/x/wood.ppm")));
    EXPECT_EQ(ReadFile(dir.Path("a/wood.bmp")), ReadFile(VERDIN_SOURCE_DIR "/examples/wood.bmp"));
    std::size_t modelFiles = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path("a")))
        modelFiles += entry.is_regular_file();
    EXPECT_EQ(modelFiles, 3u);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("b/m.x")));
}

TEST(Cli, ReplacedFilesKeepTheirPermissionsAndReadOnlyOnesStay)
{
    using std::filesystem::perms;
    TempDir dir;
    for (const char* name : {"private", "readonly"}) {
        ASSERT_TRUE(Model().WriteTo(dir.Path(std::string(name) + ".cob")));
        ASSERT_TRUE(CobBuilder().Bytes("earlier").WriteTo(dir.Path(std::string(name) + ".x")));
    }
    std::filesystem::permissions(dir.Path("private.x"), perms::owner_read | perms::owner_write);
    std::filesystem::permissions(dir.Path("readonly.x"), perms::owner_read | perms::group_read | perms::others_read);
    const CliRun run = RunCli(dir, Quoted(dir.Path("private.cob")) + " " + Quoted(dir.Path("readonly.cob")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(ReadFile(dir.Path("private.x")), "earlier");
    EXPECT_EQ(std::filesystem::status(dir.Path("private.x")).permissions(), perms::owner_read | perms::owner_write);
    EXPECT_NE(run.out.find("Can't open " + dir.Path("readonly.x") + " for write.\n"), std::string::npos) << run.out;
    EXPECT_EQ(ReadFile(dir.Path("readonly.x")), "earlier");
}

// A FIFO would block a reader for ever and a device never end.
TEST(Cli, SpecialFilesAreRefusedWithoutWaiting)
{
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.Path("pipe.png").c_str(), 0600), 0);
    ASSERT_TRUE(TexturedModel(dir.Path("pipe.png")).WriteTo(dir.Path("a.cob")));
    ASSERT_TRUE(TexturedModel("/dev/zero").WriteTo(dir.Path("b.cob")));
    const CliRun textures = RunCli(dir, Quoted(dir.Path("a.cob")) + " " + Quoted(dir.Path("b.cob")), "timeout 60");
    EXPECT_EQ(textures.status, 0) << textures.out;
    EXPECT_NE(textures.out.find(" Can't copy " + dir.Path("pipe.png") + " file to " + dir.Path("pipe.png") + ".\n"),
              std::string::npos)
        << textures.out;
    EXPECT_NE(textures.out.find(" Can't copy /dev/zero file to " + dir.Path("zero") + ".\n"), std::string::npos);

    for (const std::string& input : {dir.Path("pipe.png"), std::string("/dev/zero"), dir.Path("")}) {
        const CliRun run = RunCli(dir, "--x-to-binary " + Quoted(input), "timeout 60");
        EXPECT_EQ(run.status, 1) << input;
        EXPECT_NE(run.out.find("Can't load Direct3DRMMeshBuilder(" + input + ")"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("cannot be read"), std::string::npos) << run.out;
    }
}

// Under a memory limit the binary step reports that it ran out and leaves
// the text file as it was.
TEST(Cli, RunningOutOfMemoryIsReportedAndLeavesTheTextFile)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
    TempDir dir;
    // The text is read in pieces, but a token is held whole: a string of
    // 48 MB cannot be, in 40 MB.
    const std::string text = "xof 0302txt 0064\nTextureFilename {\"" + std::string(48'000'000, 'a') + "\";}\n";
    ASSERT_TRUE(CobBuilder().Bytes(text).WriteTo(dir.Path("a.x")));

    const CliRun toBinary = RunShell(dir, "bash -c \"ulimit -v 40000; exec '" VERDIN_CLI "' --x-to-binary " +
                                              Quoted(dir.Path("a.x")) + "\"");
    EXPECT_EQ(toBinary.status, 1) << toBinary.out << toBinary.err;
    EXPECT_NE(toBinary.out.find("Not enough memory. Skip converting AsciiX to BinaryX.\n"), std::string::npos)
        << toBinary.out << toBinary.err;
    EXPECT_TRUE(ReadFile(dir.Path("a.x")) == text);
}

TEST(Cli, TerminationStopsAfterTheFileAndASecondSignalLeavesNoTemporaries)
{
    TempDir dir;
    std::vector<std::string> files;
    for (int i = 0; i < 6; ++i) {
        files.push_back(dir.Path(std::to_string(i) + ".cob"));
        ASSERT_TRUE(Grid(600).WriteTo(files.back()));
    }
    const pid_t stopped = SpawnCli(files, dir.Path("out"));
    ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(dir.Path("0.x")); }));
    kill(stopped, SIGTERM);
    EXPECT_EQ(ExitStatusOf(stopped), 1);
    EXPECT_TRUE(ReadFile(dir.Path("out")).ends_with("\naborted.\n")) << ReadFile(dir.Path("out"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("5.x")));
    EXPECT_EQ(TemporariesIn(dir.Path("")), 0u);

    const pid_t killed = SpawnCli(files, dir.Path("out"));
    ASSERT_TRUE(Eventually([&] { return TemporariesIn(dir.Path("")) > 0; }));
    // Either thread may take either signal: the second one taken ends it.
    kill(killed, SIGTERM);
    kill(killed, SIGHUP);
    const int status = ExitStatusOf(killed);
    EXPECT_TRUE(status == 128 + SIGTERM || status == 128 + SIGHUP) << status;
    EXPECT_EQ(TemporariesIn(dir.Path("")), 0u);
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
