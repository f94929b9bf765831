#include "cob/Mat1Chunk.h"
#include "convert/ConvertJob.h"
#include "texture/TextureScale.h"
#include "xfile/MeshData.h"
#include "xfile/MeshWriters.h"
#include "xfile/NumberFormat.h"
#include "xfile/XTextFile.h"

namespace verdin {

void WriteMeshTextureCoords(CConvertJob& job, XTextFile& out, const MeshWorkingData& mesh, const TextureScale& scale)
{
    if (!mesh.Textured())
        return;
    const auto& vertices = mesh.Vertices();
    std::string text = "MeshTextureCoords{\n";
    AppendInt(text, static_cast<long long>(vertices.size()));
    text += ";\n";
    const double su = scale.u, sv = scale.v;
    for (const CMeshVertex& vertex : vertices) {
        const double u = vertex.m_uv.u, v = vertex.m_uv.v;
        float mappedU, mappedV;
        if (vertex.m_pMaterial) {
            const CobMap& map = vertex.m_pMaterial->m_textureMap;
            mappedU = static_cast<float>(map.repeat.u * u * su + map.offset.u);
            mappedV = static_cast<float>(map.repeat.v * sv * v + map.offset.v);
        } else {
            mappedU = static_cast<float>(u * su);
            mappedV = static_cast<float>(sv * v);
        }
        AppendFloat(text, mappedU);
        text += ';';
        AppendFloat(text, mappedV);
        text += ";\n";
        if (text.size() > 4096) {
            out.Write(text);
            text.clear();
        }
    }
    text += ";\n}\n";
    out.Write(text);
    job.m_pReport->AppendText("T=" + FormatInt(static_cast<long long>(vertices.size())) + " ");
}

}  // namespace verdin
