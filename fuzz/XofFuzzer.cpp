// Reads arbitrary bytes as a DirectX text file (first byte even) or binary
// file (odd). What the text reader accepts must come back from the binary
// form as the same model, and the streaming conversion must write the same
// bytes as the model's writer.

#include "xof/Xof.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    using namespace verdin::xof;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1) {
        (void)ParseBinary(bytes);
        return 0;
    }
    Result<Document> text = ParseText(bytes);
    const Result<std::string> streamed = TextToBinary(bytes, BinaryOptions::Templates);
    if (text.HasValue() != streamed.HasValue())
        std::abort();
    if (!text)
        return 0;
    const std::string binary = WriteBinary(text.Value(), BinaryOptions::Templates);
    if (binary != streamed.Value())
        std::abort();
    const Result<Document> back = ParseBinary(binary);
    if (!back || back.Value().objects != text.Value().objects)
        std::abort();
    return 0;
}
