#pragma once

#include "gltf/GltfDocument.h"

#include <atomic>
#include <map>
#include <string>

namespace verdin {
class CMat1Chunk;
class ReportLog;
class TextureCopies;
}  // namespace verdin

namespace verdin::gltf {

// Where a file's images go: into the .glb's buffer, or beside a .gltf file.
struct ImagePlacement {
    ReportLog& report;
    const std::string& modelFolder;
    const std::string& outputName;
    bool embedded;
    TextureCopies& copies;
    const std::atomic<int>& stop;
};

// The textures of one glTF file, one per image file used. PNG and JPEG
// images go in as they are; the converter's own bitmaps and PPM images as
// PNG. A material whose image cannot be used keeps its colour.
class Textures {
public:
    Textures(GltfDocument& document, const ImagePlacement& placement);

    // The texture of a textured material; -1, after reporting why, when its
    // image cannot be used.
    int TextureOf(const CMat1Chunk& material);
    // The texture of an image a model names, found as the texture step finds
    // it; -1, after reporting why, when it cannot be used.
    int TextureNamed(const std::string& stored);

private:
    int AddImage(const std::string& source, const std::string& stored);
    // Puts the image beside a .gltf file and names it in `image`; false
    // after reporting why not.
    bool PlaceBeside(const std::string& source, const std::string& stored, std::span<const unsigned char> bytes,
                     bool converted, Json& image);

    GltfDocument& m_document;
    const ImagePlacement& m_placement;
    int m_nSampler = -1;
    std::map<std::string, int> m_bySource;  // the texture made of each image file
    std::map<const CMat1Chunk*, int> m_byMaterial;
};

}  // namespace verdin::gltf
