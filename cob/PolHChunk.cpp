#include "cob/PolHChunk.h"

#include "convert/ConvertJob.h"
#include "xfile/NumberFormat.h"

#include <algorithm>


namespace verdin {

namespace {

// The smallest face on file: flags and corner count, a hole without corners.
constexpr std::size_t kSmallestFace = 3;
constexpr std::size_t kCornerSize = 8;

void ReadFace(CConvertJob& job, CobFace& face, std::vector<std::int32_t>& cornerIndices)
{
    face.flags = ReadByte(job);
    face.nVertices = ReadInt16(job);
    if (!face.IsHole())
        face.material = ReadInt16(job);
    face.firstIndex = static_cast<std::uint32_t>(cornerIndices.size());
    if (face.nVertices <= 0)
        return;

    job.m_pFile->RequireRecords(face.nVertices, kCornerSize);
    for (int i = 0; i < 2 * face.nVertices; ++i)
        cornerIndices.push_back(ReadInt32(job));
}

}  // namespace

bool CPolHChunk::Read(CConvertJob& job)
{
    CChunk::Read(job);
    if (m_nMajor != 0 || m_nMinor < 2) {
        job.Log("No support PolH chunk version " + FormatInt(m_nMajor) + "." + FormatInt(m_nMinor));
        return false;
    }
    m_name = ReadCobName(job);
    m_axes = ReadCobAxes(job);
    m_position = ReadCobMatrix(job);

    CobFile& file = *job.m_pFile;
    m_nVertices = ReadInt32(job);
    file.RequireRecords(m_nVertices, 3 * sizeof(float));
    m_pVertices.reserve(static_cast<std::size_t>(std::max(m_nVertices, 0)));
    for (std::int32_t i = 0; i < m_nVertices; ++i)
        m_pVertices.push_back(ReadCobVector(job));

    m_nUVs = ReadInt32(job);
    file.RequireRecords(m_nUVs, 2 * sizeof(float));
    m_pUVs.reserve(static_cast<std::size_t>(std::max(m_nUVs, 0)));
    for (std::int32_t i = 0; i < m_nUVs; ++i)
        m_pUVs.push_back(ReadCobUV(job));

    m_nFaces = ReadInt32(job);
    file.RequireRecords(m_nFaces, kSmallestFace);
    if (m_nFaces > 0)
        m_pFaces.resize(static_cast<std::size_t>(m_nFaces));
    for (CobFace& face : m_pFaces)
        ReadFace(job, face, m_cornerIndices);
    return true;
}

std::span<const std::int32_t> CPolHChunk::Corners(const CobFace& face) const
{
    if (face.nVertices <= 0)
        return {};
    return std::span(m_cornerIndices).subspan(face.firstIndex, 2 * static_cast<std::size_t>(face.nVertices));
}

}  // namespace verdin
