#pragma once

#include <array>
#include <string>
#include <vector>

namespace verdin::test {

// The meshes of a .x text file as the converter writes them, read back by a
// small reader of the tests' own.
struct ParsedMaterial {
    std::array<float, 4> colour{};
    float power = 0;
    std::string texture;
};

struct ParsedMesh {
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::vector<int>> faces;
    std::vector<int> faceMaterials;
    std::vector<ParsedMaterial> materials;
    std::vector<std::array<float, 3>> normals;
    std::vector<std::vector<int>> faceNormals;
    std::vector<std::array<float, 2>> uvs;
};

std::vector<ParsedMesh> ParseMeshes(const std::string& text);

}  // namespace verdin::test
