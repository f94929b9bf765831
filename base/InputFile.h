#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace verdin {

// Inputs are regular files of at most this size: a FIFO would block the job,
// and a device or a file of /proc never end.
constexpr std::uint64_t kMaxInputFileBytes = std::uint64_t{1} << 30;

// A file opened for reading as an input: a regular file only, opened without
// waiting (a FIFO or a device is refused, never waited for), of at most
// `limit` bytes both as the file system gives its size and as counted while
// reading, since files such as those of /proc give 0 and may never end.
class InputFile {
public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile() { Close(); }

    // False when the path names no readable input.
    [[nodiscard]] bool Open(const std::string& path, std::uint64_t limit = kMaxInputFileBytes);
    void Close();

    // The size the file system gives at opening.
    std::uint64_t Size() const { return m_size; }
    // Fills up to `size` bytes, fewer only at the end of the file. After a
    // read error, or once more than the limit has come, it gives no more and
    // Failed() is true.
    std::size_t Read(void* data, std::size_t size);
    bool Failed() const { return m_bFailed; }
    // Back to the first byte, the count of bytes read with it.
    bool Rewind();

private:
    int m_descriptor = -1;
    std::uint64_t m_size = 0;
    std::uint64_t m_limit = 0;
    std::uint64_t m_read = 0;
    bool m_bFailed = false;
};

// The whole of an input file; nothing when it is no readable input or could
// not be read whole.
[[nodiscard]] std::optional<std::vector<unsigned char>> ReadInputFile(const std::string& path,
                                                                      std::uint64_t limit = kMaxInputFileBytes);

}  // namespace verdin
