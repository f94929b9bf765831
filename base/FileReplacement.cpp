#include "base/FileReplacement.h"

#include "base/NumberFormat.h"
#include "base/PathHelpers.h"

#include <cerrno>
#include <filesystem>
#include <random>

namespace verdin {

bool FileReplacement::Open(const std::string& path)
{
    Discard();
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return false;
    std::random_device random;
    for (int attempt = 0; attempt < 16 && !m_file; ++attempt) {
        m_temporary = PathDirectory(path) + ".verdin-" + FormatInt(random()) + FormatInt(random()) + ".tmp";
        m_file.reset(std::fopen(m_temporary.c_str(), "wbx"));  // never one that exists
        if (!m_file && errno != EEXIST)
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

bool FileReplacement::Commit()
{
    if (!m_file)
        return false;
    const bool closed = std::fclose(m_file.release()) == 0;
    std::error_code error;
    if (closed && !m_bFailed)
        std::filesystem::rename(m_temporary, m_path, error);
    if (!closed || m_bFailed || error) {
        Discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

void FileReplacement::Discard()
{
    m_file.reset();
    if (!m_temporary.empty()) {
        std::error_code ignored;
        std::filesystem::remove(m_temporary, ignored);
        m_temporary.clear();
    }
}

}  // namespace verdin
