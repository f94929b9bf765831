#pragma once

#include "cob/Chunk.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace verdin {

// What a channel animates.
enum class ChannelKind : std::uint8_t { kMove, kRotate, kVertex, kOther };

// The kind a channel's type names ("Move", "Rotate", "Vertex"); kOther for
// any other.
ChannelKind ChannelKindNamed(std::string_view type);

// One key of a channel at a frame.
struct ChannelKey {
    float frame = 0;                              // "time": a frame number
    float acc = 0;                                // as stored
    float tension = 0, continuity = 0, bias = 0;  // Move keys (t c b); 0 otherwise
    std::array<float, 4> value = {};              // Move and Vertex: x, y, z; Rotate: w, x, y, z
};

// An animation channel of the object or group its parent id names.
//
// Its binary body (version 0.12), little-endian: a CobString name, a
// CobString type ("Move", "Rotate" or "Vertex"), for a Vertex channel an
// int32 vertex index, an int16 of flags and an int16 key count. Each key is a
// float time, 4 bytes of "acc" (0 in every sample, read as a float), then for
// Move the floats t, c, b and x, y, z (32 bytes a key), for Rotate w, x, y, z
// (24 bytes), for Vertex x, y, z (20 bytes).
class CChanChunk : public CChunk {
public:
    // A body whose keys do not fit in its data length is refused, after
    // reporting it, and left to be passed over from its start. A channel of
    // another type is kept without keys when its data length shows where it
    // ends.
    bool Read(CobFile& file, ReportLog& report) override;
    // False, after reporting it, for a version the converter does not read.
    bool AcceptsVersion(ReportLog& report) const;

    std::string m_name;  // "AnimationSet0"
    ChannelKind m_kind = ChannelKind::kOther;
    std::int32_t m_nVertex = -1;  // the animated vertex of a Vertex channel
    std::int32_t m_nFlags = 0;
    std::vector<ChannelKey> m_keys;

private:
    bool ReadBody(CobFile& file, std::size_t bodyEnd);
};

}  // namespace verdin
