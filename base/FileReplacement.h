#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

namespace verdin {

// Writes a file so that its path holds either its old content or all of the
// new: the bytes go to a temporary file in the same folder, which replaces the
// path only when every byte has been written. Dropped unless committed.
class FileReplacement {
public:
    FileReplacement() = default;
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement() { Discard(); }

    // False when no file can be written for the path.
    [[nodiscard]] bool Open(const std::string& path);
    void Write(const char* data, std::size_t size);
    // Puts the new file in place; false, leaving the path as it was, when any
    // byte could not be written or the file could not be put in place.
    [[nodiscard]] bool Commit();
    void Discard();

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::string m_path;
    std::string m_temporary;
    bool m_bFailed = false;
};

}  // namespace verdin
