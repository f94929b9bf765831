#include "cob/Mat1Chunk.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "cob/CobFile.h"

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
    if (m_nMajor != 0 || m_nMinor > 6) {
        report.AppendLine("No support Mat1 chunk version " + FormatInt(m_nMajor) + "." + FormatInt(m_nMinor));
        return false;
    }
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

    for (;;) {
        if (NextIsSubRecord(file, 'e')) {
            m_envMap = ReadMap(file, false);
        } else if (NextIsSubRecord(file, 't')) {
            m_textureMap = ReadMap(file, true);
        } else if (NextIsSubRecord(file, 'b')) {
            m_bumpMap = ReadMap(file, true);
            m_fBumpAmplitude = ReadFloat(file);
        } else {
            return true;
        }
    }
}

}  // namespace verdin
