#pragma once

#include <array>
#include <string>
#include <utility>
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

// A scene file with its node tree as assimp reads it (for glTF): each node's
// triangles in world space, with the normal of their first corner.
struct LoadedTriangle {
    std::array<std::array<float, 3>, 3> corners;
    std::array<float, 3> normal;
    unsigned material = 0;
};

struct LoadedNode {
    std::string name;
    std::string parent;  // "" for a node at the root
    std::vector<LoadedTriangle> triangles;
};

struct LoadedMaterial {
    std::array<float, 4> colour;  // the diffuse colour and its opacity
    float roughness = -1;         // of a metallic-roughness material; -1 when not given
    std::string texture;          // "" when none
    std::string embeddedFormat;   // of an embedded image: "png", "jpg"
};

// A node's keys in the first animation: where it is and how it is turned
// (a point (1, 0, 0) and (0, 1, 0) turned by each rotation key), key times in
// ticks.
struct LoadedMotion {
    std::string node;
    std::vector<double> positionTimes;
    std::vector<std::array<float, 3>> positions;
    std::vector<std::array<std::array<float, 3>, 2>> turnedAxes;
};

// A bone of a skinned mesh: the node it names, its offset matrix (row after
// row) and the vertices it moves.
struct LoadedBone {
    std::string node;
    std::array<float, 16> offset;
    std::vector<std::pair<unsigned, float>> weights;  // vertex and weight
};

struct LoadedTree {
    bool loaded = false;
    std::string error;
    std::vector<LoadedNode> nodes;  // depth first, without assimp's own root
    std::vector<LoadedMaterial> materials;
    std::vector<LoadedMotion> motions;
    std::vector<LoadedBone> bones;  // of every mesh, in scene order
    unsigned meshes = 0;
    unsigned animations = 0;
    const LoadedNode* Find(const std::string& name) const;
};

LoadedTree LoadTreeWithAssimp(const std::string& path);

}  // namespace verdin::test
