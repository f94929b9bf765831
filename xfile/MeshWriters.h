#pragma once

#include "scene/Affine.h"
#include "scene/MeshData.h"
#include "xfile/FormatThreads.h"
#include "xfile/XTextFile.h"

namespace verdin {

class ReportLog;
struct OptionFlags;
struct TextureScale;

// How a mesh is written beyond what the five options say.
struct MeshLayout {
    bool ownSpace = false;  // vertices in the object's own space, which its frame places
    bool axes = false;      // in DirectX's upright axes (kDirectXAxes), corners turned round
    bool fullMaterials = false;
};

// A placement less the parts the options leave out.
Affine OptionPlacement(Affine placement, const OptionFlags& options);

// The stored corner at written position j of a face: with the axes changed,
// a mirror, the corners go the other way round so that the face still faces
// out.
inline int WrittenCorner(const CobFace& face, int j, bool axes)
{
    return MeshWorkingData::StoredCorner(face, axes ? MeshWorkingData::CornerCount(face) - 1 - j : j);
}

// One entry per written face, in face order, with ",\n" between two; the
// caller ends the list. `makeEntries(begin, end)` runs in face order on the
// caller's thread and returns what writes the entry of a face of [begin, end):
// entry(TextOutput&, const CobFace&).
template <typename MakeEntries>
void WriteFaceEntries(XTextFile& out, const MeshWorkingData& mesh, MakeEntries makeEntries)
{
    const auto& faces = mesh.Polygon().m_pFaces;
    const std::size_t first = mesh.FirstWrittenFace();
    WriteSliced(out, faces.size(), [&](std::size_t begin, std::size_t end) {
        return [&mesh, &faces, first, begin, end, entry = makeEntries(begin, end)](TextOutput& text) mutable {
            for (std::size_t i = begin; i < end; ++i) {
                if (!mesh.IsWritten(i))
                    continue;
                if (i != first) {
                    text.Char(',');
                    text.EndLine();
                }
                entry(text, faces[i]);
            }
        };
    });
}

// The members of one Mesh object, in the order they are written. Each also
// appends its count to the mesh's report line.
void WriteVertexList(ReportLog& report, const OptionFlags& options, XTextFile& out, const MeshWorkingData& mesh,
                     const MeshLayout& layout);
void WriteFaceList(ReportLog& report, XTextFile& out, const MeshWorkingData& mesh, const MeshLayout& layout);
void WriteMeshMaterialList(XTextFile& out, const MeshWorkingData& mesh, const MeshLayout& layout);
void WriteMeshNormals(ReportLog& report, XTextFile& out, const MeshWorkingData& mesh, const MeshLayout& layout);
// With `flipV`, each v is written as 1 - v.
void WriteMeshTextureCoords(ReportLog& report, XTextFile& out, const MeshWorkingData& mesh, const TextureScale& scale,
                            bool flipV);

}  // namespace verdin
