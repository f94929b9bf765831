#include "xof/src/BinaryInput.h"

#include "xof/src/Decimal.h"
#include "xof/src/Failure.h"

namespace verdin::xof {

void BinaryInput::Need(std::uint64_t count) const
{
    if (count > BytesLeft()) {
        Fail(ErrorCode::Truncated, "the input ends inside a token");
    }
}

std::uint16_t BinaryInput::Word()
{
    Need(2);
    const auto* at = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_position);
    m_position += 2;
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

std::uint32_t BinaryInput::Dword()
{
    Need(4);
    const auto* at = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_position);
    m_position += 4;
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
           (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

std::uint16_t BinaryInput::PeekWord() const
{
    if (BytesLeft() < 2) {
        return 0;
    }
    const auto* at = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_position);
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

std::string_view BinaryInput::Bytes(std::uint64_t count)
{
    Need(count);
    const std::string_view taken = m_bytes.substr(m_position, static_cast<std::size_t>(count));
    m_position += static_cast<std::size_t>(count);
    return taken;
}

void BinaryInput::Fail(ErrorCode code, std::string_view message) const
{
    FailAt(m_position, code, message);
}

void BinaryInput::FailAt(std::size_t offset, ErrorCode code, std::string_view message) const
{
    throw ParseFailure{Error{code, "byte " + Decimal(offset) + ": " + std::string(message), offset, 0, 0}};
}

}  // namespace verdin::xof
