#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "cob/Mat1Chunk.h"
#include "cob/PolHChunk.h"
#include "xfile/MeshData.h"
#include "xfile/MeshWriters.h"
#include "xfile/XTextFile.h"

#include <bit>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>

namespace verdin {

namespace {

// A little below the single-precision value of pi / 180.
const float kDegreesToRadians = std::bit_cast<float>(0x3C8EFA33u);
constexpr CobVector kFallbackNormal{1, 0, 0};
constexpr std::string_view kSmoothFailure = "Normalize vector error at smooth face.";

struct Sum {
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

double Dot(const CobVector& a, const CobVector& b)
{
    return double{a.x} * b.x + double{a.y} * b.y + double{a.z} * b.z;
}

CobVector Difference(const CobVector& a, const CobVector& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

// The stored vertices around each vertex: for every written face, its index
// once per corner on the vertex, in face order.
struct VertexFaces {
    std::vector<std::int32_t> offsets;  // faces of vertex v: [offsets[v], offsets[v + 1])
    std::vector<std::int32_t> faces;

    std::span<const std::int32_t> Of(std::int32_t v) const
    {
        return std::span(faces).subspan(
            static_cast<std::size_t>(offsets[static_cast<std::size_t>(v)]),
            static_cast<std::size_t>(offsets[static_cast<std::size_t>(v) + 1] - offsets[static_cast<std::size_t>(v)]));
    }
};

VertexFaces CollectVertexFaces(const MeshWorkingData& mesh)
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

// The normal at the corner whose two edges come closest to a right angle.
CobVector FaceNormal(TextOutput& text, const CPolHChunk& polygon, std::size_t faceIndex)
{
    const CobFace& face = polygon.m_pFaces[faceIndex];
    const auto corners = polygon.Corners(face);
    const int n = MeshWorkingData::CornerCount(face);
    auto point = [&](int w) {
        const int k = MeshWorkingData::StoredCorner(face, w % n);
        return polygon.m_pVertices[static_cast<std::size_t>(corners[2 * static_cast<std::size_t>(k)])];
    };

    float best = 1.0f;
    std::optional<Sum> candidate;
    for (int j = 0; j < n; ++j) {
        const CobVector q0 = point(j), q1 = point(j + 1), q2 = point(j + 2);
        const CobVector e1 = Difference(q1, q0), e2 = Difference(q2, q1);
        const double l = std::sqrt(Dot(e1, e1) * Dot(e2, e2));
        if (l == 0)
            continue;
        const double c = std::fabs(Dot(e1, e2)) / l;
        if (c < best) {
            best = static_cast<float>(c);
            candidate = Sum{double{e1.y} * e2.z - double{e1.z} * e2.y, double{e1.z} * e2.x - double{e1.x} * e2.z,
                            double{e1.x} * e2.y - double{e1.y} * e2.x};
        }
    }
    if (!candidate)
        return kFallbackNormal;
    const double length = candidate->Length();
    if (length == 0) {
        text.ReportLine("  Can't normalize vector at face normal No." + FormatInt(static_cast<long long>(faceIndex)) +
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

// The auto-angle sums that faces of one normal around a vertex of many faces
// share (a flat fan), which would otherwise take square time to make. Each
// slice of faces has its own.
class AutoAngleSums {
public:
    static constexpr std::size_t kCachedValence = 16;

    template <typename MakeSum>
    const Sum& Of(std::int32_t vertex, const CobVector& own, float threshold, MakeSum makeSum)
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
        std::size_t operator()(const Key& key) const
        {
            std::uint64_t hash = static_cast<std::uint32_t>(key.vertex);
            for (std::uint32_t part : {key.x, key.y, key.z, key.threshold})
                hash = (hash ^ part) * 0x100000001b3u;
            return static_cast<std::size_t>(hash);
        }
    };
    std::unordered_map<Key, Sum, KeyHash> m_sums;
};

// The normals of one mesh. What faces share (face normals, smooth vertex
// normals) is made first, in slices on the file's format threads; then each
// face's normals, in the slice of the list it is written in. Report lines go
// with the text of their slice, so they keep face order.
class NormalsMaker {
public:
    NormalsMaker(XTextFile& out, const MeshWorkingData& mesh)
        : m_mesh(mesh), m_polygon(mesh.Polygon()), m_vertexFaces(CollectVertexFaces(mesh))
    {
        m_faceNormals.resize(m_polygon.m_pFaces.size());
        WriteSliced(out, m_faceNormals.size(), [this](std::size_t begin, std::size_t end) {
            return [this, begin, end](TextOutput& text) {
                for (std::size_t i = begin; i < end; ++i)
                    if (m_mesh.IsWritten(i))
                        m_faceNormals[i] = FaceNormal(text, m_polygon, i);
            };
        });
        if (HasFacet([](std::uint8_t facet) { return facet == 's'; })) {
            m_smooth.resize(m_polygon.m_pVertices.size());
            WriteSliced(out, m_smooth.size(), [this](std::size_t begin, std::size_t end) {
                return [this, begin, end](TextOutput&) {
                    for (std::size_t v = begin; v < end; ++v)
                        m_smooth[v] = SmoothNormal(static_cast<std::int32_t>(v));
                };
            });
        }
        if (!HasFacet(IsAutoAngle))
            m_vertexFaces = {};  // only auto-angle normals look around a vertex again
    }

    // Appends the normals of written face i to `normals`, in written order:
    // a flat face has one, any other one per corner.
    void MakeFace(std::size_t i, std::vector<CobVector>& normals, AutoAngleSums& sums, TextOutput& text) const
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
                normals.push_back(AutoAngleNormal(v, m_faceNormals[i], threshold, sums, text));
            else if (const CobVector& smooth = m_smooth[static_cast<std::size_t>(v)]; !IsZero(smooth))
                normals.push_back(smooth);
            else  // a sum of length 0, reported at every corner on the vertex
                normals.push_back(Normalised(Sum{}, kSmoothFailure, text));
        }
    }

private:
    template <typename Wanted>
    bool HasFacet(Wanted wanted) const
    {
        for (const CMat1Chunk* material : m_mesh.Materials())
            if (wanted(FacetOf(material)))
                return true;
        return false;
    }

    static float AutoAngleThreshold(const CMat1Chunk* material)
    {
        const float angle = static_cast<float>(material->m_nAutoFacetAngle) * kDegreesToRadians;
        return static_cast<float>(std::cos(static_cast<double>(angle)));
    }

    // The same for every corner on the vertex; the zero vector, which no
    // unit vector is, when the sum has length 0.
    CobVector SmoothNormal(std::int32_t v) const
    {
        Sum sum;
        for (std::int32_t g : m_vertexFaces.Of(v))
            sum.Add(m_faceNormals[static_cast<std::size_t>(g)]);
        const double length = sum.Length();
        return length == 0 ? CobVector{0, 0, 0} : sum.Unit(length);
    }

    static bool IsZero(const CobVector& v) { return v.x == 0 && v.y == 0 && v.z == 0; }

    CobVector AutoAngleNormal(std::int32_t v, const CobVector& own, float threshold, AutoAngleSums& sums,
                              TextOutput& text) const
    {
        const std::span<const std::int32_t> faces = m_vertexFaces.Of(v);
        constexpr std::string_view kFailure = "Normalize vector error at auto angle face.";
        if (faces.size() <= AutoAngleSums::kCachedValence)
            return Normalised(AutoAngleSum(faces, own, threshold), kFailure, text);
        return Normalised(sums.Of(v, own, threshold, [&] { return AutoAngleSum(faces, own, threshold); }), kFailure,
                          text);
    }

    Sum AutoAngleSum(std::span<const std::int32_t> faces, const CobVector& own, float threshold) const
    {
        const double ownLength = static_cast<float>(std::sqrt(Dot(own, own)));
        Sum sum;
        for (std::int32_t g : faces) {
            const CobVector& other = m_faceNormals[static_cast<std::size_t>(g)];
            const double otherLength = static_cast<float>(std::sqrt(Dot(other, other)));
            if (Dot(other, own) / (otherLength * ownLength) >= threshold)
                sum.Add(other);
        }
        return sum;
    }

    static CobVector Normalised(const Sum& sum, std::string_view failure, TextOutput& text)
    {
        const double length = sum.Length();
        if (length == 0) {
            text.ReportLine(failure);
            return kFallbackNormal;
        }
        return sum.Unit(length);
    }

    const MeshWorkingData& m_mesh;
    const CPolHChunk& m_polygon;
    VertexFaces m_vertexFaces;
    std::vector<CobVector> m_faceNormals;
    std::vector<CobVector> m_smooth;
};

}  // namespace

void WriteMeshNormals(ReportLog& report, XTextFile& out, const MeshWorkingData& mesh)
{
    const CPolHChunk& polygon = mesh.Polygon();
    // A flat face has one normal; any other one per corner.
    const auto normalsOf = [&mesh](const CobFace& face) {
        return FacetOf(mesh.FaceMaterial(face)) == 'f' ? 1 : MeshWorkingData::CornerCount(face);
    };
    std::size_t count = 0;
    for (std::size_t i = 0; i < polygon.m_pFaces.size(); ++i)
        if (mesh.IsWritten(i))
            count += static_cast<std::size_t>(normalsOf(polygon.m_pFaces[i]));

    NormalsMaker maker(out, mesh);
    out.Write("MeshNormals{\n");
    out.Int(static_cast<long long>(count));
    out.Char(';');
    out.EndLine();
    std::size_t made = 0;
    WriteSliced(out, polygon.m_pFaces.size(), [&](std::size_t begin, std::size_t end) {
        const std::size_t first = made;
        for (std::size_t i = begin; i < end; ++i)
            if (mesh.IsWritten(i))
                made += static_cast<std::size_t>(normalsOf(polygon.m_pFaces[i]));
        return [&maker, &mesh, begin, end, first, count](TextOutput& text) {
            AutoAngleSums sums;
            std::vector<CobVector> normals;
            std::size_t written = first;
            for (std::size_t i = begin; i < end; ++i) {
                if (!mesh.IsWritten(i))
                    continue;
                normals.clear();
                maker.MakeFace(i, normals, sums, text);
                for (const CobVector& normal : normals) {
                    for (float component : {normal.x, normal.y, normal.z}) {
                        text.Float(component);
                        text.Char(';');
                    }
                    text.Char(++written < count ? ',' : ';');
                    text.EndLine();
                }
            }
        };
    });
    out.Int(mesh.WrittenFaceCount());
    out.Char(';');
    out.EndLine();

    // A flat face repeats its one normal; any other numbers its own in order.
    std::int64_t next = 0;
    WriteFaceEntries(out, mesh, [&](std::size_t begin, std::size_t end) {
        const std::int64_t first = next;
        for (std::size_t i = begin; i < end; ++i)
            if (mesh.IsWritten(i))
                next += normalsOf(polygon.m_pFaces[i]);
        return [&mesh, base = first](TextOutput& text, const CobFace& face) mutable {
            const bool flat = FacetOf(mesh.FaceMaterial(face)) == 'f';
            const int corners = MeshWorkingData::CornerCount(face);
            text.Int(corners);
            text.Char(';');
            for (int j = 0; j < corners; ++j) {
                text.Int(flat ? base : base + j);
                text.Char(j + 1 < corners ? ',' : ';');
            }
            base += flat ? 1 : corners;
        };
    });
    out.Write(";\n}\n");
    report.AppendText("N=" + FormatInt(static_cast<long long>(count)) + " ");
}

}  // namespace verdin
