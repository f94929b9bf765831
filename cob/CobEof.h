#pragma once

#include <stdexcept>

namespace verdin {

// Raised by every COB read that finds fewer bytes than it needs; the job
// catches it per file.
class CobEofError : public std::runtime_error {
public:
    CobEofError() : std::runtime_error("EOF") {}
};

// Raised by the text-form reader for a line it cannot read; what() is the
// report line that names the line and what is wrong with it.
class CobTextError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace verdin
