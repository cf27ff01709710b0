// The questions that settle the units and the decimal point of the field
// data, and the listing of the converted setups on the console and in the
// results file.
#pragma once

#include <cstdint>
#include <string>

#include "common/console.h"
#include "digconv/tds.h"
#include "leveling/reduction.h"

namespace vorn::digconv {

// The unit of the data. Readings, elevations and distances are all in it.
struct DataUnit {
  LengthUnit unit = LengthUnit::Feet;
  std::string name{"FEET  "};  // 6 characters: "FEET  " or "METERS"
  char controlLetter = 'F';    // the control file's unit letter
};

// The units question; writes the unit and stadia lines to the results file.
DataUnit askDataUnit(Console& console, RecordSink& results);

// Shows the first backsight's scaled reading (distance) and asks for a
// multiplier that puts its decimal point right; returns the corrected value
// and divides the rod (distance) divisor by the multiplier, so the
// correction carries over to every later value.
double guessReading(Console& console, ScalingState& scaling, double reading);
double guessDistance(Console& console, ScalingState& scaling, double distance);

void listFieldDataHeader(Console& console, RecordSink& results);

struct FieldDataRow {
  std::int32_t setupNumber = 0;
  double backsightReading = 0;
  double foresightReading = 0;
  double backsightDistance = 0;
  double foresightDistance = 0;
  double backsightSum = 0;
  double foresightSum = 0;
  double runningElevation = 0;
};

void listSetup(Console& console, RecordSink& results, const FieldDataRow& row);

}  // namespace vorn::digconv
