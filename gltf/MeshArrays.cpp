#include "gltf/MeshArrays.h"

#include "cob/PolHChunk.h"
#include "scene/CornerNormals.h"
#include "scene/MeshData.h"

#include <array>
#include <bit>
#include <cmath>
#include <unordered_map>

namespace verdin::gltf {

namespace {

// A glTF vertex: a written vertex with one of its corners' normals.
struct CornerKey {
    std::int32_t record;
    std::uint32_t x, y, z;
    bool operator==(const CornerKey&) const = default;
};

struct CornerKeyHash {
    std::size_t operator()(const CornerKey& key) const
    {
        std::uint64_t hash = static_cast<std::uint32_t>(key.record);
        for (std::uint32_t part : {key.x, key.y, key.z})
            hash = (hash ^ part) * 0x100000001b3u;
        return static_cast<std::size_t>(hash);
    }
};

class ArraysMaker {
public:
    ArraysMaker(const MeshWorkingData& mesh, const Affine& bake, bool flipV, bool withSources)
        : m_mesh(mesh), m_bake(bake), m_bBaked(!bake.IsIdentity()), m_bFlipV(flipV), m_bSources(withSources)
    {
        m_slotPrimitive.assign(mesh.Materials().size(), -1);
        m_firstOf.assign(mesh.Vertices().size(), kNone);
        // At least a glTF vertex per written vertex; more where normals part.
        const std::size_t expected = mesh.Vertices().size();
        for (std::vector<float>* values : {&m_arrays.positions, &m_arrays.normals})
            values->reserve(3 * expected);
        if (mesh.HasCoordinates())
            m_arrays.uvs.reserve(2 * expected);
    }

    // The glTF vertex of a written vertex with a normal. A written vertex
    // has few normals, found by walking its chain; those past the first few
    // (a fan of flat faces) are found in the index.
    std::uint32_t VertexFor(std::int32_t record, const CobVector& normal)
    {
        const CornerKey key{record, std::bit_cast<std::uint32_t>(normal.x), std::bit_cast<std::uint32_t>(normal.y),
                            std::bit_cast<std::uint32_t>(normal.z)};
        std::uint32_t& first = m_firstOf[static_cast<std::size_t>(record)];
        int walked = 0;
        for (std::uint32_t v = first; v != kNone; v = m_next[v], ++walked)
            if (m_normalBits[v] == std::array{key.x, key.y, key.z})
                return v;
        const auto added = static_cast<std::uint32_t>(m_next.size());
        if (walked >= kChainWalk) {
            const auto [found, isNew] = m_index.try_emplace(key, added);
            if (!isNew)
                return found->second;
            m_next.push_back(kNone);
        } else {
            m_next.push_back(first);
            first = added;
        }
        m_normalBits.push_back({key.x, key.y, key.z});
        AddVertex(m_mesh.Vertices()[static_cast<std::size_t>(record)], normal);
        return added;
    }

    std::vector<std::uint32_t>& IndicesOf(std::size_t slot)
    {
        int& primitive = m_slotPrimitive[slot];
        if (primitive < 0) {
            primitive = static_cast<int>(m_arrays.primitives.size());
            m_arrays.primitives.push_back({m_mesh.Materials()[slot], {}});
        }
        return m_arrays.primitives[static_cast<std::size_t>(primitive)].indices;
    }

    MeshArrays Take() { return std::move(m_arrays); }

private:
    void Put(std::vector<float>& values, double value)
    {
        const auto written = static_cast<float>(value);
        if (std::isfinite(written))
            values.push_back(written);
        else {
            values.push_back(0);
            ++m_arrays.nonFinite;
        }
    }

    void AddVertex(const CMeshVertex& vertex, const CobVector& normal)
    {
        Vector3 point = Upright(m_mesh.Position(vertex));
        Vector3 direction = Upright(normal);
        if (m_bBaked) {
            point = m_bake.Point(point);
            direction = m_bake.Normal(direction);
        }
        for (double value : point)
            Put(m_arrays.positions, value);
        const bool finite = std::isfinite(direction[0]) && std::isfinite(direction[1]) && std::isfinite(direction[2]);
        if (!finite) {
            direction = {0, 1, 0};
            ++m_arrays.nonFinite;
        }
        for (double value : direction)
            m_arrays.normals.push_back(static_cast<float>(value));
        if (m_bSources)
            m_arrays.sources.push_back(vertex.m_nSource);
        if (m_mesh.HasCoordinates()) {
            const CobUV uv = MappedUV(m_mesh, vertex, 1, 1, m_bFlipV);
            Put(m_arrays.uvs, uv.u);
            Put(m_arrays.uvs, uv.v);
        }
    }

    const MeshWorkingData& m_mesh;
    const Affine& m_bake;
    bool m_bBaked;
    bool m_bFlipV;
    bool m_bSources;
    MeshArrays m_arrays;
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr int kChainWalk = 8;
    std::vector<std::uint32_t> m_firstOf;  // per written vertex: its latest glTF vertex
    std::vector<std::uint32_t> m_next;     // per glTF vertex on a chain: the one made before it
    std::vector<std::array<std::uint32_t, 3>> m_normalBits;
    std::unordered_map<CornerKey, std::uint32_t, CornerKeyHash> m_index;
    std::vector<int> m_slotPrimitive;
};

}  // namespace

MeshArrays MakeMeshArrays(const MeshWorkingData& mesh, const Affine& bake, bool flipV, ReportSink& sink,
                          bool withSources)
{
    CornerNormals normals(mesh);
    normals.Prepare([&sink](std::size_t count, auto makeSlice) { makeSlice(0, count)(sink); });
    ArraysMaker maker(mesh, bake, flipV, withSources);
    const CPolHChunk& polygon = mesh.Polygon();
    AutoAngleSums sums;
    std::vector<CobVector> faceNormals;
    std::vector<std::uint32_t> corners;
    std::size_t triangles = 0;
    for (std::size_t i = 0; i < polygon.m_pFaces.size(); ++i) {
        if (!mesh.IsWritten(i))
            continue;
        const CobFace& face = polygon.m_pFaces[i];
        faceNormals.clear();
        normals.MakeFace(i, faceNormals, sums, sink);
        corners.clear();
        const int n = MeshWorkingData::CornerCount(face);
        for (int j = 0; j < n; ++j)
            corners.push_back(maker.VertexFor(mesh.WrittenVertex(face, MeshWorkingData::StoredCorner(face, j)),
                                              faceNormals[faceNormals.size() == 1 ? 0 : static_cast<std::size_t>(j)]));
        // The .x file's fan, in its corner order: counter-clockwise seen from
        // the side the normals face, as glTF's right-handed space needs.
        std::vector<std::uint32_t>& indices = maker.IndicesOf(mesh.MaterialSlot(face));
        for (int j = 1; j + 1 < n; ++j) {
            indices.insert(indices.end(), {corners[0], corners[static_cast<std::size_t>(j)],
                                           corners[static_cast<std::size_t>(j) + 1]});
            ++triangles;
        }
    }
    MeshArrays arrays = maker.Take();
    arrays.triangles = triangles;
    return arrays;
}

}  // namespace verdin::gltf
