#include "scene/MeshReport.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "scene/MeshData.h"

namespace verdin {

void ReportMeshRepairs(ReportLog& report, const MeshWorkingData& mesh, const std::string& name)
{
    if (mesh.DegenerateFaceCount() > 0)
        report.AppendLine(" Degenerate faces in " + name + " mesh: " + FormatInt(mesh.DegenerateFaceCount()) +
                          " faces with fewer than three corners left out.");
    if (mesh.BadFaceCount() > 0 || mesh.BadUVCount() > 0)
        report.AppendLine(" Bad indices in " + name + " mesh: " + FormatInt(mesh.BadFaceCount()) +
                          " faces naming missing vertices left out, " + FormatInt(mesh.BadUVCount()) +
                          " missing texture coordinates taken as 0.");
}

}  // namespace verdin
