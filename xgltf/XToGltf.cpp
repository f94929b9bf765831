#include "xgltf/XToGltf.h"

#include "base/InputFile.h"
#include "base/ReportLog.h"
#include "gltf/GltfDocument.h"
#include "gltf/GltfWriter.h"
#include "gltf/Textures.h"
#include "xgltf/XAnimations.h"
#include "xgltf/XMeshes.h"
#include "xgltf/XSpace.h"
#include "xof/Xof.h"

#include <string_view>

namespace verdin {

namespace {

using namespace xgltf;
using gltf::DocumentNode;

class SceneWriter {
public:
    SceneWriter(const XModel& model, gltf::GltfDocument& document, const MeshWriter::TextureOf& textureOf,
                ReportLog& report, const std::atomic<int>& cancel)
        : m_model(model),
          m_report(report),
          m_cancel(cancel),
          m_document(document),
          m_meshes(document, report, m_nodeOf, textureOf)
    {
    }

    // False when the user cancelled.
    bool Write()
    {
        PlaceFrames();
        std::vector<std::int32_t> roots(m_model.roots.begin(), m_model.roots.end());
        for (const std::size_t mesh : m_model.looseMeshes) {
            roots.push_back(static_cast<std::int32_t>(m_nodes.size()));
            m_nodes.push_back({m_model.meshes[mesh].name, {}, {}});
        }
        for (std::size_t frame = 0; frame < m_model.frames.size(); ++frame)
            if (!WriteMeshes(m_model.frames[frame].meshes, static_cast<int>(frame), m_bake[frame]))
                return false;
        for (std::size_t i = 0; i < m_model.looseMeshes.size(); ++i)
            if (!WriteMeshes({m_model.looseMeshes[i]}, roots[m_model.roots.size() + i], Affine{}))
                return false;
        WriteAnimations(m_document, m_model, m_nodeOf, m_report);
        // One root, so that a skin's joints have one whatever frames it names.
        if (m_skinned && roots.size() > 1) {
            m_nodes.push_back({{}, {}, std::move(roots)});
            roots = {static_cast<std::int32_t>(m_nodes.size() - 1)};
        }
        for (DocumentNode& node : m_nodes)
            m_document.AddNode(std::move(node));
        m_document.SetRoots(std::move(roots));
        return true;
    }

private:
    // A node per frame, numbered as the frames, with its placement. A node
    // cannot hold a shear: the frame's meshes and child frames carry what its
    // translation, rotation and scale leave.
    void PlaceFrames()
    {
        m_bake.assign(m_model.frames.size(), Affine{});
        for (std::size_t i = 0; i < m_model.frames.size(); ++i) {
            const XFrame& frame = m_model.frames[i];
            DocumentNode node{frame.name, {}, {frame.children.begin(), frame.children.end()}};
            Affine placement = GltfPlacement(frame.matrix);
            if (frame.parent >= 0)
                placement = m_bake[static_cast<std::size_t>(frame.parent)] * placement;
            bool sheared = false;
            node.trs = NearestTrs(placement, sheared);
            if (!node.trs)
                m_report.AppendLine(" Frame " + frame.name + " placement is no number or flattens space: left out.");
            else if (sheared) {
                m_report.AppendLine(" Frame " + frame.name + " is sheared: its meshes carry the shear.");
                m_bake[i] = Inverse(Compose(*node.trs)).value_or(Affine{}) * placement;
            }
            if (!frame.name.empty())
                m_nodeOf.try_emplace(frame.name, static_cast<int>(m_nodes.size()));
            m_nodes.push_back(std::move(node));
        }
    }

    // The first mesh goes on the node itself, any others on child nodes.
    bool WriteMeshes(const std::vector<std::size_t>& meshes, int node, const Affine& bake)
    {
        for (std::size_t i = 0; i < meshes.size(); ++i) {
            if (m_cancel.load() != 0)
                return false;
            const XMesh& mesh = m_model.meshes[meshes[i]];
            int holder = node;
            if (i > 0) {
                holder = static_cast<int>(m_nodes.size());
                m_nodes.push_back({mesh.name, {}, {}});
                m_nodes[static_cast<std::size_t>(node)].children.push_back(holder);
            }
            const WrittenMesh written = m_meshes.Write(mesh, holder, bake);
            m_nodes[static_cast<std::size_t>(holder)].mesh = written.mesh;
            m_nodes[static_cast<std::size_t>(holder)].skin = written.mesh >= 0 ? written.skin : -1;
            m_skinned |= m_nodes[static_cast<std::size_t>(holder)].skin >= 0;
        }
        return true;
    }

    const XModel& m_model;
    ReportLog& m_report;
    const std::atomic<int>& m_cancel;
    gltf::GltfDocument& m_document;
    std::vector<DocumentNode> m_nodes;
    bool m_skinned = false;
    std::vector<Affine> m_bake;                        // what each frame's meshes carry of its placement
    std::map<std::string, int, std::less<>> m_nodeOf;  // the first frame of each name
    MeshWriter m_meshes;
};

}  // namespace

bool WriteXScene(const XModel& model, gltf::GltfDocument& document, const MeshWriter::TextureOf& textureOf,
                 ReportLog& report, const std::atomic<int>& cancel)
{
    return SceneWriter(model, document, textureOf, report, cancel).Write();
}

int WriteGltfOfX(const std::string& xPath, const GltfWriting& writing)
{
    ReportLog& report = writing.report;
    const std::optional<std::vector<unsigned char>> bytes = ReadInputFile(xPath);
    if (!bytes) {
        report.AppendLine("Can't open " + xPath + " for read.");
        return 0;
    }
    xof::Result<xof::Document> document =
        xof::Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!document) {
        report.AppendLine("Can't read " + xPath + ": " + document.GetError().message);
        return 0;
    }
    const XModel model = ReadXModel(document.Value(), report);
    document = xof::Document{};
    return WriteGltfOutput(xPath, writing, [&](gltf::GltfDocument& out, gltf::Textures& textures) {
        RunInTurn(writing.runTexturePass, [&] {
            for (const XMesh& mesh : model.meshes)
                for (const XMaterial& material : mesh.materials)
                    if (!material.texture.empty())
                        textures.TextureNamed(material.texture);
        });
        const auto textureOf = [&textures](const std::string& stored) { return textures.TextureNamed(stored); };
        return WriteXScene(model, out, textureOf, report, writing.cancel);
    });
}

}  // namespace verdin
