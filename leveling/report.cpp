#include "report.h"

#include <algorithm>
#include <array>

#include "common/records.h"

namespace vorn {

namespace {

const RecordFormat kUnitsLine(
    "(' ALL ROD READING INFORMATION IS IN ',A,/,' ALL ELEVATION AND ELEVATION DIFFERENCES ARE IN ',A)");
const RecordFormat kStadiaLine("(' STADIA CONSTANT IS ',F8.3,/)");
const RecordFormat kSetupHeading(
    "(' DATA AND AVE. OF UPPER AND LOWER MINUS MIDDLE READINGS',/,/,' SETUP # BS UPP   BS MID   BS LOW   FS UPP   "
    "FS MID   FS LOW   BS ERR   FS ERR')");
const RecordFormat kSetupRow("(1X,I5,8(1X,F8.4))");
const RecordFormat kResultsBlock(
    "(/,/,' ***************************************************',/,/,' THREE WIRE LEVELING RESULTS',/,/,"
    "' STARTING STATION ',A,' ELEVATION = ',F12.4,1X,A,/,/,'   ENDING STATION ',A,' ELEVATION = ',F12.4,1X,A,/,/,"
    "' CLOSING SURVEY ELEVATION = ',F12.4,1X,A,/,/,' CLOSURE ERROR = ',F8.4,1X,A,/,/,"
    "' ESTIMATED CUMULATIVE ERROR IN LEVEL RUN = ',F8.4,1X,A,/,/,' INPUT ERROR ESTIMATE PER SETUP = ',F8.4,1X,A,/,/,"
    "' NUMBER OF SETUPS = ',I5,/,/,' SUM OF BS DISTANCES = ',F12.2,1X,A,/,/,' SUM OF FS DISTANCES = ',F12.2,1X,A,/,/,"
    "' INPUT LINE OF SIGHT ERROR = ',F8.4,' PER 100 ',A,/)");
const RecordFormat kShortResultsBlock(
    "(/,/,' ***************************************************',/,/,' THREE WIRE LEVELING RESULTS',/,/,"
    "' STARTING STATION ',A,' ELEVATION = ',F12.4,1X,A,/,/,'   ENDING STATION ',A,' ELEVATION = ',F12.4,1X,A,/,/,"
    "' CLOSING SURVEY ELEVATION = ',F12.4,1X,A,/,/,' CLOSURE ERROR = ',F8.4,1X,A,/,/,"
    "' NUMBER OF SETUPS = ',I5,/,/,' SUM OF BS DISTANCES = ',F12.2,1X,A,/,/,' SUM OF FS DISTANCES = ',F12.2,1X,A,/,/)");
const RecordFormat kCorrectionsApplied(
    "(' CORRECTIONS WERE APPLIED FOR EARTH CURVATURE & ATMOSPHERIC REFRACTION')");
const RecordFormat kNoCorrectionsApplied(
    "(' NO CORRECTIONS WERE APPLIED FOR EARTH CURVATURE & ATMOSPHERIC REFRACTION')");
const RecordFormat kStationHeading("(' SURVEY ELEVATIONS (UNADJUSTED)',/,/,'   STATION        ELEVATION')");
const RecordFormat kStationLine("(1X,A,2X,F12.4)");
const RecordFormat kDifferencesHeading(
    "(/,/,' ELEVATION DIFFERENCES (UNADJUSTED)',/,/,' FROM STATION  TO STATION   ELEVATION DIFF.   ERROR "
    "ESTIMATE',/)");
const RecordFormat kDifferenceLine("(2(1X,A),2(2X,F12.4))");
const RecordFormat kInputError("(' NO FILES UPDATED ERROR IN INPUT AT LINE ',I5,/,' LINE IS',/,1X,78A1)");

// The coefficient from which on the corrections count as applied.
constexpr double kCorrectionsThreshold = 0.01;
constexpr std::size_t kInputErrorColumns = 78;

}  // namespace

RunSummary summarizeRun(const LevelRun& run, const ReductionSettings& settings) {
  RunSummary s;
  const StationEntry& start = run.stations.front();
  const StationEntry& closing = closingStation(run);
  s.startingStation = start.name;
  s.startingElevation = start.elevation;
  s.closingStation = closing.name;
  s.knownClosingElevation = run.knownClosingElevation;
  s.closingElevation = closing.elevation;
  s.closureError = run.closureError;
  s.cumulativeError = run.cumulativeError;
  s.errorPerSetup = settings.errorPerSetup;
  s.setups = run.setups;
  s.backsightDistanceSum = run.backsightDistanceSum * settings.rodToElevation;
  s.foresightDistanceSum = run.foresightDistanceSum * settings.rodToElevation;
  s.collimationPer100 = settings.collimationPer100;
  return s;
}

void writeUnitsLine(Destinations out, std::string_view rodUnitName, std::string_view elevationUnitName) {
  RecordSink::writeEach(out, kUnitsLine, {rodUnitName, elevationUnitName});
}

void writeStadiaLine(Destinations out, double stadiaConstant) {
  RecordSink::writeEach(out, kStadiaLine, {stadiaConstant});
}

void writeSetupHeading(Destinations out) { RecordSink::writeEach(out, kSetupHeading); }

void writeSetupRow(Destinations out, const LevelSetup& setup) {
  const WireReadings& bs = setup.backsight;
  const WireReadings& fs = setup.foresight;
  RecordSink::writeEach(out, kSetupRow,
                        {setup.number, bs.upper, bs.middle, bs.lower, fs.upper, fs.middle, fs.lower,
                         setup.backsightReduced.checkError, setup.foresightReduced.checkError});
}

void writeResultsBlock(Destinations out, const RunSummary& s, const ReductionSettings& settings) {
  const std::string_view elev = settings.elevationUnitName;
  RecordSink::writeEach(out, kResultsBlock,
                        {s.startingStation, s.startingElevation, elev, s.closingStation, s.knownClosingElevation, elev,
                         s.closingElevation, elev, s.closureError, elev, s.cumulativeError, elev, s.errorPerSetup, elev,
                         s.setups, s.backsightDistanceSum, elev, s.foresightDistanceSum, elev, s.collimationPer100,
                         std::string_view(settings.rodUnitName)});
}

void writeShortResultsBlock(Destinations out, const RunSummary& s, std::string_view elev) {
  RecordSink::writeEach(out, kShortResultsBlock,
                        {s.startingStation, s.startingElevation, elev, s.closingStation, s.knownClosingElevation, elev,
                         s.closingElevation, elev, s.closureError, elev, s.setups, s.backsightDistanceSum, elev,
                         s.foresightDistanceSum, elev});
}

void writeCurvatureNote(Destinations out, double curvatureCoefficient) {
  RecordSink::writeEach(out, curvatureCoefficient >= kCorrectionsThreshold ? kCorrectionsApplied
                                                                            : kNoCorrectionsApplied);
}

void writeStationHeading(Destinations out) { RecordSink::writeEach(out, kStationHeading); }

void writeStationLine(Destinations out, const StationEntry& station) {
  RecordSink::writeEach(out, kStationLine, {station.name, station.elevation});
}

void writeDifferencesHeading(Destinations out) { RecordSink::writeEach(out, kDifferencesHeading); }

void writeDifferenceLine(Destinations out, const StationEntry& from, const StationEntry& to,
                         const StationDifference& difference) {
  RecordSink::writeEach(out, kDifferenceLine,
                        {from.name, to.name, difference.difference, difference.errorEstimate});
}

void writeInputError(Destinations out, std::int32_t lineNumber, std::string_view line) {
  std::array<char, kInputErrorColumns> columns{};
  columns.fill(' ');
  std::string_view shown = line.substr(0, kInputErrorColumns);
  std::copy(shown.begin(), shown.end(), columns.begin());
  RecordSink::writeEach(out, kInputError,
                        {lineNumber, Value::characters(std::string_view(columns.data(), columns.size()))});
}

}  // namespace vorn
