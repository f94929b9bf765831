#include "convert/JobSteps.h"

#include "base/InputFile.h"
#include "base/OptionFlags.h"
#include "cob/CobReader.h"
#include "cob/CobTextReader.h"
#include "convert/ConvertJob.h"
#include "d3drm/BinaryXStep.h"
#include "gltf/GltfWriter.h"
#include "texture/BitmapExpander.h"
#include "texture/BmpToPpmConverter.h"
#include "xgltf/XToGltf.h"

#include <cstring>
#include <utility>

namespace verdin {

namespace {

// glTF files always carry the animation, and their reports are always
// summaries.
CobReaderOptions ReaderOptions(const CConvertJob& job)
{
    const OptionFlags& options = *job.m_pOptions;
    const bool gltf = options.Output.load() != kOutputX;
    return {.newerMaterials = IsOn(options.NewerMaterials),
            .textForm = IsOn(options.Ascii),
            .animation = gltf || IsOn(options.Animation),
            .summary = gltf || IsOn(options.Summary)};
}

}  // namespace

bool ReadCobHeader(CConvertJob& job)
{
    CobSignature signature;
    const bool accepted = ReadCobHeader(*job.m_pFile, *job.m_pReport, signature, ReaderOptions(job));
    std::memcpy(job.m_szFileId, signature.fileId, sizeof job.m_szFileId);
    std::memcpy(job.m_szVersion, signature.version, sizeof job.m_szVersion);
    job.m_bTextForm = signature.text;
    return accepted;
}

void ReadCobChunks(CConvertJob& job)
{
    if (job.m_bTextForm)
        ReadCobTextChunks(*job.m_pFile, *job.m_pReport, job.m_chunks, ReaderOptions(job));
    else
        ReadCobChunks(*job.m_pFile, *job.m_pReport, job.m_chunks, ReaderOptions(job));
}

int WriteXFile(CConvertJob& job, const TexturePassRunner& runTexturePass)
{
    return WriteXFile(job.m_strPath, job.m_chunks,
                      {*job.m_pReport, *job.m_pOptions, *job.m_pCancel, *job.m_pTextureCopies, runTexturePass,
                       job.m_nFormatHelpers, job.m_strOutputFolder});
}

int WriteOutputFile(CConvertJob& job, const TexturePassRunner& runTexturePass)
{
    const int output = job.m_pOptions->Output.load();
    if (output == kOutputX)
        return WriteXFile(job, runTexturePass);
    return WriteGltfFile(job.m_strPath, job.m_chunks,
                         {*job.m_pReport, *job.m_pOptions, *job.m_pCancel, *job.m_pTextureCopies, runTexturePass,
                          job.m_strOutputFolder, output != kOutputGltf});
}

bool IsDirectXFile(const std::string& path)
{
    InputFile file;
    char start[4] = {};
    return file.Open(path) && file.Read(start, sizeof start) == sizeof start && std::memcmp(start, "xof ", 4) == 0;
}

int WriteGltfOfX(CConvertJob& job, const TexturePassRunner& runTexturePass)
{
    const int output = job.m_pOptions->Output.load();
    return WriteGltfOfX(job.m_strPath, {*job.m_pReport, *job.m_pOptions, *job.m_pCancel, *job.m_pTextureCopies,
                                        runTexturePass, job.m_strOutputFolder, output != kOutputGltf});
}

int BitmapExpander(CConvertJob& job, std::string path, TextureScale& textureScale)
{
    return BitmapExpander(*job.m_pReport, std::move(path), textureScale);
}

int BmpToPpmConverter(CConvertJob& job, std::string path)
{
    return BmpToPpmConverter(*job.m_pReport, std::move(path));
}

bool ConvertToBinaryX(CConvertJob& job, const std::string& path)
{
    return ConvertToBinaryX(*job.m_pReport, path, IsOn(job.m_pOptions->AddTemplates));
}

}  // namespace verdin
