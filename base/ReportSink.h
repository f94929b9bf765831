#pragma once

#include <string_view>

namespace verdin {

// Where a step that may run on several threads leaves its report lines, so
// that they reach the report in the order of the work, not of the threads.
class ReportSink {
public:
    virtual void ReportLine(std::string_view line) = 0;

protected:
    ~ReportSink() = default;
};

}  // namespace verdin
