#include "reduction.h"

#include <cmath>
#include <limits>

namespace vorn {

namespace {

double inchesPer(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::Feet:
      return kInchesPerFoot;
    case LengthUnit::Yards:
      return kInchesPerYard;
    case LengthUnit::Meters:
      return kInchesPerMeter;
  }
  return kInchesPerFoot;
}

constexpr double kThousand = 1000.0;
constexpr double kHundred = 100.0;

}  // namespace

std::string_view lengthUnitName(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::Feet:
      return "FEET  ";
    case LengthUnit::Yards:
      return "YARDS ";
    case LengthUnit::Meters:
      return "METERS";
  }
  return "FEET  ";
}

double unitFactor(LengthUnit from, LengthUnit to) {
  if (from == to) return 1.0;
  return inchesPer(from) / inchesPer(to);
}

ReductionSettings settingsForUnits(LengthUnit rodUnit, LengthUnit elevationUnit) {
  ReductionSettings settings;
  settings.rodUnit = rodUnit;
  settings.rodUnitName = std::string(lengthUnitName(rodUnit));
  settings.elevationUnit = elevationUnit;
  settings.elevationUnitName = std::string(lengthUnitName(elevationUnit));
  settings.rodToFeet = unitFactor(rodUnit, LengthUnit::Feet);
  settings.rodToElevation = unitFactor(rodUnit, elevationUnit);
  return settings;
}

SightReduction reduceSight(const WireReadings& sight, double stadiaConstant) {
  const double u = sight.upper;
  const double m = sight.middle;
  const double l = sight.lower;
  SightReduction r;
  if (u == 0.0) {
    r.distance = (m - l) * stadiaConstant * 2.0;
    r.middleUsed = m;
  } else if (l == 0.0) {
    r.distance = (u - m) * stadiaConstant * 2.0;
    r.middleUsed = m;
  } else {
    r.distance = (u - l) * stadiaConstant;
    r.checkError = (l + u) / 2.0 - m;
    r.middleUsed = (l + m + u) / 3.0;
  }
  return r;
}

LevelRun openRun(std::string_view name, double elevation) {
  LevelRun run;
  run.stations.push_back(StationEntry{stationName(name), elevation, 0});
  run.runningElevation = elevation;
  return run;
}

void reduceSetup(LevelSetup& setup, const ReductionSettings& settings, LevelRun& run) {
  setup.backsightReduced = reduceSight(setup.backsight, settings.stadiaConstant);
  setup.foresightReduced = reduceSight(setup.foresight, settings.stadiaConstant);
  const double db = setup.backsightReduced.distance;
  const double df = setup.foresightReduced.distance;
  run.backsightDistanceSum += db;
  run.foresightDistanceSum += df;
  if (run.setups < std::numeric_limits<std::int32_t>::max()) ++run.setups;
  setup.number = run.setups;

  // Curvature and refraction in rod units: the distances in thousands of
  // feet give feet of correction, divided back into rod units.
  const double f = settings.rodToFeet;
  const double dfThousandFeet = df * f / kThousand;
  const double dbThousandFeet = db * f / kThousand;
  const double curvature =
      settings.curvatureCoefficient * (dfThousandFeet * dfThousandFeet - dbThousandFeet * dbThousandFeet) / f;
  const double collimation = (settings.collimationPer100 / kHundred) * (db - df);
  const double middles = setup.backsightReduced.middleUsed - setup.foresightReduced.middleUsed;
  setup.elevationDifference = (curvature + collimation + middles) * settings.rodToElevation;
  run.runningElevation += setup.elevationDifference;
}

void recordStation(LevelRun& run, std::string_view name) {
  run.stations.push_back(StationEntry{stationName(name), run.runningElevation, run.setups});
}

const StationEntry& closingStation(const LevelRun& run) { return run.stations.back(); }

bool closesOnStart(const LevelRun& run) { return closingStation(run).name == run.stations.front().name; }

void closeRun(LevelRun& run, double knownClosingElevation, const ReductionSettings& settings) {
  run.knownClosingElevation = knownClosingElevation;
  run.closureError = closingStation(run).elevation - knownClosingElevation;
  run.cumulativeError = std::sqrt(static_cast<double>(run.setups)) * settings.errorPerSetup;
}

StationDifference stationDifference(const LevelRun& run, std::size_t index, const ReductionSettings& settings) {
  const StationEntry& from = run.stations[index - 1];
  const StationEntry& to = run.stations[index];
  StationDifference d;
  d.difference = to.elevation - from.elevation;
  d.errorEstimate = std::sqrt(static_cast<double>(to.setupsBefore - from.setupsBefore)) * settings.errorPerSetup;
  return d;
}

}  // namespace vorn
