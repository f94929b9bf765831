#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "cob/PolHChunk.h"
#include "scene/Affine.h"
#include "scene/CornerNormals.h"
#include "scene/MeshData.h"
#include "xfile/MeshWriters.h"
#include "xfile/XTextFile.h"

namespace verdin {

void WriteMeshNormals(ReportLog& report, XTextFile& out, const MeshWorkingData& mesh, const MeshLayout& layout)
{
    const bool axes = layout.axes;
    const CPolHChunk& polygon = mesh.Polygon();
    CornerNormals maker(mesh);
    const auto normalsOf = [&maker](const CobFace& face) { return maker.NormalCount(face); };
    std::size_t count = 0;
    for (std::size_t i = 0; i < polygon.m_pFaces.size(); ++i)
        if (mesh.IsWritten(i))
            count += static_cast<std::size_t>(normalsOf(polygon.m_pFaces[i]));

    // What faces share is made in slices on the file's format threads.
    maker.Prepare([&out](std::size_t n, auto makeSlice) { WriteSliced(out, n, makeSlice); });
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
        return [&maker, &mesh, begin, end, first, count, axes](TextOutput& text) {
            AutoAngleSums sums;
            std::vector<CobVector> normals;
            std::size_t written = first;
            for (std::size_t i = begin; i < end; ++i) {
                if (!mesh.IsWritten(i))
                    continue;
                normals.clear();
                maker.MakeFace(i, normals, sums, text);
                for (const CobVector& normal : normals) {
                    const Vector3 n = axes ? kDirectXAxes(Vector3{normal.x, normal.y, normal.z})
                                           : Vector3{normal.x, normal.y, normal.z};
                    for (double component : n) {
                        text.Float(axes ? component + 0.0 : component);  // a negated 0 is written as 0
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
        return [&maker, base = first, axes](TextOutput& text, const CobFace& face) mutable {
            const bool flat = maker.IsFlat(face);
            const int corners = MeshWorkingData::CornerCount(face);
            text.Int(corners);
            text.Char(';');
            for (int j = 0; j < corners; ++j) {
                // Normals stay in the order they were made; with the axes
                // changed the corners name them the other way round.
                text.Int(flat ? base : base + (axes ? corners - 1 - j : j));
                text.Char(j + 1 < corners ? ',' : ';');
            }
            base += flat ? 1 : corners;
        };
    });
    out.Write(";\n}\n");
    report.AppendText("N=" + FormatInt(static_cast<long long>(count)) + " ");
}

}  // namespace verdin
