#pragma once

#include <string>

namespace verdin {

class MeshWorkingData;
class ReportLog;

// The report lines on what of a mesh was left out or mended: degenerate
// faces, faces naming missing vertices, missing texture coordinates.
void ReportMeshRepairs(ReportLog& report, const MeshWorkingData& mesh, const std::string& name);

}  // namespace verdin
