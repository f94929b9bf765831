#pragma once

#include "texture/TextureScale.h"

#include <string>

namespace verdin {

class CConvertJob;
class CMat1Chunk;

// Puts the texture image of one textured material next to the output file:
// copies it into the output file's folder, enlarges a bitmap to power-of-two
// sides (setting textureScale) and, when the PPM option is on, converts it
// to PPM and makes the material name the PPM file. Every outcome is reported.
void RunTextureStep(CConvertJob& job, CMat1Chunk& material, const std::string& outputName,
                    TextureScale& textureScale);

}  // namespace verdin
