// JOBSET's main flow: the job name, the project's definition file, the
// settings menu, DXF.BAT, the change of project and the program-flow help.
#pragma once

#include "common/console.h"

namespace vorn::jobset {

void run(Console& console);

}  // namespace vorn::jobset
