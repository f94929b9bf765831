#pragma once

#include "base/TemporaryFiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace verdin {

// Writes a file so that its path holds either its old content or all of the
// new: the bytes go to a temporary file in the same folder, which replaces the
// path only when every byte has been written. Dropped unless committed. The
// new file keeps the permissions (and, where allowed, the owner and group) of
// the file it replaces; a file the user may not write, or has marked
// read-only, is left alone. A link at the path is replaced, not written
// through.
class FileReplacement {
public:
    FileReplacement() = default;
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement() { Discard(); }

    // False when no file can be written for the path.
    [[nodiscard]] bool Open(const std::string& path);
    void Write(const char* data, std::size_t size);
    // Writes over bytes written before, `offset` bytes from the file's start;
    // later writes go on at the end.
    void WriteAt(std::uint64_t offset, const char* data, std::size_t size);
    // The new file gets no permission bit beyond these.
    void LimitPermissions(std::filesystem::perms allowed) { m_allowed = allowed; }
    // Puts the new file in place; false, leaving the path as it was, when any
    // byte could not be written or the file could not be put in place.
    [[nodiscard]] bool Commit();
    void Discard();

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    struct Earlier {
        std::filesystem::perms permissions;
        unsigned owner = 0;
        unsigned group = 0;
    };
    void SetAttributes();

    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::string m_path;
    std::string m_temporary;
    std::optional<TemporaryFileMark> m_mark;  // for removal when a signal ends the process
    std::optional<Earlier> m_earlier;
    std::optional<std::filesystem::perms> m_allowed;
    bool m_bFailed = false;
};

}  // namespace verdin
