#include "d3drm/BinaryXStep.h"

#include "convert/ConvertJob.h"
#include "d3drm/RetainedMode.h"
#include "base/NumberFormat.h"

namespace verdin {

namespace {

void ReportFailure(CConvertJob& job, const std::string& message)
{
    job.m_pReport->AppendText("\r\n");
    job.Log(message);
}

}  // namespace

bool ConvertToBinaryX(CConvertJob& job, const std::string& path)
{
    std::unique_ptr<RetainedMode> retainedMode;
    if (Direct3DRMCreate(retainedMode) != 0 || !retainedMode) {
        ReportFailure(job, "Can't create Direct3DRM. Skip converting AsciiX to BinaryX.\n");
        return false;
    }
    // Declared after the component, so it is released first.
    const std::unique_ptr<MeshBuilder> meshBuilder = retainedMode->CreateMeshBuilder();
    if (!meshBuilder) {
        ReportFailure(job, "Can't create Direct3DRMMeshBuilder. Skip converting AsciiX to BinaryX.");
        return false;
    }
    if (meshBuilder->Load(path) != 0) {
        ReportFailure(job, "Can't load Direct3DRMMeshBuilder(" + path + "). Skip converting AsciiX to BinaryX.");
        job.Log(" " + meshBuilder->LoadError());
        return false;
    }
    const int options = IsOn(job.m_pOptions->AddTemplates) ? D3DRMXOFSAVE_ALL | D3DRMXOFSAVE_TEMPLATES : D3DRMXOFSAVE_ALL;
    const std::uint32_t result = meshBuilder->Save(path, D3DRMXOF_BINARY, options);
    if (result != 0) {
        ReportFailure(job, "Can't save Direct3DRMMeshBuilder as '" + path + "'(D3DRMMeshBuilder::Save()==" +
                               FormatInt(result) + "). Skip converting AsciiX to BinaryX.");
        return false;
    }
    job.Log("Binary ");
    return true;
}

}  // namespace verdin
