// Questions and checks the three leveling programs share.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/console.h"
#include "common/records.h"
#include "leveling/reduction.h"

namespace vorn {

// The starting number of automatic turning-point names, 1 to 99999: read
// straight from the console; below 1 asks again, above 99999 says to use a
// smaller suffix first.
std::int32_t askTurningPointSuffix(Console& console, const RecordFormat& prompt);

// The stadia constant, 49 to 501; an empty answer keeps 100.
double askStadiaConstant(Console& console);

// The known elevation of the closing station, any number.
double askKnownClosingElevation(Console& console, const StationEntry& closing);

// True when the input file is one of the named output files of the job
// (compared as files, so another name or a link of it counts): opening the
// outputs for writing would destroy it.
bool inputIsJobOutput(const std::string& inputPath, std::initializer_list<std::string_view> outputNames);

// The message that refuses such an input.
void writeInputIsJobOutput(Console& console);

}  // namespace vorn
