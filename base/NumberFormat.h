#pragma once

#include <cstddef>
#include <string>

namespace verdin {

// Numbers as the C locale's "%d" and "%f" write them, whatever the process
// locale says: output files and reports must not depend on it.
std::string FormatInt(long long value);
std::string FormatFloat(double value);

void AppendInt(std::string& out, long long value);
void AppendFloat(std::string& out, double value);

// The same into a buffer with room for kMaxIntChars or kMaxFloatChars;
// each returns the end of what it wrote.
constexpr std::size_t kMaxIntChars = 24;
constexpr std::size_t kMaxFloatChars = 320;  // the largest double, six decimals
char* WriteInt(char* out, long long value);
char* WriteFloat(char* out, double value);

}  // namespace verdin
