// TRIRED: reduces one three-wire leveling field book to station
// elevations, reports the run to the job's results file and the console,
// and appends its elevation differences to the job's least-squares data
// file.
#pragma once

#include "common/console.h"

namespace trired {

// The whole program, from the banner to the point where the ordinary stop
// follows.
void run(vorn::Console& console);

}  // namespace trired
