#pragma once

#include "gltf/Placement.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace verdin::gltf {

using Json = nlohmann::ordered_json;

// One primitive of a mesh: its accessors (-1 when none) and material (-1:
// glTF's default).
struct MeshPrimitive {
    int positions = -1;
    int normals = -1;
    int uvs = -1;
    int indices = -1;
    int material = -1;
    std::vector<int> targets = {};  // the position accessor of each morph target
    int colours = -1;
    int joints = -1;
    int weights = -1;
};

struct DocumentNode {
    std::string name;  // none when empty
    std::optional<Trs> trs;
    std::vector<std::int32_t> children;
    int mesh = -1;
    int skin = -1;
};

// A glTF document being made, and the one binary buffer that its accessors
// and embedded images refer to. The many entries of a large scene (nodes,
// meshes, accessors, buffer views) are kept as plain records and written as
// text at the end; the few others (materials, textures, images, samplers) as
// JSON values.
class GltfDocument {
public:
    // Appends `item` to the named array of the few; returns its index.
    int Add(const char* array, Json item);

    // Vertex attributes: `components` floats each, with their bounds when
    // asked for. Returns the accessor. The values become part of the buffer
    // as they are, without a copy.
    int AddFloats(std::vector<float> values, int components, bool bounds);
    // Key times (with their bounds) or values of an animation, or inverse
    // bind matrices (16 components): floats that are no vertex data. Returns
    // the accessor.
    int AddKeyFloats(std::vector<float> values, int components);
    // The four joints of each vertex of a skin. Returns the accessor.
    int AddJoints(const std::vector<std::uint16_t>& joints);
    // Triangle corners. Returns the accessor.
    int AddIndices(std::vector<std::uint32_t> indices);
    // An image's bytes; returns its buffer view.
    int AddImageBytes(std::span<const unsigned char> bytes);
    // Returns the mesh's index. Its primitives share their morph targets,
    // whose weights are 0 at rest.
    int AddMesh(std::string name, std::vector<MeshPrimitive> primitives);
    // Nodes are numbered in the order they are added.
    void AddNode(DocumentNode node) { m_nodes.push_back(std::move(node)); }
    void SetRoots(std::vector<std::int32_t> roots) { m_roots = std::move(roots); }

    // The buffer's bytes in all, a multiple of 4.
    std::uint64_t BufferSize() const { return m_bufferSize; }
    // Hands the buffer's bytes, piece after piece, to `write(data, size)`.
    template <typename Write>
    void WriteBuffer(Write write) const
    {
        static constexpr char kZeros[4] = {};
        for (const Block& block : m_blocks) {
            const std::span<const unsigned char> bytes = block.Bytes();
            write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            write(kZeros, block.padding);
        }
    }
    // The buffer entry, once everything is added: `uri` names the .bin file
    // of a .gltf; empty for a .glb.
    void CloseBuffer(const std::string& uri) { m_bufferUri = uri; }

    // Hands the JSON text, in UTF-8, piece after piece to `write`; returns
    // its length. Bytes of a name that are no UTF-8 become U+FFFD.
    using TextWriter = std::function<void(std::string_view)>;
    std::uint64_t WriteText(const TextWriter& write) const;

private:
    struct View {
        std::size_t offset = 0;
        std::size_t length = 0;
        int target = 0;  // none: 0
    };
    struct Accessor {
        int view = 0;
        int componentType = 0;
        std::size_t count = 0;
        int components = 1;
        bool bounded = false;  // with the bounds of its first `components` values
        std::array<float, 3> low{}, high{};
    };
    struct Mesh {
        std::string name;
        std::vector<MeshPrimitive> primitives;
    };
    // A part of the buffer: one of its vectors, then zeros up to a multiple
    // of four bytes, where the next view starts.
    struct Block {
        std::vector<float> floats;
        std::vector<std::uint32_t> indices;
        std::vector<unsigned char> bytes;
        std::size_t padding = 0;
        bool packed = false;  // the bytes of several small views, each padded

        std::span<const unsigned char> Bytes() const;
    };
    static constexpr std::size_t kPackedBlock = std::size_t{1} << 20;

    int AddView(Block block, int target);
    int AddFloatAccessor(std::vector<float> values, int components, bool bounds, int target);
    class Emitter;
    void WriteScene(Emitter& out) const;
    void WriteMeshes(Emitter& out) const;
    void WriteAccessors(Emitter& out) const;

    Json m_few = Json::object();
    std::vector<View> m_views;
    std::vector<Accessor> m_accessors;
    std::vector<Mesh> m_meshes;
    std::vector<DocumentNode> m_nodes;
    std::vector<std::int32_t> m_roots;
    std::vector<Block> m_blocks;
    std::uint64_t m_bufferSize = 0;
    std::optional<std::string> m_bufferUri;  // set once the buffer is closed
};

// A file name as a relative URI: every byte but the unreserved ones escaped.
std::string UriOf(std::string_view name);

}  // namespace verdin::gltf
