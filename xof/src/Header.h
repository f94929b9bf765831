#pragma once

#include <optional>
#include <string_view>

namespace verdin::xof {

inline constexpr std::size_t kHeaderSize = 16;

// The 16-byte header "xof " + version + format + float size.
struct FileHeader {
    unsigned versionMajor = 0;
    unsigned versionMinor = 0;
    std::string_view format;  // "txt ", "bin ", "tzip" or "bzip"
    unsigned floatBits = 0;   // 32 or 64
};

// Empty when the bytes do not start with a well-formed header.
[[nodiscard]] std::optional<FileHeader> ReadFileHeader(std::string_view bytes);

}  // namespace verdin::xof
