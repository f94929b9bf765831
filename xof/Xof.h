#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "xof/Document.h"
#include "xof/Result.h"
#include "xof/Stream.h"

namespace verdin::xof {

// Nesting limits that keep every reader's recursion bounded.
inline constexpr int kMaxObjectDepth = 128;   // data objects inside data objects
inline constexpr int kMaxTemplateDepth = 32;  // templates used as members of templates

// The definitions of the 19 standard templates of meshes, as DirectX text with
// "\n" line ends: what a file carries ahead of its data to declare them.
extern const std::string_view kMeshTemplates;
// The templates of frames and animations, in the same form; it starts with a
// blank line, to follow kMeshTemplates.
extern const std::string_view kFrameTemplates;
// The template of an animation's key rate, which the mesh library knows but a
// reader of the standard templates alone does not; in the same form.
extern const std::string_view kAnimTicksPerSecondTemplate;

// Reads a DirectX text file ("xof 0302txt 0064", or another version or float
// size). Separators are read leniently: a value may be followed by "," or ";"
// or neither, and extra ones before children or a closing brace are ignored.
// Errors name the line and column.
[[nodiscard]] Result<Document> ParseText(std::string_view bytes);

// Reads a DirectX binary file ("xof 0302bin 0032" or "... 0064"). Errors
// name the byte offset.
[[nodiscard]] Result<Document> ParseBinary(std::string_view bytes);

// The text or binary form of a compressed file ("tzip" or "bzip", MSZIP
// blocks): the same header naming "txt " or "bin ", then the decompressed
// bytes. Every size is checked against the input before it is used, so a
// small file that declares gigabytes is refused before anything is
// allocated. Errors name the byte offset in the compressed file.
[[nodiscard]] Result<std::string> Decompress(std::string_view bytes);

// Reads a DirectX file in whichever form its header names: text, binary or
// compressed. Errors in the decompressed form of a compressed file name their
// place in that form.
[[nodiscard]] Result<Document> Parse(std::string_view bytes);

// The form the header at the start of the bytes names: "txt ", "bin ",
// "tzip" or "bzip"; empty when they do not start with a DirectX header.
[[nodiscard]] std::string_view HeaderForm(std::string_view bytes);

enum class BinaryOptions : unsigned {
    None = 0,
    // Write the definitions of every template the document declared, and of
    // the built-in ones beyond the 19 mesh templates (frames, animations,
    // skinning and the rest of RegisteredDocument) that its objects use
    // without declaring them, with their members' templates, each after
    // those it uses: a reader told of the mesh templates alone loads it.
    Templates = 1u << 0,
};

[[nodiscard]] constexpr BinaryOptions operator|(BinaryOptions a, BinaryOptions b)
{
    return static_cast<BinaryOptions>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

[[nodiscard]] constexpr bool HasOption(BinaryOptions options, BinaryOptions option)
{
    return (static_cast<unsigned>(options) & static_cast<unsigned>(option)) != 0;
}

// Writes "xof 0302bin 0032", the template definitions and the document's
// objects. Each object's values form integer lists and float lists (4-byte
// singles, so DOUBLE members lose precision), switching where the member type
// switches; texts are string records. Without BinaryOptions::Templates,
// declared templates that differ from the standard template of their name
// are still written (a reader could not know them otherwise); the standard
// ones are not. The document must be consistent as the readers make it (every
// text value indexes its object's texts).
[[nodiscard]] std::string WriteBinary(const Document& document, BinaryOptions options);

// Writes "xof 0302txt 0032", the definitions of the templates WriteBinary
// writes with the same options, and the document's objects as DirectX text
// is usually laid out: a member per line, long arrays and arrays of templates
// an element per line, "," between elements and ";" after every member, lines
// ending in CR LF. Numbers read back to the same bits: integers in their
// type's range, FLOAT and DOUBLE values in the fewest digits that give the
// same value. An error when the document holds what the text form cannot: a
// name the text reader would not take as one, a string holding '"', a number
// that is not finite, values that do not fit their template.
[[nodiscard]] Result<std::string> WriteText(const Document& document, BinaryOptions options);

// The size of the window through which the text readers see the text, and of
// the pieces in which the binary writers hand over their output.
inline constexpr std::size_t kDefaultWindow = std::size_t{1} << 18;

// The same bytes as WriteBinary(ParseText(text)), or the same error, written
// while the text is read, without building the model. The text is read
// through a window of `window` bytes (more only for a token longer than that)
// and the output goes in pieces of about that size, so memory stays small
// whatever the size of the text. A text that declares, after its first data
// object, templates to be written, or first uses there built-in templates
// that BinaryOptions::Templates declares, is read a second time, the output
// restarted. Empty on success.
[[nodiscard]] std::optional<Error> TextToBinary(TextSource& text, BinaryOutput& out, BinaryOptions options,
                                                std::size_t window = kDefaultWindow);

// The same, from a text in memory into a string.
[[nodiscard]] Result<std::string> TextToBinary(std::string_view text, BinaryOptions options);

}  // namespace verdin::xof
