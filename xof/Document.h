#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verdin::xof {

// A class identifier, in the four fields the file formats store.
struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    friend bool operator==(const Guid&, const Guid&) = default;
};

// The primitive member types. Each enumerator is the binary token of its type;
// String is the text keyword STRING (LPSTR in the binary form).
enum class Primitive : std::uint16_t {
    Word = 40,
    Dword = 41,
    Float = 42,
    Double = 43,
    Char = 44,
    Uchar = 45,
    Sword = 46,
    Sdword = 47,
    String = 49,
    Unicode = 50,
    Cstring = 51,
};

[[nodiscard]] bool IsInteger(Primitive type);
[[nodiscard]] bool IsReal(Primitive type);

// One dimension of an array member: a fixed size, or an earlier integer
// member of the same template whose value gives the size.
struct Dimension {
    std::uint32_t size = 0;
    std::optional<std::size_t> member;

    friend bool operator==(const Dimension&, const Dimension&) = default;
};

struct Member {
    std::string name;  // may be empty outside arrays
    std::optional<Primitive> primitive;
    std::string templateName;           // the member's type when it is not primitive
    std::vector<Dimension> dimensions;  // empty unless the member is an array

    friend bool operator==(const Member&, const Member&) = default;
};

enum class Openness { Closed, Open, Restricted };

// A template that a restricted template admits as a child.
struct Restriction {
    std::string name;
    std::optional<Guid> guid;

    friend bool operator==(const Restriction&, const Restriction&) = default;
};

struct Template {
    std::string name;
    Guid guid;
    std::vector<Member> members;
    Openness openness = Openness::Closed;
    std::vector<Restriction> restrictions;  // only when Restricted
    bool declared = false;                  // by the file itself, as opposed to built in

    friend bool operator==(const Template&, const Template&) = default;
};

// One value of a data object, typed by the template member it belongs to.
struct Value {
    Primitive type = Primitive::Dword;
    // Integer types: the value as a 32-bit pattern (two's complement when
    // negative). Text types: the index of the text in DataObject::texts.
    std::uint32_t integer = 0;
    // Float (held at single precision, as the type stores it) and Double.
    double real = 0.0;

    friend bool operator==(const Value&, const Value&) = default;
};

struct DataObject {
    // A reference "{ name }" to another object carries only a name, a GUID
    // or both; everything else stays empty.
    bool isReference = false;
    std::string templateName;
    std::string name;
    std::optional<Guid> guid;
    // All primitive values of the template's members, depth first, in order.
    std::vector<Value> values;
    std::vector<std::string> texts;
    // Nested objects and references, in file order.
    std::vector<DataObject> children;

    friend bool operator==(const DataObject&, const DataObject&) = default;
};

struct Document {
    unsigned versionMajor = 3;
    unsigned versionMinor = 2;
    // The built-in templates (RegisteredDocument) first, then those the file declares, in
    // order. A declaration of a standard template's name is a new entry that
    // takes its place for the objects that follow.
    std::vector<Template> templates;
    std::vector<DataObject> objects;

    // The newest template of that name, or nullptr.
    [[nodiscard]] const Template* FindTemplate(std::string_view name) const;
};

// A document holding nothing but the standard templates: the 19 of meshes
// (Header, Vector, Coords2d, Matrix4x4, ColorRGBA, ColorRGB, IndexedColor,
// Boolean, Boolean2d, MaterialWrap, TextureFilename, Material, MeshFace,
// MeshFaceWraps, MeshTextureCoords, MeshMaterialList, MeshNormals,
// MeshVertexColors, Mesh), then those of frames and animations.
[[nodiscard]] Document StandardDocument();

// The standard templates, then those that DirectX's mesh library registers
// itself (skinning, animation, vertex declarations, effects, patches,
// progressive meshes, property bags): what the readers know in a file that
// does not declare them. Writers count only the standard ones as known, and
// with BinaryOptions::Templates only those of meshes.
[[nodiscard]] Document RegisteredDocument();

}  // namespace verdin::xof
