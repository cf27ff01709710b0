// The job's least-squares data file: the unadjusted elevation differences
// of every run of the job, each with its error estimate, gathered for the
// network adjustment.
#pragma once

#include <string>

#include "common/files.h"
#include "leveling/reduction.h"

namespace trired {

// Creates the file empty when it does not exist; an existing file is left
// as it is.
void createEmptyIfAbsent(const std::string& path);

// The new content of the file, not yet in place: its old lines, each as
// exactly 72 characters, or the opening record when it had none. The
// caller appends the run's difference records and commits it.
vorn::ReplacementFile beginLeastSquaresUpdate(const std::string& path);

void writeDifferenceRecord(vorn::RecordSink& file, const vorn::StationEntry& from, const vorn::StationEntry& to,
                           const vorn::StationDifference& difference);

}  // namespace trired
