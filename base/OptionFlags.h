#pragma once

#include <array>
#include <atomic>

namespace verdin {

// The five user options. The interface thread may change them while a job
// runs; the job reads each one at the moment it needs it, never a copy.
struct OptionFlags {
    std::atomic<int> AddTemplates{1};
    std::atomic<int> BinaryXFile{0};
    std::atomic<int> Position{0};
    std::atomic<int> ScaleAndRotation{1};
    std::atomic<int> bPPM{0};
    // For files from later versions of the modeller; off, output is as the
    // five options alone give it.
    std::atomic<int> NewerMaterials{0};  // read Mat1 versions 0.7 and 0.8
    std::atomic<int> FlipV{0};           // write texture v as 1 - v
    std::atomic<int> Ascii{0};           // read text-form files
    // The whole scene in a .x file; glTF files always carry it.
    std::atomic<int> Axes{0};           // y up and left-handed, as DirectX viewers show a model
    std::atomic<int> Hierarchy{0};      // a named frame per group and object, placed by its matrix
    std::atomic<int> FullMaterials{0};  // specular, emissive and opacity; coordinates on every mesh
    std::atomic<int> Animation{0};      // the model's moves and turns, in frames
    // A report line for each kind of chunk left out, with its count.
    std::atomic<int> Summary{0};
    // What each COB file becomes: an OutputFormat.
    std::atomic<int> Output{0};
};

// The options that keep the look of a file from a later version of the
// modeller, which "Keep the look" and --keep-look turn on together.
inline constexpr std::array<std::atomic<int> OptionFlags::*, 9> kLookKeepingOptions = {
    &OptionFlags::NewerMaterials, &OptionFlags::FlipV,     &OptionFlags::Ascii,
    &OptionFlags::Position,       &OptionFlags::Axes,      &OptionFlags::Hierarchy,
    &OptionFlags::FullMaterials,  &OptionFlags::Animation, &OptionFlags::Summary};

enum OutputFormat : int {
    kOutputX = 0,     // a DirectX .x file
    kOutputGlb = 1,   // a binary glTF file
    kOutputGltf = 2,  // a glTF file with its .bin and images beside it
};

inline bool IsOn(const std::atomic<int>& flag)
{
    return flag.load(std::memory_order_relaxed) != 0;
}

}  // namespace verdin
