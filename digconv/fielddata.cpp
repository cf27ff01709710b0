#include "digconv/fielddata.h"

#include <cmath>

#include "common/dialogue.h"
#include "common/records.h"
#include "leveling/report.h"

namespace vorn::digconv {

namespace {

const RecordFormat kUnitsQuestion("(' DATA IN TOPCON TDS FILE IS IN ',/,' (1) FT',/,' (2) METERS',/,' PICK A # <1>')");

const RecordFormat kReadingGuess(
    "(' Zub has to guess where to put decimal point in rod readings',/,"
    "' as it seems Topcon TDS files are never consistent.',/,"
    "' A guess of 1st backsight rod reading is ',F9.4,/,"
    "' If correct press enter, if incorrect input a multiplier ',/,"
    "' to it (0.01, 0.1, 10, 100, etc.) which corrects it')");
const RecordFormat kDistanceGuess(
    "(' Zub has to guess where to put decimal point in sight distances.',/,"
    "' as it seems Topcon TDS files are never consistent.',/,"
    "' A guess of 1st backsight sight distance is ',F9.4,/,"
    "' If correct press enter, if incorrect input a multiplier ',/,"
    "' to it (0.01, 0.1, 10, 100, etc.) which corrects it')");
constexpr std::size_t kMultiplierLength = 20;

const RecordFormat kListingHeader(
    "(' FIELD DATA ',/,/,' SETUP # BS MID FS MID  BS DIST  FS DIST SUM BS DIST SUM FS DIST FS RAW ELEV.')");
const RecordFormat kListingLine("(1X,I6,F8.3,F7.3,F8.1,F9.1,F12.0,F12.0,F12.3)");

// A multiplier must be a positive number; an infinite one would leave the
// divisor at zero.
bool usableMultiplier(double m) { return m > 0 && std::isfinite(m); }

double askMultiplier(Console& console, const RecordFormat& prompt, double guess) {
  return askNumberWithDefault(console, prompt, 1.0, kMultiplierLength, usableMultiplier, {guess});
}

}  // namespace

DataUnit askDataUnit(Console& console, RecordSink& results) {
  DataUnit data;
  if (askChoice(console, kUnitsQuestion, '1', "12") == '2') data.unit = LengthUnit::Meters;
  data.name = std::string(lengthUnitName(data.unit));
  data.controlLetter = data.unit == LengthUnit::Meters ? 'M' : 'F';
  // Readings and elevations are in the same unit; the stadia constant is fixed.
  writeUnitsLine({&results}, data.name, data.name);
  writeStadiaLine({&results}, kDefaultStadiaConstant);
  return data;
}

double guessReading(Console& console, ScalingState& scaling, double reading) {
  double multiplier = askMultiplier(console, kReadingGuess, reading);
  scaling.rodDivisor /= multiplier;
  return reading * multiplier;
}

double guessDistance(Console& console, ScalingState& scaling, double distance) {
  double multiplier = askMultiplier(console, kDistanceGuess, distance);
  scaling.distanceDivisor /= multiplier;
  return distance * multiplier;
}

void listFieldDataHeader(Console& console, RecordSink& results) {
  results.write(kListingHeader);
  console.write(kListingHeader);
}

void listSetup(Console& console, RecordSink& results, const FieldDataRow& row) {
  const std::initializer_list<Value> values = {row.setupNumber,       row.backsightReading, row.foresightReading,
                                               row.backsightDistance, row.foresightDistance, row.backsightSum,
                                               row.foresightSum,      row.runningElevation};
  console.write(kListingLine, values);
  results.write(kListingLine, values);
}

}  // namespace vorn::digconv
