#include "base/FileReplacement.h"

#include "base/FileSystemPath.h"
#include "base/NumberFormat.h"
#include "base/PathHelpers.h"

#include <cerrno>
#include <random>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace verdin {

namespace {

using std::filesystem::perms;

bool MarkedReadOnly(perms permissions)
{
    return (permissions & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

// A new file opened for binary writing, never one that exists: null, with
// `exists` set when a file of that name is in the way.
std::FILE* CreateNewFile(const std::string& path, bool& exists)
{
#ifdef _WIN32
    // Shared for deletion, so that a second Ctrl+C can remove it while open.
    const HANDLE handle = CreateFileW(FileSystemPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        exists = GetLastError() == ERROR_FILE_EXISTS;
        return nullptr;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "wb");
    if (!file)
        _close(descriptor);
    return file;
#else
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    exists = !file && errno == EEXIST;
    return file;
#endif
}

// Puts the file `from` at `to`, in place of any file there.
bool MoveReplacing(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    return MoveFileExW(FileSystemPath(from).c_str(), FileSystemPath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return !error;
#endif
}

}  // namespace

bool FileReplacement::Open(const std::string& path)
{
    Discard();
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(FileSystemPath(path), error);
    if (std::filesystem::is_directory(status))
        return false;
    m_earlier.reset();
    if (std::filesystem::is_regular_file(status)) {
        if (MarkedReadOnly(status.permissions()))
            return false;
        Earlier earlier{status.permissions()};
#ifndef _WIN32
        struct stat info {};
        if (access(path.c_str(), W_OK) != 0)
            return false;
        if (lstat(path.c_str(), &info) == 0) {
            earlier.owner = info.st_uid;
            earlier.group = info.st_gid;
        }
#endif
        m_earlier = earlier;
    }

    // Marked before it is made, so that a signal ending the process the moment
    // after finds it marked.
    std::random_device random;
    for (int attempt = 0; attempt < 16 && !m_file; ++attempt) {
        m_temporary = PathDirectory(path) + ".verdin-" + FormatInt(random()) + FormatInt(random()) + ".tmp";
        m_mark.emplace(m_temporary);
        bool exists = false;
        m_file.reset(CreateNewFile(m_temporary, exists));
        if (!m_file)
            m_mark.reset();  // another's file, or none
        if (!m_file && !exists)
            break;
    }
    if (!m_file) {
        m_temporary.clear();
        return false;
    }
    m_path = path;
    m_bFailed = false;
    return true;
}

void FileReplacement::Write(const char* data, std::size_t size)
{
    if (m_file && !m_bFailed && std::fwrite(data, 1, size, m_file.get()) != size)
        m_bFailed = true;
}

void FileReplacement::WriteAt(std::uint64_t offset, const char* data, std::size_t size)
{
    if (!m_file || m_bFailed)
        return;
    std::FILE* file = m_file.get();
#ifdef _WIN32
    const bool placed = _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    const bool placed = fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
    if (!placed || std::fwrite(data, 1, size, file) != size || std::fseek(file, 0, SEEK_END) != 0)
        m_bFailed = true;
}

// The earlier file's owner, group and permissions, owner and group first:
// changing them may clear the set-id bits.
void FileReplacement::SetAttributes()
{
    if (!m_earlier && !m_allowed)
        return;
#ifndef _WIN32
    if (m_earlier && fchown(fileno(m_file.get()), m_earlier->owner, m_earlier->group) != 0) {
        // not allowed to give the file away: it stays the user's own
    }
#endif
    std::error_code error;
    const std::filesystem::path temporary = FileSystemPath(m_temporary);
    perms permissions = m_earlier ? m_earlier->permissions : std::filesystem::status(temporary, error).permissions();
    if (m_allowed)
        permissions &= *m_allowed;
    if (!error)
        std::filesystem::permissions(temporary, permissions, error);
}

bool FileReplacement::Commit()
{
    if (!m_file)
        return false;
    SetAttributes();
    const bool closed = std::fclose(m_file.release()) == 0;
    if (!closed || m_bFailed || !MoveReplacing(m_temporary, m_path)) {
        Discard();
        return false;
    }
    m_mark.reset();
    m_temporary.clear();
    return true;
}

void FileReplacement::Discard()
{
    m_file.reset();
    if (!m_temporary.empty()) {
        std::error_code ignored;
        std::filesystem::remove(FileSystemPath(m_temporary), ignored);
        m_mark.reset();
        m_temporary.clear();
    }
}

}  // namespace verdin
