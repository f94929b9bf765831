#include <optional>
#include <string>
#include <utility>

#include "xof/Stream.h"
#include "xof/Xof.h"
#include "xof/src/Failure.h"
#include "xof/src/StreamSink.h"
#include "xof/src/TextReader.h"
#include "xof/src/TextScanner.h"

namespace verdin::xof {

namespace {

// One reading of the text, its objects written as they are read, without a
// model in between. Its result: the definitions of all its templates to be
// written when they differ from those written ahead of the objects.
Result<std::optional<std::string>> ConvertOnce(TextSource& text, BinaryOutput& out, BinaryOptions options,
                                               std::size_t window, std::optional<std::string> definitions)
{
    TextScanner scanner(text, window);
    Result<Document> document = StartTextDocument(scanner);
    if (!document) {
        return document.GetError();
    }
    StreamSink sink(out, window, document.Value(), options, std::move(definitions));
    try {
        ReadTextBody(scanner, document.Value(), sink);
    } catch (ParseFailure& failure) {
        return std::move(failure.error);
    }
    return sink.EndText();
}

}  // namespace

std::optional<Error> TextToBinary(TextSource& text, BinaryOutput& out, BinaryOptions options, std::size_t window)
{
    Result<std::optional<std::string>> first = ConvertOnce(text, out, options, window, std::nullopt);
    if (!first) {
        return first.GetError();
    }
    if (!first.Value()) {
        return std::nullopt;
    }
    // Templates declared or first used after the first object go ahead of it
    // all the same: read again with them known, the same text gives the same
    // definitions.
    text.Rewind();
    out.Restart();
    Result<std::optional<std::string>> second = ConvertOnce(text, out, options, window, std::move(first.Value()));
    if (!second) {
        return second.GetError();
    }
    return std::nullopt;
}

Result<std::string> TextToBinary(std::string_view text, BinaryOptions options)
{
    MemoryTextSource source(text);
    StringOutput out;
    // Meshes take fewer bytes in binary than in text, and room never touched
    // costs no memory.
    out.Bytes().reserve(text.size());
    if (std::optional<Error> error = TextToBinary(source, out, options)) {
        return std::move(*error);
    }
    return std::move(out.Bytes());
}

}  // namespace verdin::xof
