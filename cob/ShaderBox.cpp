#include "cob/ShaderBox.h"

#include "cob/CobEof.h"
#include "cob/CobFile.h"
#include "cob/CobRecords.h"

#include <optional>

namespace verdin {

namespace {

// Stored type numbers of the parameters whose size is known.
constexpr std::int32_t kStoredFloat = 3;
constexpr std::int32_t kStoredBool = 6;
constexpr std::int32_t kStoredColour = 7;
constexpr std::int32_t kStoredString = 10;

// Null for a type whose value the reader cannot pass over.
std::optional<ShaderParameter> ReadParameter(CobFile& file)
{
    ShaderParameter parameter;
    parameter.name = ReadCobString(file).Shown();
    switch (ReadInt32(file)) {
    case kStoredFloat:
        parameter.numbers[0] = ReadFloat(file);
        break;
    case kStoredBool:
        parameter.type = ShaderParameter::Type::kBool;
        parameter.numbers[0] = ReadInt32(file) != 0 ? 1.0f : 0.0f;
        break;
    case kStoredColour:
        parameter.type = ShaderParameter::Type::kColour;
        for (float& number : parameter.numbers)
            number = ReadFloat(file);
        break;
    case kStoredString:
        parameter.type = ShaderParameter::Type::kString;
        parameter.text = ReadCobString(file).Shown();
        break;
    default:
        return std::nullopt;
    }
    return parameter;
}

std::optional<Shader> ReadShader(CobFile& file)
{
    Shader shader;
    const std::uint8_t shaderClass = ReadByte(file);
    if (shaderClass > static_cast<std::uint8_t>(Shader::Class::kDisplacement))
        return std::nullopt;
    shader.shaderClass = static_cast<Shader::Class>(shaderClass);
    shader.name = ReadCobString(file).Shown();
    // Each parameter takes at least its name's length and its type: the
    // count bounds the loop, and every read is checked.
    const std::int32_t count = ReadInt32(file);
    for (std::int32_t i = 0; i < count; ++i) {
        std::optional<ShaderParameter> parameter = ReadParameter(file);
        if (!parameter)
            return std::nullopt;
        shader.parameters.push_back(std::move(*parameter));
    }
    ReadInt16(file);  // flags
    return shader;
}

}  // namespace

const ShaderParameter* Shader::Find(std::string_view parameterName, ShaderParameter::Type type) const
{
    for (const ShaderParameter& parameter : parameters)
        if (parameter.name == parameterName && parameter.type == type)
            return &parameter;
    return nullptr;
}

float Shader::Number(std::string_view parameterName, float otherwise) const
{
    const ShaderParameter* parameter = Find(parameterName, ShaderParameter::Type::kFloat);
    return parameter ? parameter->numbers[0] : otherwise;
}

const Shader* ShaderBox::OfClass(Shader::Class shaderClass) const
{
    for (const Shader& shader : shaders)
        if (shader.shaderClass == shaderClass)
            return &shader;
    return nullptr;
}

ShaderBox ReadShaderBox(CobFile& file, std::size_t bodyEnd)
{
    ShaderBox box;
    try {
        while (file.Position() < bodyEnd) {
            std::optional<Shader> shader = ReadShader(file);
            if (!shader || file.Position() > bodyEnd)
                break;
            box.shaders.push_back(std::move(*shader));
        }
    } catch (const CobEofError&) {
        // The shader that did not fit is left out.
    }
    return box;
}

}  // namespace verdin
