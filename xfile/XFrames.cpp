#include "xfile/XFrames.h"

#include "base/OptionFlags.h"
#include "base/ReportLog.h"
#include "cob/PolHChunk.h"
#include "scene/MeshReport.h"
#include "scene/SceneModel.h"
#include "scene/SceneTree.h"
#include "xfile/XAnimation.h"
#include "xfile/XFileWriter.h"
#include "xfile/XNames.h"

namespace verdin {

namespace {

// DirectX multiplies row vectors: its matrix is the transpose of ours.
void WriteFrameMatrix(XTextFile& out, const Affine& placement)
{
    out.Write("FrameTransformMatrix {\n");
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 3; ++r) {
            out.Float(placement.m[r][c] + 0.0);  // a negated 0 is written as 0
            out.Char(',');
        }
        out.Float(c == 3 ? 1 : 0);
        out.Write(c == 3 ? ";;\n" : ",\n");
    }
    out.Write("}\n");
}

}  // namespace

void WriteMesh(const XFileWriting& writing, const SceneModel& scene, XTextFile& out, const MeshObject& object)
{
    ReportLog& report = writing.report;
    const CPolHChunk& polygon = object.polygon;
    const MeshLayout& layout = object.layout;
    const CobString& stored = polygon.m_name.name;
    const std::string name = stored.HasText() ? stored.Shown() : "noname";
    report.AppendText(" writing " + Printable(name) + " mesh:");

    const MeshWorkingData mesh(scene.MaterialsOf(polygon), polygon, layout.fullMaterials);
    const long long nonFiniteBefore = out.NonFiniteCount();
    out.Write(object.name.empty() ? "Mesh{\n" : "Mesh " + object.name + " {\n");
    WriteVertexList(report, writing.options, out, mesh, layout);
    WriteFaceList(report, out, mesh, layout);
    WriteMeshMaterialList(out, mesh, layout);
    WriteMeshNormals(report, out, mesh, layout);
    WriteMeshTextureCoords(report, out, mesh, object.textureScale, IsOn(writing.options.FlipV));
    report.AppendText("\r\n");
    out.Write("}\n");
    ReportMeshRepairs(report, mesh, name);
    if (out.NonFiniteCount() > nonFiniteBefore)
        report.AppendLine(" Non-finite numbers in " + name + " mesh written as 0.");
}

bool WriteFrames(const XFileWriting& writing, const SceneModel& scene, XTextFile& out, const TextureScale& textureScale,
                 const MeshLayout& layout)
{
    const OptionFlags& options = writing.options;
    const SceneTree tree = TreeOf(scene);
    const auto absoluteOf = [&options, axes = layout.axes](const Affine& placement) {
        const Affine absolute = OptionPlacement(placement, options);
        return axes ? kDirectXAxes(absolute) : absolute;
    };
    const std::vector<RelativePlacement> placements = RelativePlacements(
        scene, tree, [&](const SceneNode& node) { return absoluteOf(Affine::FromCob(node.placement)); },
        [](const Affine&) { return true; });
    const auto& nodes = scene.Nodes();
    XNames names;
    std::vector<std::string> frameNames(nodes.size());

    // Depth first without recursion, however deep the groups: a frame is
    // closed once its children are written.
    std::vector<std::pair<std::int32_t, bool>> pending;  // a node, and whether it is to be closed
    for (auto root = tree.roots.rbegin(); root != tree.roots.rend(); ++root)
        pending.emplace_back(*root, false);
    while (!pending.empty()) {
        const auto [index, close] = pending.back();
        pending.pop_back();
        if (close) {
            out.Write("}\n");
            continue;
        }
        const auto node = static_cast<std::size_t>(index);
        const std::string& frame = frameNames[node] = names.Unique(nodes[node].name);
        out.Write("Frame " + frame + " {\n");
        WriteFrameMatrix(out, placements[node].local);
        if (const CPolHChunk* polygon = nodes[node].polygon) {
            if (IsOn(writing.cancel))
                return false;
            WriteMesh(writing, scene, out, {*polygon, textureScale, layout, names.Unique(frame + "_mesh")});
        }
        if (placements[node].nonFinite)
            writing.report.AppendLine(" Non-finite numbers in " + Printable(frame) + " placement left out.");
        pending.emplace_back(index, true);
        for (auto child = tree.children[node].rbegin(); child != tree.children[node].rend(); ++child)
            pending.emplace_back(*child, false);
    }
    if (IsOn(options.Animation))
        WriteAnimationSet(out, writing.report, names, {scene, placements, frameNames, absoluteOf});
    return true;
}

}  // namespace verdin
