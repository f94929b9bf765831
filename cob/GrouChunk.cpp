#include "cob/GrouChunk.h"

#include "convert/ConvertJob.h"
#include "base/NumberFormat.h"

namespace verdin {

bool CGrouChunk::Read(CConvertJob& job)
{
    CChunk::Read(job);
    if (m_nMajor != 0 || m_nMinor != 1) {
        job.Log("No support Grou chunk version " + FormatInt(m_nMajor) + "." + FormatInt(m_nMinor));
        return false;
    }
    m_name = ReadCobName(job);
    m_axes = ReadCobAxes(job);
    m_position = ReadCobMatrix(job);
    return true;
}

}  // namespace verdin
