#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace verdin::xof::test {

// Turns "\n" into the CR LF line ends of the converter's files.
std::string Crlf(std::string_view text);

// A file as the converter writes it: header, comment line, optionally the
// template block, the Header object and a textured two-material mesh.
std::string TexturedMeshFile(bool withTemplates, std::string_view textureName = "wood.ppm");

// Two meshes, an empty one (no vertices, no faces) and one whose faces are all
// holes (an empty face-index list closed by a lone ";"), and a plain one.
std::string SeveralMeshesFile(bool withTemplates);

// A hand-written file with its own templates, frames and references.
std::string FramesFile();

// A file in the converter's style of about `bytes` bytes: one grid mesh with
// a material, normals and texture coordinates.
std::string BigMeshFile(std::size_t bytes);

}  // namespace verdin::xof::test
