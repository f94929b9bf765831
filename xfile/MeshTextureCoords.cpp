#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "cob/Mat1Chunk.h"
#include "scene/MeshData.h"
#include "texture/TextureScale.h"
#include "xfile/MeshWriters.h"
#include "xfile/XTextFile.h"

namespace verdin {

void WriteMeshTextureCoords(ReportLog& report, XTextFile& out, const MeshWorkingData& mesh, const TextureScale& scale,
                            bool flipV)
{
    if (!mesh.Textured())
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
                const CMeshVertex& vertex = vertices[w];
                const double u = vertex.m_uv.u, v = vertex.m_uv.v;
                float mappedU, mappedV;
                if (const CMat1Chunk* material = mesh.BoundMaterial(vertex)) {
                    const CobMap& map = material->m_textureMap;
                    mappedU = static_cast<float>(map.repeat.u * u * su + map.offset.u);
                    mappedV = static_cast<float>(map.repeat.v * sv * v + map.offset.v);
                } else {
                    mappedU = static_cast<float>(u * su);
                    mappedV = static_cast<float>(sv * v);
                }
                text.Float(mappedU);
                text.Char(';');
                text.Float(flipV ? static_cast<float>(1.0 - mappedV) : mappedV);
                text.Char(';');
                text.EndLine();
            }
        };
    });
    out.Write(";\n}\n");
    report.AppendText("T=" + FormatInt(static_cast<long long>(vertices.size())) + " ");
}

}  // namespace verdin
