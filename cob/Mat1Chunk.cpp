#include "cob/Mat1Chunk.h"

namespace verdin {

bool CMat1Chunk::Read(CConvertJob& job)
{
    return CChunk::Read(job);
}

}  // namespace verdin
