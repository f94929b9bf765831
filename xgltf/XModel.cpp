#include "xgltf/XModel.h"

#include "base/PathHelpers.h"
#include "base/ReportLog.h"
#include "xof/Document.h"

#include <map>

namespace verdin::xgltf {

namespace {

using xof::DataObject;

bool Is(const DataObject& object, const char* templateName)
{
    return EqualIgnoringCase(object.templateName, templateName);
}

// Reads an object's values in order. Past the last value, or where a count
// asks for more values than are left, it fails and gives zeros from then on.
class Values {
public:
    explicit Values(const DataObject& object) : m_object(object) {}

    bool Ok() const { return m_ok; }

    std::uint32_t Integer()
    {
        const xof::Value* value = Next();
        if (!value)
            return 0;
        return xof::IsReal(value->type) ? static_cast<std::uint32_t>(value->real) : value->integer;
    }
    float Real()
    {
        const xof::Value* value = Next();
        if (!value)
            return 0;
        return xof::IsReal(value->type) ? static_cast<float>(value->real) : static_cast<float>(value->integer);
    }
    std::string Text()
    {
        const xof::Value* value = Next();
        if (!value || value->integer >= m_object.texts.size())
            return {};
        return m_object.texts[value->integer];
    }
    // A count of items of `each` values, when that many are left.
    std::uint32_t Count(std::size_t each)
    {
        const std::uint32_t count = Integer();
        if (static_cast<std::uint64_t>(count) * each > m_object.values.size() - m_next)
            m_ok = false;
        return m_ok ? count : 0;
    }
    template <std::size_t N>
    std::array<float, N> Reals()
    {
        std::array<float, N> reals{};
        for (float& real : reals)
            real = Real();
        return reals;
    }
    // A list of faces: a count, then for each a corner count and its corners.
    std::vector<std::uint32_t> Faces()
    {
        std::vector<std::uint32_t> faces;
        const std::uint32_t count = Count(1);
        for (std::uint32_t face = 0; face < count && m_ok; ++face) {
            const std::uint32_t corners = Count(1);
            faces.push_back(corners);
            for (std::uint32_t corner = 0; corner < corners; ++corner)
                faces.push_back(Integer());
        }
        return m_ok ? faces : std::vector<std::uint32_t>();
    }

private:
    const xof::Value* Next()
    {
        if (!m_ok || m_next >= m_object.values.size()) {
            m_ok = false;
            return nullptr;
        }
        return &m_object.values[m_next++];
    }

    const DataObject& m_object;
    std::size_t m_next = 0;
    bool m_ok = true;
};

class ModelReader {
public:
    ModelReader(const xof::Document& document, ReportLog& report) : m_report(report)
    {
        for (const DataObject& object : document.objects)
            FindMaterials(object);
    }

    XModel Read(const xof::Document& document)
    {
        XAnimationSet loose;
        for (const DataObject& object : document.objects) {
            if (Is(object, "Frame"))
                m_model.roots.push_back(ReadFrame(object, -1));
            else if (Is(object, "Mesh"))
                m_model.looseMeshes.push_back(ReadMesh(object));
            else if (Is(object, "AnimationSet"))
                m_model.animationSets.push_back(ReadAnimationSet(object));
            else if (Is(object, "Animation"))
                loose.animations.push_back(ReadAnimation(object));
            else if (Is(object, "AnimTicksPerSecond")) {
                Values values(object);
                m_model.ticksPerSecond = values.Integer();
                m_model.hasTicksPerSecond = true;
            }
        }
        if (!loose.animations.empty())
            m_model.animationSets.push_back(std::move(loose));
        return std::move(m_model);
    }

private:
    void FindMaterials(const DataObject& object)
    {
        if (Is(object, "Material") && !object.name.empty())
            m_materials.try_emplace(object.name, &object);
        for (const DataObject& child : object.children)
            FindMaterials(child);
    }

    void Broken(const DataObject& object)
    {
        m_report.AppendLine(" " + object.templateName + " " + object.name + " ends early: the rest of it is left out.");
    }

    int ReadFrame(const DataObject& object, int parent)
    {
        const int index = static_cast<int>(m_model.frames.size());
        XFrame& frame = m_model.frames.emplace_back();
        frame.name = object.name;
        frame.parent = parent;
        for (const DataObject& child : object.children) {
            if (Is(child, "FrameTransformMatrix")) {
                Values values(child);
                const XMatrix matrix = values.Reals<16>();
                if (values.Ok())
                    m_model.frames[static_cast<std::size_t>(index)].matrix = matrix;
                else
                    Broken(child);
            } else if (Is(child, "Frame")) {
                const int frame = ReadFrame(child, index);
                m_model.frames[static_cast<std::size_t>(index)].children.push_back(frame);
            } else if (Is(child, "Mesh")) {
                const std::size_t mesh = ReadMesh(child);
                m_model.frames[static_cast<std::size_t>(index)].meshes.push_back(mesh);
            }
        }
        return index;
    }

    std::size_t ReadMesh(const DataObject& object)
    {
        XMesh mesh;
        mesh.name = object.name;
        Values values(object);
        const std::uint32_t count = values.Count(3);
        mesh.positions.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i)
            mesh.positions.push_back(values.Reals<3>());
        mesh.faces = values.Faces();
        if (!values.Ok())
            Broken(object);
        for (const DataObject& child : object.children)
            ReadMeshPart(child, mesh);
        m_model.meshes.push_back(std::move(mesh));
        return m_model.meshes.size() - 1;
    }

    void ReadMeshPart(const DataObject& object, XMesh& mesh)
    {
        Values values(object);
        if (Is(object, "MeshNormals")) {
            const std::uint32_t count = values.Count(3);
            for (std::uint32_t i = 0; i < count; ++i)
                mesh.normals.push_back(values.Reals<3>());
            mesh.normalFaces = values.Faces();
        } else if (Is(object, "MeshTextureCoords")) {
            const std::uint32_t count = values.Count(2);
            for (std::uint32_t i = 0; i < count; ++i)
                mesh.uvs.push_back(values.Reals<2>());
        } else if (Is(object, "MeshVertexColors"))
            ReadColours(values, mesh);
        else if (Is(object, "MeshMaterialList"))
            ReadMaterialList(object, values, mesh);
        else if (Is(object, "SkinWeights")) {
            XSkinWeights weights;
            weights.frame = values.Text();
            const std::uint32_t count = values.Count(2);
            for (std::uint32_t i = 0; i < count; ++i)
                weights.vertices.push_back(values.Integer());
            for (std::uint32_t i = 0; i < count; ++i)
                weights.weights.push_back(values.Real());
            weights.offset = values.Reals<16>();
            if (values.Ok())
                mesh.skin.push_back(std::move(weights));
        } else if (Is(object, "VertexDuplicationIndices")) {
            const std::uint32_t count = values.Count(1);
            values.Integer();  // the count of vertices before any was copied
            for (std::uint32_t i = 0; i < count; ++i)
                mesh.duplicates.push_back(values.Integer());
        } else
            return;
        if (!values.Ok())
            Broken(object);
    }

    // Colours by vertex index; a vertex given none is white.
    static void ReadColours(Values& values, XMesh& mesh)
    {
        const std::uint32_t count = values.Count(5);
        if (count > 0)
            mesh.colours.assign(mesh.positions.size(), {1, 1, 1, 1});
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t vertex = values.Integer();
            const std::array<float, 4> colour = values.Reals<4>();
            if (vertex < mesh.colours.size())
                mesh.colours[vertex] = colour;
        }
    }

    void ReadMaterialList(const DataObject& object, Values& values, XMesh& mesh)
    {
        values.Integer();  // the count of materials, which the children give
        const std::uint32_t count = values.Count(1);
        for (std::uint32_t i = 0; i < count; ++i)
            mesh.faceMaterials.push_back(values.Integer());
        for (const DataObject& child : object.children) {
            const DataObject* material = &child;
            if (child.isReference) {
                const auto named = m_materials.find(child.name);
                if (named == m_materials.end()) {
                    m_report.AppendLine(" No material " + child.name + ": its faces are white.");
                    mesh.materials.emplace_back();
                    continue;
                }
                material = named->second;
            }
            if (Is(*material, "Material"))
                mesh.materials.push_back(ReadMaterial(*material));
        }
    }

    XMaterial ReadMaterial(const DataObject& object)
    {
        XMaterial material;
        Values values(object);
        material.colour = values.Reals<4>();
        material.power = values.Real();
        material.specular = values.Reals<3>();
        material.emissive = values.Reals<3>();
        if (!values.Ok()) {
            Broken(object);
            return {};
        }
        for (const DataObject& child : object.children)
            if (Is(child, "TextureFilename")) {
                Values name(child);
                material.texture = name.Text();
            }
        return material;
    }

    XAnimationSet ReadAnimationSet(const DataObject& object)
    {
        XAnimationSet set{object.name, {}};
        for (const DataObject& child : object.children)
            if (Is(child, "Animation"))
                set.animations.push_back(ReadAnimation(child));
        return set;
    }

    XAnimation ReadAnimation(const DataObject& object)
    {
        XAnimation animation;
        for (const DataObject& child : object.children) {
            if (child.isReference || Is(child, "Frame"))
                animation.frame = child.name;
            else if (Is(child, "AnimationKey")) {
                Values values(child);
                const std::uint32_t type = values.Integer();
                if (type > 4) {
                    m_report.AppendLine(" Animation key type " + std::to_string(type) + " left out.");
                    continue;
                }
                XKeys keys;
                keys.kind = type == 0   ? KeyKind::Rotation
                            : type == 1 ? KeyKind::Scale
                            : type == 2 ? KeyKind::Position
                                        : KeyKind::Matrix;
                const std::uint32_t count = values.Count(2);
                for (std::uint32_t i = 0; i < count && values.Ok(); ++i) {
                    keys.times.push_back(values.Integer());
                    const std::uint32_t size = values.Count(1);
                    for (std::uint32_t v = 0; v < size; ++v)
                        keys.values.push_back(values.Real());
                    if (size != KeySize(keys.kind)) {
                        m_report.AppendLine(" Animation key of " + std::to_string(size) + " values left out.");
                        return animation;
                    }
                }
                if (values.Ok())
                    animation.keys.push_back(std::move(keys));
                else
                    Broken(child);
            }
        }
        return animation;
    }

    static std::uint32_t KeySize(KeyKind kind)
    {
        return kind == KeyKind::Rotation ? 4 : kind == KeyKind::Matrix ? 16 : 3;
    }

    ReportLog& m_report;
    XModel m_model;
    std::map<std::string, const DataObject*, std::less<>> m_materials;
};

}  // namespace

XModel ReadXModel(const xof::Document& document, ReportLog& report)
{
    return ModelReader(document, report).Read(document);
}

}  // namespace verdin::xgltf
