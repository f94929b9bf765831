#pragma once

#include "texture/TextureScale.h"
#include "xfile/XFileWriter.h"

#include <string>

namespace verdin {

class CConvertJob;

// The steps of a conversion as called with the job: each hands the step the
// parts of the job it works on (the open file, the chunks, the report, the
// options, the cancel flag).

// The header of job.m_pFile, whose identifying texts go to m_szFileId and
// m_szVersion.
[[nodiscard]] bool ReadCobHeader(CConvertJob& job);
// The chunks of job.m_pFile into job.m_chunks.
void ReadCobChunks(CConvertJob& job);
// The .x file for the chunks of job.m_chunks, beside job.m_strPath.
int WriteXFile(CConvertJob& job, const TexturePassRunner& runTexturePass = {});
// The file the options ask for, for the chunks of job.m_chunks: a .x file or
// a glTF file.
int WriteOutputFile(CConvertJob& job, const TexturePassRunner& runTexturePass = {});

// Whether the file starts as a DirectX file does; such a file becomes glTF.
[[nodiscard]] bool IsDirectXFile(const std::string& path);
// The glTF file of the DirectX file job.m_strPath: a .gltf file when the
// options ask for one, else a .glb file.
int WriteGltfOfX(CConvertJob& job, const TexturePassRunner& runTexturePass = {});

int BitmapExpander(CConvertJob& job, std::string path, TextureScale& textureScale);
int BmpToPpmConverter(CConvertJob& job, std::string path);
bool ConvertToBinaryX(CConvertJob& job, const std::string& path);

}  // namespace verdin
