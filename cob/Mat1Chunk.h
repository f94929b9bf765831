#pragma once

#include "cob/Chunk.h"

namespace verdin {

class CMat1Chunk : public CChunk {
public:
    bool Read(CConvertJob& job) override;
};

}  // namespace verdin
