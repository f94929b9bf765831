#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "scene/MeshData.h"
#include "texture/TextureScale.h"
#include "xfile/MeshWriters.h"
#include "xfile/XTextFile.h"

namespace verdin {

void WriteMeshTextureCoords(ReportLog& report, XTextFile& out, const MeshWorkingData& mesh, const TextureScale& scale,
                            bool flipV)
{
    if (!mesh.HasCoordinates())
        return;
    const auto& vertices = mesh.Vertices();
    out.Write("MeshTextureCoords{\n");
    out.Int(static_cast<long long>(vertices.size()));
    out.Char(';');
    out.EndLine();
    const double su = scale.u, sv = scale.v;
    WriteSliced(out, vertices.size(), [&](std::size_t begin, std::size_t end) {
        return [&mesh, &vertices, su, sv, flipV, begin, end](TextOutput& text) {
            for (std::size_t w = begin; w < end; ++w) {
                const CobUV uv = MappedUV(mesh, vertices[w], su, sv, flipV);
                text.Float(uv.u);
                text.Char(';');
                text.Float(uv.v);
                text.Char(';');
                text.EndLine();
            }
        };
    });
    out.Write(";\n}\n");
    report.AppendText("T=" + FormatInt(static_cast<long long>(vertices.size())) + " ");
}

}  // namespace verdin
