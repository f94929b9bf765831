#pragma once

#include "texture/RgbaImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace verdin::render {

struct Vec3 {
    float x = 0;
    float y = 0;
    float z = 0;
};

using verdin::RgbaImage;

struct SceneMaterial {
    Vec3 colour{1, 1, 1};  // the face colour, without its alpha
    Vec3 emissive;
    std::string textureName;  // as the file names it; empty when untextured
    int texture = -1;         // index into Scene::textures, -1 when none was read
};

// A triangle of a mesh: its corners' vertices and normals, and its material.
// An index out of its list is drawn around (a vertex) or replaced by the
// triangle's own normal.
struct Triangle {
    std::array<std::uint32_t, 3> vertices{};
    std::array<std::uint32_t, 3> normals{kNone, kNone, kNone};
    std::uint32_t material = kNone;

    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
};

// A mesh placed by its frames' transforms, a skinned one by its weights' frames.
struct SceneMesh {
    std::vector<Vec3> positions;
    std::vector<std::array<float, 2>> uvs;  // one per position, or none
    // One per position, or none: the vertices' diffuse colours, which take
    // the place of their materials' colour as DirectX lights vertex colours.
    std::vector<Vec3> colours;
    std::vector<Vec3> normals;
    std::vector<Triangle> triangles;
    std::vector<SceneMaterial> materials;
    std::size_t faces = 0;  // as the file counts them, before fans become triangles
};

struct Scene {
    std::vector<SceneMesh> meshes;
    std::vector<RgbaImage> textures;

    [[nodiscard]] std::size_t Vertices() const;
    [[nodiscard]] std::size_t Faces() const;
};

}  // namespace verdin::render
