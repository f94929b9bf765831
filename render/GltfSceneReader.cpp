#include "render/GltfSceneReader.h"

#include "base/InputFile.h"
#include "base/PathHelpers.h"
#include "render/Skinning.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <utility>

namespace verdin::render {

namespace {

using Json = nlohmann::json;
using Bytes = std::vector<std::uint8_t>;
using Matrix = std::array<double, 16>;  // column-major, as glTF writes it

constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr int kMaxDepth = 256;

// What an accessor's values are read as: indices are integers, positions
// and the like floats, colours and skin weights either (integers normalised
// to 0..1).
enum class Use { Indices, Floats, Fractions };

std::uint32_t Uint32At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

Matrix Multiply(const Matrix& a, const Matrix& b)
{
    Matrix product{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k)
                product[c * 4 + r] += a[k * 4 + r] * b[c * 4 + k];
    return product;
}

// A column-major matrix for column vectors holds its numbers in the order a
// RowMatrix for row vectors does.
RowMatrix Narrowed(const Matrix& m)
{
    RowMatrix narrowed{};
    std::transform(m.begin(), m.end(), narrowed.begin(), [](double value) { return static_cast<float>(value); });
    return narrowed;
}

Matrix Widened(const RowMatrix& m)
{
    Matrix widened{};
    std::copy(m.begin(), m.end(), widened.begin());
    return widened;
}

double Number(const Json& value, double otherwise)
{
    return value.is_number() ? value.get<double>() : otherwise;
}

// A member of an object; null when there is none or no object.
const Json& Member(const Json& object, const char* key)
{
    static const Json none;
    if (!object.is_object())
        return none;
    const auto found = object.find(key);
    return found == object.end() ? none : *found;
}

// An array member's items; none when it is no array.
const Json& Items(const Json& object, const char* key)
{
    static const Json none = Json::array();
    const Json& items = Member(object, key);
    return items.is_array() ? items : none;
}

// A node's matrix, or its translation, rotation and scale.
Matrix LocalMatrix(const Json& node)
{
    Matrix m = kIdentity;
    if (const auto matrix = node.find("matrix"); matrix != node.end() && matrix->is_array() && matrix->size() == 16) {
        for (std::size_t i = 0; i < 16; ++i)
            m[i] = Number((*matrix)[i], kIdentity[i]);
        return m;
    }
    std::array<double, 3> t{0, 0, 0}, s{1, 1, 1};
    std::array<double, 4> q{0, 0, 0, 1};
    const auto read = [&node](const char* key, auto& values) {
        const auto found = node.find(key);
        if (found != node.end() && found->is_array() && found->size() == values.size())
            for (std::size_t i = 0; i < values.size(); ++i)
                values[i] = Number((*found)[i], values[i]);
    };
    read("translation", t);
    read("rotation", q);
    read("scale", s);
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    const std::array<double, 9> r = {1 - 2 * (y * y + z * z), 2 * (x * y + z * w),     2 * (x * z - y * w),
                                     2 * (x * y - z * w),     1 - 2 * (x * x + z * z), 2 * (y * z + x * w),
                                     2 * (x * z + y * w),     2 * (y * z - x * w),     1 - 2 * (x * x + y * y)};
    for (int c = 0; c < 3; ++c)
        for (int row = 0; row < 3; ++row)
            m[c * 4 + row] = r[c * 3 + row] * s[c];
    m[12] = t[0];
    m[13] = t[1];
    m[14] = t[2];
    return m;
}

// glTF's y-up space laid back into the modeller's z-up one: (x, y, z) is
// (x, -z, y) there.
Vec3 LaidBack(double x, double y, double z)
{
    return {static_cast<float>(x), static_cast<float>(-z), static_cast<float>(y)};
}

class GltfReader {
public:
    GltfReader(std::string folder, Json json, Scene& scene, const ImageDecoder& decodeImage)
        : m_folder(std::move(folder)), m_json(std::move(json)), m_scene(scene), m_decodeImage(decodeImage)
    {
    }

    std::optional<std::string> ReadBuffers(const Bytes* binChunk)
    {
        for (const Json& buffer : Array("buffers")) {
            const double length = Number(Member(buffer, "byteLength"), -1);
            const Json& uri = Member(buffer, "uri");
            if (uri.is_null() && binChunk && m_buffers.empty())
                m_buffers.push_back(*binChunk);
            else if (uri.is_string()) {
                std::optional<Bytes> bytes = FileBeside(uri.get<std::string>());
                if (!bytes)
                    return std::string("cannot read the buffer ").append(uri.get<std::string>());
                m_buffers.push_back(std::move(*bytes));
            } else
                return std::string("a buffer without its data");
            if (length < 0 || length > static_cast<double>(m_buffers.back().size()))
                return std::string("a buffer shorter than it says");
        }
        return std::nullopt;
    }

    // Places every node first, so that a skin finds its joints wherever
    // they come.
    void ReadNodes()
    {
        const Json& scene = Member(m_json, "scene");
        if (const Json* chosen = Item("scenes", scene.is_null() ? Json(0u) : scene))
            for (const Json& root : Items(*chosen, "nodes"))
                PlaceNode(root, kIdentity, 0);
        for (const auto& [node, world] : m_placed)
            if (const Json* mesh = Item("meshes", Member(*node, "mesh")))
                ReadMesh(*node, *mesh, world);
    }

private:
    const Json& Array(const char* key) const
    {
        static const Json empty = Json::array();
        const auto found = m_json.find(key);
        return found != m_json.end() && found->is_array() ? *found : empty;
    }

    const Json* Item(const char* key, const Json& index) const
    {
        const Json& items = Array(key);
        if (!index.is_number_unsigned() || index.get<std::size_t>() >= items.size())
            return nullptr;
        const Json& item = items[index.get<std::size_t>()];
        return item.is_object() ? &item : nullptr;
    }

    // A file in the folder of the .gltf file, named by a relative URI.
    std::optional<Bytes> FileBeside(const std::string& uri) const
    {
        std::string name;
        for (std::size_t i = 0; i < uri.size(); ++i) {
            if (uri[i] == '%' && i + 2 < uri.size() && std::isxdigit(static_cast<unsigned char>(uri[i + 1])) &&
                std::isxdigit(static_cast<unsigned char>(uri[i + 2]))) {
                name += static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else
                name += uri[i];
        }
        if (name.empty() || name.find_first_of("/\\:") != std::string::npos || name == "." || name == "..")
            return std::nullopt;
        return ReadInputFile(m_folder + name);
    }

    // The bytes of a buffer view: nothing when it does not lie in its buffer.
    std::optional<std::span<const std::uint8_t>> View(const Json& index, std::size_t& stride) const
    {
        const Json* view = Item("bufferViews", index);
        if (!view)
            return std::nullopt;
        const Json& bufferIndex = Member(*view, "buffer");
        const std::size_t buffer = bufferIndex.is_number_unsigned() ? bufferIndex.get<std::size_t>() : m_buffers.size();
        const double offset = Number(Member(*view, "byteOffset"), 0);
        const double length = Number(Member(*view, "byteLength"), -1);
        const double byteStride = Number(Member(*view, "byteStride"), 0);
        stride = byteStride >= 0 && byteStride <= 252 ? static_cast<std::size_t>(byteStride) : 0;
        if (buffer >= m_buffers.size() || offset < 0 || length < 0 ||
            offset + length > static_cast<double>(m_buffers[buffer].size()))
            return std::nullopt;
        return std::span(m_buffers[buffer]).subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
    }

    // An accessor's values as numbers, `components` of them for each element;
    // nothing when it is not such an accessor or does not fit its view.
    std::optional<std::vector<double>> Values(const Json& index, std::size_t components, Use use) const
    {
        const Json* accessor = Item("accessors", index);
        if (!accessor)
            return std::nullopt;
        const double type = Number(Member(*accessor, "componentType"), 0);
        const std::size_t size = type == 5126 || type == 5125 ? 4 : type == 5123 ? 2 : type == 5121 ? 1 : 0;
        const double count = Number(Member(*accessor, "count"), -1);
        const bool fits = use == Use::Indices ? type != 5126 : use == Use::Floats ? type == 5126 : type != 5125;
        if (size == 0 || !fits || count < 0)
            return std::nullopt;
        const double scale = use != Use::Fractions || type == 5126 ? 1 : type == 5123 ? 65535 : 255;
        std::size_t stride = 0;
        const auto view = View(Member(*accessor, "bufferView"), stride);
        const double offset = Number(Member(*accessor, "byteOffset"), 0);
        const std::size_t element = size * components;
        if (stride == 0)
            stride = element;
        if (!view || offset < 0 || stride < element ||
            (count > 0 && offset + (count - 1) * static_cast<double>(stride) + static_cast<double>(element) >
                              static_cast<double>(view->size())))
            return std::nullopt;
        std::vector<double> values;
        values.reserve(static_cast<std::size_t>(count) * components);
        for (std::size_t e = 0; e < static_cast<std::size_t>(count); ++e)
            for (std::size_t c = 0; c < components; ++c) {
                const std::uint8_t* at = view->data() + static_cast<std::size_t>(offset) + e * stride + c * size;
                if (type == 5126) {
                    float f;
                    std::memcpy(&f, at, 4);
                    values.push_back(f);
                } else if (type == 5125)
                    values.push_back(at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24);
                else if (type == 5123)
                    values.push_back((at[0] | at[1] << 8) / scale);
                else
                    values.push_back(at[0] / scale);
            }
        return values;
    }

    // A COLOR_0 accessor's red, green and blue, of VEC3 or VEC4 elements.
    std::optional<std::vector<Vec3>> Colours(const Json& index) const
    {
        const Json* accessor = Item("accessors", index);
        if (!accessor)
            return std::nullopt;
        const std::size_t components = Member(*accessor, "type") == "VEC4" ? 4 : 3;
        const auto values = Values(index, components, Use::Fractions);
        if (!values)
            return std::nullopt;
        std::vector<Vec3> colours;
        for (std::size_t i = 0; i + components <= values->size(); i += components)
            colours.push_back({static_cast<float>((*values)[i]), static_cast<float>((*values)[i + 1]),
                               static_cast<float>((*values)[i + 2])});
        return colours;
    }

    // Nodes form a forest: a node named a second time, as a child or a
    // root, is not placed again, so that the walk takes each node once.
    void PlaceNode(const Json& index, const Matrix& parent, int depth)
    {
        const Json* node = Item("nodes", index);
        if (!node || depth > kMaxDepth)
            return;
        const Matrix world = Multiply(parent, LocalMatrix(*node));
        if (!m_worlds.try_emplace(index.get<std::size_t>(), world).second)
            return;
        m_placed.emplace_back(node, world);
        for (const Json& child : Items(*node, "children"))
            PlaceNode(child, world, depth + 1);
    }

    // Each vertex's matrix in the bind pose of the node's skin: the blend of
    // world(joint) · inverse bind matrix of its joints, the node's own
    // placement left out. Nothing when the node has no skin or it does not
    // fit the primitive's vertices.
    std::optional<std::vector<RowMatrix>> SkinMatrices(const Json& node, const Json& attributes, std::size_t vertices,
                                                       const Matrix& world) const
    {
        const Json* skin = Item("skins", Member(node, "skin"));
        if (!skin)
            return std::nullopt;
        const Json& joints = Items(*skin, "joints");
        std::optional<std::vector<double>> inverseBinds;
        if (const Json& accessor = Member(*skin, "inverseBindMatrices"); !accessor.is_null()) {
            inverseBinds = Values(accessor, 16, Use::Floats);
            if (!inverseBinds || inverseBinds->size() < 16 * joints.size())
                return std::nullopt;
        }
        std::vector<RowMatrix> bones;
        for (std::size_t j = 0; j < joints.size(); ++j) {
            const auto jointWorld =
                joints[j].is_number_unsigned() ? m_worlds.find(joints[j].get<std::size_t>()) : m_worlds.end();
            if (jointWorld == m_worlds.end())
                return std::nullopt;
            Matrix inverseBind = kIdentity;
            if (inverseBinds)
                std::copy_n(inverseBinds->begin() + static_cast<std::ptrdiff_t>(16 * j), 16, inverseBind.begin());
            bones.push_back(Narrowed(Multiply(jointWorld->second, inverseBind)));
        }
        const auto jointsOf = Values(Member(attributes, "JOINTS_0"), 4, Use::Indices);
        const auto weightsOf = Values(Member(attributes, "WEIGHTS_0"), 4, Use::Fractions);
        if (!jointsOf || !weightsOf || jointsOf->size() != 4 * vertices || weightsOf->size() != 4 * vertices)
            return std::nullopt;
        std::vector<BoneWeight> weights;
        weights.reserve(4 * vertices);
        for (std::size_t i = 0; i < 4 * vertices; ++i) {
            if ((*jointsOf)[i] >= static_cast<double>(bones.size()))
                return std::nullopt;
            weights.push_back({static_cast<std::uint32_t>(i / 4), static_cast<std::uint32_t>((*jointsOf)[i]),
                               static_cast<float>((*weightsOf)[i])});
        }
        return BlendBones(vertices, bones, weights, Narrowed(world));
    }

    void ReadMesh(const Json& node, const Json& mesh, const Matrix& world)
    {
        SceneMesh& out = m_scene.meshes.emplace_back();
        bool coloured = false;
        for (const Json& primitive : Items(mesh, "primitives")) {
            if (Number(Member(primitive, "mode"), 4) != 4)
                continue;
            const Json& attributes = Member(primitive, "attributes");
            const auto positions = Values(Member(attributes, "POSITION"), 3, Use::Floats);
            if (!positions)
                continue;
            const auto normals = Values(Member(attributes, "NORMAL"), 3, Use::Floats);
            const auto uvs = Values(Member(attributes, "TEXCOORD_0"), 2, Use::Floats);
            const std::size_t vertices = positions->size() / 3;
            const auto skinned = SkinMatrices(node, attributes, vertices, world);
            auto colours = Colours(Member(attributes, "COLOR_0"));
            if (colours && colours->size() != vertices)
                colours.reset();
            coloured = coloured || colours;
            std::optional<std::vector<double>> indices;
            if (const Json& accessor = Member(primitive, "indices"); !accessor.is_null()) {
                indices = Values(accessor, 1, Use::Indices);
                if (!indices)
                    continue;
            } else {
                indices.emplace();
                for (std::size_t v = 0; v < vertices; ++v)
                    indices->push_back(static_cast<double>(v));
            }
            const auto base = static_cast<std::uint32_t>(out.positions.size());
            const auto material = static_cast<std::uint32_t>(out.materials.size());
            out.materials.push_back(MaterialOf(Member(primitive, "material")));
            const Vec3 factor = out.materials.back().colour;
            for (std::size_t v = 0; v < vertices; ++v) {
                const Matrix placement = skinned ? Widened((*skinned)[v]) : world;
                const double* p = positions->data() + 3 * v;
                out.positions.push_back(Placed(placement, p[0], p[1], p[2], 1));
                const bool hasNormal = normals && normals->size() == positions->size();
                out.normals.push_back(hasNormal ? Turned(placement, normals->data() + 3 * v) : Vec3{});
                if (uvs && uvs->size() / 2 == vertices)
                    out.uvs.push_back({static_cast<float>((*uvs)[2 * v]), static_cast<float>((*uvs)[2 * v + 1])});
                else
                    out.uvs.push_back({0, 0});
                // The base colour times the vertex colour, as glTF has it, takes
                // the material colour's place as a .x file's vertex colours do.
                const Vec3 colour = colours ? (*colours)[v] : Vec3{1, 1, 1};
                out.colours.push_back({colour.x * factor.x, colour.y * factor.y, colour.z * factor.z});
            }
            for (std::size_t t = 0; t + 2 < indices->size(); t += 3) {
                Triangle triangle;
                for (std::size_t c = 0; c < 3; ++c) {
                    const double v = (*indices)[t + c];
                    triangle.vertices[c] = v < static_cast<double>(vertices) ? base + static_cast<std::uint32_t>(v) : 0;
                    triangle.normals[c] = normals ? triangle.vertices[c] : Triangle::kNone;
                }
                triangle.material = material;
                out.triangles.push_back(triangle);
            }
        }
        if (!coloured)
            out.colours = {};
        out.faces = out.triangles.size();
    }

    static Vec3 Placed(const Matrix& m, double x, double y, double z, double w)
    {
        return LaidBack(m[0] * x + m[4] * y + m[8] * z + m[12] * w, m[1] * x + m[5] * y + m[9] * z + m[13] * w,
                        m[2] * x + m[6] * y + m[10] * z + m[14] * w);
    }

    // A normal turned with its node; the scale is divided out by the
    // renderer's own normalising.
    static Vec3 Turned(const Matrix& m, const double* n) { return Placed(m, n[0], n[1], n[2], 0); }

    SceneMaterial MaterialOf(const Json& index)
    {
        SceneMaterial material;
        const Json* json = Item("materials", index);
        if (!json)
            return material;
        const Json& pbr = Member(*json, "pbrMetallicRoughness");
        if (const Json& colour = Member(pbr, "baseColorFactor"); colour.is_array() && colour.size() == 4)
            material.colour = {static_cast<float>(Number(colour[0], 1)), static_cast<float>(Number(colour[1], 1)),
                               static_cast<float>(Number(colour[2], 1))};
        if (const Json* found = Item("textures", Member(Member(pbr, "baseColorTexture"), "index"))) {
            material.textureName = "texture";
            material.texture = TextureOf(Member(*found, "source"));
        }
        return material;
    }

    int TextureOf(const Json& index)
    {
        const Json* image = Item("images", index);
        if (!image)
            return -1;
        const auto key = index.get<std::size_t>();
        if (const auto known = m_textures.find(key); known != m_textures.end())
            return known->second;
        std::optional<Bytes> file;
        std::span<const std::uint8_t> bytes;
        std::string hint;
        if (const Json& uri = Member(*image, "uri"); uri.is_string()) {
            file = FileBeside(uri.get<std::string>());
            hint = PathExtension(uri.get<std::string>());
            if (file)
                bytes = *file;
        } else {
            std::size_t stride = 0;
            if (const auto view = View(Member(*image, "bufferView"), stride))
                bytes = *view;
            const Json& type = Member(*image, "mimeType");
            if (type.is_string())
                hint = type.get<std::string>().substr(type.get<std::string>().find('/') + 1);
        }
        int texture = -1;
        if (!bytes.empty())
            if (std::optional<RgbaImage> decoded = m_decodeImage(bytes, hint)) {
                texture = static_cast<int>(m_scene.textures.size());
                m_scene.textures.push_back(std::move(*decoded));
            }
        m_textures.emplace(key, texture);
        return texture;
    }

    std::string m_folder;
    Json m_json;
    Scene& m_scene;
    const ImageDecoder& m_decodeImage;
    std::vector<Bytes> m_buffers;
    std::map<std::size_t, int> m_textures;
    // Each node as the scene's walk reaches it, with its placement.
    std::vector<std::pair<const Json*, Matrix>> m_placed;
    std::map<std::size_t, Matrix> m_worlds;  // by node index
};

}  // namespace

std::optional<std::string> ReadGltfScene(const std::string& path, Scene& scene, const ImageDecoder& decodeImage)
{
    const std::optional<Bytes> file = ReadInputFile(path);
    if (!file)
        return std::string("cannot be read");
    return ParseGltfScene(*file, PathDirectory(path), scene, decodeImage);
}

std::optional<std::string> ParseGltfScene(std::span<const std::uint8_t> file, const std::string& folder, Scene& scene,
                                          const ImageDecoder& decodeImage)
{
    std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    std::optional<Bytes> bin;
    if (text.starts_with("glTF")) {
        // The header, then chunks of a length and a type each.
        if (file.size() < 20 || Uint32At(file, 4) != 2)
            return std::string("not a glTF 2.0 file");
        const std::size_t jsonLength = Uint32At(file, 12);
        if (Uint32At(file, 16) != 0x4E4F534A || jsonLength > file.size() - 20)
            return std::string("no JSON chunk");
        text = text.substr(20, jsonLength);
        const std::size_t binAt = 20 + (jsonLength + 3) / 4 * 4;
        if (binAt + 8 <= file.size() && Uint32At(file, binAt + 4) == 0x004E4942) {
            const std::size_t binLength = std::min<std::size_t>(Uint32At(file, binAt), file.size() - binAt - 8);
            bin.emplace(file.begin() + static_cast<std::ptrdiff_t>(binAt + 8),
                        file.begin() + static_cast<std::ptrdiff_t>(binAt + 8 + binLength));
        }
    }
    Json json = Json::parse(text, nullptr, false);
    if (json.is_discarded() || !json.is_object())
        return std::string("not a glTF file");
    try {
        GltfReader reader(folder, std::move(json), scene, decodeImage);
        if (auto error = reader.ReadBuffers(bin ? &*bin : nullptr))
            return error;
        reader.ReadNodes();
    } catch (const Json::exception& error) {
        return std::string("not a glTF file: ") + error.what();
    }
    return std::nullopt;
}

}  // namespace verdin::render
