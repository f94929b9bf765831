#pragma once

#include <string>

namespace verdin {

class CConvertJob;

// The .x file written for a COB file: same directory and title, ".x".
std::string XFileNameFor(const std::string& cobPath);

// Writes the DirectX text file for the chunks of job.m_chunks beside the COB
// file job.m_strPath. 1 when the whole file was written; 0 when it could not
// be, or the user cancelled, and any earlier file of that name is untouched.
int WriteXFile(CConvertJob& job);

}  // namespace verdin
