#pragma once

#include "cob/CobRecords.h"
#include "cob/PolHChunk.h"

#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

namespace verdin {

class CChunkList;
class CMat1Chunk;

// One vertex of the written vertex list. The first records are the polygon
// object's own vertices; splitting appends one for every further texture
// coordinate a vertex needs. A record's index is its place in the list.
struct CMeshVertex {
    static constexpr std::int32_t kNone = -1;

    CobUV m_uv;
    std::int32_t m_nSource = 0;    // the stored vertex it stands for
    std::int32_t m_nNext = kNone;  // next record made from the same vertex
    // Slot of the last textured face bound to it: a face's slot is its 16-bit
    // material number.
    std::int16_t m_nMaterial = kNone;
    bool m_bAssigned = false;
    bool m_bIndexed = false;  // its records are found through the coordinate index
};

// The materials of each polygon object, by its id, in file order: found in
// one pass over the file rather than one per object.
class MaterialsByOwner {
public:
    explicit MaterialsByOwner(const CChunkList& chunks);
    std::span<const CMat1Chunk* const> Of(const CPolHChunk& polygon) const;

private:
    std::unordered_map<std::int32_t, std::vector<const CMat1Chunk*>> m_materials;
};

// What the sub-block writers of one mesh share.
class MeshWorkingData {
public:
    // With `everyCoordinate`, faces without a texture keep their texture
    // coordinates too.
    MeshWorkingData(std::span<const CMat1Chunk* const> ownMaterials, const CPolHChunk& polygon,
                    bool everyCoordinate = false);

    const CPolHChunk& Polygon() const { return m_polygon; }

    // Faces left out of every list: holes, faces of fewer than three corners
    // (which loaders refuse or crash on), and faces naming a vertex the
    // object does not have.
    bool IsWritten(std::size_t face) const { return m_written[face] != 0; }
    std::int32_t WrittenFaceCount() const { return m_nWrittenFaces; }
    // The first face written; the face count when none is.
    std::size_t FirstWrittenFace() const { return m_nFirstWrittenFace; }
    std::int32_t DegenerateFaceCount() const { return m_nDegenerateFaces; }
    std::int32_t BadFaceCount() const { return m_nBadFaces; }
    // Corners of textured faces naming a texture coordinate the object does
    // not have; they are bound to (0, 0).
    std::int32_t BadUVCount() const { return m_nBadUVs; }

    // The material table: one slot per material number; null stands for a
    // default material where no material of the object has that number.
    const std::vector<const CMat1Chunk*>& Materials() const { return m_meshMaterials; }
    // The slot a face refers to; faces with a negative number use slot 0.
    std::size_t MaterialSlot(const CobFace& face) const;
    const CMat1Chunk* FaceMaterial(const CobFace& face) const { return m_meshMaterials[MaterialSlot(face)]; }

    // Corner count as written; a face with fewer than three is not written.
    static int CornerCount(const CobFace& face) { return face.nVertices; }
    // The stored corner at written position j of a face.
    static int StoredCorner(const CobFace& face, int j);
    // The written vertex index of every corner, in the layout of the
    // object's corner table (one entry per corner, stored order).
    std::int32_t WrittenVertex(const CobFace& face, int storedCorner) const
    {
        const std::size_t corner = face.firstIndex / 2 + static_cast<std::size_t>(storedCorner);
        return m_cornerVertices.empty() ? m_polygon.m_cornerIndices[2 * corner] : m_cornerVertices[corner];
    }

    const std::vector<CMeshVertex>& Vertices() const { return m_vertices; }
    const CobVector& Position(const CMeshVertex& vertex) const
    {
        return m_polygon.m_pVertices[static_cast<std::size_t>(vertex.m_nSource)];
    }
    // The material whose texture a vertex's coordinate belongs to, or null.
    const CMat1Chunk* BoundMaterial(const CMeshVertex& vertex) const
    {
        return vertex.m_nMaterial == CMeshVertex::kNone ? nullptr
                                                        : m_meshMaterials[static_cast<std::size_t>(vertex.m_nMaterial)];
    }
    // Whether any written vertex carries a texture coordinate.
    bool HasCoordinates() const { return m_bHasCoordinates; }

private:
    void BuildMaterialTable(std::span<const CMat1Chunk* const> own);
    void CheckFaces();
    void SplitVertices(bool everyCoordinate);
    void BindCorner(const CobFace& face, int storedCorner, std::int32_t material);
    std::int32_t FindRecord(std::int32_t vertex, const CobUV& uv, std::int32_t& last) const;
    void AddRecord(std::int32_t vertex, std::int32_t last, const CobUV& uv, std::int32_t material);
    void SetWrittenVertex(const CobFace& face, int storedCorner, std::int32_t record);

    // A vertex's records by coordinate, for vertices with more records than a
    // short walk along their chain finds quickly.
    struct RecordKey {
        std::int32_t vertex;
        std::uint32_t u, v;
        bool operator==(const RecordKey&) const = default;
    };
    struct RecordKeyHash {
        std::size_t operator()(const RecordKey& key) const;
    };
    static std::optional<RecordKey> KeyOf(std::int32_t vertex, const CobUV& uv);
    std::unordered_map<RecordKey, std::int32_t, RecordKeyHash> m_recordIndex;

    const CPolHChunk& m_polygon;
    std::vector<std::uint8_t> m_written;
    std::int32_t m_nWrittenFaces = 0;
    std::size_t m_nFirstWrittenFace = 0;
    std::int32_t m_nDegenerateFaces = 0;
    std::int32_t m_nBadFaces = 0;
    std::int32_t m_nBadUVs = 0;
    std::vector<const CMat1Chunk*> m_meshMaterials;
    std::vector<CMeshVertex> m_vertices;
    std::vector<std::int32_t> m_cornerVertices;  // empty while every corner keeps its stored vertex
    bool m_bHasCoordinates = false;
};

bool IsTextured(const CMat1Chunk* material);

// A written vertex's texture coordinate as every output carries it: scaled
// for an enlarged image, laid by the repeat and offset of the material it is
// bound to, and with `flipV` turned to (u, 1 - v).
CobUV MappedUV(const MeshWorkingData& mesh, const CMeshVertex& vertex, double scaleU, double scaleV, bool flipV);

}  // namespace verdin
