#pragma once

#include <string>

namespace verdin {

class ReportLog;

// Replaces the text .x file at `path` by its binary form, with the template
// definitions when `templates` is set, reporting how it went. True when the
// binary file was written; on any failure the text file stays as it was.
bool ConvertToBinaryX(ReportLog& report, const std::string& path, bool templates);

}  // namespace verdin
