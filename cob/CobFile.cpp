#include "cob/CobFile.h"

#include "base/InputFile.h"
#include "cob/CobEof.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace verdin {

CobFile::CobFile(const std::vector<unsigned char>& bytes)
    : m_bytes(std::make_unique_for_overwrite<unsigned char[]>(bytes.size())), m_size(bytes.size())
{
    std::copy(bytes.begin(), bytes.end(), m_bytes.get());
}

namespace {

// "Caligari ", also after the byte-order mark of a text saved as UTF-8.
constexpr std::string_view kSignature = "Caligari ";

bool StartsWithSignature(const unsigned char* bytes, std::size_t size)
{
    const std::string_view start(reinterpret_cast<const char*>(bytes), size);
    return start.starts_with(kSignature) ||
           (start.starts_with(kUtf8ByteOrderMark) && start.substr(kUtf8ByteOrderMark.size()).starts_with(kSignature));
}

}  // namespace

std::unique_ptr<CobFile> CobFile::Open(const std::string& path)
{
    InputFile in;
    if (!in.Open(path))
        return nullptr;
    // Of a file that is no COB file only the bytes the header check reads
    // are taken: it may be large, or one of /proc that never ends. A file
    // that grows while it is read is taken at the size it had.
    const std::size_t start = kUtf8ByteOrderMark.size() + kSignature.size();
    const std::size_t capacity = std::max<std::size_t>(static_cast<std::size_t>(in.Size()), start);
    auto bytes = std::make_unique_for_overwrite<unsigned char[]>(capacity);
    std::size_t size = in.Read(bytes.get(), start);
    if (StartsWithSignature(bytes.get(), size))
        size += in.Read(bytes.get() + size, capacity - size);
    if (in.Failed())
        return nullptr;
    return std::make_unique<CobFile>(std::move(bytes), size);
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

bool CobFile::SkipIfNext(std::string_view bytes)
{
    if (bytes.size() > Remaining() || std::memcmp(m_bytes.get() + m_position, bytes.data(), bytes.size()) != 0)
        return false;
    m_position += bytes.size();
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
