// Reads arbitrary bytes as a DirectX text file (first byte even) or binary
// file (odd). What the text reader accepts must come back from the binary
// form as the same model, and the streaming conversion must write the same
// bytes as the model's writer, or fail the same way, also through a window
// of a few bytes (the rest of the first byte). The text form of what either
// reader accepts is refused or reads back as the same objects.

#include "xof/Xof.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

void CheckTextForm(const verdin::xof::Document& document)
{
    using namespace verdin::xof;
    const Result<std::string> text = WriteText(document, BinaryOptions::Templates);
    if (!text)
        return;
    const Result<Document> back = ParseText(text.Value());
    if (!back || back.Value().objects != document.objects)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    using namespace verdin::xof;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1) {
        if (const Result<Document> binary = ParseBinary(bytes))
            CheckTextForm(binary.Value());
        return 0;
    }
    Result<Document> text = ParseText(bytes);
    const Result<std::string> streamed = TextToBinary(bytes, BinaryOptions::Templates);
    if (text.HasValue() != streamed.HasValue())
        std::abort();
    MemoryTextSource source(bytes);
    StringOutput windowed;
    const std::optional<Error> error = TextToBinary(source, windowed, BinaryOptions::Templates, 1 + data[0] / 2);
    const bool same = error ? !streamed && error->message == streamed.GetError().message
                            : streamed && windowed.Bytes() == streamed.Value();
    if (!same)
        std::abort();
    if (!text)
        return 0;
    const std::string binary = WriteBinary(text.Value(), BinaryOptions::Templates);
    if (binary != streamed.Value())
        std::abort();
    const Result<Document> back = ParseBinary(binary);
    if (!back || back.Value().objects != text.Value().objects)
        std::abort();
    CheckTextForm(text.Value());
    return 0;
}
