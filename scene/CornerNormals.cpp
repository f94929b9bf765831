#include "scene/CornerNormals.h"

#include "base/NumberFormat.h"
#include "cob/Mat1Chunk.h"
#include "cob/PolHChunk.h"

#include <optional>
#include <string_view>

namespace verdin {

namespace {

// A little below the single-precision value of pi / 180.
const float kDegreesToRadians = std::bit_cast<float>(0x3C8EFA33u);
constexpr CobVector kFallbackNormal{1, 0, 0};
constexpr std::string_view kSmoothFailure = "Normalize vector error at smooth face.";

double Dot(const CobVector& a, const CobVector& b)
{
    return double{a.x} * b.x + double{a.y} * b.y + double{a.z} * b.z;
}

CobVector Difference(const CobVector& a, const CobVector& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

// The normal at the corner whose two edges come closest to a right angle.
CobVector FaceNormal(ReportSink& sink, const CPolHChunk& polygon, std::size_t faceIndex)
{
    const CobFace& face = polygon.m_pFaces[faceIndex];
    const auto corners = polygon.Corners(face);
    const int n = MeshWorkingData::CornerCount(face);
    auto point = [&](int w) {
        const int k = MeshWorkingData::StoredCorner(face, w % n);
        return polygon.m_pVertices[static_cast<std::size_t>(corners[2 * static_cast<std::size_t>(k)])];
    };

    float best = 1.0f;
    std::optional<NormalSum> candidate;
    for (int j = 0; j < n; ++j) {
        const CobVector q0 = point(j), q1 = point(j + 1), q2 = point(j + 2);
        const CobVector e1 = Difference(q1, q0), e2 = Difference(q2, q1);
        const double l = std::sqrt(Dot(e1, e1) * Dot(e2, e2));
        if (l == 0)
            continue;
        const double c = std::fabs(Dot(e1, e2)) / l;
        if (c < best) {
            best = static_cast<float>(c);
            candidate = NormalSum{double{e1.y} * e2.z - double{e1.z} * e2.y, double{e1.z} * e2.x - double{e1.x} * e2.z,
                                  double{e1.x} * e2.y - double{e1.y} * e2.x};
        }
    }
    if (!candidate)
        return kFallbackNormal;
    const double length = candidate->Length();
    if (length == 0) {
        sink.ReportLine("  Can't normalize vector at face normal No." + FormatInt(static_cast<long long>(faceIndex)) +
                        ".");
        return kFallbackNormal;
    }
    return candidate->Unit(length);
}

std::uint8_t FacetOf(const CMat1Chunk* material)
{
    return material ? material->m_cFacet : 'f';
}

// Any facet type but flat and smooth.
bool IsAutoAngle(std::uint8_t facet)
{
    return facet != 'f' && facet != 's';
}

bool IsZero(const CobVector& v)
{
    return v.x == 0 && v.y == 0 && v.z == 0;
}

CobVector Normalised(const NormalSum& sum, std::string_view failure, ReportSink& sink)
{
    const double length = sum.Length();
    if (length == 0) {
        sink.ReportLine(failure);
        return kFallbackNormal;
    }
    return sum.Unit(length);
}

template <typename Wanted>
bool HasFacet(const MeshWorkingData& mesh, Wanted wanted)
{
    for (const CMat1Chunk* material : mesh.Materials())
        if (wanted(FacetOf(material)))
            return true;
    return false;
}

}  // namespace

std::size_t AutoAngleSums::KeyHash::operator()(const Key& key) const
{
    std::uint64_t hash = static_cast<std::uint32_t>(key.vertex);
    for (std::uint32_t part : {key.x, key.y, key.z, key.threshold})
        hash = (hash ^ part) * 0x100000001b3u;
    return static_cast<std::size_t>(hash);
}

std::span<const std::int32_t> CornerNormals::VertexFaces::Of(std::int32_t v) const
{
    const auto first = static_cast<std::size_t>(offsets[static_cast<std::size_t>(v)]);
    const auto last = static_cast<std::size_t>(offsets[static_cast<std::size_t>(v) + 1]);
    return std::span(faces).subspan(first, last - first);
}

// The stored vertices around each vertex: for every written face, its index
// once per corner on the vertex, in face order.
CornerNormals::VertexFaces CornerNormals::CollectVertexFaces(const MeshWorkingData& mesh)
{
    const CPolHChunk& polygon = mesh.Polygon();
    VertexFaces result;
    result.offsets.assign(polygon.m_pVertices.size() + 1, 0);
    for (std::size_t i = 0; i < polygon.m_pFaces.size(); ++i) {
        if (!mesh.IsWritten(i))
            continue;
        const auto corners = polygon.Corners(polygon.m_pFaces[i]);
        for (std::size_t c = 0; c < corners.size(); c += 2)
            ++result.offsets[static_cast<std::size_t>(corners[c]) + 1];
    }
    for (std::size_t v = 1; v < result.offsets.size(); ++v)
        result.offsets[v] += result.offsets[v - 1];
    result.faces.resize(static_cast<std::size_t>(result.offsets.back()));
    std::vector<std::int32_t> next(result.offsets.begin(), result.offsets.end() - 1);
    for (std::size_t i = 0; i < polygon.m_pFaces.size(); ++i) {
        if (!mesh.IsWritten(i))
            continue;
        const auto corners = polygon.Corners(polygon.m_pFaces[i]);
        for (std::size_t c = 0; c < corners.size(); c += 2)
            result.faces[static_cast<std::size_t>(next[static_cast<std::size_t>(corners[c])]++)] =
                static_cast<std::int32_t>(i);
    }
    return result;
}

CornerNormals::CornerNormals(const MeshWorkingData& mesh)
    : m_mesh(mesh), m_polygon(mesh.Polygon()), m_vertexFaces(CollectVertexFaces(mesh))
{
    m_faceNormals.resize(m_polygon.m_pFaces.size());
}

void CornerNormals::MakeFaceNormals(std::size_t begin, std::size_t end, ReportSink& sink)
{
    for (std::size_t i = begin; i < end; ++i)
        if (m_mesh.IsWritten(i))
            m_faceNormals[i] = FaceNormal(sink, m_polygon, i);
}

void CornerNormals::MakeSmoothNormals(std::size_t begin, std::size_t end)
{
    for (std::size_t v = begin; v < end; ++v)
        m_smooth[v] = SmoothNormal(static_cast<std::int32_t>(v));
}

bool CornerNormals::NeedsSmoothNormals() const
{
    return HasFacet(m_mesh, [](std::uint8_t facet) { return facet == 's'; });
}

// Only auto-angle normals look around a vertex again.
void CornerNormals::DropUnusedNeighbours()
{
    if (!HasFacet(m_mesh, IsAutoAngle))
        m_vertexFaces = {};
}

bool CornerNormals::IsFlat(const CobFace& face) const
{
    return FacetOf(m_mesh.FaceMaterial(face)) == 'f';
}

int CornerNormals::NormalCount(const CobFace& face) const
{
    return IsFlat(face) ? 1 : MeshWorkingData::CornerCount(face);
}

void CornerNormals::MakeFace(std::size_t i, std::vector<CobVector>& normals, AutoAngleSums& sums,
                             ReportSink& sink) const
{
    const CobFace& face = m_polygon.m_pFaces[i];
    const CMat1Chunk* material = m_mesh.FaceMaterial(face);
    const std::uint8_t facet = FacetOf(material);
    if (facet == 'f') {
        normals.push_back(m_faceNormals[i]);
        return;
    }
    const float threshold = facet == 's' ? 0 : AutoAngleThreshold(material);
    const auto corners = m_polygon.Corners(face);
    for (int j = 0; j < MeshWorkingData::CornerCount(face); ++j) {
        const int k = MeshWorkingData::StoredCorner(face, j);
        const std::int32_t v = corners[2 * static_cast<std::size_t>(k)];
        if (IsAutoAngle(facet))
            normals.push_back(AutoAngleNormal(v, m_faceNormals[i], threshold, sums, sink));
        else if (const CobVector& smooth = m_smooth[static_cast<std::size_t>(v)]; !IsZero(smooth))
            normals.push_back(smooth);
        else  // a sum of length 0, reported at every corner on the vertex
            normals.push_back(Normalised(NormalSum{}, kSmoothFailure, sink));
    }
}

float CornerNormals::AutoAngleThreshold(const CMat1Chunk* material)
{
    const float angle = static_cast<float>(material->m_nAutoFacetAngle) * kDegreesToRadians;
    return static_cast<float>(std::cos(static_cast<double>(angle)));
}

// The same for every corner on the vertex; the zero vector, which no unit
// vector is, when the sum has length 0.
CobVector CornerNormals::SmoothNormal(std::int32_t v) const
{
    NormalSum sum;
    for (std::int32_t g : m_vertexFaces.Of(v))
        sum.Add(m_faceNormals[static_cast<std::size_t>(g)]);
    const double length = sum.Length();
    return length == 0 ? CobVector{0, 0, 0} : sum.Unit(length);
}

CobVector CornerNormals::AutoAngleNormal(std::int32_t v, const CobVector& own, float threshold, AutoAngleSums& sums,
                                         ReportSink& sink) const
{
    const std::span<const std::int32_t> faces = m_vertexFaces.Of(v);
    constexpr std::string_view kFailure = "Normalize vector error at auto angle face.";
    if (faces.size() <= AutoAngleSums::kCachedValence)
        return Normalised(AutoAngleSum(faces, own, threshold), kFailure, sink);
    return Normalised(sums.Of(v, own, threshold, [&] { return AutoAngleSum(faces, own, threshold); }), kFailure, sink);
}

NormalSum CornerNormals::AutoAngleSum(std::span<const std::int32_t> faces, const CobVector& own, float threshold) const
{
    const double ownLength = static_cast<float>(std::sqrt(Dot(own, own)));
    NormalSum sum;
    for (std::int32_t g : faces) {
        const CobVector& other = m_faceNormals[static_cast<std::size_t>(g)];
        const double otherLength = static_cast<float>(std::sqrt(Dot(other, other)));
        if (Dot(other, own) / (otherLength * ownLength) >= threshold)
            sum.Add(other);
    }
    return sum;
}

}  // namespace verdin
