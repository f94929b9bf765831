#pragma once

namespace verdin {

class CConvertJob;

// Checks the 32-byte header of the job's open file. False, after logging why,
// when the file is not one the converter reads.
bool ReadCobHeader(CConvertJob& job);

// Reads the chunks into job.m_chunks up to the "END " tag.
void ReadCobChunks(CConvertJob& job);

}  // namespace verdin
