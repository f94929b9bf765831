#pragma once

#include "xgltf/XMeshes.h"

#include <atomic>
#include <string>

namespace verdin {

struct GltfWriting;

// The nodes, meshes, skins and animations of `model` in `document`, images
// through `textureOf`; false when the user cancelled.
bool WriteXScene(const xgltf::XModel& model, gltf::GltfDocument& document,
                 const xgltf::MeshWriter::TextureOf& textureOf, ReportLog& report, const std::atomic<int>& cancel);

// Writes the glTF file of the DirectX file at `xPath` (text, binary or
// compressed): a node per frame with its name and placement, the meshes with
// their materials, vertex colours, textures and skins, and an animation per
// animation set, turned from DirectX's left-handed axes into glTF's. 1 when
// the whole file was written; 0 when the file could not be read or written,
// or the user cancelled, and any earlier file of that name is untouched.
int WriteGltfOfX(const std::string& xPath, const GltfWriting& writing);

}  // namespace verdin
