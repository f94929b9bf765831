#include "texture/ImageFiles.h"

#include "base/FileReplacement.h"
#include "base/FileSystemPath.h"
#include "base/InputFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace verdin {

namespace {

// The longest start that StartsLikeImage looks at: a TGA header.
constexpr std::size_t kTgaHeaderSize = 18;

std::uint32_t Uint16At(std::span<const unsigned char> bytes, std::size_t offset)
{
    return bytes[offset] | static_cast<std::uint32_t>(bytes[offset + 1]) << 8;
}

// A BMP file header followed by one of the info headers' sizes (a 32-bit
// number at offset 14).
bool IsBmp(std::span<const unsigned char> start)
{
    constexpr std::array<std::uint32_t, 7> kInfoSizes{12, 40, 52, 56, 64, 108, 124};
    return start.size() >= 18 && start[0] == 'B' && start[1] == 'M' && Uint16At(start, 16) == 0 &&
           std::find(kInfoSizes.begin(), kInfoSizes.end(), Uint16At(start, 14)) != kInfoSizes.end();
}

// "P1" to "P6" and a blank.
bool IsNetpbm(std::span<const unsigned char> start)
{
    return start.size() >= 3 && start[0] == 'P' && start[1] >= '1' && start[1] <= '6' &&
           std::string_view(" \t\r\n").find(static_cast<char>(start[2])) != std::string_view::npos;
}

// TGA files have no signature: their header's fields must all make sense.
bool IsTga(std::span<const unsigned char> start)
{
    if (start.size() < kTgaHeaderSize)
        return false;
    const unsigned colourMap = start[1], type = start[2], entryBits = start[7], depth = start[16];
    const bool mapped = type == 1 || type == 9;
    const bool known = mapped || type == 2 || type == 3 || type == 10 || type == 11;
    const bool mapFits = colourMap == 0
                             ? !mapped
                             : colourMap == 1 && Uint16At(start, 5) > 0 &&
                                   (entryBits == 15 || entryBits == 16 || entryBits == 24 || entryBits == 32);
    const bool depthKnown = depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
    return known && mapFits && depthKnown && Uint16At(start, 12) > 0 && Uint16At(start, 14) > 0 &&
           (start[17] & 0xC0) == 0;
}

bool StartsWith(std::span<const unsigned char> start, std::string_view signature)
{
    return start.size() >= signature.size() &&
           std::equal(signature.begin(), signature.end(), start.begin(),
                      [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; });
}

// A regular file at the path that is no image: a document the copy must not replace.
bool HoldsOtherThanImage(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::symlink_status(FileSystemPath(path), error)) &&
           !IsImageFile(path);
}

}  // namespace

bool StartsLikePng(std::span<const unsigned char> start)
{
    return StartsWith(start, "\x89PNG\r\n\x1A\n");
}

bool StartsLikeJpeg(std::span<const unsigned char> start)
{
    return StartsWith(start, "\xFF\xD8\xFF");
}

bool StartsLikeImage(std::span<const unsigned char> start)
{
    return IsBmp(start) || StartsLikeJpeg(start) || StartsLikePng(start) || StartsWith(start, "GIF87a") ||
           StartsWith(start, "GIF89a") || IsNetpbm(start) || StartsWith(start, "DDS ") || IsTga(start);
}

bool IsImageFile(const std::string& path)
{
    InputFile in;
    std::array<unsigned char, kTgaHeaderSize> start;
    return in.Open(path) && StartsLikeImage({start.data(), in.Read(start.data(), start.size())});
}

namespace {

// Opens the replacement of `destination` for an image made from `source`,
// whose first bytes are `start`: false when they are no image's, or when the
// destination is a file that is no image.
bool OpenImageReplacement(FileReplacement& out, const std::string& source, const std::string& destination,
                          std::span<const unsigned char> start, std::error_code& error)
{
    if (!StartsLikeImage(start) || HoldsOtherThanImage(destination) || !out.Open(destination))
        return false;
    // No one may read what is made of the source who may not read the
    // source; the owner may write it, so that the next conversion can
    // replace it.
    out.LimitPermissions(std::filesystem::status(FileSystemPath(source), error).permissions() |
                         std::filesystem::perms::owner_write);
    return true;
}

}  // namespace

bool SaveImageFile(const std::string& source, const std::string& destination, std::span<const unsigned char> bytes)
{
    FileReplacement out;
    std::error_code error;
    if (!OpenImageReplacement(out, source, destination, bytes, error))
        return false;
    out.Write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return !error && out.Commit();
}

bool CopyImageFile(const std::string& source, const std::string& destination, const std::atomic<int>& stop)
{
    InputFile in;
    if (!in.Open(source))
        return false;
    std::vector<unsigned char> block(std::size_t{1} << 16);
    std::size_t got = in.Read(block.data(), block.size());
    FileReplacement out;
    std::error_code error;
    if (!OpenImageReplacement(out, source, destination, {block.data(), got}, error))
        return false;
    for (; got > 0; got = in.Read(block.data(), block.size())) {
        if (stop.load(std::memory_order_relaxed) != 0)
            return false;
        out.Write(reinterpret_cast<const char*>(block.data()), got);
    }
    return !in.Failed() && !error && out.Commit();
}

}  // namespace verdin
