#include "cob/GrouChunk.h"

namespace verdin {

bool CGrouChunk::Read(CConvertJob& job)
{
    return CChunk::Read(job);
}

}  // namespace verdin
