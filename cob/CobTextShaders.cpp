#include "cob/CobTextShaders.h"

#include "cob/CobTextLines.h"

#include <optional>

namespace verdin {

namespace {

std::optional<Shader::Class> ClassNamed(std::string_view line)
{
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.size() != 1)
        return std::nullopt;
    if (words[0] == "color")
        return Shader::Class::kColour;
    if (words[0] == "transparency")
        return Shader::Class::kTransparency;
    if (words[0] == "reflectance")
        return Shader::Class::kReflectance;
    if (words[0] == "displacement")
        return Shader::Class::kDisplacement;
    return std::nullopt;
}

// "\"plain color\" (plain)" gives "plain"; a name without parentheses is
// taken as it stands, without its quotes.
std::string ShaderName(std::string_view text)
{
    const std::size_t open = text.rfind('(');
    const std::size_t close = text.rfind(')');
    if (open != std::string_view::npos && close != std::string_view::npos && open < close)
        return std::string(text.substr(open + 1, close - open - 1));
    const std::size_t first = text.find('"');
    const std::size_t last = text.rfind('"');
    if (first != last)
        return std::string(text.substr(first + 1, last - first - 1));
    return std::string(text);
}

// "S repeat: float 1", "colour: color (88, 111, 232)", "animate: bool 0",
// "file name: string \"dwarf.jpg\"". Null for a line of another form.
std::optional<ShaderParameter> ReadParameter(const CobTextBody& body, std::string_view line)
{
    const std::size_t colon = line.find(": ");
    if (colon == std::string_view::npos)
        return std::nullopt;
    ShaderParameter parameter;
    parameter.name = line.substr(0, colon);
    // The type, then the value, between blanks.
    std::string_view value = Trimmed(line.substr(colon + 2));
    const std::size_t typeEnd = value.find_first_of(" \t");
    const std::string_view type = value.substr(0, typeEnd);
    value = typeEnd == std::string_view::npos ? std::string_view() : Trimmed(value.substr(typeEnd));
    if (type == "float") {
        parameter.numbers[0] = body.Float(value);
    } else if (type == "bool") {
        parameter.type = ShaderParameter::Type::kBool;
        parameter.numbers[0] = body.Integer(value, 0, 1) != 0 ? 1.0f : 0.0f;
    } else if (type == "color") {
        // Colours are written as bytes, 0 to 255.
        parameter.type = ShaderParameter::Type::kColour;
        const std::size_t open = value.find('(') + 1;  // 0 without one
        const std::vector<float> bytes = body.Floats(value.substr(open, value.rfind(')') - open), 3);
        for (std::size_t i = 0; i < 3; ++i)
            parameter.numbers[i] = bytes[i] / 255;
    } else if (type == "string") {
        parameter.type = ShaderParameter::Type::kString;
        const std::size_t open = value.find('"');
        const std::size_t close = value.rfind('"');
        if (open == close)
            body.Fail("a quoted " + parameter.name + " expected");
        parameter.text = value.substr(open + 1, close - open - 1);
    } else {
        return std::nullopt;
    }
    return parameter;
}

}  // namespace

ShaderBox ReadCobTextShaders(CobTextBody& body)
{
    ShaderBox box;
    bool inKnownClass = false;
    while (!body.AtEnd()) {
        const std::string_view line = body.Next({});
        if (line.starts_with("Shader class:")) {
            const std::optional<Shader::Class> shaderClass = ClassNamed(line.substr(13));
            inKnownClass = shaderClass.has_value();
            if (inKnownClass)
                box.shaders.emplace_back().shaderClass = *shaderClass;
        } else if (!inKnownClass || line.starts_with("Number of parameters:") || line.starts_with("Flags:")) {
            continue;
        } else if (line.starts_with("Shader name:")) {
            box.shaders.back().name = ShaderName(line.substr(12));
        } else if (std::optional<ShaderParameter> parameter = ReadParameter(body, line)) {
            box.shaders.back().parameters.push_back(std::move(*parameter));
        }
    }
    return box;
}

}  // namespace verdin
