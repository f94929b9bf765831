#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace verdin::gltf {

using Json = nlohmann::ordered_json;

// A glTF document being made: its JSON and the one binary buffer that its
// accessors and embedded images refer to.
class GltfDocument {
public:
    GltfDocument();

    Json& json() { return m_json; }
    // Appends `item` to the named top-level array; returns the index of the
    // new item.
    int Add(const char* array, Json item);

    // Vertex attributes: `components` floats each, with their bounds when
    // asked for. Returns the accessor.
    int AddFloats(std::span<const float> values, int components, bool bounds);
    // Triangle corners, below `vertexCount`.
    int AddIndices(std::span<const std::uint32_t> indices);
    // An image's bytes; returns its buffer view.
    int AddImageBytes(std::span<const unsigned char> bytes);

    const std::vector<unsigned char>& Buffer() const { return m_buffer; }
    // The buffer entry, once everything is added: `uri` names the .bin file
    // of a .gltf; empty for a .glb.
    void CloseBuffer(const std::string& uri);

    // The JSON text, in UTF-8: bytes of a name that are no UTF-8 become
    // U+FFFD.
    std::string Text() const;

private:
    int AddView(const void* data, std::size_t size, int target);

    Json m_json;
    std::vector<unsigned char> m_buffer;
};

// A file name as a relative URI: every byte but the unreserved ones escaped.
std::string UriOf(std::string_view name);

}  // namespace verdin::gltf
