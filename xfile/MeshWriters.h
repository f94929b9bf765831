#pragma once

#include "xfile/MeshData.h"
#include "xfile/XTextFile.h"

namespace verdin {

class ReportLog;
struct OptionFlags;
struct TextureScale;

// One entry per written face, in face order, with ",\n" between two; the
// caller ends the list.
template <typename WriteEntry>
void WriteFaceEntries(XTextFile& out, const MeshWorkingData& mesh, WriteEntry writeEntry)
{
    const auto& faces = mesh.Polygon().m_pFaces;
    bool first = true;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        if (!mesh.IsWritten(i))
            continue;
        if (!first) {
            out.Char(',');
            out.EndLine();
        }
        first = false;
        writeEntry(faces[i]);
    }
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
