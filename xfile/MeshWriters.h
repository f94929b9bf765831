#pragma once

#include "scene/MeshData.h"
#include "xfile/FormatThreads.h"
#include "xfile/XTextFile.h"

namespace verdin {

class ReportLog;
struct OptionFlags;
struct TextureScale;

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
void WriteVertexList(ReportLog& report, const OptionFlags& options, XTextFile& out, const MeshWorkingData& mesh);
void WriteFaceList(ReportLog& report, XTextFile& out, const MeshWorkingData& mesh);
void WriteMeshMaterialList(XTextFile& out, const MeshWorkingData& mesh);
void WriteMeshNormals(ReportLog& report, XTextFile& out, const MeshWorkingData& mesh);
// With `flipV`, each v is written as 1 - v.
void WriteMeshTextureCoords(ReportLog& report, XTextFile& out, const MeshWorkingData& mesh, const TextureScale& scale,
                            bool flipV);

}  // namespace verdin
