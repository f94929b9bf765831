#pragma once

#include <string>

namespace verdin {

// The texture file that a material's stored name stands for. The name is
// tried first as it is (a relative name against the current folder); when no
// file is there, in the model's folder: joined with the name when it is
// relative, then with its base name, exactly or else without regard to case.
// The stored name itself when none of these is there.
std::string FindTextureSource(const std::string& stored, const std::string& modelFolder);

}  // namespace verdin
