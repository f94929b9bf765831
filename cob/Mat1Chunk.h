#pragma once

#include "cob/Chunk.h"
#include "cob/CobRecords.h"
#include "cob/ShaderBox.h"

#include <cstdint>

namespace verdin {

// A map sub-record of a material: an image and how it is laid on the surface.
struct CobMap {
    static constexpr std::uint8_t kUsed = 0x02;

    std::uint8_t flags = 0;
    CobString name;
    CobUV offset;
    CobUV repeat;
};

// Versions 0.7 and 0.8, which later versions of the modeller write and which
// are read only on request.
inline bool IsNewerMat1Version(std::int16_t major, std::int16_t minor)
{
    return major == 0 && (minor == 7 || minor == 8);
}

// A material of a polygon object, as stored.
class CMat1Chunk : public CChunk {
public:
    // With `newerVersions`, versions 0.7 and 0.8 are read too: the fields of
    // 0.6, then the map records that fit in the data length.
    explicit CMat1Chunk(bool newerVersions = false) : m_bNewerVersions(newerVersions) {}

    bool Read(CobFile& file, ReportLog& report) override;
    // False, after reporting it, for a version the converter does not read.
    bool AcceptsVersion(ReportLog& report) const;

    std::int16_t m_nMaterial = 0;
    std::uint8_t m_cShader = 0;
    std::uint8_t m_cFacet = 0;
    std::uint8_t m_nAutoFacetAngle = 0;
    CobVector m_colour;
    float m_fAlpha = 0;
    float m_fAmbient = 0;
    float m_fSpecular = 0;
    float m_fExponent = 0;
    float m_fRefraction = 0;
    CobMap m_envMap;
    CobMap m_textureMap;
    CobMap m_bumpMap;
    float m_fBumpAmplitude = 0;
    // Newer files: the shaders of the material's ShBx chunk, empty without one.
    ShaderBox m_shaders;

private:
    bool IsNewerVersion() const { return IsNewerMat1Version(m_nMajor, m_nMinor); }
    void ReadMaps(CobFile& file);
    void ReadMapsInBody(CobFile& file, std::size_t bodyStart);

    bool m_bNewerVersions = false;
};

// The first material of `chunks` with that id, or null.
CMat1Chunk* FindMat1(const CChunkList& chunks, std::int32_t id);

}  // namespace verdin
