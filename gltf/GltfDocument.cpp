#include "gltf/GltfDocument.h"

#include "base/Version.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace verdin::gltf {

namespace {

constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;
constexpr int kUnsignedShort = 5123;
constexpr int kFloat = 5126;
constexpr int kUnsignedInt = 5125;

const char* TypeOf(int components)
{
    return components == 2    ? "VEC2"
           : components == 3  ? "VEC3"
           : components == 4  ? "VEC4"
           : components == 16 ? "MAT4"
                              : "SCALAR";
}

// Numbers in the shortest form that reads back to the same value, whatever
// the locale.
template <typename Number>
void Put(std::string& text, Number value)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

template <typename Number>
void PutArray(std::string& text, std::span<const Number> values)
{
    text += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += ',';
        Put(text, values[i]);
    }
    text += ']';
}

// A name as a JSON string; bytes that are no UTF-8 become U+FFFD.
void PutString(std::string& text, const std::string& value)
{
    text += Json(value).dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

// JSON text made piece by piece and handed on in blocks, so that the text of
// a large scene is never held whole.
class GltfDocument::Emitter {
public:
    explicit Emitter(const TextWriter& write) : m_write(write) {}

    std::string text;

    void Flush()
    {
        m_written += text.size();
        m_write(text);
        text.clear();
    }
    void FlushSometimes()
    {
        if (text.size() >= kBlock)
            Flush();
    }
    std::uint64_t Written() const { return m_written; }

    // Writes `count` items of a top-level array, each by `item(text, i)`; no
    // array at all for none, since glTF allows no empty one.
    template <typename Item>
    void Items(const char* key, std::size_t count, Item item)
    {
        if (count == 0)
            return;
        text += ",\"";
        text += key;
        text += "\":[";
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0)
                text += ',';
            item(text, i);
            FlushSometimes();
        }
        text += ']';
    }

private:
    static constexpr std::size_t kBlock = std::size_t{1} << 16;
    const TextWriter& m_write;
    std::uint64_t m_written = 0;
};

namespace {

}  // namespace

int GltfDocument::Add(const char* array, Json item)
{
    Json& items = m_few[array];
    items.push_back(std::move(item));
    return static_cast<int>(items.size() - 1);
}

std::span<const unsigned char> GltfDocument::Block::Bytes() const
{
    if (!floats.empty())
        return {reinterpret_cast<const unsigned char*>(floats.data()), floats.size() * sizeof(float)};
    if (!indices.empty())
        return {reinterpret_cast<const unsigned char*>(indices.data()), indices.size() * sizeof(std::uint32_t)};
    return bytes;
}

// Each view starts on a four-byte boundary, as accessors of floats and
// 32-bit indices need. The data of a large view is kept as it came; that of
// small ones is packed into shared blocks, so that a scene of many small
// meshes does not hold a vector for each.
int GltfDocument::AddView(Block block, int target)
{
    const std::span<const unsigned char> bytes = block.Bytes();
    const std::size_t padding = (4 - bytes.size() % 4) % 4;
    m_views.push_back({static_cast<std::size_t>(m_bufferSize), bytes.size(), target});
    m_bufferSize += bytes.size() + padding;
    if (bytes.size() >= kPackedBlock / 4) {
        block.padding = padding;
        m_blocks.push_back(std::move(block));
    } else {
        if (m_blocks.empty() || !m_blocks.back().packed ||
            m_blocks.back().bytes.size() + bytes.size() + padding > kPackedBlock) {
            m_blocks.push_back({{}, {}, {}, 0, true});
            m_blocks.back().bytes.reserve(kPackedBlock);
        }
        std::vector<unsigned char>& packed = m_blocks.back().bytes;
        packed.insert(packed.end(), bytes.begin(), bytes.end());
        packed.insert(packed.end(), padding, 0);
    }
    return static_cast<int>(m_views.size() - 1);
}

int GltfDocument::AddFloats(std::vector<float> values, int components, bool bounds)
{
    return AddFloatAccessor(std::move(values), components, bounds, kArrayBuffer);
}

// Animation data is no vertex data: its views have no target.
int GltfDocument::AddKeyFloats(std::vector<float> values, int components)
{
    return AddFloatAccessor(std::move(values), components, components == 1, 0);
}

int GltfDocument::AddFloatAccessor(std::vector<float> values, int components, bool bounds, int target)
{
    Accessor accessor{0, kFloat, values.size() / static_cast<std::size_t>(components), components};
    if (bounds) {
        accessor.bounded = true;
        accessor.low.fill(std::numeric_limits<float>::max());
        accessor.high.fill(std::numeric_limits<float>::lowest());
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::size_t c = i % static_cast<std::size_t>(components);
            accessor.low[c] = std::min(accessor.low[c], values[i]);
            accessor.high[c] = std::max(accessor.high[c], values[i]);
        }
    }
    accessor.view = AddView({std::move(values), {}, {}, 0}, target);
    m_accessors.push_back(std::move(accessor));
    return static_cast<int>(m_accessors.size() - 1);
}

int GltfDocument::AddIndices(std::vector<std::uint32_t> indices)
{
    const std::size_t count = indices.size();
    m_accessors.push_back(
        {AddView({{}, std::move(indices), {}, 0}, kElementArrayBuffer), kUnsignedInt, count, 1, {}, {}});
    return static_cast<int>(m_accessors.size() - 1);
}

int GltfDocument::AddJoints(const std::vector<std::uint16_t>& joints)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(joints.size() * 2);
    for (const std::uint16_t joint : joints) {
        bytes.push_back(static_cast<unsigned char>(joint));
        bytes.push_back(static_cast<unsigned char>(joint >> 8));
    }
    m_accessors.push_back({AddView({{}, {}, std::move(bytes), 0}, kArrayBuffer), kUnsignedShort, joints.size() / 4, 4});
    return static_cast<int>(m_accessors.size() - 1);
}

int GltfDocument::AddImageBytes(std::span<const unsigned char> bytes)
{
    return AddView({{}, {}, {bytes.begin(), bytes.end()}, 0}, 0);
}

int GltfDocument::AddMesh(std::string name, std::vector<MeshPrimitive> primitives)
{
    m_meshes.push_back({std::move(name), std::move(primitives)});
    return static_cast<int>(m_meshes.size() - 1);
}

void GltfDocument::WriteScene(Emitter& out) const
{
    out.text += ",\"scene\":0,\"scenes\":[{";
    if (!m_roots.empty()) {
        out.text += "\"nodes\":";
        PutArray<std::int32_t>(out.text, m_roots);
    }
    out.text += "}]";
    out.Items("nodes", m_nodes.size(), [this](std::string& json, std::size_t i) {
        const DocumentNode& node = m_nodes[i];
        json += '{';
        bool first = true;
        const auto key = [&json, &first](const char* name) {
            json += first ? "\"" : ",\"";
            json += name;
            json += "\":";
            first = false;
        };
        if (!node.name.empty()) {
            key("name");
            PutString(json, node.name);
        }
        if (node.trs) {
            const Trs& trs = *node.trs;
            if (trs.translation != Trs{}.translation) {
                key("translation");
                PutArray<double>(json, trs.translation);
            }
            if (trs.rotation != Trs{}.rotation) {
                key("rotation");
                PutArray<double>(json, trs.rotation);
            }
            if (trs.scale != Trs{}.scale) {
                key("scale");
                PutArray<double>(json, trs.scale);
            }
        }
        if (!node.children.empty()) {
            key("children");
            PutArray<std::int32_t>(json, node.children);
        }
        if (node.mesh >= 0) {
            key("mesh");
            Put(json, node.mesh);
        }
        if (node.skin >= 0) {
            key("skin");
            Put(json, node.skin);
        }
        json += '}';
    });
}

void GltfDocument::WriteMeshes(Emitter& out) const
{
    out.Items("meshes", m_meshes.size(), [this](std::string& json, std::size_t i) {
        const Mesh& mesh = m_meshes[i];
        json += '{';
        if (!mesh.name.empty()) {
            json += "\"name\":";
            PutString(json, mesh.name);
            json += ',';
        }
        json += "\"primitives\":[";
        for (std::size_t p = 0; p < mesh.primitives.size(); ++p) {
            const MeshPrimitive& primitive = mesh.primitives[p];
            json += p > 0 ? ",{\"attributes\":{\"POSITION\":" : "{\"attributes\":{\"POSITION\":";
            Put(json, primitive.positions);
            for (const auto& [attribute, accessor] : {std::pair{",\"NORMAL\":", primitive.normals},
                                                      {",\"TEXCOORD_0\":", primitive.uvs},
                                                      {",\"COLOR_0\":", primitive.colours},
                                                      {",\"JOINTS_0\":", primitive.joints},
                                                      {",\"WEIGHTS_0\":", primitive.weights}})
                if (accessor >= 0) {
                    json += attribute;
                    Put(json, accessor);
                }
            json += "},\"indices\":";
            Put(json, primitive.indices);
            if (primitive.material >= 0) {
                json += ",\"material\":";
                Put(json, primitive.material);
            }
            for (std::size_t t = 0; t < primitive.targets.size(); ++t) {
                json += t == 0 ? ",\"targets\":[{\"POSITION\":" : ",{\"POSITION\":";
                Put(json, primitive.targets[t]);
                json += t + 1 < primitive.targets.size() ? "}" : "}]";
            }
            json += '}';
        }
        json += ']';
        if (const std::size_t targets = mesh.primitives.empty() ? 0 : mesh.primitives[0].targets.size()) {
            json += ",\"weights\":[0";
            for (std::size_t t = 1; t < targets; ++t)
                json += ",0";
            json += ']';
        }
        json += '}';
    });
}

void GltfDocument::WriteAccessors(Emitter& out) const
{
    out.Items("accessors", m_accessors.size(), [this](std::string& json, std::size_t i) {
        const Accessor& accessor = m_accessors[i];
        json += "{\"bufferView\":";
        Put(json, accessor.view);
        json += ",\"componentType\":";
        Put(json, accessor.componentType);
        json += ",\"count\":";
        Put(json, accessor.count);
        json += ",\"type\":\"";
        json += TypeOf(accessor.components);
        json += '"';
        if (accessor.bounded) {
            const std::span<const float> low(accessor.low.data(), static_cast<std::size_t>(accessor.components));
            const std::span<const float> high(accessor.high.data(), static_cast<std::size_t>(accessor.components));
            json += ",\"min\":";
            PutArray<float>(json, low);
            json += ",\"max\":";
            PutArray<float>(json, high);
        }
        json += '}';
    });
    out.Items("bufferViews", m_views.size(), [this](std::string& json, std::size_t i) {
        const View& view = m_views[i];
        json += "{\"buffer\":0,\"byteOffset\":";
        Put(json, view.offset);
        json += ",\"byteLength\":";
        Put(json, view.length);
        if (view.target != 0) {
            json += ",\"target\":";
            Put(json, view.target);
        }
        json += '}';
    });
}

std::uint64_t GltfDocument::WriteText(const TextWriter& write) const
{
    Emitter out(write);
    out.text = "{\"asset\":{\"generator\":";
    PutString(out.text, std::string("Verdin ").append(kVersion));
    out.text += ",\"version\":\"2.0\"}";
    WriteScene(out);
    WriteMeshes(out);
    WriteAccessors(out);
    if (m_bufferUri && m_bufferSize > 0) {
        out.text += ",\"buffers\":[{\"byteLength\":";
        Put(out.text, m_bufferSize);
        if (!m_bufferUri->empty()) {
            out.text += ",\"uri\":";
            PutString(out.text, *m_bufferUri);
        }
        out.text += "}]";
    }
    for (const auto& [key, items] : m_few.items()) {
        out.text += ",\"";
        out.text += key;
        out.text += "\":";
        out.text += items.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
    out.text += '}';
    out.Flush();
    return out.Written();
}

std::string UriOf(std::string_view name)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved)
            uri += c;
        else
            uri += {'%', kHex[byte >> 4], kHex[byte & 15]};
    }
    return uri;
}

}  // namespace verdin::gltf
