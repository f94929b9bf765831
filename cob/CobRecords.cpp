#include "cob/CobRecords.h"

#include "convert/ConvertJob.h"

#include <bit>

namespace verdin {

namespace {

std::uint32_t LittleEndian32(const unsigned char* b)
{
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
           std::uint32_t{b[3]} << 24;
}

template <std::size_t N>
void ReadFloats(CConvertJob& job, float* out)
{
    unsigned char bytes[4 * N];
    job.m_pFile->Read(bytes, sizeof bytes);
    for (std::size_t i = 0; i < N; ++i)
        out[i] = std::bit_cast<float>(LittleEndian32(bytes + 4 * i));
}

}  // namespace

std::uint8_t ReadByte(CConvertJob& job)
{
    std::uint8_t value;
    job.m_pFile->Read(&value, 1);
    return value;
}

std::int16_t ReadInt16(CConvertJob& job)
{
    unsigned char b[2];
    job.m_pFile->Read(b, 2);
    return static_cast<std::int16_t>(b[0] | b[1] << 8);
}

std::int32_t ReadInt32(CConvertJob& job)
{
    unsigned char b[4];
    job.m_pFile->Read(b, 4);
    return static_cast<std::int32_t>(LittleEndian32(b));
}

float ReadFloat(CConvertJob& job)
{
    float value;
    ReadFloats<1>(job, &value);
    return value;
}

CobVector ReadCobVector(CConvertJob& job)
{
    float v[3];
    ReadFloats<3>(job, v);
    return {v[0], v[1], v[2]};
}

CobUV ReadCobUV(CConvertJob& job)
{
    float v[2];
    ReadFloats<2>(job, v);
    return {v[0], v[1]};
}

CobString ReadCobString(CConvertJob& job)
{
    CobString string;
    string.length = ReadInt16(job);
    if (string.length > 0) {
        job.m_pFile->RequireRecords(string.length, 1);
        string.text.resize(static_cast<std::size_t>(string.length));
        job.m_pFile->Read(string.text.data(), string.text.size());
    }
    return string;
}

CobName ReadCobName(CConvertJob& job)
{
    CobName name;
    name.duplicateCount = ReadInt16(job);
    name.name = ReadCobString(job);
    return name;
}

CobAxes ReadCobAxes(CConvertJob& job)
{
    CobAxes axes;
    axes.centre = ReadCobVector(job);
    axes.xAxis = ReadCobVector(job);
    axes.yAxis = ReadCobVector(job);
    axes.zAxis = ReadCobVector(job);
    return axes;
}

CobMatrix ReadCobMatrix(CConvertJob& job)
{
    CobMatrix matrix;
    for (auto& row : matrix.m)
        ReadFloats<4>(job, row);
    return matrix;
}

}  // namespace verdin
