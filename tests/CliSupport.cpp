#include "CliSupport.h"

#include "CobBodies.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace verdin::test {

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

CliRun RunCli(const TempDir& dir, const std::string& arguments, const std::string& environment)
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

CobBuilder TexturedModel(const std::string& texture)
{
    PolygonSpec triangle = NamedPolygon("tri");
    triangle.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    triangle.uvs = {{0, 0}, {1, 0}, {0, 1}};
    triangle.faces = {{0x10, 0, {{0, 0}, {1, 1}, {2, 2}}}};
    return CobBuilder()
        .Header()
        .Chunk("PolH", 0, 8, 1, 0, PolHBody(triangle))
        .Chunk("Mat1", 0, 6, 2, 1, Mat1Body({0, 'f', 30, {1, 1, 1}, 0, MapSpec{0x02, texture}}))
        .End();
}

std::size_t TemporariesIn(const std::string& folder)
{
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files += entry.path().extension() == ".tmp";
    return files;
}

CobBuilder Grid(int side)
{
    return CobBuilder().Header().Chunk("PolH", 0, 8, 1, 0, PolHBody(QuadGrid(side))).End();
}

pid_t SpawnCli(const std::vector<std::string>& arguments, const std::string& out)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> words{VERDIN_CLI};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = -1;
    posix_spawn(&child, VERDIN_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

bool Eventually(const std::function<bool()>& seen)
{
    for (int tries = 0; tries < 60'000; ++tries) {
        if (seen())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

int ExitStatusOf(pid_t child)
{
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace verdin::test
