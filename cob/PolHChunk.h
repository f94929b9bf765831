#pragma once

#include "cob/Chunk.h"

namespace verdin {

class CPolHChunk : public CChunk {
public:
    bool Read(CConvertJob& job) override;
};

}  // namespace verdin
