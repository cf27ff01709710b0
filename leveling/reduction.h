// The arithmetic of a three-wire level run: sights into stadia distances,
// check errors and middle readings; setups into elevation differences with
// the optional collimation and curvature-and-refraction terms; the running
// elevation, the station table and the closing of the run. Nothing is
// adjusted: every elevation is the plain sum of the differences so far.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fieldbook.h"

namespace vorn {

enum class LengthUnit { Feet, Yards, Meters };

// Feet and meters convert with 39.37 inches to the meter.
inline constexpr double kInchesPerMeter = 39.37;
inline constexpr double kInchesPerFoot = 12.0;
inline constexpr double kInchesPerYard = 36.0;
inline constexpr double kFeetPerYard = 3.0;

// Curvature and refraction together: feet of correction per (thousand feet
// of sight distance) squared.
inline constexpr double kCurvatureRefractionFeetPerThousandFeetSquared = 0.0206;

inline constexpr double kDefaultStadiaConstant = 100.0;

// "FEET  ", "YARDS " or "METERS": the unit's name in 6 characters.
std::string_view lengthUnitName(LengthUnit unit);

// How many `to` units one `from` unit is (inches per `from` over inches
// per `to`).
double unitFactor(LengthUnit from, LengthUnit to);

struct ReductionSettings {
  LengthUnit rodUnit = LengthUnit::Feet;
  std::string rodUnitName = "FEET  ";
  LengthUnit elevationUnit = LengthUnit::Feet;
  std::string elevationUnitName = "FEET  ";
  double rodToFeet = 1.0;         // f
  double rodToElevation = 1.0;    // g
  double collimationPer100 = 0.0; // e, rod units per 100 rod units of sight; + inclination
  double stadiaConstant = kDefaultStadiaConstant;  // K
  double curvatureCoefficient = kCurvatureRefractionFeetPerThousandFeetSquared;  // c, or 0 for none
  double errorPerSetup = 0.0;     // s, elevation units
};

// Settings with the units, their names and the two factors of a rod unit
// and an elevation unit; the other fields keep their initial values.
ReductionSettings settingsForUnits(LengthUnit rodUnit, LengthUnit elevationUnit);

// One sight reduced.
struct SightReduction {
  double distance = 0.0;    // rod units
  double checkError = 0.0;  // mean of upper and lower minus middle; 0 when a wire is missing
  double middleUsed = 0.0;  // mean of the three wires, or the middle as read when a wire is missing
};

// One sight: (U - L) x K with all three wires, twice the remaining
// interval when the upper (tested first) or the lower wire is missing.
SightReduction reduceSight(const WireReadings& sight, double stadiaConstant);

struct LevelSetup {
  std::int32_t number = 0;  // 1 for the first setup of the run
  WireReadings backsight{};
  WireReadings foresight{};
  SightReduction backsightReduced{};
  SightReduction foresightReduced{};
  double elevationDifference = 0.0;  // elevation units, backsight point to foresight point
};

struct StationEntry {
  StationName name;
  double elevation = 0.0;
  std::int32_t setupsBefore = 0;
};

// The station table has no fixed limit.
struct LevelRun {
  std::vector<StationEntry> stations;
  double runningElevation = 0.0;
  std::int32_t setups = 0;
  double backsightDistanceSum = 0.0;  // rod units
  double foresightDistanceSum = 0.0;  // rod units
  double knownClosingElevation = 0.0;
  double closureError = 0.0;
  double cumulativeError = 0.0;
};

// A run starting at `name` with `elevation`: one station, no setups.
LevelRun openRun(std::string_view name, double elevation);

// Reduces both sights, stamps the setup number, computes the elevation
// difference and carries the running elevation and the distance sums.
void reduceSetup(LevelSetup& setup, const ReductionSettings& settings, LevelRun& run);

// Appends a station at the running elevation.
void recordStation(LevelRun& run, std::string_view name);

// The last station of the table closes the run.
const StationEntry& closingStation(const LevelRun& run);
// True when the closing station has the starting station's name: the run
// closes on the starting elevation and no closing elevation is asked.
bool closesOnStart(const LevelRun& run);

// Sets the known closing elevation, the closure error and the estimated
// cumulative error.
void closeRun(LevelRun& run, double knownClosingElevation, const ReductionSettings& settings);

// Elevation difference from the station before `index` to the station at
// `index` of the table (1 up to the last index), with its error estimate.
struct StationDifference {
  double difference = 0.0;
  double errorEstimate = 0.0;
};
StationDifference stationDifference(const LevelRun& run, std::size_t index, const ReductionSettings& settings);

}  // namespace vorn
