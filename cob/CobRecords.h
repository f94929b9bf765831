#pragma once

#include <cstdint>
#include <string>

namespace verdin {

class CobFile;

// Records of a COB file, held as stored.

struct CobVector {
    float x = 0, y = 0, z = 0;
};

struct CobUV {
    float u = 0, v = 0;
};

// A counted text. A stored length of 0 or less means no text at all.
struct CobString {
    std::int16_t length = 0;
    std::string text;  // exactly `length` bytes when there is text

    bool HasText() const { return length > 0; }
    // The text as a C string would show it: up to its first NUL.
    std::string Shown() const { return text.substr(0, text.find('\0')); }
};

struct CobName {
    std::int16_t duplicateCount = 0;
    CobString name;
};

struct CobAxes {
    CobVector centre, xAxis, yAxis, zAxis;
};

struct CobMatrix {
    float m[3][4] = {};
};

// Each reader takes the next record from the file and raises
// CobEofError unless every byte of it is there.
std::uint8_t ReadByte(CobFile& file);
std::int16_t ReadInt16(CobFile& file);
std::int32_t ReadInt32(CobFile& file);
float ReadFloat(CobFile& file);
CobVector ReadCobVector(CobFile& file);
CobUV ReadCobUV(CobFile& file);
CobString ReadCobString(CobFile& file);
CobName ReadCobName(CobFile& file);
CobAxes ReadCobAxes(CobFile& file);
CobMatrix ReadCobMatrix(CobFile& file);

}  // namespace verdin
