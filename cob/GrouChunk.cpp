#include "cob/GrouChunk.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "cob/CobFile.h"

namespace verdin {

bool CGrouChunk::Read(CobFile& file, ReportLog& report)
{
    CChunk::Read(file, report);
    if (!AcceptsVersion(report))
        return false;
    m_name = ReadCobName(file);
    m_axes = ReadCobAxes(file);
    m_position = ReadCobMatrix(file);
    return true;
}

bool CGrouChunk::AcceptsVersion(ReportLog& report) const
{
    if (m_nMajor == 0 && m_nMinor == 1)
        return true;
    report.AppendLine("No support Grou chunk version " + FormatInt(m_nMajor) + "." + FormatInt(m_nMinor));
    return false;
}

}  // namespace verdin
