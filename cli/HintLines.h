#pragma once

#include "convert/ConvertJob.h"

#include <string>

// What to turn on for the files of the job that may not look right: one line
// for each cause, for standard error, where the report never goes.
std::string HintLines(const verdin::JobOutcome& outcome);
