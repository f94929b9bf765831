#pragma once

#include "render/Scene.h"

#include <optional>
#include <string>

namespace verdin {

// A texture for the preview: the converter's own BMP and PPM files through
// its readers, any other picture (JPEG, PNG, other BMP depths…) through Qt's.
[[nodiscard]] std::optional<render::RgbaImage> ReadAnyImage(const std::string& path);

}  // namespace verdin
