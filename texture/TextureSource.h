#pragma once

#include <string>

namespace verdin {

// The texture file that a material's stored name stands for: a relative name
// in the model's folder, then as it is (against the current folder), so that
// a file of that name where the program runs cannot stand in for the model's
// own; an absolute name as it is. When none of these is there, the name's
// last part in the model's folder, exactly or else without regard to case.
// The stored name itself when none of these is there.
std::string FindTextureSource(const std::string& stored, const std::string& modelFolder);

}  // namespace verdin
