#include "scene/MeshData.h"

#include "cob/Mat1Chunk.h"
#include "cob/PolHChunk.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace verdin {

bool IsTextured(const CMat1Chunk* material)
{
    return material && (material->m_textureMap.flags & CobMap::kUsed) != 0;
}

CobUV MappedUV(const MeshWorkingData& mesh, const CMeshVertex& vertex, double scaleU, double scaleV, bool flipV)
{
    const double u = vertex.m_uv.u, v = vertex.m_uv.v;
    float mappedU, mappedV;
    if (const CMat1Chunk* material = mesh.BoundMaterial(vertex)) {
        const CobMap& map = material->m_textureMap;
        mappedU = static_cast<float>(map.repeat.u * u * scaleU + map.offset.u);
        mappedV = static_cast<float>(map.repeat.v * scaleV * v + map.offset.v);
    } else {
        mappedU = static_cast<float>(u * scaleU);
        mappedV = static_cast<float>(scaleV * v);
    }
    return {mappedU, flipV ? static_cast<float>(1.0 - mappedV) : mappedV};
}

MaterialsByOwner::MaterialsByOwner(const CChunkList& chunks)
{
    for (const auto& chunk : chunks)
        if (chunk->m_nType == CHUNK_MAT1)
            m_materials[chunk->m_nParentId].push_back(static_cast<const CMat1Chunk*>(chunk.get()));
}

std::span<const CMat1Chunk* const> MaterialsByOwner::Of(const CPolHChunk& polygon) const
{
    const auto found = m_materials.find(polygon.m_nId);
    return found == m_materials.end() ? std::span<const CMat1Chunk* const>() : std::span(found->second);
}

MeshWorkingData::MeshWorkingData(std::span<const CMat1Chunk* const> ownMaterials, const CPolHChunk& polygon,
                                 bool everyCoordinate)
    : m_polygon(polygon)
{
    CheckFaces();
    BuildMaterialTable(ownMaterials);
    SplitVertices(everyCoordinate && !polygon.m_pUVs.empty());
}

int MeshWorkingData::StoredCorner(const CobFace& face, int j)
{
    return (face.flags & CobFace::kStoredOrder) ? j : CornerCount(face) - 1 - j;
}

std::size_t MeshWorkingData::MaterialSlot(const CobFace& face) const
{
    return face.material < 0 ? 0 : static_cast<std::size_t>(face.material);
}

void MeshWorkingData::CheckFaces()
{
    const auto& faces = m_polygon.m_pFaces;
    const auto vertexCount = static_cast<std::int64_t>(m_polygon.m_pVertices.size());
    m_written.assign(faces.size(), 0);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        if (faces[i].IsHole())
            continue;
        // Left out as if the file did not hold it.
        if (faces[i].nVertices < 3) {
            ++m_nDegenerateFaces;
            continue;
        }
        const auto corners = m_polygon.Corners(faces[i]);
        bool inside = true;
        for (std::size_t c = 0; c < corners.size(); c += 2)
            inside &= corners[c] >= 0 && corners[c] < vertexCount;
        m_written[i] = inside;
        inside ? ++m_nWrittenFaces : ++m_nBadFaces;
    }
    m_nFirstWrittenFace =
        static_cast<std::size_t>(std::find(m_written.begin(), m_written.end(), 1) - m_written.begin());
}

// Slots run up to the largest material number in use, so that every face
// index written names a written material.
void MeshWorkingData::BuildMaterialTable(std::span<const CMat1Chunk* const> own)
{
    std::int64_t slots = 0;
    for (std::size_t i = 0; i < own.size(); ++i)
        slots = std::max<std::int64_t>(slots, std::max<std::int64_t>(i + 1, own[i]->m_nMaterial + 1));
    const auto& faces = m_polygon.m_pFaces;
    for (std::size_t i = 0; i < faces.size(); ++i)
        if (IsWritten(i))
            slots = std::max<std::int64_t>(slots, std::max<std::int64_t>(faces[i].material, 0) + 1);

    m_meshMaterials.assign(static_cast<std::size_t>(slots), nullptr);
    for (const CMat1Chunk* material : own)
        if (material->m_nMaterial >= 0)
            m_meshMaterials[static_cast<std::size_t>(material->m_nMaterial)] = material;
}

// A written vertex carries one texture coordinate: every corner of a textured
// face (of every face, with `everyFace`) is bound to a record of its vertex
// holding exactly its coordinate.
void MeshWorkingData::SplitVertices(bool everyFace)
{
    const auto stored = static_cast<std::int32_t>(m_polygon.m_pVertices.size());
    m_vertices.reserve(static_cast<std::size_t>(stored));
    for (std::int32_t v = 0; v < stored; ++v)
        m_vertices.push_back({{}, v, CMeshVertex::kNone, CMeshVertex::kNone, false});

    const auto& faces = m_polygon.m_pFaces;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        if (!IsWritten(i))
            continue;
        const bool textured = IsTextured(FaceMaterial(faces[i]));
        if (!textured && !everyFace)
            continue;
        m_bHasCoordinates = true;
        const auto slot = textured ? static_cast<std::int32_t>(MaterialSlot(faces[i])) : CMeshVertex::kNone;
        for (int j = 0; j < CornerCount(faces[i]); ++j)
            BindCorner(faces[i], StoredCorner(faces[i], j), slot);
    }
    m_recordIndex = {};  // only splitting looks records up
}

void MeshWorkingData::SetWrittenVertex(const CobFace& face, int storedCorner, std::int32_t record)
{
    const std::size_t corner = face.firstIndex / 2 + static_cast<std::size_t>(storedCorner);
    if (m_cornerVertices.empty()) {
        if (record == m_polygon.m_cornerIndices[2 * corner])
            return;
        m_cornerVertices.reserve(m_polygon.m_cornerIndices.size() / 2);
        for (std::size_t c = 0; c < m_polygon.m_cornerIndices.size(); c += 2)
            m_cornerVertices.push_back(m_polygon.m_cornerIndices[c]);
    }
    m_cornerVertices[corner] = record;
}

namespace {

// Past this many records a vertex's chain is left for the coordinate index:
// a fan of many textured faces around one vertex must not take square time.
constexpr int kChainWalk = 8;

}  // namespace

std::size_t MeshWorkingData::RecordKeyHash::operator()(const RecordKey& key) const
{
    const std::uint64_t a = (std::uint64_t{key.u} << 32) | key.v;
    return std::hash<std::uint64_t>()(a ^
                                      (std::uint64_t{static_cast<std::uint32_t>(key.vertex)} * 0x9e3779b97f4a7c15u));
}

// Coordinates compare as numbers: 0 and -0 are one key; NaN, equal to
// nothing, has none.
std::optional<MeshWorkingData::RecordKey> MeshWorkingData::KeyOf(std::int32_t vertex, const CobUV& uv)
{
    if (uv.u != uv.u || uv.v != uv.v)
        return std::nullopt;
    const auto bits = [](float value) { return value == 0 ? 0u : std::bit_cast<std::uint32_t>(value); };
    return RecordKey{vertex, bits(uv.u), bits(uv.v)};
}

// The record of `vertex` holding exactly `uv`, or kNone; `last` is then the
// end of its chain.
std::int32_t MeshWorkingData::FindRecord(std::int32_t vertex, const CobUV& uv, std::int32_t& last) const
{
    if (m_vertices[static_cast<std::size_t>(vertex)].m_bIndexed) {
        const std::optional<RecordKey> key = KeyOf(vertex, uv);
        const auto found = key ? m_recordIndex.find(*key) : m_recordIndex.end();
        return found == m_recordIndex.end() ? CMeshVertex::kNone : found->second;
    }
    last = vertex;
    for (std::int32_t r = vertex; r != CMeshVertex::kNone; r = m_vertices[static_cast<std::size_t>(r)].m_nNext) {
        const CMeshVertex& record = m_vertices[static_cast<std::size_t>(r)];
        if (record.m_uv.u == uv.u && record.m_uv.v == uv.v)
            return r;
        last = r;
    }
    return CMeshVertex::kNone;
}

// Appends a record for `vertex` after `last`; a chain grown past a short walk
// goes into the coordinate index.
void MeshWorkingData::AddRecord(std::int32_t vertex, std::int32_t last, const CobUV& uv, std::int32_t material)
{
    const auto added = static_cast<std::int32_t>(m_vertices.size());
    m_vertices.push_back({uv, vertex, CMeshVertex::kNone, static_cast<std::int16_t>(material), false});
    CMeshVertex& first = m_vertices[static_cast<std::size_t>(vertex)];
    if (first.m_bIndexed) {
        if (const std::optional<RecordKey> key = KeyOf(vertex, uv))
            m_recordIndex.emplace(*key, added);
        return;
    }
    m_vertices[static_cast<std::size_t>(last)].m_nNext = added;
    int length = 0;
    for (std::int32_t r = vertex; r != CMeshVertex::kNone; r = m_vertices[static_cast<std::size_t>(r)].m_nNext)
        ++length;
    if (length <= kChainWalk)
        return;
    first.m_bIndexed = true;
    for (std::int32_t r = vertex; r != CMeshVertex::kNone; r = m_vertices[static_cast<std::size_t>(r)].m_nNext)
        if (const std::optional<RecordKey> key = KeyOf(vertex, m_vertices[static_cast<std::size_t>(r)].m_uv))
            m_recordIndex.emplace(*key, r);
}

void MeshWorkingData::BindCorner(const CobFace& face, int storedCorner, std::int32_t material)
{
    const auto corner = m_polygon.Corners(face).subspan(2 * static_cast<std::size_t>(storedCorner), 2);
    const std::int32_t v = corner[0];
    const std::int32_t t = corner[1];
    CobUV uv;
    if (t >= 0 && t < static_cast<std::int64_t>(m_polygon.m_pUVs.size()))
        uv = m_polygon.m_pUVs[static_cast<std::size_t>(t)];
    else
        ++m_nBadUVs;

    CMeshVertex& first = m_vertices[static_cast<std::size_t>(v)];
    if (!first.m_bAssigned) {
        first.m_bAssigned = true;
        first.m_uv = uv;
        first.m_nMaterial = static_cast<std::int16_t>(material);
        return;
    }
    std::int32_t last = v;
    const std::int32_t found = FindRecord(v, uv, last);
    if (found != CMeshVertex::kNone) {
        SetWrittenVertex(face, storedCorner, found);
        // A face without a texture leaves the record's texture as it is.
        if (material != CMeshVertex::kNone)
            m_vertices[static_cast<std::size_t>(found)].m_nMaterial = static_cast<std::int16_t>(material);
        return;
    }
    SetWrittenVertex(face, storedCorner, static_cast<std::int32_t>(m_vertices.size()));
    AddRecord(v, last, uv, material);
}

}  // namespace verdin
