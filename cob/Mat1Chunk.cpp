#include "cob/Mat1Chunk.h"

#include "convert/ConvertJob.h"
#include "base/NumberFormat.h"

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

CobMap ReadMap(CConvertJob& job, bool placed)
{
    CobMap map;
    map.flags = ReadByte(job);
    map.name = ReadCobString(job);
    if (placed) {
        map.offset = ReadCobUV(job);
        map.repeat = ReadCobUV(job);
    }
    return map;
}

}  // namespace

bool CMat1Chunk::Read(CConvertJob& job)
{
    CChunk::Read(job);
    if (m_nMajor != 0 || m_nMinor > 6) {
        job.Log("No support Mat1 chunk version " + FormatInt(m_nMajor) + "." + FormatInt(m_nMinor));
        return false;
    }
    m_nMaterial = ReadInt16(job);
    m_cShader = ReadByte(job);
    m_cFacet = ReadByte(job);
    m_nAutoFacetAngle = ReadByte(job);
    m_colour = ReadCobVector(job);
    m_fAlpha = ReadFloat(job);
    m_fAmbient = ReadFloat(job);
    m_fSpecular = ReadFloat(job);
    m_fExponent = ReadFloat(job);
    m_fRefraction = ReadFloat(job);

    CobFile& file = *job.m_pFile;
    for (;;) {
        if (NextIsSubRecord(file, 'e')) {
            m_envMap = ReadMap(job, false);
        } else if (NextIsSubRecord(file, 't')) {
            m_textureMap = ReadMap(job, true);
        } else if (NextIsSubRecord(file, 'b')) {
            m_bumpMap = ReadMap(job, true);
            m_fBumpAmplitude = ReadFloat(job);
        } else {
            return true;
        }
    }
}

}  // namespace verdin
