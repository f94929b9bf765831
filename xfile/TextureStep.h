#pragma once

#include "texture/TextureScale.h"

#include <atomic>
#include <string>

namespace verdin {

class CMat1Chunk;
class ReportLog;

// Puts the texture image of one textured material next to the output file:
// finds it as seen from the model's folder, copies it into the output file's
// folder, enlarges a bitmap to power-of-two sides (setting textureScale) and,
// when the PPM option `ppm` is on, converts it to PPM and makes the material
// name the PPM file. Every outcome is reported.
void RunTextureStep(ReportLog& report, CMat1Chunk& material, const std::string& modelFolder,
                    const std::string& outputName, TextureScale& textureScale, const std::atomic<int>& ppm);

}  // namespace verdin
