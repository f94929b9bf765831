#include "gltf/GltfWriter.h"

#include "base/FileReplacement.h"
#include "base/FileSystemPath.h"
#include "base/NumberFormat.h"
#include "base/OptionFlags.h"
#include "base/PathHelpers.h"
#include "base/ReportLog.h"
#include "base/ReportSink.h"
#include "cob/Chunk.h"
#include "cob/Mat1Chunk.h"
#include "gltf/Animation.h"
#include "gltf/GltfDocument.h"
#include "gltf/GltfFiles.h"
#include "gltf/Materials.h"
#include "gltf/MeshArrays.h"
#include "gltf/NodePlacement.h"
#include "gltf/Textures.h"
#include "scene/MaterialLook.h"
#include "scene/MeshData.h"
#include "scene/MeshReport.h"
#include "scene/SceneModel.h"

#include <map>
#include <optional>

namespace verdin {

namespace {

using namespace gltf;

// Report lines made along with a mesh, kept for after its own line.
class HeldLines final : public ReportSink {
public:
    void ReportLine(std::string_view line) override
    {
        m_lines += Printable(line);
        m_lines += "\r\n";
    }
    const std::string& Text() const { return m_lines; }

private:
    std::string m_lines;
};

class SceneWriter {
public:
    SceneWriter(const GltfWriting& writing, GltfDocument& document, Textures& textures, const SceneModel& scene)
        : m_writing(writing), m_document(document), m_textures(textures), m_scene(scene)
    {
    }

    // False when the user cancelled before every object was written.
    bool Write()
    {
        const SceneTree tree = TreeOf(m_scene);
        const std::vector<NodePlacement> placements = PlaceNodes(m_scene, tree);
        const auto& nodes = m_scene.Nodes();
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const int index = static_cast<int>(i);  // nodes are numbered as the scene's
            DocumentNode node{nodes[i].name, placements[i].trs, tree.children[i], -1};
            if (nodes[i].polygon) {
                if (IsOn(m_writing.cancel))
                    return false;
                node.mesh = WriteMesh(index, nodes[i], placements[i]);
            }
            m_animation.AddNodeMotion(index, nodes[i], placements[i]);
            m_document.AddNode(std::move(node));
        }
        m_document.SetRoots(tree.roots);
        m_animation.Finish();
        return true;
    }

private:
    // The node's mesh, or -1 when it has no triangle.
    int WriteMesh(int index, const SceneNode& node, const NodePlacement& placement)
    {
        ReportLog& report = m_writing.report;
        const std::string name = node.name.empty() ? "noname" : node.name;
        const MeshWorkingData mesh(m_scene.MaterialsOf(*node.polygon), *node.polygon, true);
        HeldLines held;
        const bool animated = !node.channels.vertices.empty();
        MeshArrays arrays = MakeMeshArrays(mesh, placement.bake, IsOn(m_writing.options.FlipV), held, animated);
        report.AppendLine(" writing " + name + " mesh:V=" + FormatInt(static_cast<long long>(arrays.VertexCount())) +
                          " F=" + FormatInt(static_cast<long long>(arrays.triangles)) + " ");
        report.AppendText(held.Text());
        ReportMeshRepairs(report, mesh, name);
        if (arrays.nonFinite > 0 || placement.nonFinite)
            report.AppendLine(" Non-finite numbers in " + name + " mesh written as 0.");
        if (arrays.triangles == 0)
            return -1;

        const int positions = m_document.AddFloats(arrays.positions, 3, true);
        const int normals = m_document.AddFloats(arrays.normals, 3, false);
        const int uvs = arrays.uvs.empty() ? -1 : m_document.AddFloats(arrays.uvs, 2, false);
        const std::vector<int> targets =
            animated ? m_animation.AddVertexMotion(index, node, arrays, placement.bake, report) : std::vector<int>();
        std::vector<MeshPrimitive> primitives;
        for (const Primitive& primitive : arrays.primitives)
            primitives.push_back({positions, normals, uvs, m_document.AddIndices(primitive.indices),
                                  MaterialOf(primitive.material), targets});
        return m_document.AddMesh(node.name, std::move(primitives));
    }

    // Materials that come out alike (every object of a file has its own)
    // are one glTF material.
    int MaterialOf(const CMat1Chunk* material)
    {
        const auto [found, added] = m_materials.try_emplace(material, 0);
        if (added) {
            const int texture = IsTextured(material) ? m_textures.TextureOf(*material) : -1;
            const std::optional<MaterialLook> look =
                material ? std::optional<MaterialLook>(LookOf(*material)) : std::nullopt;
            Json json = MaterialJson(look ? &*look : nullptr, texture);
            const auto [alike, isNew] = m_alike.try_emplace(json.dump(), 0);
            if (isNew)
                alike->second = m_document.Add("materials", std::move(json));
            found->second = alike->second;
        }
        return found->second;
    }

    const GltfWriting& m_writing;
    GltfDocument& m_document;
    Textures& m_textures;
    const SceneModel& m_scene;
    SceneAnimation m_animation{m_document};
    std::map<const CMat1Chunk*, int> m_materials;
    std::map<std::string, int> m_alike;  // by their JSON
};

// Finds and places the image of every textured material, in file order.
void RunTexturePass(const GltfWriting& writing, const CChunkList& chunks, Textures& textures)
{
    const auto pass = [&] {
        for (const auto& chunk : chunks)
            if (chunk->m_nType == CHUNK_MAT1 && IsTextured(static_cast<const CMat1Chunk*>(chunk.get())))
                textures.TextureOf(static_cast<const CMat1Chunk&>(*chunk));
    };
    RunInTurn(writing.runTexturePass, pass);
}

std::string BinNameFor(const std::string& outputName)
{
    return PathDirectory(outputName) + PathTitle(outputName) + ".bin";
}

}  // namespace

std::string GltfFileNameFor(const std::string& cobPath, const std::string& outputFolder, bool binary)
{
    const std::string name = PathTitle(cobPath) + (binary ? ".glb" : ".gltf");
    return outputFolder.empty() ? PathDirectory(cobPath) + name : PathJoin(outputFolder, name);
}

int WriteGltfOutput(const std::string& modelPath, const GltfWriting& writing, const GltfContent& content)
{
    ReportLog& report = writing.report;
    const std::string outputName = GltfFileNameFor(modelPath, writing.outputFolder, writing.binary);
    const std::string binName = writing.binary ? std::string() : BinNameFor(outputName);
    for (const std::string& written : {outputName, binName})
        if (!written.empty() && IsSameFile(modelPath, written)) {
            report.AppendLine("Can't write " + written + " over its own model.");
            return 0;
        }
    GltfFiles out(report, outputName, binName);
    if (!out.Open())
        return 0;

    GltfDocument document;
    const std::string modelFolder = PathDirectory(modelPath);
    const ImagePlacement placement{report,         modelFolder,           outputName,
                                   writing.binary, writing.textureCopies, writing.cancel};
    Textures textures(document, placement);
    // No image copy may take the name of the file itself or of its .bin.
    for (const std::string& written : {outputName, binName})
        if (!written.empty())
            writing.textureCopies.Claim(modelPath, written);
    // A file the user cancelled is left unwritten, so an earlier one stays whole.
    if (!content(document, textures)) {
        report.AppendText("\r\n");
        return 0;
    }
    if (!out.Commit(document)) {
        report.AppendLine("Can't write " + outputName + ".");
        return 0;
    }
    report.AppendText("\r\n");
    return 1;
}

int WriteGltfFile(const std::string& cobPath, const CChunkList& chunks, const GltfWriting& writing)
{
    return WriteGltfOutput(cobPath, writing, [&](GltfDocument& document, Textures& textures) {
        RunTexturePass(writing, chunks, textures);
        const SceneModel scene(chunks);
        return SceneWriter(writing, document, textures, scene).Write();
    });
}

}  // namespace verdin
