#include "d3drm/FileStreams.h"

#include "base/FileSystemPath.h"

#include <filesystem>

namespace verdin {

bool FileTextSource::Open(const std::string& path)
{
    if (!IsReadableInput(path))
        return false;
    std::error_code error;
    m_size = std::filesystem::file_size(FileSystemPath(path), error);
    m_in.open(FileSystemPath(path), std::ios::binary);
    return m_in.is_open() && !error;
}

std::size_t FileTextSource::Read(char* buffer, std::size_t size)
{
    m_in.read(buffer, static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(m_in.gcount());
}

void FileTextSource::Rewind()
{
    m_in.clear();
    m_in.seekg(0);
}

}  // namespace verdin
