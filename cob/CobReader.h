#pragma once

#include <cstddef>

namespace verdin {

class CChunkList;
class CobFile;
class ReportLog;

// The identifying texts of a COB header, each NUL-terminated.
struct CobSignature {
    static constexpr std::size_t kFileIdSize = 9;
    static constexpr std::size_t kVersionSize = 6;

    char fileId[kFileIdSize + 1] = {};
    char version[kVersionSize + 1] = {};
    bool text = false;  // the text form: its chunks are read by ReadCobTextChunks
};

// What the reader accepts beyond the files and versions it always reads.
struct CobReaderOptions {
    bool newerMaterials = false;  // Mat1 versions 0.7 and 0.8
    bool textForm = false;        // files in the text form
    bool animation = false;       // read Chan chunks
    bool summary = false;         // one " No support" line for each kind of chunk passed over
};

// Checks the 32-byte header at the start of the file and keeps its
// identifying texts. False, after reporting why, when the file is not one the
// converter reads.
[[nodiscard]] bool ReadCobHeader(CobFile& file, ReportLog& report, CobSignature& signature,
                                 const CobReaderOptions& options = {});

// Reads the chunks that follow the header of a binary file into `chunks`, up
// to the "END " tag.
void ReadCobChunks(CobFile& file, ReportLog& report, CChunkList& chunks, const CobReaderOptions& options = {});

}  // namespace verdin
