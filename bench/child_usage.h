// Runs a program as a child process and measures what it used: its peak
// resident memory and its processor time.
#pragma once

#include <string>
#include <vector>

namespace vorn::bench {

struct ChildUsage {
  double peakMiB = 0;     // peak resident memory
  double cpuSeconds = 0;  // user and system time
};

// Runs argv[0] in `folder` with standard input from the file `input` and
// standard output and error to /dev/null. Throws when it does not end with
// status 0.
ChildUsage runMeasured(const std::vector<std::string>& argv, const std::string& input, const std::string& folder);

}  // namespace vorn::bench
