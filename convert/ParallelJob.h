#pragma once

#include "convert/ConvertJob.h"

namespace verdin {

// Converts the files of a job on `threads` worker threads, giving the same
// files and the same report as one file after the other: each file's lines
// come together and in list order, then the same closing line. Files with
// the same output name are converted in list order. Runs on the calling
// thread until the job is over; the end message is not sent.
JobOutcome RunParallelJob(const ConvertParams& params, int threads);

}  // namespace verdin
