#pragma once

#include <string>

namespace verdin {

struct GltfWriting;

// Writes the glTF file of the DirectX file at `xPath` (text, binary or
// compressed): a node per frame with its name and placement, the meshes with
// their materials, vertex colours, textures and skins, and an animation per
// animation set, turned from DirectX's left-handed axes into glTF's. 1 when
// the whole file was written; 0 when the file could not be read or written,
// or the user cancelled, and any earlier file of that name is untouched.
int WriteGltfOfX(const std::string& xPath, const GltfWriting& writing);

}  // namespace verdin
