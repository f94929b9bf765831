#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace verdin {
class ReportLog;
}

namespace verdin::xof {
struct Document;
}

namespace verdin::xgltf {

// A DirectX matrix as the file stores it: row after row, for row vectors
// (p' = p M), the translation in the last row.
using XMatrix = std::array<float, 16>;

struct XMaterial {
    std::array<float, 4> colour{1, 1, 1, 1};  // red, green, blue, alpha
    float power = 0;
    std::array<float, 3> specular{};
    std::array<float, 3> emissive{};
    std::string texture;  // as the file names it; empty when untextured
};

// The part a frame plays in one mesh's skin: the mesh's vertices it moves,
// by how much, and the matrix from the mesh's space to the frame's.
struct XSkinWeights {
    std::string frame;
    std::vector<std::uint32_t> vertices;
    std::vector<float> weights;
    XMatrix offset{};
};

struct XMesh {
    std::string name;
    std::vector<std::array<float, 3>> positions;
    // Each face as its corner count, then that many vertex indices.
    std::vector<std::uint32_t> faces;
    std::vector<std::array<float, 3>> normals;
    std::vector<std::uint32_t> normalFaces;     // laid out as `faces`, indexing `normals`
    std::vector<std::array<float, 2>> uvs;      // one per vertex, or none
    std::vector<std::array<float, 4>> colours;  // one per vertex, or none
    std::vector<XMaterial> materials;
    std::vector<std::uint32_t> faceMaterials;  // one per face; the last repeats
    std::vector<XSkinWeights> skin;
    std::vector<std::uint32_t> duplicates;  // the vertex each vertex copies, or none
};

struct XFrame {
    std::string name;
    XMatrix matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    int parent = -1;
    std::vector<int> children;
    std::vector<std::size_t> meshes;  // into XModel::meshes
};

enum class KeyKind { Rotation, Scale, Position, Matrix };

struct XKeys {
    KeyKind kind = KeyKind::Rotation;
    std::vector<std::uint32_t> times;  // in ticks
    std::vector<float> values;         // 4, 3, 3 or 16 for each time
};

struct XAnimation {
    std::string frame;
    std::vector<XKeys> keys;
};

struct XAnimationSet {
    std::string name;
    std::vector<XAnimation> animations;
};

// What a DirectX file holds that glTF can carry: its frame tree, its meshes
// with their materials and skins, and its animation sets.
struct XModel {
    std::vector<XFrame> frames;
    std::vector<int> roots;  // frames at the top level
    std::vector<XMesh> meshes;
    std::vector<std::size_t> looseMeshes;  // meshes outside every frame
    std::vector<XAnimationSet> animationSets;
    std::uint32_t ticksPerSecond = 0;  // 0 when the file gives none, or gives 0
    bool hasTicksPerSecond = false;
};

// The model of a document read by the DirectX file library. Values are taken
// as the standard and registered templates order them; a count that runs past
// its object's values ends that object's reading there, with a report line.
XModel ReadXModel(const xof::Document& document, ReportLog& report);

}  // namespace verdin::xgltf
