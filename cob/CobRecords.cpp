#include "cob/CobRecords.h"

#include "cob/CobFile.h"

#include <bit>

namespace verdin {

namespace {

std::uint32_t LittleEndian32(const unsigned char* b)
{
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
}

template <std::size_t N>
void ReadFloats(CobFile& file, float* out)
{
    unsigned char bytes[4 * N];
    file.Read(bytes, sizeof bytes);
    for (std::size_t i = 0; i < N; ++i)
        out[i] = std::bit_cast<float>(LittleEndian32(bytes + 4 * i));
}

}  // namespace

std::uint8_t ReadByte(CobFile& file)
{
    std::uint8_t value;
    file.Read(&value, 1);
    return value;
}

std::int16_t ReadInt16(CobFile& file)
{
    unsigned char b[2];
    file.Read(b, 2);
    return static_cast<std::int16_t>(b[0] | b[1] << 8);
}

std::int32_t ReadInt32(CobFile& file)
{
    unsigned char b[4];
    file.Read(b, 4);
    return static_cast<std::int32_t>(LittleEndian32(b));
}

float ReadFloat(CobFile& file)
{
    float value;
    ReadFloats<1>(file, &value);
    return value;
}

CobVector ReadCobVector(CobFile& file)
{
    float v[3];
    ReadFloats<3>(file, v);
    return {v[0], v[1], v[2]};
}

CobUV ReadCobUV(CobFile& file)
{
    float v[2];
    ReadFloats<2>(file, v);
    return {v[0], v[1]};
}

CobString ReadCobString(CobFile& file)
{
    CobString string;
    string.length = ReadInt16(file);
    if (string.length > 0) {
        file.RequireRecords(string.length, 1);
        string.text.resize(static_cast<std::size_t>(string.length));
        file.Read(string.text.data(), string.text.size());
    }
    return string;
}

CobName ReadCobName(CobFile& file)
{
    CobName name;
    name.duplicateCount = ReadInt16(file);
    name.name = ReadCobString(file);
    return name;
}

CobAxes ReadCobAxes(CobFile& file)
{
    CobAxes axes;
    axes.centre = ReadCobVector(file);
    axes.xAxis = ReadCobVector(file);
    axes.yAxis = ReadCobVector(file);
    axes.zAxis = ReadCobVector(file);
    return axes;
}

CobMatrix ReadCobMatrix(CobFile& file)
{
    CobMatrix matrix;
    for (auto& row : matrix.m)
        ReadFloats<4>(file, row);
    return matrix;
}

}  // namespace verdin
