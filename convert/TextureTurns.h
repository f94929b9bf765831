#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

namespace verdin {

// Lets files converted side by side handle their textures in list order, so
// that textures shared by several files end up as one file after the other
// would leave them (an enlarged texture's scale goes to the first file only).
class TextureTurns {
public:
    explicit TextureTurns(std::size_t files) : m_passed(files, false) {}

    // Waits until every earlier file has passed its texture pass.
    void Wait(std::size_t file);
    // The file is past its texture pass, or will not reach it.
    void Pass(std::size_t file);

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<bool> m_passed;
    std::size_t m_nextTurn = 0;
};

}  // namespace verdin
