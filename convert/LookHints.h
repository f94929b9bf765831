#pragma once

#include "base/OptionFlags.h"
#include "cob/Chunk.h"

namespace verdin {

// The LookHint bits the chunks of a file earn under the options: materials
// refused for being newer, and objects placed apart that a .x file without
// positions stacks on one another.
unsigned LookHintsOf(const CChunkList& chunks, const OptionFlags& options);

}  // namespace verdin
