#pragma once

#include <string>

namespace verdin {

class CConvertJob;

// Replaces the text .x file at `path` by its binary form, reporting how it went.
void ConvertToBinaryX(CConvertJob& job, const std::string& path);

}  // namespace verdin
