#include "base/NumberFormat.h"
#include "base/PathHelpers.h"
#include "cob/Mat1Chunk.h"
#include "cob/PolHChunk.h"
#include "xfile/MeshData.h"
#include "xfile/MeshWriters.h"
#include "xfile/XTextFile.h"

namespace verdin {

namespace {

void WriteMaterial(XTextFile& out, const CMat1Chunk* material)
{
    std::string text = "Material{\n";
    if (material) {
        const CobVector& colour = material->m_colour;
        for (float component : {colour.x, colour.y, colour.z}) {
            AppendFloat(text, component);
            text += ';';
        }
        text += "1.0;;\n";
        AppendFloat(text, 3.0 + 40.0 * static_cast<double>(material->m_fExponent));
        text += ";\n";
    } else {
        // A material number that no material of the object has.
        text += "1.000000;1.000000;1.000000;1.0;;\n3.000000;\n";
    }
    text += "1.0;1.0;1.0;;\n0.0;0.0;0.0;;\n";
    if (IsTextured(material))
        text += "TextureFilename{\"" + PathFileName(material->m_textureMap.name.Shown()) + "\";}\n";
    text += "}\n";
    out.Write(text);
}

}  // namespace

void WriteMeshMaterialList(XTextFile& out, const MeshWorkingData& mesh)
{
    out.Write("MeshMaterialList{\n");
    out.Int(static_cast<long long>(mesh.Materials().size()));
    out.Char(';');
    out.EndLine();
    out.Int(mesh.WrittenFaceCount());
    out.Char(';');
    out.EndLine();
    WriteFaceEntries(out, mesh, [&](const CobFace& face) { out.Int(static_cast<long long>(mesh.MaterialSlot(face))); });
    out.Write(";\n");
    for (const CMat1Chunk* material : mesh.Materials())
        WriteMaterial(out, material);
    out.Write("}\n");
}

}  // namespace verdin
