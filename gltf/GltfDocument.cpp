#include "gltf/GltfDocument.h"

#include "base/Version.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace verdin::gltf {

namespace {

constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;
constexpr int kFloat = 5126;
constexpr int kUnsignedInt = 5125;

const char* TypeOf(int components)
{
    return components == 2 ? "VEC2" : components == 3 ? "VEC3" : "SCALAR";
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

// Writes `count` items of a top-level array, each by `item(text, i)`; no
// array at all for none, since glTF allows no empty one.
template <typename Item>
void PutItems(std::string& text, const char* key, std::size_t count, Item item)
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
    }
    text += ']';
}

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
// 32-bit indices need.
int GltfDocument::AddView(Block block, int target)
{
    const std::size_t size = block.Bytes().size();
    block.padding = (4 - size % 4) % 4;
    m_views.push_back({static_cast<std::size_t>(m_bufferSize), size, target});
    m_bufferSize += size + block.padding;
    m_blocks.push_back(std::move(block));
    return static_cast<int>(m_views.size() - 1);
}

int GltfDocument::AddFloats(std::vector<float> values, int components, bool bounds)
{
    Accessor accessor{0, kFloat, values.size() / static_cast<std::size_t>(components), components, {}, {}};
    if (bounds) {
        accessor.low.assign(static_cast<std::size_t>(components), std::numeric_limits<float>::max());
        accessor.high.assign(static_cast<std::size_t>(components), std::numeric_limits<float>::lowest());
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::size_t c = i % static_cast<std::size_t>(components);
            accessor.low[c] = std::min(accessor.low[c], values[i]);
            accessor.high[c] = std::max(accessor.high[c], values[i]);
        }
    }
    accessor.view = AddView({std::move(values), {}, {}, 0}, kArrayBuffer);
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

int GltfDocument::AddImageBytes(std::span<const unsigned char> bytes)
{
    return AddView({{}, {}, {bytes.begin(), bytes.end()}, 0}, 0);
}

int GltfDocument::AddMesh(std::string name, std::vector<MeshPrimitive> primitives)
{
    m_meshes.push_back({std::move(name), std::move(primitives)});
    return static_cast<int>(m_meshes.size() - 1);
}

void GltfDocument::WriteScene(std::string& text) const
{
    text += ",\"scene\":0,\"scenes\":[{";
    if (!m_roots.empty()) {
        text += "\"nodes\":";
        PutArray<std::int32_t>(text, m_roots);
    }
    text += "}]";
    PutItems(text, "nodes", m_nodes.size(), [this](std::string& out, std::size_t i) {
        const DocumentNode& node = m_nodes[i];
        out += '{';
        bool first = true;
        const auto key = [&out, &first](const char* name) {
            out += first ? "\"" : ",\"";
            out += name;
            out += "\":";
            first = false;
        };
        if (!node.name.empty()) {
            key("name");
            PutString(out, node.name);
        }
        if (node.trs) {
            const Trs& trs = *node.trs;
            if (trs.translation != Trs{}.translation) {
                key("translation");
                PutArray<double>(out, trs.translation);
            }
            if (trs.rotation != Trs{}.rotation) {
                key("rotation");
                PutArray<double>(out, trs.rotation);
            }
            if (trs.scale != Trs{}.scale) {
                key("scale");
                PutArray<double>(out, trs.scale);
            }
        }
        if (!node.children.empty()) {
            key("children");
            PutArray<std::int32_t>(out, node.children);
        }
        if (node.mesh >= 0) {
            key("mesh");
            Put(out, node.mesh);
        }
        out += '}';
    });
}

void GltfDocument::WriteMeshes(std::string& text) const
{
    PutItems(text, "meshes", m_meshes.size(), [this](std::string& out, std::size_t i) {
        const Mesh& mesh = m_meshes[i];
        out += '{';
        if (!mesh.name.empty()) {
            out += "\"name\":";
            PutString(out, mesh.name);
            out += ',';
        }
        out += "\"primitives\":[";
        for (std::size_t p = 0; p < mesh.primitives.size(); ++p) {
            const MeshPrimitive& primitive = mesh.primitives[p];
            out += p > 0 ? ",{\"attributes\":{\"POSITION\":" : "{\"attributes\":{\"POSITION\":";
            Put(out, primitive.positions);
            out += ",\"NORMAL\":";
            Put(out, primitive.normals);
            if (primitive.uvs >= 0) {
                out += ",\"TEXCOORD_0\":";
                Put(out, primitive.uvs);
            }
            out += "},\"indices\":";
            Put(out, primitive.indices);
            out += ",\"material\":";
            Put(out, primitive.material);
            out += '}';
        }
        out += "]}";
    });
}

void GltfDocument::WriteAccessors(std::string& text) const
{
    PutItems(text, "accessors", m_accessors.size(), [this](std::string& out, std::size_t i) {
        const Accessor& accessor = m_accessors[i];
        out += "{\"bufferView\":";
        Put(out, accessor.view);
        out += ",\"componentType\":";
        Put(out, accessor.componentType);
        out += ",\"count\":";
        Put(out, accessor.count);
        out += ",\"type\":\"";
        out += TypeOf(accessor.components);
        out += '"';
        if (!accessor.low.empty()) {
            out += ",\"min\":";
            PutArray<float>(out, accessor.low);
            out += ",\"max\":";
            PutArray<float>(out, accessor.high);
        }
        out += '}';
    });
    PutItems(text, "bufferViews", m_views.size(), [this](std::string& out, std::size_t i) {
        const View& view = m_views[i];
        out += "{\"buffer\":0,\"byteOffset\":";
        Put(out, view.offset);
        out += ",\"byteLength\":";
        Put(out, view.length);
        if (view.target != 0) {
            out += ",\"target\":";
            Put(out, view.target);
        }
        out += '}';
    });
}

std::string GltfDocument::Text() const
{
    std::string text;
    text.reserve(128 * (m_accessors.size() + m_nodes.size()) + 4096);
    text += "{\"asset\":{\"generator\":";
    PutString(text, std::string("Verdin ").append(kVersion));
    text += ",\"version\":\"2.0\"}";
    WriteScene(text);
    WriteMeshes(text);
    WriteAccessors(text);
    if (m_bufferUri && m_bufferSize > 0) {
        text += ",\"buffers\":[{\"byteLength\":";
        Put(text, m_bufferSize);
        if (!m_bufferUri->empty()) {
            text += ",\"uri\":";
            PutString(text, *m_bufferUri);
        }
        text += "}]";
    }
    for (const auto& [key, items] : m_few.items()) {
        text += ",\"";
        text += key;
        text += "\":";
        text += items.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
    text += '}';
    return text;
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
