#include "cob/PolHChunk.h"

namespace verdin {

bool CPolHChunk::Read(CConvertJob& job)
{
    return CChunk::Read(job);
}

}  // namespace verdin
