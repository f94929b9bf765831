#pragma once

#include "gltf/GltfDocument.h"
#include "scene/Affine.h"
#include "xgltf/XModel.h"

#include <functional>
#include <map>
#include <string>

namespace verdin {
class ReportLog;
}

namespace verdin::xgltf {

// A mesh written, with the skin its node takes (-1 when none).
struct WrittenMesh {
    int mesh = -1;
    int skin = -1;
};

// Writes a file's meshes into a glTF document: corners made of a vertex and
// its normal, faces fanned into triangles turned round for glTF's axes, one
// primitive per material, vertex colours, and skins whose joints are the
// frames' nodes.
class MeshWriter {
public:
    using TextureOf = std::function<int(const std::string& stored)>;

    MeshWriter(gltf::GltfDocument& document, ReportLog& report, const std::map<std::string, int, std::less<>>& nodes,
               TextureOf textureOf);

    // `node` is the node that carries the mesh: the joint of the vertices
    // that no frame of the skin moves. The mesh is placed by `bake` in its
    // node, unless it is skinned.
    WrittenMesh Write(const XMesh& mesh, int node, const Affine& bake);

private:
    int MaterialOf(const XMaterial* material, bool vertexColours);

    gltf::GltfDocument& m_document;
    ReportLog& m_report;
    const std::map<std::string, int, std::less<>>& m_nodes;  // the first node of each frame name
    TextureOf m_textureOf;
    std::map<std::string, int> m_materials;  // by their JSON
    bool m_specularDeclared = false;
};

}  // namespace verdin::xgltf
