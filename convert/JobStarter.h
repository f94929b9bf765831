#pragma once

#include "convert/ConvertJob.h"

#include <optional>
#include <thread>

namespace verdin {

// Starts ConvertThreadProc on a new thread and returns once the worker has
// taken over the parameters, so they may go out of scope. Returns nothing when
// no thread could be started; the end message is then never sent.
[[nodiscard]] std::optional<std::thread> StartConvertJob(ConvertParams& params);

}  // namespace verdin
