#include "base/PathHelpers.h"
#include "cob/Mat1Chunk.h"
#include "cob/PolHChunk.h"
#include "scene/MeshData.h"
#include "texture/TextureCopies.h"
#include "xfile/MeshWriters.h"
#include "xfile/XTextFile.h"

namespace verdin {

namespace {

void WriteMaterial(XTextFile& out, const CMat1Chunk* material)
{
    out.Write("Material{\n");
    if (material) {
        const CobVector& colour = material->m_colour;
        for (float component : {colour.x, colour.y, colour.z}) {
            out.Float(component);
            out.Char(';');
        }
        out.Write("1.0;;\n");
        out.Float(3.0 + 40.0 * static_cast<double>(material->m_fExponent));
        out.Write(";\n");
    } else {
        // A material number that no material of the object has.
        out.Write("1.000000;1.000000;1.000000;1.0;;\n3.000000;\n");
    }
    std::string text = "1.0;1.0;1.0;;\n0.0;0.0;0.0;;\n";
    if (IsTextured(material))
        text +=
            "TextureFilename{\"" + WritableTextureName(PathFileName(material->m_textureMap.name.Shown())) + "\";}\n";
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
    WriteFaceEntries(out, mesh, [&mesh](std::size_t, std::size_t) {
        return [&mesh](TextOutput& text, const CobFace& face) {
            text.Int(static_cast<long long>(mesh.MaterialSlot(face)));
        };
    });
    out.Write(";\n");
    for (const CMat1Chunk* material : mesh.Materials())
        WriteMaterial(out, material);
    out.Write("}\n");
}

}  // namespace verdin
