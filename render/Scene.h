#pragma once

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

// A picture, rows top first, four bytes a pixel: red, green, blue, alpha.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    [[nodiscard]] std::array<std::uint8_t, 4> At(int x, int y) const
    {
        const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 4;
        return {pixels[at], pixels[at + 1], pixels[at + 2], pixels[at + 3]};
    }
};

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

// A mesh with its frames' transforms applied.
struct SceneMesh {
    std::vector<Vec3> positions;
    std::vector<std::array<float, 2>> uvs;  // one per position, or none
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
