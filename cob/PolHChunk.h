#pragma once

#include "cob/Chunk.h"
#include "cob/CobRecords.h"

#include <cstdint>
#include <span>
#include <vector>

namespace verdin {

// One face of a polygon object. Its corners are `nVertices` (vertex index,
// UV index) pairs in the object's corner table, from `firstIndex` on.
struct CobFace {
    static constexpr std::uint8_t kHole = 0x08;
    static constexpr std::uint8_t kStoredOrder = 0x10;

    std::uint8_t flags = 0;
    std::int16_t nVertices = 0;
    std::int16_t material = 0;  // not stored for a hole
    std::uint32_t firstIndex = 0;

    bool IsHole() const { return (flags & kHole) != 0; }
};

// A polygon object, as stored.
class CPolHChunk : public CChunk {
public:
    bool Read(CobFile& file, ReportLog& report) override;
    // False, after reporting it, for a version the converter does not read.
    bool AcceptsVersion(ReportLog& report) const;

    // The (vertex index, UV index) pairs of a face, flattened; empty when it
    // has no corners.
    std::span<const std::int32_t> Corners(const CobFace& face) const;

    CobName m_name;
    CobAxes m_axes;
    CobMatrix m_position;
    std::int32_t m_nVertices = 0;
    std::vector<CobVector> m_pVertices;
    std::int32_t m_nUVs = 0;
    std::vector<CobUV> m_pUVs;
    std::int32_t m_nFaces = 0;
    std::vector<CobFace> m_pFaces;
    // The corner pairs of all faces, face after face.
    std::vector<std::int32_t> m_cornerIndices;
};

}  // namespace verdin
