// TRICONV: converts a three-wire leveling field book into the job's
// observation and control files, naming the foresight points that the book
// leaves unnamed as turning points, and reports the level run in the job's
// results file and on the console.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/console.h"

namespace vorn::triconv {

// The name of an unnamed turning point: the prefix (blanks dropped at its
// end) and the digits of the counter, in 8 characters.
std::string turningPointName(std::string_view prefix, std::int32_t counter);

// The whole program, from the banner to the ordinary stop.
void run(Console& console);

}  // namespace vorn::triconv
