#include "cob/CobFile.h"

#include "base/FileSystemPath.h"
#include "cob/CobEof.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace verdin {

CobFile::CobFile(const std::vector<unsigned char>& bytes)
    : m_bytes(std::make_unique_for_overwrite<unsigned char[]>(bytes.size())), m_size(bytes.size())
{
    std::copy(bytes.begin(), bytes.end(), m_bytes.get());
}

std::unique_ptr<CobFile> CobFile::Open(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path file = FileSystemPath(path);
    // Directories, devices and pipes are no model files; a device may never end.
    if (!std::filesystem::is_regular_file(file, error))
        return nullptr;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return nullptr;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    const std::size_t expected = error ? 0 : static_cast<std::size_t>(size);
    auto bytes = std::make_unique_for_overwrite<unsigned char[]>(expected);
    in.read(reinterpret_cast<char*>(bytes.get()), static_cast<std::streamsize>(expected));
    return std::make_unique<CobFile>(std::move(bytes), static_cast<std::size_t>(in.gcount()));
}

void CobFile::ThrowPastEnd()
{
    m_position = m_size;
    throw CobEofError();
}

void CobFile::Read(void* out, std::size_t n)
{
    const unsigned char* taken = Take(n);
    if (n > 0)
        std::memcpy(out, taken, n);
}

bool CobFile::ReadByte(unsigned char& out)
{
    if (Remaining() == 0)
        return false;
    out = m_bytes[m_position++];
    return true;
}

void CobFile::RequireRecords(std::int64_t count, std::size_t recordSize) const
{
    if (count <= 0)
        return;
    if (static_cast<std::uint64_t>(count) > Remaining() / std::max<std::size_t>(recordSize, 1))
        throw CobEofError();
}

void CobFile::Seek(std::uint64_t position)
{
    m_position = static_cast<std::size_t>(std::min<std::uint64_t>(position, m_size));
}

}  // namespace verdin
