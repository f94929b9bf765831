#include "XTestSupport.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>
// The input is read through pointers to const.
#define ZLIB_CONST
#include <zlib.h>

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

namespace {

void AppendLittle(std::string& out, std::size_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

std::string Compress(std::string_view file, std::size_t blockSize)
{
    std::string out(file.substr(0, 16));
    out.replace(8, 4, file.substr(8, 4) == "bin " ? "bzip" : "tzip");
    AppendLittle(out, file.size(), 4);
    const std::string_view body = file.substr(16);
    for (std::size_t start = 0; start < body.size(); start += blockSize) {
        const std::string_view plain = body.substr(start, blockSize);
        z_stream stream{};
        EXPECT_EQ(deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
        const std::size_t history = std::min<std::size_t>(start, 32768);
        if (history != 0) {
            deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(body.data() + start - history),
                                 static_cast<uInt>(history));
        }
        std::string packed(deflateBound(&stream, static_cast<uLong>(plain.size())), '\0');
        stream.next_in = reinterpret_cast<const Bytef*>(plain.data());
        stream.avail_in = static_cast<uInt>(plain.size());
        stream.next_out = reinterpret_cast<Bytef*>(packed.data());
        stream.avail_out = static_cast<uInt>(packed.size());
        EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
        packed.resize(stream.total_out);
        deflateEnd(&stream);
        AppendLittle(out, plain.size(), 2);
        AppendLittle(out, packed.size() + 2, 2);
        out += "CK" + packed;
    }
    return out;
}

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
