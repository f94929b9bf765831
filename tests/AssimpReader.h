#pragma once

#include <array>
#include <string>
#include <vector>

namespace verdin::test {

// A .x file as assimp, an independent reader, sees it: every face with the
// position, normal and texture coordinate of each of its corners.
struct LoadedCorner {
    std::array<float, 3> position;
    std::array<float, 3> normal;
    std::array<float, 2> uv;
};

struct LoadedFace {
    unsigned material = 0;
    std::vector<LoadedCorner> corners;
};

struct LoadedMesh {
    std::vector<LoadedFace> faces;
    bool hasNormals = false;
    bool hasUVs = false;
};

struct LoadedScene {
    bool loaded = false;
    std::string error;
    std::vector<LoadedMesh> meshes;             // in scene order
    std::vector<std::string> textures;          // per material, "" when none
    std::vector<std::array<float, 3>> colours;  // per material, the diffuse colour
    std::size_t FaceCount() const;
};

LoadedScene LoadWithAssimp(const std::string& path);

}  // namespace verdin::test
