#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace verdin {

// Some editors start a text saved as UTF-8 with this mark.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// An open COB file, held in memory whole so that every read can be checked
// against what the file really has.
class CobFile {
public:
    explicit CobFile(const std::vector<unsigned char>& bytes);
    CobFile(std::unique_ptr<unsigned char[]> bytes, std::size_t size) : m_bytes(std::move(bytes)), m_size(size) {}

    // Reads an input file (a regular file of at most 1 GiB) that starts like a
    // COB file, and only the first bytes of any other; null when it cannot be
    // read.
    [[nodiscard]] static std::unique_ptr<CobFile> Open(const std::string& path);

    // Copies the next n bytes; raises CobEofError when fewer are left.
    void Read(void* out, std::size_t n);
    // The next n bytes, passed over; raises CobEofError when fewer are left.
    const unsigned char* Take(std::size_t n)
    {
        if (n > Remaining())
            ThrowPastEnd();
        const unsigned char* taken = m_bytes.get() + m_position;
        m_position += n;
        return taken;
    }
    // The next byte, or false at the end of the file.
    bool ReadByte(unsigned char& out);
    // Passes over `bytes` when the file goes on with them; false otherwise.
    bool SkipIfNext(std::string_view bytes);

    // Raises CobEofError unless `count` records of `recordSize` bytes fit in
    // the rest of the file. Call before allocating for a count read from it.
    void RequireRecords(std::int64_t count, std::size_t recordSize) const;

    std::size_t Position() const { return m_position; }
    // Positions past the end are held at the end: any read there fails.
    void Seek(std::uint64_t position);
    std::size_t Remaining() const { return m_size - m_position; }

private:
    [[noreturn]] void ThrowPastEnd();

    std::unique_ptr<unsigned char[]> m_bytes;
    std::size_t m_size = 0;
    std::size_t m_position = 0;
};

}  // namespace verdin
