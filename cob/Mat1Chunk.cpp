#include "cob/Mat1Chunk.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "cob/CobEof.h"
#include "cob/CobFile.h"

#include <algorithm>
#include <vector>

namespace verdin {

namespace {

// Consumes the two characters `letter` ":" when they come next; otherwise
// leaves the stream as it is (also at the end of the file).
bool NextIsSubRecord(CobFile& file, char letter)
{
    unsigned char start[2];
    const std::size_t at = file.Position();
    if (file.ReadByte(start[0]) && file.ReadByte(start[1]) && start[0] == letter && start[1] == ':')
        return true;
    file.Seek(at);
    return false;
}

CobMap ReadMap(CobFile& file, bool placed)
{
    CobMap map;
    map.flags = ReadByte(file);
    map.name = ReadCobString(file);
    if (placed) {
        map.offset = ReadCobUV(file);
        map.repeat = ReadCobUV(file);
    }
    return map;
}

}  // namespace

bool CMat1Chunk::Read(CobFile& file, ReportLog& report)
{
    CChunk::Read(file, report);
    const std::size_t bodyStart = file.Position();
    if (!AcceptsVersion(report))
        return false;
    m_nMaterial = ReadInt16(file);
    m_cShader = ReadByte(file);
    m_cFacet = ReadByte(file);
    m_nAutoFacetAngle = ReadByte(file);
    m_colour = ReadCobVector(file);
    m_fAlpha = ReadFloat(file);
    m_fAmbient = ReadFloat(file);
    m_fSpecular = ReadFloat(file);
    m_fExponent = ReadFloat(file);
    m_fRefraction = ReadFloat(file);

    if (IsNewerVersion() && m_nLength >= 0)
        ReadMapsInBody(file, bodyStart);
    else
        ReadMaps(file);
    return true;
}

bool CMat1Chunk::AcceptsVersion(ReportLog& report) const
{
    if (m_nMajor == 0 && (m_nMinor <= 6 || (IsNewerVersion() && m_bNewerVersions)))
        return true;
    report.AppendLine("No support Mat1 chunk version " + FormatInt(m_nMajor) + "." + FormatInt(m_nMinor));
    return false;
}

// The map records that follow the fields, as long as their markers come.
void CMat1Chunk::ReadMaps(CobFile& file)
{
    for (;;) {
        if (NextIsSubRecord(file, 'e')) {
            m_envMap = ReadMap(file, false);
        } else if (NextIsSubRecord(file, 't')) {
            m_textureMap = ReadMap(file, true);
        } else if (NextIsSubRecord(file, 'b')) {
            CobMap bump = ReadMap(file, true);
            m_fBumpAmplitude = ReadFloat(file);
            m_bumpMap = std::move(bump);
        } else {
            return;
        }
    }
}

// Newer bodies may end in a diffuse factor or in records; only records that
// lie wholly inside the data length are read. The chunk framing passes over
// the rest of the body.
void CMat1Chunk::ReadMapsInBody(CobFile& file, std::size_t bodyStart)
{
    const std::uint64_t lengthEnd = std::uint64_t{bodyStart} + static_cast<std::uint32_t>(m_nLength);
    const std::uint64_t fileEnd = std::uint64_t{file.Position()} + file.Remaining();
    const std::uint64_t bodyEnd = std::min(lengthEnd, fileEnd);
    if (bodyEnd <= file.Position())
        return;
    const auto size = static_cast<std::size_t>(bodyEnd - file.Position());
    const unsigned char* rest = file.Take(size);
    CobFile body(std::vector<unsigned char>(rest, rest + size));
    try {
        ReadMaps(body);
    } catch (const CobEofError&) {
        // a record running past the data length is not the material's
    }
}

CMat1Chunk* FindMat1(const CChunkList& chunks, std::int32_t id)
{
    for (const auto& chunk : chunks)
        if (chunk->m_nType == CHUNK_MAT1 && chunk->m_nId == id)
            return static_cast<CMat1Chunk*>(chunk.get());
    return nullptr;
}

}  // namespace verdin
