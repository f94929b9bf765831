#pragma once

#include <cstddef>
#include <string>

namespace verdin {

// Marks a temporary file as being written for as long as it lives, so that a
// process ended by a signal can remove it (RemoveTemporaryFilesNow).
class TemporaryFileMark {
public:
    explicit TemporaryFileMark(const std::string& path);
    ~TemporaryFileMark();
    TemporaryFileMark(const TemporaryFileMark&) = delete;
    TemporaryFileMark& operator=(const TemporaryFileMark&) = delete;

private:
    std::ptrdiff_t m_slot = -1;  // none when every slot was taken
};

// Removes every marked file. Makes only async-signal-safe calls.
void RemoveTemporaryFilesNow();

}  // namespace verdin
