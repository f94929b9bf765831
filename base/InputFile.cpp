#include "base/InputFile.h"

#include "base/FileSystemPath.h"

#include <algorithm>
#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace verdin {

namespace {

#ifdef _WIN32
int OpenForReading(const std::string& path)
{
    return _wopen(FileSystemPath(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

bool IsRegularFile(int descriptor, std::uint64_t& size)
{
    struct _stat64 status {};
    if (_fstat64(descriptor, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG)
        return false;
    size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

long long ReadSome(int descriptor, void* data, std::size_t size)
{
    return _read(descriptor, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

bool SeekToStart(int descriptor)
{
    return _lseeki64(descriptor, 0, SEEK_SET) == 0;
}

void CloseDescriptor(int descriptor)
{
    _close(descriptor);
}
#else
// Without O_NONBLOCK, opening a FIFO waits for a writer.
int OpenForReading(const std::string& path)
{
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

bool IsRegularFile(int descriptor, std::uint64_t& size)
{
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

long long ReadSome(int descriptor, void* data, std::size_t size)
{
    ssize_t got;
    do
        got = read(descriptor, data, size);
    while (got < 0 && errno == EINTR);
    return got;
}

bool SeekToStart(int descriptor)
{
    return lseek(descriptor, 0, SEEK_SET) == 0;
}

void CloseDescriptor(int descriptor)
{
    close(descriptor);
}
#endif

}  // namespace

bool InputFile::Open(const std::string& path, std::uint64_t limit)
{
    Close();
    m_descriptor = OpenForReading(path);
    if (m_descriptor < 0)
        return false;
    if (!IsRegularFile(m_descriptor, m_size) || m_size > limit) {
        Close();
        return false;
    }
    m_limit = limit;
    return true;
}

void InputFile::Close()
{
    if (m_descriptor >= 0)
        CloseDescriptor(m_descriptor);
    m_descriptor = -1;
    m_size = m_read = 0;
    m_bFailed = false;
}

std::size_t InputFile::Read(void* data, std::size_t size)
{
    auto* bytes = static_cast<unsigned char*>(data);
    std::size_t filled = 0;
    while (filled < size && m_descriptor >= 0 && !m_bFailed) {
        const long long got = ReadSome(m_descriptor, bytes + filled, size - filled);
        if (got == 0)
            break;
        m_read += got > 0 ? static_cast<std::uint64_t>(got) : 0;
        if (got < 0 || m_read > m_limit) {
            m_bFailed = true;
            return 0;
        }
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}

bool InputFile::Rewind()
{
    if (m_descriptor < 0 || !SeekToStart(m_descriptor))
        return false;
    m_read = 0;
    m_bFailed = false;
    return true;
}

std::optional<std::vector<unsigned char>> ReadInputFile(const std::string& path, std::uint64_t limit)
{
    InputFile in;
    if (!in.Open(path, limit))
        return std::nullopt;
    // One byte more than the file system says, to see the end or more bytes.
    std::vector<unsigned char> bytes(static_cast<std::size_t>(in.Size()) + 1);
    std::size_t size = in.Read(bytes.data(), bytes.size());
    while (size == bytes.size() && !in.Failed()) {
        bytes.resize(std::min<std::size_t>(2 * bytes.size() + 4096, static_cast<std::size_t>(limit) + 1));
        size += in.Read(bytes.data() + size, bytes.size() - size);
    }
    if (in.Failed())
        return std::nullopt;
    bytes.resize(size);
    return bytes;
}

}  // namespace verdin
