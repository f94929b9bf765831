#include "gltf/GltfDocument.h"

#include "base/Version.h"

#include <algorithm>
#include <cstring>
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

}  // namespace

GltfDocument::GltfDocument()
{
    m_json["asset"] = {{"version", "2.0"}, {"generator", std::string("Verdin ").append(kVersion)}};
}

int GltfDocument::Add(const char* array, Json item)
{
    Json& items = m_json[array];
    items.push_back(std::move(item));
    return static_cast<int>(items.size() - 1);
}

// Each view starts on a four-byte boundary, as accessors of floats and
// 32-bit indices need.
int GltfDocument::AddView(const void* data, std::size_t size, int target)
{
    m_buffer.resize((m_buffer.size() + 3) / 4 * 4);
    const std::size_t offset = m_buffer.size();
    m_buffer.resize(offset + size);
    std::memcpy(m_buffer.data() + offset, data, size);
    Json view = {{"buffer", 0}, {"byteOffset", offset}, {"byteLength", size}};
    if (target != 0)
        view["target"] = target;
    return Add("bufferViews", std::move(view));
}

int GltfDocument::AddFloats(std::span<const float> values, int components, bool bounds)
{
    const std::size_t count = values.size() / static_cast<std::size_t>(components);
    Json accessor = {{"bufferView", AddView(values.data(), values.size_bytes(), kArrayBuffer)},
                     {"componentType", kFloat},
                     {"count", count},
                     {"type", TypeOf(components)}};
    if (bounds) {
        std::vector<float> low(static_cast<std::size_t>(components), std::numeric_limits<float>::max());
        std::vector<float> high(static_cast<std::size_t>(components), std::numeric_limits<float>::lowest());
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::size_t c = i % static_cast<std::size_t>(components);
            low[c] = std::min(low[c], values[i]);
            high[c] = std::max(high[c], values[i]);
        }
        accessor["min"] = low;
        accessor["max"] = high;
    }
    return Add("accessors", std::move(accessor));
}

int GltfDocument::AddIndices(std::span<const std::uint32_t> indices)
{
    return Add("accessors", {{"bufferView", AddView(indices.data(), indices.size_bytes(), kElementArrayBuffer)},
                             {"componentType", kUnsignedInt},
                             {"count", indices.size()},
                             {"type", "SCALAR"}});
}

int GltfDocument::AddImageBytes(std::span<const unsigned char> bytes)
{
    return AddView(bytes.data(), bytes.size(), 0);
}

void GltfDocument::CloseBuffer(const std::string& uri)
{
    if (m_buffer.empty())
        return;
    m_buffer.resize((m_buffer.size() + 3) / 4 * 4);
    Json buffer = {{"byteLength", m_buffer.size()}};
    if (!uri.empty())
        buffer["uri"] = uri;
    Add("buffers", std::move(buffer));
}

std::string GltfDocument::Text() const
{
    return m_json.dump(-1, ' ', false, Json::error_handler_t::replace);
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
