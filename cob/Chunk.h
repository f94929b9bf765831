#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace verdin {

class CobFile;
class ReportLog;

enum ChunkType { CHUNK_GROU = 1, CHUNK_POLH = 2, CHUNK_MAT1 = 3, CHUNK_CHAN = 4 };

// A chunk of a COB file: the fields of its 20-byte header. The classes of the
// chunks the converter uses add their bodies.
class CChunk {
public:
    virtual ~CChunk() = default;

    // Reads the header fields that follow the tag. A data length below -1
    // cannot be honoured and is taken for a damaged file (CobEofError).
    virtual bool Read(CobFile& file, ReportLog& report);
    // Moves past the body: by the data length, or, when the chunk gives none,
    // to the next tag the reader knows. False, after reporting it, when no
    // such tag follows.
    [[nodiscard]] bool Skip(CobFile& file, ReportLog& report);

    int m_nType = 0;
    std::int16_t m_nMajor = 0;
    std::int16_t m_nMinor = 0;
    std::int32_t m_nId = 0;
    std::int32_t m_nParentId = 0;
    std::int32_t m_nLength = 0;
};

// The chunks of one file in file order; owns them.
class CChunkList {
public:
    void Append(std::unique_ptr<CChunk> chunk) { m_chunks.push_back(std::move(chunk)); }
    std::size_t Count() const { return m_chunks.size(); }
    void Clear()
    {
        m_chunks.clear();
        m_nRefusedNewerMaterials = 0;
    }
    // A material of a later version was passed over: newer materials are off.
    void NoteRefusedNewerMaterial() { ++m_nRefusedNewerMaterials; }
    int RefusedNewerMaterials() const { return m_nRefusedNewerMaterials; }

    auto begin() const { return m_chunks.begin(); }
    auto end() const { return m_chunks.end(); }

private:
    std::vector<std::unique_ptr<CChunk>> m_chunks;
    int m_nRefusedNewerMaterials = 0;
};

}  // namespace verdin
