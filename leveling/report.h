// The results report of a level run: one writer per kind of line, each
// told where the line goes. Where a line goes to several destinations, it
// is written to them in the order they are given.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "common/console.h"
#include "reduction.h"

namespace vorn {

// The destinations of a report line, in the order it is written to them.
using Destinations = std::initializer_list<RecordSink*>;

// The values of the results block.
struct RunSummary {
  StationName startingStation;
  double startingElevation = 0.0;
  StationName closingStation;
  double knownClosingElevation = 0.0;
  double closingElevation = 0.0;  // as computed
  double closureError = 0.0;
  double cumulativeError = 0.0;
  double errorPerSetup = 0.0;
  std::int32_t setups = 0;
  double backsightDistanceSum = 0.0;  // elevation units
  double foresightDistanceSum = 0.0;  // elevation units
  double collimationPer100 = 0.0;
};

// The summary of a closed run.
RunSummary summarizeRun(const LevelRun& run, const ReductionSettings& settings);

void writeUnitsLine(Destinations out, std::string_view rodUnitName, std::string_view elevationUnitName);
void writeStadiaLine(Destinations out, double stadiaConstant);
void writeSetupHeading(Destinations out);
void writeSetupRow(Destinations out, const LevelSetup& setup);
// The full results block, with the unit names of the settings.
void writeResultsBlock(Destinations out, const RunSummary& summary, const ReductionSettings& settings);
// The short results block: without the cumulative error, the error per
// setup and the line-of-sight error.
void writeShortResultsBlock(Destinations out, const RunSummary& summary, std::string_view elevationUnitName);
void writeCurvatureNote(Destinations out, double curvatureCoefficient);
void writeStationHeading(Destinations out);
void writeStationLine(Destinations out, const StationEntry& station);
void writeDifferencesHeading(Destinations out);
void writeDifferenceLine(Destinations out, const StationEntry& from, const StationEntry& to,
                         const StationDifference& difference);

// The input-error stop's message: the line number and columns 1 to 78 of
// the line (read as 80 columns, so a short line is blank-padded).
void writeInputError(Destinations out, std::int32_t lineNumber, std::string_view line);

}  // namespace vorn
