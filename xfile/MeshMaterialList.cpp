#include "base/PathHelpers.h"
#include "cob/Mat1Chunk.h"
#include "cob/PolHChunk.h"
#include "scene/MaterialLook.h"
#include "scene/MeshData.h"
#include "texture/TextureCopies.h"
#include "xfile/MeshWriters.h"
#include "xfile/XTextFile.h"

namespace verdin {

namespace {

std::string TextureFilename(const CMat1Chunk& material)
{
    return "TextureFilename{\"" + WritableTextureName(PathFileName(material.m_textureMap.name.Shown())) + "\";}\n";
}

void WriteColour(XTextFile& out, const CobVector& colour, double factor)
{
    for (float component : {colour.x, colour.y, colour.z}) {
        out.Float(component * factor);
        out.Char(';');
    }
}

// The whole look: the opacity as the colour's alpha, the highlight and the
// ambient factor's share of the colour as the colour a face shows unlit.
void WriteFullMaterial(XTextFile& out, const CMat1Chunk& material)
{
    const MaterialLook look = LookOf(material);
    WriteColour(out, look.colour, 1);
    out.Float(look.opacity);
    out.Write(";;\n");
    out.Float(look.phongPower);
    out.Write(";\n");
    WriteColour(out, look.highlight, look.shading == 'f' ? 0.0 : double{look.specular});
    out.Write(";\n");
    WriteColour(out, look.colour, look.ambient);
    out.Write(";\n");
}

// The colour, power and a white highlight of the material; a material number
// that no material of the object has is plain white.
void WritePlainMaterial(XTextFile& out, const CMat1Chunk* material)
{
    if (material) {
        WriteColour(out, material->m_colour, 1);
        out.Write("1.0;;\n");
        out.Float(3.0 + 40.0 * static_cast<double>(material->m_fExponent));
        out.Write(";\n");
    } else
        out.Write("1.000000;1.000000;1.000000;1.0;;\n3.000000;\n");
    out.Write("1.0;1.0;1.0;;\n0.0;0.0;0.0;;\n");
}

void WriteMaterial(XTextFile& out, const CMat1Chunk* material, bool full)
{
    out.Write("Material{\n");
    if (material && full)
        WriteFullMaterial(out, *material);
    else
        WritePlainMaterial(out, material);
    out.Write(IsTextured(material) ? TextureFilename(*material) + "}\n" : "}\n");
}

}  // namespace

void WriteMeshMaterialList(XTextFile& out, const MeshWorkingData& mesh, const MeshLayout& layout)
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
        WriteMaterial(out, material, layout.fullMaterials);
    out.Write("}\n");
}

}  // namespace verdin
