#include "CobBuilder.h"

#include <bit>
#include <fstream>

namespace verdin::test {

CobBuilder& CobBuilder::Header()
{
    return Header("Caligari ", "V00.01", 'B', "LH");
}

CobBuilder& CobBuilder::Header(std::string_view id, std::string_view version, char storage, std::string_view byteOrder)
{
    Bytes(id).Bytes(version);
    m_data += storage;
    Bytes(byteOrder);
    return Bytes(std::string_view("           \n\0\0", 14));  // the rest of the 32-byte header line
}

CobBuilder& CobBuilder::Chunk(std::string_view tag, std::int16_t major, std::int16_t minor, std::int32_t id,
                              std::int32_t parent, const CobBuilder& body)
{
    return ChunkWithLength(tag, major, minor, id, parent, static_cast<std::int32_t>(body.Size()), body);
}

CobBuilder& CobBuilder::ChunkWithLength(std::string_view tag, std::int16_t major, std::int16_t minor, std::int32_t id,
                                        std::int32_t parent, std::int32_t length, const CobBuilder& body)
{
    Bytes(tag).Int16(major).Int16(minor).Int32(id).Int32(parent).Int32(length);
    m_data += body.m_data;
    return *this;
}

CobBuilder& CobBuilder::End()
{
    return Bytes("END ").Int16(1).Int16(0).Int32(0).Int32(0).Int32(0);
}

CobBuilder& CobBuilder::Bytes(std::string_view bytes)
{
    m_data += bytes;
    return *this;
}

CobBuilder& CobBuilder::Int16(std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    m_data += static_cast<char>(bits & 0xFF);
    m_data += static_cast<char>(bits >> 8);
    return *this;
}

CobBuilder& CobBuilder::Int32(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        m_data += static_cast<char>((bits >> shift) & 0xFF);
    return *this;
}

CobBuilder& CobBuilder::Float(float value)
{
    return Int32(std::bit_cast<std::int32_t>(value));
}

CobBuilder& CobBuilder::String(std::string_view text)
{
    return Int16(static_cast<std::int16_t>(text.size())).Bytes(text);
}

CobBuilder& CobBuilder::Name(std::string_view text, std::int16_t duplicateCount)
{
    return Int16(duplicateCount).String(text);
}

bool CobBuilder::WriteTo(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary);
    out.write(m_data.data(), static_cast<std::streamsize>(m_data.size()));
    return static_cast<bool>(out);
}

}  // namespace verdin::test
