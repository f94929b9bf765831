#include "d3drm/BinaryXStep.h"

#include "convert/ConvertJob.h"

namespace verdin {

void ConvertToBinaryX(CConvertJob& job, const std::string& path)
{
    (void)path;
    // This build has no component that reads and writes binary .x files, so
    // the step ends as it does wherever the component cannot be created.
    job.m_pReport->AppendText("\r\n");
    job.m_pReport->AppendText("Can't create Direct3DRM. Skip converting AsciiX to BinaryX.\n\r\n");
}

}  // namespace verdin
