#pragma once

#include <stdexcept>

namespace verdin {

// Raised by every COB read that finds fewer bytes than it needs; the job
// catches it per file.
class CobEofError : public std::runtime_error {
public:
    CobEofError() : std::runtime_error("EOF") {}
};

}  // namespace verdin
