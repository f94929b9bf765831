#pragma once

#include <string>

namespace verdin {

class CConvertJob;

// The .x file written for a COB file: same directory and title, ".x".
std::string XFileNameFor(const std::string& cobPath);

// Writes the DirectX text file for the chunks of job.m_chunks beside the COB
// file job.m_strPath. 1 when the output could be opened, 0 when not.
int WriteXFile(CConvertJob& job);

}  // namespace verdin
