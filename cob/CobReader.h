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
};

// Checks the 32-byte header at the start of the file and keeps its
// identifying texts. False, after reporting why, when the file is not one the
// converter reads.
[[nodiscard]] bool ReadCobHeader(CobFile& file, ReportLog& report, CobSignature& signature);

// What the reader accepts beyond the versions it always reads.
struct CobReaderOptions {
    bool newerMaterials = false;  // Mat1 versions 0.7 and 0.8
};

// Reads the chunks that follow the header into `chunks`, up to the "END " tag.
void ReadCobChunks(CobFile& file, ReportLog& report, CChunkList& chunks, const CobReaderOptions& options = {});

}  // namespace verdin
