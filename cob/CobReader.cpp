#include "cob/CobReader.h"

#include "base/ReportLog.h"
#include "cob/ChanChunk.h"
#include "cob/CobEof.h"
#include "cob/CobFile.h"
#include "cob/CobTags.h"
#include "cob/GrouChunk.h"
#include "cob/Mat1Chunk.h"
#include "cob/PolHChunk.h"
#include "cob/ShaderBox.h"
#include "cob/SkippedChunks.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace verdin {

namespace {

constexpr std::size_t kChunkHeaderSize = 20;

std::unique_ptr<CChunk> CreateChunk(const char* tag, const CobReaderOptions& options)
{
    std::unique_ptr<CChunk> chunk;
    if (IsTag(tag, "Grou")) {
        chunk = std::make_unique<CGrouChunk>();
        chunk->m_nType = CHUNK_GROU;
    } else if (IsTag(tag, "PolH")) {
        chunk = std::make_unique<CPolHChunk>();
        chunk->m_nType = CHUNK_POLH;
    } else if (IsTag(tag, "Mat1")) {
        chunk = std::make_unique<CMat1Chunk>(options.newerMaterials);
        chunk->m_nType = CHUNK_MAT1;
    } else if (IsTag(tag, "Chan") && options.animation) {
        chunk = std::make_unique<CChanChunk>();
        chunk->m_nType = CHUNK_CHAN;
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

// A body that could not be skipped ends the file: no tag follows it.
void PassBody(CobFile& file, ReportLog& report, CChunk& chunk)
{
    if (!chunk.Skip(file, report))
        throw CobEofError();
}

// Newer files keep a material's shaders in a ShBx chunk after its Mat1. The
// body is read where it lies; the caller passes over it as over any other.
// False when no material takes them.
bool ReadShadersOf(CobFile& file, const CChunk& header, const CChunkList& chunks)
{
    CMat1Chunk* material = FindMat1(chunks, header.m_nParentId);
    if (!material || header.m_nLength < 0 || static_cast<std::size_t>(header.m_nLength) > file.Remaining())
        return false;
    const std::size_t bodyStart = file.Position();
    material->m_shaders = ReadShaderBox(file, bodyStart + static_cast<std::size_t>(header.m_nLength));
    file.Seek(bodyStart);
    return true;
}

void ReadUpToEnd(CobFile& file, ReportLog& report, CChunkList& chunks, const CobReaderOptions& options,
                 SkippedChunks& skipped)
{
    for (;;) {
        char tag[5] = {};
        const std::size_t tagStart = file.Position();
        file.Read(tag, 4);
        if (IsTag(tag, "END "))
            return;

        std::unique_ptr<CChunk> chunk = CreateChunk(tag, options);
        if (!chunk) {
            skipped.Passing(tag);
            CChunk unknown;
            unknown.Read(file, report);
            const bool used = IsTag(tag, "ShBx") && options.newerMaterials && ReadShadersOf(file, unknown, chunks);
            skipped.Passed(tag, used);
            PassBody(file, report, unknown);
            continue;
        }
        if (chunk->Read(file, report)) {
            PassRestOfBody(file, *chunk, tagStart + kChunkHeaderSize);
            chunks.Append(std::move(chunk));
        } else {
            if (IsTag(tag, "Mat1") && !options.newerMaterials && IsNewerMat1Version(chunk->m_nMajor, chunk->m_nMinor))
                chunks.NoteRefusedNewerMaterial();
            PassBody(file, report, *chunk);  // refused: its body was not read
        }
    }
}

}  // namespace

bool ReadCobHeader(CobFile& file, ReportLog& report, CobSignature& signature, const CobReaderOptions& options)
{
    file.SkipIfNext(kUtf8ByteOrderMark);
    file.Read(signature.fileId, CobSignature::kFileIdSize);
    signature.fileId[CobSignature::kFileIdSize] = '\0';
    if (std::memcmp(signature.fileId, "Caligari ", CobSignature::kFileIdSize) != 0) {
        report.AppendLine("Unknown file ID " + std::string(signature.fileId) + ".");
        return false;
    }

    file.Read(signature.version, CobSignature::kVersionSize);
    signature.version[CobSignature::kVersionSize] = '\0';
    if (std::memcmp(signature.version, "V00.01", CobSignature::kVersionSize) != 0) {
        report.AppendLine("No support file version " + std::string(signature.version) + ".");
        return false;
    }

    char storage;
    file.Read(&storage, 1);
    signature.text = storage == 'A';
    if (signature.text && !options.textForm) {
        report.AppendLine("No support ascii format.");
        return false;
    }

    // Numbers in the text form are decimal, whatever the byte order says.
    char byteOrder[2];
    file.Read(byteOrder, 2);
    if (!signature.text && byteOrder[0] == 'H' && byteOrder[1] == 'L') {
        report.AppendLine("No support big endian.");
        return false;
    }

    report.AppendLine(" reading file...");
    char rest[14];
    file.Read(rest, sizeof rest);
    // The header's last byte ends its line: saved on Windows, a line feed
    // follows it.
    if (signature.text && rest[sizeof rest - 1] == '\r')
        file.SkipIfNext("\n");
    return true;
}

void ReadCobChunks(CobFile& file, ReportLog& report, CChunkList& chunks, const CobReaderOptions& options)
{
    SkippedChunks skipped(report, options.summary);
    skipped.Summarised([&] { ReadUpToEnd(file, report, chunks, options, skipped); });
}

}  // namespace verdin
