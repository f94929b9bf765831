#pragma once

#include "render/Scene.h"

#include <functional>
#include <optional>
#include <string>

namespace verdin::render {

// Reads a picture file; nothing when it cannot.
using ImageReader = std::function<std::optional<RgbaImage>(const std::string& path)>;

// Reads the meshes of a DirectX file, text, binary or compressed; a text file
// as it goes, through a small window, so that memory holds little more than
// the meshes.
// Each texture a material names is read with `readImage`, from beside the
// file when its name is relative; one that cannot be read leaves its
// materials untextured. Empty on success, else the reader's message.
[[nodiscard]] std::optional<std::string> ReadScene(const std::string& path, Scene& scene, const ImageReader& readImage);

}  // namespace verdin::render
