#pragma once

#include "gltf/Placement.h"

#include <cstdint>
#include <string>
#include <vector>

namespace verdin {
class MeshWorkingData;
class CMat1Chunk;
class ReportSink;
}  // namespace verdin

namespace verdin::gltf {

// The triangles of one material slot of a mesh.
struct Primitive {
    const CMat1Chunk* material = nullptr;  // null: the default material
    std::vector<std::uint32_t> indices;
};

// One mesh as glTF lays it out: a vertex for every distinct corner (its
// written vertex and its normal), the faces fanned into triangles as a .x
// reader fans them, and one primitive per material slot in use.
struct MeshArrays {
    std::vector<float> positions;  // x, y, z, stood upright
    std::vector<float> normals;
    std::vector<float> uvs;             // empty when the mesh has no texture coordinates
    std::vector<std::int32_t> sources;  // per vertex, the object's vertex it stands for, when asked for
    std::vector<Primitive> primitives;
    std::size_t triangles = 0;
    long long nonFinite = 0;  // numbers that were no number, written as 0

    std::size_t VertexCount() const { return positions.size() / 3; }
};

// The arrays of a mesh, its vertices carried by `bake` (the part of the
// object's placement its node cannot hold, in upright axes), texture
// coordinates as the .x file gets them; `flipV` writes v as 1 - v. Report
// lines of the normals go to `sink`.
MeshArrays MakeMeshArrays(const MeshWorkingData& mesh, const Affine& bake, bool flipV, ReportSink& sink,
                          bool withSources = false);

}  // namespace verdin::gltf
