#pragma once

namespace verdin {

// How much of an enlarged texture the original picture covers, horizontally
// (u) and vertically (v). One pair per output file; texture coordinates are
// scaled by it.
struct TextureScale {
    float u = 1.0f;
    float v = 1.0f;
};

}  // namespace verdin
