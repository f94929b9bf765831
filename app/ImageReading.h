#pragma once

#include "render/Scene.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace verdin {

// A texture for the preview: BMP, TGA, GIF and PPM files through the
// converter's own readers, any other picture (JPEG, PNG…) through Qt's.
[[nodiscard]] std::optional<render::RgbaImage> ReadAnyImage(const std::string& path);
// The same from an image file's bytes; `hint` is its extension or type.
[[nodiscard]] std::optional<render::RgbaImage> DecodeAnyImage(std::span<const std::uint8_t> bytes,
                                                              std::string_view hint);

// The meshes of a converted file, a .x file or a glTF file (.glb, .gltf),
// with their textures; empty on success, else the reader's message.
[[nodiscard]] std::optional<std::string> ReadAnyScene(const std::string& path, render::Scene& scene);

}  // namespace verdin
