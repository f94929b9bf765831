#pragma once

#include <string>

namespace verdin {

class ReportLog;

// Replace the .x file at `path` by its binary or its text form, with the
// template definitions when `templates` is set, reporting how it went. A text
// file becomes binary as it is read; one of any other form is read whole. True
// when the new file was written; on any failure the file stays as it was.
bool ConvertToBinaryX(ReportLog& report, const std::string& path, bool templates);
bool ConvertToTextX(ReportLog& report, const std::string& path, bool templates);

}  // namespace verdin
