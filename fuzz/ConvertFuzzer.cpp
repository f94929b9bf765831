// Converts arbitrary bytes as a COB file, with the options taken from the
// first byte, in a folder of its own: into a .x file, then into a .glb file
// (inputs of odd length) or a .gltf file.

#include "FuzzSupport.h"

#include "convert/ConvertJob.h"

#include <atomic>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const FuzzFolder folder;

    verdin::OptionFlags options;
    options.AddTemplates = data[0] & 1;
    options.BinaryXFile = (data[0] >> 1) & 1;
    options.Position = (data[0] >> 2) & 1;
    options.ScaleAndRotation = (data[0] >> 3) & 1;
    options.bPPM = (data[0] >> 4) & 1;
    options.NewerMaterials = (data[0] >> 5) & 1;
    options.FlipV = (data[0] >> 6) & 1;
    options.Ascii = (data[0] >> 7) & 1;
    // The whole scene, in half of the inputs: the first byte is taken.
    const int wholeScene = (size >> 1) & 1;
    for (std::atomic<int>* option :
         {&options.Axes, &options.Hierarchy, &options.FullMaterials, &options.Animation, &options.Summary})
        *option = wholeScene;
    QuietReport report;
    std::atomic<int> cancel{0};
    verdin::ConvertParams params;
    params.paths = {folder.Write("model.cob", data + 1, size - 1)};
    params.report = &report;
    params.cancel = &cancel;
    params.options = &options;
    verdin::CConvertJob job(params);
    verdin::RunConvertJob(job);

    options.Output = size % 2 == 1 ? verdin::kOutputGlb : verdin::kOutputGltf;
    verdin::CConvertJob gltfJob(params);
    verdin::RunConvertJob(gltfJob);
    return 0;
}
