#include "convert/JobStarter.h"

#include <system_error>

namespace verdin {

std::optional<std::thread> StartConvertJob(ConvertParams& params)
{
    HandOverEvent event;
    params.event = &event;
    std::optional<std::thread> worker;
    try {
        worker.emplace(ConvertThreadProc, &params);
    } catch (const std::system_error&) {
        params.event = nullptr;
        return std::nullopt;
    }
    event.Wait();
    params.event = nullptr;
    return worker;
}

}  // namespace verdin
