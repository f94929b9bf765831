#include "cob/PolHChunk.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "cob/CobFile.h"

#include <bit>

namespace verdin {

namespace {

// The smallest face on file: flags and corner count, a hole without corners.
constexpr std::size_t kSmallestFace = 3;
constexpr std::size_t kCornerSize = 8;

std::uint32_t Little32(const unsigned char* b)
{
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
}

std::int16_t Little16(const unsigned char* b)
{
    return static_cast<std::int16_t>(b[0] | b[1] << 8);
}

float LittleFloat(const unsigned char* b)
{
    return std::bit_cast<float>(Little32(b));
}

// The corners of `count` faces from the current position, which it keeps:
// so that the corner table is allocated once, at its size.
std::size_t CountCorners(CobFile& file, std::int32_t count)
{
    const std::size_t start = file.Position();
    std::size_t corners = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const bool hole = (*file.Take(1) & CobFace::kHole) != 0;
        const std::int16_t n = Little16(file.Take(2));
        if (!hole)
            file.Take(2);
        if (n > 0) {
            file.Take(kCornerSize * static_cast<std::size_t>(n));
            corners += static_cast<std::size_t>(n);
        }
    }
    file.Seek(start);
    return corners;
}

// `count` records of `size` bytes each, decoded into `records`; nothing for a
// count of 0 or less, and nothing allocated unless they fit in the file.
template <typename Record, typename Decode>
void ReadRecords(CobFile& file, std::int32_t count, std::size_t size, std::vector<Record>& records, Decode decode)
{
    if (count <= 0)
        return;
    file.RequireRecords(count, size);
    const unsigned char* bytes = file.Take(size * static_cast<std::size_t>(count));
    records.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i, bytes += size)
        records.push_back(decode(bytes));
}

CobFace ReadFace(CobFile& file, std::vector<std::int32_t>& cornerIndices)
{
    CobFace face;
    face.flags = *file.Take(1);
    face.nVertices = Little16(file.Take(2));
    if (!face.IsHole())
        face.material = Little16(file.Take(2));
    face.firstIndex = static_cast<std::uint32_t>(cornerIndices.size());
    if (face.nVertices > 0) {
        const std::size_t values = 2 * static_cast<std::size_t>(face.nVertices);
        const unsigned char* bytes = file.Take(4 * values);
        for (std::size_t i = 0; i < values; ++i)
            cornerIndices.push_back(static_cast<std::int32_t>(Little32(bytes + 4 * i)));
    }
    return face;
}

}  // namespace

bool CPolHChunk::Read(CobFile& file, ReportLog& report)
{
    CChunk::Read(file, report);
    if (!AcceptsVersion(report))
        return false;
    m_name = ReadCobName(file);
    m_axes = ReadCobAxes(file);
    m_position = ReadCobMatrix(file);

    m_nVertices = ReadInt32(file);
    ReadRecords(file, m_nVertices, 12, m_pVertices, [](const unsigned char* b) {
        return CobVector{LittleFloat(b), LittleFloat(b + 4), LittleFloat(b + 8)};
    });
    m_nUVs = ReadInt32(file);
    ReadRecords(file, m_nUVs, 8, m_pUVs, [](const unsigned char* b) {
        return CobUV{LittleFloat(b), LittleFloat(b + 4)};
    });

    m_nFaces = ReadInt32(file);
    if (m_nFaces > 0) {
        file.RequireRecords(m_nFaces, kSmallestFace);
        m_cornerIndices.reserve(2 * CountCorners(file, m_nFaces));
        m_pFaces.reserve(static_cast<std::size_t>(m_nFaces));
        for (std::int32_t i = 0; i < m_nFaces; ++i)
            m_pFaces.push_back(ReadFace(file, m_cornerIndices));
    }
    return true;
}

bool CPolHChunk::AcceptsVersion(ReportLog& report) const
{
    if (m_nMajor == 0 && m_nMinor >= 2)
        return true;
    report.AppendLine("No support PolH chunk version " + FormatInt(m_nMajor) + "." + FormatInt(m_nMinor));
    return false;
}

std::span<const std::int32_t> CPolHChunk::Corners(const CobFace& face) const
{
    if (face.nVertices <= 0)
        return {};
    return std::span(m_cornerIndices).subspan(face.firstIndex, 2 * static_cast<std::size_t>(face.nVertices));
}

}  // namespace verdin
