#pragma once

#include "base/ReportSink.h"
#include "cob/CobRecords.h"
#include "scene/MeshData.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace verdin {

class CMat1Chunk;

// A sum of normals, in double.
struct NormalSum {
    double x = 0, y = 0, z = 0;

    void Add(const CobVector& v)
    {
        x += v.x;
        y += v.y;
        z += v.z;
    }
    double Length() const { return std::sqrt(x * x + y * y + z * z); }
    CobVector Unit(double length) const
    {
        return {static_cast<float>(x / length), static_cast<float>(y / length), static_cast<float>(z / length)};
    }
};

// The auto-angle sums that faces of one normal around a vertex of many faces
// share (a flat fan), which would otherwise take square time to make. Each
// slice of faces has its own.
class AutoAngleSums {
public:
    static constexpr std::size_t kCachedValence = 16;

    template <typename MakeSum>
    const NormalSum& Of(std::int32_t vertex, const CobVector& own, float threshold, MakeSum makeSum)
    {
        const Key key{vertex, std::bit_cast<std::uint32_t>(own.x), std::bit_cast<std::uint32_t>(own.y),
                      std::bit_cast<std::uint32_t>(own.z), std::bit_cast<std::uint32_t>(threshold)};
        const auto [cached, added] = m_sums.try_emplace(key);
        if (added)
            cached->second = makeSum();
        return cached->second;
    }

private:
    struct Key {
        std::int32_t vertex;
        std::uint32_t x, y, z, threshold;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };
    std::unordered_map<Key, NormalSum, KeyHash> m_sums;
};

// The normals of one mesh, as every output carries them: a flat face has one,
// any other one per corner (smooth, or within the material's auto-facet
// angle). What faces share (face normals, smooth vertex normals) is made
// first, in slices that may run side by side; then each face's normals.
// Report lines go to the sink of the slice they were made in, so they keep
// face order.
class CornerNormals {
public:
    explicit CornerNormals(const MeshWorkingData& mesh);

    // Makes what faces share. `run(count, makeSlice)` works on [0, count) in
    // slices: makeSlice(begin, end) returns what does the work of a slice,
    // given the ReportSink& of the slice.
    template <typename RunSlices>
    void Prepare(RunSlices run)
    {
        run(m_faceNormals.size(), [this](std::size_t begin, std::size_t end) {
            return [this, begin, end](ReportSink& sink) { MakeFaceNormals(begin, end, sink); };
        });
        if (NeedsSmoothNormals()) {
            m_smooth.resize(m_mesh.Polygon().m_pVertices.size());
            run(m_smooth.size(), [this](std::size_t begin, std::size_t end) {
                return [this, begin, end](ReportSink&) { MakeSmoothNormals(begin, end); };
            });
        }
        DropUnusedNeighbours();
    }

    // A flat face has one normal; any other one per corner.
    int NormalCount(const CobFace& face) const;
    bool IsFlat(const CobFace& face) const;
    // Appends the normals of written face i to `normals`, in written corner
    // order.
    void MakeFace(std::size_t i, std::vector<CobVector>& normals, AutoAngleSums& sums, ReportSink& sink) const;

private:
    struct VertexFaces {
        std::vector<std::int32_t> offsets;  // faces of vertex v: [offsets[v], offsets[v + 1])
        std::vector<std::int32_t> faces;

        std::span<const std::int32_t> Of(std::int32_t v) const;
    };
    static VertexFaces CollectVertexFaces(const MeshWorkingData& mesh);

    void MakeFaceNormals(std::size_t begin, std::size_t end, ReportSink& sink);
    void MakeSmoothNormals(std::size_t begin, std::size_t end);
    bool NeedsSmoothNormals() const;
    void DropUnusedNeighbours();
    static float AutoAngleThreshold(const CMat1Chunk* material);
    CobVector SmoothNormal(std::int32_t v) const;
    CobVector AutoAngleNormal(std::int32_t v, const CobVector& own, float threshold, AutoAngleSums& sums,
                              ReportSink& sink) const;
    NormalSum AutoAngleSum(std::span<const std::int32_t> faces, const CobVector& own, float threshold) const;

    const MeshWorkingData& m_mesh;
    const CPolHChunk& m_polygon;
    VertexFaces m_vertexFaces;
    std::vector<CobVector> m_faceNormals;
    std::vector<CobVector> m_smooth;
};

}  // namespace verdin
