#pragma once

#include "texture/TextureCopies.h"

#include <atomic>
#include <functional>
#include <string>

namespace verdin {

class CChunkList;
class ReportLog;
struct OptionFlags;

namespace gltf {
class GltfDocument;
class Textures;
}  // namespace gltf

// What the glTF writer works with besides the chunks, as for the .x writer.
struct GltfWriting {
    ReportLog& report;
    const OptionFlags& options;
    const std::atomic<int>& cancel;
    TextureCopies& textureCopies;
    TexturePassRunner runTexturePass;  // none: the pass runs at once
    std::string outputFolder = {};     // empty: beside each COB file
    bool binary = true;                // a .glb file; else a .gltf file with its .bin and images
};

// The glTF file written for a COB file: its title with ".glb" or ".gltf", in
// the output folder or beside the COB file.
std::string GltfFileNameFor(const std::string& cobPath, const std::string& outputFolder, bool binary);

// Writes the glTF file of `chunks`: a node per group and object in the
// file's parent order, stood upright, each object's mesh with one primitive
// per material, and the textures. 1 when the whole file was written; 0 when
// it could not be, was the COB file itself, or the user cancelled, and any
// earlier file of that name is untouched.
int WriteGltfFile(const std::string& cobPath, const CChunkList& chunks, const GltfWriting& writing);

// Makes a model's glTF document with its images; false when the user
// cancelled.
using GltfContent = std::function<bool(gltf::GltfDocument& document, gltf::Textures& textures)>;

// The glTF file of the model at `modelPath`, named as GltfFileNameFor names
// it, made by `content`. 1 when the whole file was written; 0 when it could
// not be, was the model itself, or the user cancelled, and any earlier file
// of that name is untouched.
int WriteGltfOutput(const std::string& modelPath, const GltfWriting& writing, const GltfContent& content);

}  // namespace verdin
