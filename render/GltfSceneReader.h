#pragma once

#include "render/Scene.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace verdin::render {

// Decodes an image file's bytes; nothing when it cannot. The hint is the
// file's extension or its MIME type's subtype ("png", "jpeg").
using ImageDecoder =
    std::function<std::optional<RgbaImage>(std::span<const std::uint8_t> bytes, std::string_view hint)>;

// Reads the triangle meshes of a glTF 2.0 file (.glb, or .gltf with its
// buffers and images beside it) as they are placed in its default scene,
// laid back from glTF's y-up space into the modeller's, which the .x files
// of the same model keep: the same model gives the same picture. Only files
// in the folder of the .gltf file are read. Empty on success, else what
// could not be read.
[[nodiscard]] std::optional<std::string> ReadGltfScene(const std::string& path, Scene& scene,
                                                       const ImageDecoder& decodeImage);
// The same from the file's bytes; the files it names are looked for in
// `folder` (ending in a separator).
[[nodiscard]] std::optional<std::string> ParseGltfScene(std::span<const std::uint8_t> file, const std::string& folder,
                                                        Scene& scene, const ImageDecoder& decodeImage);

}  // namespace verdin::render
