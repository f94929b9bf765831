#pragma once

#include <string>

namespace verdin {

class ReportLog;

// The PPM file that BmpToPpmConverter writes for a bitmap: same folder and
// title, ".ppm".
std::string PpmNameFor(const std::string& bmpPath);

// Writes an 8-bit palettised bitmap as a binary PPM image ("P6") under
// PpmNameFor(path), top row first; the bitmap itself is only read. 1 when the
// PPM file is complete, 0 when nothing was written, with one report line
// saying why.
int BmpToPpmConverter(ReportLog& report, std::string path);

}  // namespace verdin
