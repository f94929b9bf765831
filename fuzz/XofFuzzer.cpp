// Reads arbitrary bytes as a DirectX file. Bytes that start with "xof " are a
// whole file, read in whichever form its header names (so files of other
// programs are seeds as they are); a compressed one is checked again in its
// decompressed form. Other bytes are a text file (first byte even) or a file
// of any form (odd) behind that first byte. What the text reader accepts must
// come back from the binary form as the same model, and the streaming
// conversion must write the same bytes as the model's writer, or fail the
// same way, also through a window of a few bytes. The text form of what any
// reader accepts is refused or reads back as the same objects, and its glTF
// document is JSON whose buffer holds what its views say.

#include "FuzzSupport.h"
#include "gltf/GltfDocument.h"
#include "xgltf/XModel.h"
#include "xgltf/XToGltf.h"
#include "xof/Visitor.h"
#include "xof/Xof.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace verdin::xof;

void CheckTextForm(const Document& document)
{
    const Result<std::string> text = WriteText(document, BinaryOptions::Templates);
    if (!text)
        return;
    const Result<Document> back = ParseText(text.Value());
    if (!back || back.Value().objects != document.objects)
        std::abort();
}

void CheckText(std::string_view bytes, std::size_t window)
{
    Result<Document> text = ParseText(bytes);
    const Result<std::string> streamed = TextToBinary(bytes, BinaryOptions::Templates);
    if (text.HasValue() != streamed.HasValue())
        std::abort();
    MemoryTextSource source(bytes);
    StringOutput windowed;
    const std::optional<Error> error = TextToBinary(source, windowed, BinaryOptions::Templates, window);
    const bool same = error ? !streamed && error->message == streamed.GetError().message
                            : streamed && windowed.Bytes() == streamed.Value();
    if (!same)
        std::abort();
    if (!text)
        return;
    const std::string binary = WriteBinary(text.Value(), BinaryOptions::Templates);
    if (binary != streamed.Value())
        std::abort();
    const Result<Document> back = ParseBinary(binary);
    if (!back || back.Value().objects != text.Value().objects)
        std::abort();
    CheckTextForm(text.Value());
}

void CheckGltf(const Document& document)
{
    QuietReport report;
    const std::atomic<int> cancel{0};
    verdin::gltf::GltfDocument gltf;
    const verdin::xgltf::XModel model = verdin::xgltf::ReadXModel(document, report);
    if (!verdin::WriteXScene(
            model, gltf, [](const std::string&) { return -1; }, report, cancel))
        std::abort();
    gltf.CloseBuffer("");
    std::string json;
    gltf.WriteText([&json](std::string_view text) { json += text; });
    const verdin::gltf::Json parsed = verdin::gltf::Json::parse(json, nullptr, false);
    if (parsed.is_discarded())
        std::abort();
    std::uint64_t end = 0;
    for (const auto& view : parsed.value("bufferViews", verdin::gltf::Json::array()))
        end = std::max(end, view["byteOffset"].get<std::uint64_t>() + view["byteLength"].get<std::uint64_t>());
    std::uint64_t written = 0;
    gltf.WriteBuffer([&written](const char*, std::size_t size) { written += size; });
    if (end > written || written != gltf.BufferSize())
        std::abort();
}

// Reading the whole file and visiting it agree on whether it is good.
void CheckAnyForm(std::string_view bytes)
{
    class Ignore : public ObjectVisitor {
        void BeginObject(std::string_view, std::string_view) override {}
        void Integer(std::uint32_t) override {}
        void Real(double) override {}
        void Text(std::string) override {}
        void Reference(std::string_view) override {}
        void EndObject() override {}
    } ignore;
    const Result<Document> document = Parse(bytes);
    if (document.HasValue() == Visit(bytes, ignore).has_value())
        std::abort();
    if (document) {
        CheckTextForm(document.Value());
        CheckGltf(document.Value());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    if (all.starts_with("xof ")) {
        CheckAnyForm(all);
        const Result<std::string> plain = Decompress(all);
        const std::string_view file = plain ? std::string_view(plain.Value()) : all;
        if (file.size() >= 16 && file.substr(8, 4) == "txt ")
            CheckText(file, 1 + size % 61);
        return 0;
    }
    const std::string_view bytes = all.substr(1);
    if (data[0] & 1)
        CheckAnyForm(bytes);
    else
        CheckText(bytes, 1 + data[0] / 2);
    return 0;
}
