#include "d3drm/BinaryXStep.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "d3drm/RetainedMode.h"

#include <new>

namespace verdin {

namespace {

// What the report says of a conversion into one form.
struct TargetForm {
    int format;
    const char* skip;     // the end of a failure line
    const char* success;  // the line of a file written
};

const TargetForm kBinary{D3DRMXOF_BINARY, " Skip converting AsciiX to BinaryX.", "Binary "};
const TargetForm kText{D3DRMXOF_TEXT, " Skip converting BinaryX to AsciiX.", "Text "};

void ReportFailure(ReportLog& report, const std::string& message)
{
    report.AppendText("\r\n");
    report.AppendLine(message);
}

bool ReportLoadFailure(ReportLog& report, const std::string& path, const MeshBuilder& meshBuilder,
                       const TargetForm& target)
{
    ReportFailure(report, "Can't load Direct3DRMMeshBuilder(" + path + ")." + target.skip);
    report.AppendLine(" " + meshBuilder.LoadError());
    return false;
}

bool SaveAs(ReportLog& report, const std::string& path, bool templates, const TargetForm& target)
{
    std::unique_ptr<RetainedMode> retainedMode;
    if (Direct3DRMCreate(retainedMode) != 0 || !retainedMode) {
        // The one message of the step that ends in a line feed of its own.
        report.AppendText(std::string("\r\nCan't create Direct3DRM.") + target.skip + "\n\r\n");
        return false;
    }
    // Declared after the component, so it is released first.
    const std::unique_ptr<MeshBuilder> meshBuilder = retainedMode->CreateMeshBuilder();
    if (!meshBuilder) {
        ReportFailure(report, std::string("Can't create Direct3DRMMeshBuilder.") + target.skip);
        return false;
    }
    if (meshBuilder->Load(path) != 0)
        return ReportLoadFailure(report, path, *meshBuilder, target);
    const int options = templates ? D3DRMXOFSAVE_ALL | D3DRMXOFSAVE_TEMPLATES : D3DRMXOFSAVE_ALL;
    const std::uint32_t result = meshBuilder->Save(path, target.format, options);
    // The file is read as it is saved: one that cannot be read fails the load.
    if (!meshBuilder->LoadError().empty())
        return ReportLoadFailure(report, path, *meshBuilder, target);
    if (result != 0) {
        ReportFailure(report, "Can't save Direct3DRMMeshBuilder as '" + path +
                                  "'(D3DRMMeshBuilder::Save()==" + FormatInt(result) + ")." + target.skip);
        if (!meshBuilder->SaveError().empty())
            report.AppendLine(" " + meshBuilder->SaveError());
        return false;
    }
    report.AppendLine(target.success);
    return true;
}

// The file is already in place: running out of memory here leaves it as it
// is, and the report says so.
bool Convert(ReportLog& report, const std::string& path, bool templates, const TargetForm& target)
{
    try {
        return SaveAs(report, path, templates, target);
    } catch (const std::bad_alloc&) {
        ReportFailure(report, std::string("Not enough memory.") + target.skip);
        return false;
    }
}

}  // namespace

bool ConvertToBinaryX(ReportLog& report, const std::string& path, bool templates)
{
    return Convert(report, path, templates, kBinary);
}

bool ConvertToTextX(ReportLog& report, const std::string& path, bool templates)
{
    return Convert(report, path, templates, kText);
}

}  // namespace verdin
