#pragma once

namespace verdin {

class CConvertJob;
class MeshWorkingData;
class XTextFile;
struct TextureScale;

// The members of one Mesh object, in the order they are written. Each also
// appends its count to the mesh's report line.
void WriteVertexList(CConvertJob& job, XTextFile& out, const MeshWorkingData& mesh);
void WriteFaceList(CConvertJob& job, XTextFile& out, const MeshWorkingData& mesh);
void WriteMeshMaterialList(XTextFile& out, const MeshWorkingData& mesh);
void WriteMeshNormals(CConvertJob& job, XTextFile& out, const MeshWorkingData& mesh);
void WriteMeshTextureCoords(CConvertJob& job, XTextFile& out, const MeshWorkingData& mesh, const TextureScale& scale);

}  // namespace verdin
