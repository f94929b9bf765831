#pragma once

#include <atomic>
#include <cstddef>
#include <span>
#include <string>

namespace verdin {

// Whether bytes start like an image file that the converter or a model
// loader reads: BMP, JPEG, PNG, GIF, Netpbm (PPM and its kin), DDS, or a
// TGA header. Textures are copied only then: a model names its images, and
// no file of any other kind.
bool StartsLikeImage(std::span<const unsigned char> start);
// The two that glTF files hold as they are.
bool StartsLikePng(std::span<const unsigned char> start);
bool StartsLikeJpeg(std::span<const unsigned char> start);

// Whether the path names an input file (a regular file of at most 1 GiB)
// that starts like an image.
bool IsImageFile(const std::string& path);

// Copies an image file to `destination` through a replacement of it: only
// an input file that starts like an image, read up to the input limit, and
// never over a regular file that is no image, such as a document that bears
// the name. The copy has no permission its source lacks, but for the owner's
// write permission, which lets a later conversion replace it. False, with the
// destination as it was, when any of this fails or `stop` is set before the
// copy is whole.
bool CopyImageFile(const std::string& source, const std::string& destination, const std::atomic<int>& stop);

// Writes an image made from `source` (such as its PNG form) to
// `destination` under the same rules as a copy.
bool SaveImageFile(const std::string& source, const std::string& destination, std::span<const unsigned char> bytes);

}  // namespace verdin
