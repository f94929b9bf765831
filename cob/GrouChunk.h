#pragma once

#include "cob/Chunk.h"
#include "cob/CobRecords.h"

namespace verdin {

// A group: a name and a placement, kept but applied to nothing.
class CGrouChunk : public CChunk {
public:
    bool Read(CobFile& file, ReportLog& report) override;
    // False, after reporting it, for a version the converter does not read.
    bool AcceptsVersion(ReportLog& report) const;

    CobName m_name;
    CobAxes m_axes;
    CobMatrix m_position;
};

}  // namespace verdin
