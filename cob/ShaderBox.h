#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace verdin {

class CobFile;

// One parameter of a shader, as typed in the file.
struct ShaderParameter {
    enum class Type { kFloat, kBool, kColour, kString };

    std::string name;
    Type type = Type::kFloat;
    std::array<float, 3> numbers = {};  // a float or bool in [0]; a colour's red, green, blue in [0, 1]
    std::string text;                   // a string's bytes
};

// A shader of a material: its class (colour, transparency, reflectance or
// displacement), the name the modeller knows it by, and its parameters.
struct Shader {
    enum class Class : std::uint8_t { kColour = 0, kTransparency = 1, kReflectance = 2, kDisplacement = 3 };

    Class shaderClass = Class::kColour;
    std::string name;
    std::vector<ShaderParameter> parameters;

    // The parameter of that name and type, or null.
    const ShaderParameter* Find(std::string_view parameterName, ShaderParameter::Type type) const;
    // The float parameter of that name, or `otherwise`.
    float Number(std::string_view parameterName, float otherwise) const;
};

// The shaders of one material, as newer files keep them beside its Mat1.
struct ShaderBox {
    std::vector<Shader> shaders;

    // The first shader of that class, or null.
    const Shader* OfClass(Shader::Class shaderClass) const;
};

// Reads the body of a binary ShBx chunk, from where `file` stands up to
// `bodyEnd`; the file is left wherever reading stopped. Each shader is a class byte, a
// counted name, an int32 parameter count and the parameters (a counted name,
// an int32 type and the value), followed by int16 flags. Reading stops at the
// first shader that does not fit the body or holds a type of unknown size;
// the shaders before it are kept.
ShaderBox ReadShaderBox(CobFile& file, std::size_t bodyEnd);

}  // namespace verdin
