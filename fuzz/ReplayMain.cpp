// Runs a fuzz target over the files given (or the files in the folders
// given), so the kept corpus is replayed by the ordinary test suite. Paths
// that do not exist are left out; when none is left, the exit code is 77,
// which the tests of optional seeds count as skipped.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Replay(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv)
{
    std::size_t replayed = 0;
    int absent = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (!std::filesystem::exists(path)) {
            std::printf("%s is absent\n", argv[i]);
            ++absent;
        } else if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
                if (entry.is_regular_file()) {
                    Replay(entry.path());
                    ++replayed;
                }
        } else {
            Replay(path);
            ++replayed;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    if (absent > 0 && absent == argc - 1)
        return 77;
    return replayed > 0 ? 0 : 1;
}
