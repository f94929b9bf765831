#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "xof/Document.h"
#include "xof/Result.h"

namespace verdin::xof {

// Little-endian fields of a binary DirectX file, read from a position that
// only moves forward. Every read is checked against the end; failures throw
// ParseFailure naming the byte offset.
class BinaryInput {
public:
    BinaryInput(std::string_view bytes, std::size_t start) : m_bytes(bytes), m_position(start) {}

    [[nodiscard]] bool AtEnd() const { return m_position == m_bytes.size(); }
    [[nodiscard]] std::size_t Offset() const { return m_position; }
    [[nodiscard]] std::size_t BytesLeft() const { return m_bytes.size() - m_position; }

    [[nodiscard]] std::uint16_t Word();
    [[nodiscard]] std::uint32_t Dword();
    // The next word without consuming it; 0 (no token) at the end.
    [[nodiscard]] std::uint16_t PeekWord() const;
    // `count` bytes, checked to be there before anything is taken.
    [[nodiscard]] std::string_view Bytes(std::uint64_t count);

    [[noreturn]] void Fail(ErrorCode code, std::string_view message) const;
    [[noreturn]] void FailAt(std::size_t offset, ErrorCode code, std::string_view message) const;

private:
    void Need(std::uint64_t count) const;

    std::string_view m_bytes;
    std::size_t m_position;
};

}  // namespace verdin::xof
