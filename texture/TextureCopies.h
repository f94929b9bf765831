#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>

namespace verdin {

// The texture copies a job writes, each with the file it was copied from, so
// that images of one name from different files each keep a copy of their
// own: the later one is written as <title>-2.<ext>, or -3 and on. Shared by
// the files a job converts side by side.
class TextureCopies {
public:
    // The path the copy of `source` takes: `destination`, or the first
    // numbered name beside it that is free. A name is free when no copy of
    // another file was given it, nor the PPM file a bitmap of that name
    // would give.
    std::string Claim(const std::string& source, const std::string& destination);

private:
    std::mutex m_mutex;
    std::map<std::string, std::string> m_sources;  // a copy's full path to its source's
};

// Runs a file's texture pass. A driver that converts files side by side hands
// one that waits for the file's turn, so that textures shared by several files
// end up as one file after the other would leave them.
using TexturePassRunner = std::function<void(const std::function<void()>& texturePass)>;

// Runs the pass through `runner`, or at once when there is none.
inline void RunInTurn(const TexturePassRunner& runner, const std::function<void()>& texturePass)
{
    if (runner)
        runner(texturePass);
    else
        texturePass();
}

// A texture's file name as the copy and the .x file carry it: a `"` would end
// the name in the .x file and a line end start objects of its own there, so
// each of them, and every other control byte, becomes "_".
std::string WritableTextureName(std::string name);

}  // namespace verdin
