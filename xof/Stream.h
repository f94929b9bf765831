#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace verdin::xof {

// Where a streaming conversion reads its text from, a piece at a time.
class TextSource {
public:
    virtual ~TextSource() = default;
    // How many bytes the text holds; reading stops there.
    [[nodiscard]] virtual std::uint64_t Size() const = 0;
    // Copies up to `size` of the next bytes to `buffer`; how many, 0 only at the end.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // Makes the next read start again from the first byte.
    virtual void Rewind() = 0;
};

// Where a streaming conversion writes the binary form, as it is made.
class BinaryOutput {
public:
    virtual ~BinaryOutput() = default;
    // Appends the bytes.
    virtual void Write(std::string_view bytes) = 0;
    // Writes the bytes over some already written, `offset` bytes from the start.
    virtual void Overwrite(std::uint64_t offset, std::string_view bytes) = 0;
    // Drops everything written, to start again.
    virtual void Restart() = 0;
};

// A text held in memory.
class MemoryTextSource : public TextSource {
public:
    explicit MemoryTextSource(std::string_view text) : m_text(text) {}

    [[nodiscard]] std::uint64_t Size() const override { return m_text.size(); }
    std::size_t Read(char* buffer, std::size_t size) override
    {
        const std::size_t count = std::min(size, m_text.size() - m_next);
        if (count != 0) {
            std::memcpy(buffer, m_text.data() + m_next, count);
        }
        m_next += count;
        return count;
    }
    void Rewind() override { m_next = 0; }

private:
    std::string_view m_text;
    std::size_t m_next = 0;
};

// Binary output gathered in a string.
class StringOutput : public BinaryOutput {
public:
    void Write(std::string_view bytes) override { m_bytes += bytes; }
    void Overwrite(std::uint64_t offset, std::string_view bytes) override
    {
        m_bytes.replace(static_cast<std::size_t>(offset), bytes.size(), bytes);
    }
    void Restart() override { m_bytes.clear(); }

    [[nodiscard]] std::string& Bytes() { return m_bytes; }

private:
    std::string m_bytes;
};

}  // namespace verdin::xof
