#pragma once

#include <string>

namespace verdin {

class CConvertJob;

// Replaces the text .x file at `path` by its binary form, reporting how it
// went. True when the binary file was written; on any failure the text file
// stays as it was.
bool ConvertToBinaryX(CConvertJob& job, const std::string& path);

}  // namespace verdin
