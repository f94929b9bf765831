#include "XTestSupport.h"

#include <cstring>

#include <gtest/gtest.h>

namespace verdin::xof {

void PrintTo(const Value& value, std::ostream* out)
{
    *out << "{type " << static_cast<int>(value.type) << ", integer " << value.integer << ", real " << value.real << "}";
}

void PrintTo(const DataObject& object, std::ostream* out)
{
    if (object.isReference) {
        *out << "{ " << object.name << " }";
        return;
    }
    *out << object.templateName << " '" << object.name << "' (" << object.values.size() << " values, "
         << object.texts.size() << " texts) {";
    for (const DataObject& child : object.children) {
        *out << ' ';
        PrintTo(child, out);
    }
    *out << " }";
}

}  // namespace verdin::xof

namespace verdin::xof::test {

Document MustParseText(std::string_view text)
{
    Result<Document> result = ParseText(text);
    if (!result) {
        ADD_FAILURE() << "text refused: " << result.GetError().message;
        return Document{};
    }
    return std::move(result).Value();
}

Document MustParseBinary(std::string_view bytes)
{
    Result<Document> result = ParseBinary(bytes);
    if (!result) {
        ADD_FAILURE() << "binary refused: " << result.GetError().message;
        return Document{};
    }
    return std::move(result).Value();
}

Result<std::string> StreamToBinary(std::string_view text, BinaryOptions options, std::size_t window)
{
    MemoryTextSource source(text);
    StringOutput out;
    if (std::optional<Error> error = TextToBinary(source, out, options, window)) {
        return std::move(*error);
    }
    return std::move(out.Bytes());
}

std::vector<std::uint32_t> Integers(const DataObject& object)
{
    std::vector<std::uint32_t> integers;
    for (const Value& value : object.values) {
        if (IsInteger(value.type)) {
            integers.push_back(value.integer);
        }
    }
    return integers;
}

std::vector<double> Reals(const DataObject& object)
{
    std::vector<double> reals;
    for (const Value& value : object.values) {
        if (IsReal(value.type)) {
            reals.push_back(value.real);
        }
    }
    return reals;
}

const DataObject& ChildOf(const DataObject& object, std::string_view templateName)
{
    for (const DataObject& child : object.children) {
        if (child.templateName == templateName) {
            return child;
        }
    }
    ADD_FAILURE() << object.templateName << " has no " << templateName << " child";
    static const DataObject kNone;
    return kNone;
}

TokenBytes& TokenBytes::Word(std::uint16_t value)
{
    m_bytes += static_cast<char>(value & 0xFF);
    m_bytes += static_cast<char>(value >> 8);
    return *this;
}

TokenBytes& TokenBytes::Dword(std::uint32_t value)
{
    for (int byte = 0; byte < 4; ++byte) {
        m_bytes += static_cast<char>((value >> (8 * byte)) & 0xFF);
    }
    return *this;
}

TokenBytes& TokenBytes::Name(std::string_view name)
{
    Word(1).Dword(static_cast<std::uint32_t>(name.size()));
    m_bytes += name;
    return *this;
}

TokenBytes& TokenBytes::String(std::string_view text, std::uint16_t terminator)
{
    Word(2).Dword(static_cast<std::uint32_t>(text.size()));
    m_bytes += text;
    return Word(terminator);
}

TokenBytes& TokenBytes::Guid(const xof::Guid& guid)
{
    Word(5).Dword(guid.data1).Word(guid.data2).Word(guid.data3);
    for (const std::uint8_t byte : guid.data4) {
        m_bytes += static_cast<char>(byte);
    }
    return *this;
}

TokenBytes& TokenBytes::Integers(const std::vector<std::uint32_t>& values)
{
    Word(6).Dword(static_cast<std::uint32_t>(values.size()));
    for (const std::uint32_t value : values) {
        Dword(value);
    }
    return *this;
}

TokenBytes& TokenBytes::Floats(const std::vector<float>& values)
{
    Word(7).Dword(static_cast<std::uint32_t>(values.size()));
    for (const float value : values) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        Dword(bits);
    }
    return *this;
}

TokenBytes& TokenBytes::Doubles(const std::vector<double>& values)
{
    Word(7).Dword(static_cast<std::uint32_t>(values.size()));
    for (const double value : values) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        Dword(static_cast<std::uint32_t>(bits)).Dword(static_cast<std::uint32_t>(bits >> 32));
    }
    return *this;
}

}  // namespace verdin::xof::test
