#include "xof/src/Header.h"

namespace verdin::xof {

namespace {

std::optional<unsigned> TwoDigits(std::string_view text)
{
    if (text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
        return std::nullopt;
    }
    return static_cast<unsigned>((text[0] - '0') * 10 + (text[1] - '0'));
}

}  // namespace

std::optional<FileHeader> ReadFileHeader(std::string_view bytes)
{
    if (bytes.size() < kHeaderSize || bytes.substr(0, 4) != "xof ") {
        return std::nullopt;
    }
    const auto major = TwoDigits(bytes.substr(4, 2));
    const auto minor = TwoDigits(bytes.substr(6, 2));
    const std::string_view format = bytes.substr(8, 4);
    const std::string_view floats = bytes.substr(12, 4);
    if (!major || !minor) {
        return std::nullopt;
    }
    if (format != "txt " && format != "bin " && format != "tzip" && format != "bzip") {
        return std::nullopt;
    }
    if (floats != "0032" && floats != "0064") {
        return std::nullopt;
    }
    return FileHeader{*major, *minor, format, floats == "0032" ? 32u : 64u};
}

}  // namespace verdin::xof
