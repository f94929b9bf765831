#include "cob/CobReader.h"

#include "cob/CobTags.h"
#include "cob/GrouChunk.h"
#include "cob/Mat1Chunk.h"
#include "cob/PolHChunk.h"
#include "convert/ConvertJob.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace verdin {

namespace {

constexpr std::size_t kChunkHeaderSize = 20;

std::unique_ptr<CChunk> CreateChunk(const char* tag)
{
    std::unique_ptr<CChunk> chunk;
    if (IsTag(tag, "Grou")) {
        chunk = std::make_unique<CGrouChunk>();
        chunk->m_nType = CHUNK_GROU;
    } else if (IsTag(tag, "PolH")) {
        chunk = std::make_unique<CPolHChunk>();
        chunk->m_nType = CHUNK_POLH;
    } else if (IsTag(tag, "Mat1")) {
        chunk = std::make_unique<CMat1Chunk>();
        chunk->m_nType = CHUNK_MAT1;
    }
    return chunk;
}

// Newer files keep bytes of their own behind a body, inside the data length:
// the next tag starts after both the body and the length.
void PassRestOfBody(CobFile& file, const CChunk& chunk, std::size_t bodyStart)
{
    if (chunk.m_nLength < 0)
        return;
    const std::uint64_t lengthEnd = std::uint64_t{bodyStart} + static_cast<std::uint32_t>(chunk.m_nLength);
    file.Seek(std::max<std::uint64_t>(file.Position(), lengthEnd));
}

}  // namespace

bool ReadCobHeader(CConvertJob& job)
{
    CobFile& file = *job.m_pFile;

    file.Read(job.m_szFileId, 9);
    job.m_szFileId[9] = '\0';
    if (std::memcmp(job.m_szFileId, "Caligari ", 9) != 0) {
        job.Log("Unknown file ID " + std::string(job.m_szFileId) + ".");
        return false;
    }

    file.Read(job.m_szVersion, 6);
    job.m_szVersion[6] = '\0';
    if (std::memcmp(job.m_szVersion, "V00.01", 6) != 0) {
        job.Log("No support file version " + std::string(job.m_szVersion) + ".");
        return false;
    }

    char storage;
    file.Read(&storage, 1);
    if (storage == 'A') {
        job.Log("No support ascii format.");
        return false;
    }

    char byteOrder[2];
    file.Read(byteOrder, 2);
    if (byteOrder[0] == 'H' && byteOrder[1] == 'L') {
        job.Log("No support big endian.");
        return false;
    }

    job.Log(" reading file...");
    char rest[14];
    file.Read(rest, sizeof rest);
    return true;
}

void ReadCobChunks(CConvertJob& job)
{
    CobFile& file = *job.m_pFile;
    for (;;) {
        char tag[5] = {};
        const std::size_t tagStart = file.Position();
        file.Read(tag, 4);
        if (IsTag(tag, "END "))
            return;

        std::unique_ptr<CChunk> chunk = CreateChunk(tag);
        if (!chunk) {
            job.Log(" No support '" + std::string(tag) + "' chunk.");
            CChunk unknown;
            unknown.Read(job);
            unknown.Skip(job);
            continue;
        }
        if (chunk->Read(job)) {
            PassRestOfBody(file, *chunk, tagStart + kChunkHeaderSize);
            job.m_chunks.Append(std::move(chunk));
        } else {
            chunk->Skip(job);  // refused: its body was not read
        }
    }
}

}  // namespace verdin
