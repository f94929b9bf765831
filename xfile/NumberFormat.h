#pragma once

#include <string>

namespace verdin {

// Numbers as the C locale's "%d" and "%f" write them, whatever the process
// locale says: output files and reports must not depend on it.
std::string FormatInt(long long value);
std::string FormatFloat(double value);

void AppendInt(std::string& out, long long value);
void AppendFloat(std::string& out, double value);

}  // namespace verdin
