#pragma once

namespace verdin {

class CChunkList;
class CobFile;
struct CobReaderOptions;
class ReportLog;

// Reads the chunks of a text-form file, whose header has been read, into
// `chunks`: the same chunk classes and report lines as a binary file with the
// same content gives. A line it cannot read raises CobTextError; a file that
// ends before its "END" line raises CobEofError.
void ReadCobTextChunks(CobFile& file, ReportLog& report, CChunkList& chunks, const CobReaderOptions& options);

}  // namespace verdin
