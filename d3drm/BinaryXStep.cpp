#include "d3drm/BinaryXStep.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "d3drm/RetainedMode.h"

#include <new>

namespace verdin {

namespace {

void ReportFailure(ReportLog& report, const std::string& message)
{
    report.AppendText("\r\n");
    report.AppendLine(message);
}

bool ReportLoadFailure(ReportLog& report, const std::string& path, const MeshBuilder& meshBuilder)
{
    ReportFailure(report, "Can't load Direct3DRMMeshBuilder(" + path + "). Skip converting AsciiX to BinaryX.");
    report.AppendLine(" " + meshBuilder.LoadError());
    return false;
}

bool SaveAsBinary(ReportLog& report, const std::string& path, bool templates)
{
    std::unique_ptr<RetainedMode> retainedMode;
    if (Direct3DRMCreate(retainedMode) != 0 || !retainedMode) {
        ReportFailure(report, "Can't create Direct3DRM. Skip converting AsciiX to BinaryX.\n");
        return false;
    }
    // Declared after the component, so it is released first.
    const std::unique_ptr<MeshBuilder> meshBuilder = retainedMode->CreateMeshBuilder();
    if (!meshBuilder) {
        ReportFailure(report, "Can't create Direct3DRMMeshBuilder. Skip converting AsciiX to BinaryX.");
        return false;
    }
    if (meshBuilder->Load(path) != 0)
        return ReportLoadFailure(report, path, *meshBuilder);
    const int options = templates ? D3DRMXOFSAVE_ALL | D3DRMXOFSAVE_TEMPLATES : D3DRMXOFSAVE_ALL;
    const std::uint32_t result = meshBuilder->Save(path, D3DRMXOF_BINARY, options);
    // The text is read as it is saved: one that cannot be read fails the load.
    if (!meshBuilder->LoadError().empty())
        return ReportLoadFailure(report, path, *meshBuilder);
    if (result != 0) {
        ReportFailure(report, "Can't save Direct3DRMMeshBuilder as '" + path + "'(D3DRMMeshBuilder::Save()==" +
                                  FormatInt(result) + "). Skip converting AsciiX to BinaryX.");
        return false;
    }
    report.AppendLine("Binary ");
    return true;
}

}  // namespace

// The text file is already in place: running out of memory here leaves it
// as it is, and the report says so.
bool ConvertToBinaryX(ReportLog& report, const std::string& path, bool templates)
{
    try {
        return SaveAsBinary(report, path, templates);
    } catch (const std::bad_alloc&) {
        ReportFailure(report, "Not enough memory. Skip converting AsciiX to BinaryX.");
        return false;
    }
}

}  // namespace verdin
