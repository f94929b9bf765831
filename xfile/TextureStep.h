#pragma once

#include "texture/TextureScale.h"

#include <atomic>
#include <string>

namespace verdin {

class CMat1Chunk;
class ReportLog;
class TextureCopies;

// What the texture steps of one output file share.
struct TexturePass {
    ReportLog& report;
    const std::string& modelFolder;
    const std::string& outputName;
    TextureScale& textureScale;
    const std::atomic<int>& ppm;      // the PPM option, read at each step
    const std::atomic<int>& summary;  // the summary option: no line for an image copied as it is
    const std::atomic<int>& stop;     // set: a copy under way is given up
    TextureCopies& copies;
};

// Puts the texture image of one textured material next to the output file:
// finds it as seen from the model's folder, copies it into the output file's
// folder, enlarges a bitmap to power-of-two sides (setting textureScale) and,
// when the PPM option is on, converts it to PPM and makes the material name
// the PPM file. The model's own image, when the output lies beside it, is
// never written over. Every outcome is reported.
void RunTextureStep(const TexturePass& pass, CMat1Chunk& material);

}  // namespace verdin
