#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace verdin::test {

// Builds COB files byte by byte, little-endian, for tests and examples.
class CobBuilder {
public:
    // The 32-byte header of a binary little-endian file.
    CobBuilder& Header();
    CobBuilder& Header(std::string_view id, std::string_view version, char storage, std::string_view byteOrder);

    // A chunk header whose data length is the body's size, then the body.
    CobBuilder& Chunk(std::string_view tag, std::int16_t major, std::int16_t minor, std::int32_t id,
                      std::int32_t parent, const CobBuilder& body);
    // A chunk header with a given data length, then the body as it is.
    CobBuilder& ChunkWithLength(std::string_view tag, std::int16_t major, std::int16_t minor, std::int32_t id,
                                std::int32_t parent, std::int32_t length, const CobBuilder& body);
    CobBuilder& End();  // the full 20-byte header of "END ", as the modeller writes it

    CobBuilder& Bytes(std::string_view bytes);
    CobBuilder& Int16(std::int16_t value);
    CobBuilder& Int32(std::int32_t value);
    CobBuilder& Float(float value);
    CobBuilder& String(std::string_view text);  // int16 length, then the text
    CobBuilder& Name(std::string_view text, std::int16_t duplicateCount = 0);

    const std::string& Data() const { return m_data; }
    std::size_t Size() const { return m_data.size(); }

    // Writes the bytes to a file; false when it cannot.
    bool WriteTo(const std::string& path) const;

private:
    std::string m_data;
};

}  // namespace verdin::test
