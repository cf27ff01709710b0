// DIGCONV: converts the level run of a digital level's TDS file (the job's
// .LEV file) into the job's observation and control files, with a results
// report in the job's .3WR file.
#pragma once

#include "common/console.h"

namespace vorn::digconv {

// The program's main flow, from the banner to the ordinary stop.
void run(Console& console);

}  // namespace vorn::digconv
