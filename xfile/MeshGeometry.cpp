#include "base/NumberFormat.h"
#include "base/OptionFlags.h"
#include "base/ReportLog.h"
#include "cob/PolHChunk.h"
#include "scene/Affine.h"
#include "scene/MeshData.h"
#include "xfile/MeshWriters.h"
#include "xfile/XTextFile.h"

namespace verdin {

Affine OptionPlacement(Affine placement, const OptionFlags& options)
{
    if (!IsOn(options.Position))
        placement.m[0][3] = placement.m[1][3] = placement.m[2][3] = 0;
    if (!IsOn(options.ScaleAndRotation))
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                placement.m[r][c] = r == c ? 1 : 0;
    return placement;
}

void WriteVertexList(ReportLog& report, const OptionFlags& options, XTextFile& out, const MeshWorkingData& mesh,
                     const MeshLayout& layout)
{
    const auto& vertices = mesh.Vertices();
    out.Int(static_cast<long long>(vertices.size()));
    out.Char(';');
    out.EndLine();
    WriteSliced(out, vertices.size(), [&](std::size_t begin, std::size_t end) {
        // The options are read again for every slice of the list, in order: a
        // change applies from the next slice.
        Affine p = layout.ownSpace ? Affine{} : OptionPlacement(Affine::FromCob(mesh.Polygon().m_position), options);
        if (layout.axes)
            p = kDirectXAxes.After(p);
        return [&mesh, &vertices, p, begin, end](TextOutput& text) {
            for (std::size_t w = begin; w < end; ++w) {
                const CobVector& point = mesh.Position(vertices[w]);
                const double x = point.x, y = point.y, z = point.z;
                for (int r = 0; r < 3; ++r) {
                    text.Float(p.m[r][0] * x + p.m[r][1] * y + p.m[r][2] * z + p.m[r][3]);
                    text.Char(';');
                }
                text.Char(w + 1 < vertices.size() ? ',' : ';');
                text.EndLine();
            }
        };
    });
    report.AppendText("V=" + FormatInt(mesh.Polygon().m_nVertices) + " ");
}

void WriteFaceList(ReportLog& report, XTextFile& out, const MeshWorkingData& mesh, const MeshLayout& layout)
{
    out.Int(mesh.WrittenFaceCount());
    out.Char(';');
    out.EndLine();
    WriteFaceEntries(out, mesh, [&mesh, axes = layout.axes](std::size_t, std::size_t) {
        return [&mesh, axes](TextOutput& text, const CobFace& face) {
            const int corners = MeshWorkingData::CornerCount(face);
            text.Int(corners);
            text.Char(';');
            for (int j = 0; j < corners; ++j) {
                text.Int(mesh.WrittenVertex(face, WrittenCorner(face, j, axes)));
                text.Char(j + 1 < corners ? ',' : ';');
            }
        };
    });
    if (mesh.WrittenFaceCount() > 0) {
        out.Char(';');
        out.EndLine();
    }
    report.AppendText("F=" + FormatInt(mesh.WrittenFaceCount()) + " ");
}

}  // namespace verdin
