#include "cob/Chunk.h"

#include "base/ReportLog.h"
#include "cob/CobEof.h"
#include "cob/CobFile.h"
#include "cob/CobRecords.h"
#include "cob/CobTags.h"

namespace verdin {

bool CChunk::Read(CobFile& file, ReportLog&)
{
    m_nMajor = ReadInt16(file);
    m_nMinor = ReadInt16(file);
    m_nId = ReadInt32(file);
    m_nParentId = ReadInt32(file);
    m_nLength = ReadInt32(file);
    if (m_nLength < -1)
        throw CobEofError();
    return true;
}

bool CChunk::Skip(CobFile& file, ReportLog& report)
{
    if (m_nLength != -1) {
        file.Seek(std::uint64_t{file.Position()} + static_cast<std::uint32_t>(m_nLength));
        return true;
    }

    // No length: slide a 4-byte window over the body until it shows a tag
    // that starts a chunk the reader knows, then leave that tag to be read.
    char window[4];
    std::size_t filled = 0;
    unsigned char byte;
    while (filled < 4 || !IsResyncTag(window)) {
        if (!file.ReadByte(byte)) {
            report.AppendLine("Unexpected EOF");
            return false;
        }
        if (filled == 4) {
            window[0] = window[1];
            window[1] = window[2];
            window[2] = window[3];
            filled = 3;
        }
        window[filled++] = static_cast<char>(byte);
    }
    file.Seek(file.Position() - 4);
    return true;
}

}  // namespace verdin
