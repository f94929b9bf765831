#pragma once

#include <utility>

#include "xof/Result.h"

namespace verdin::xof {

// Thrown inside the readers to leave a deeply nested parse at once; the
// public entry points catch it and hand its error back as a Result.
struct ParseFailure {
    Error error;
};

}  // namespace verdin::xof
