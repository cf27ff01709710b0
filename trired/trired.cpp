#include "trired.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "common/dialogue.h"
#include "common/files.h"
#include "common/records.h"
#include "least_squares.h"
#include "leveling/fieldbook.h"
#include "leveling/questions.h"
#include "leveling/reduction.h"
#include "leveling/report.h"

namespace trired {

using namespace vorn;

namespace {

const RecordFormat kBanner("(' COMPUTER PROGRAM TRIRED 12-06-93')");
const RecordFormat kNoJobFile("(' NO TEMP.JOB (PROJECT NAME) - RUN VORN PROGRAM JOBSET')");
const RecordFormat kFieldBookQuestion("(' FILE NAME FOR INPUT 3 WIRE LEVELING DATA IS:')");
const RecordFormat kResultsFileLine("(' FILE NAME FOR OUTPUT IS (RESULTS):',A)");
const RecordFormat kLeastSquaresFileLine("(' FILE NAME FOR LEAST SQUARES DATA IS:',A)");
const RecordFormat kFieldBookNotFound("(' INPUT 3 WIRE DATA FILE NOT FOUND - STOP')");
const RecordFormat kRodUnitQuestion("(' ROD READINGS ARE IN ',/,' (1) FT',/,' (2) YARDS',/,' (3) METERS',/,' PICK A # <1>')");
const RecordFormat kElevationUnitQuestion(
    "(' ELEVATIONS AND PRODUCED ELEV. DIFFERENCES ARE IN',/,' (1) FT',/,' (2) YARDS',/,' (3) METERS',/,"
    "' PICK A # <1>')");
const RecordFormat kCollimationQuestion(
    "(' INPUT IN ',A,' INCLINATION (+)/DECLINATION (-) ERROR PER 100 ',A,/,' INPUT ZERO IF NONE OR NO PEG TEST')");
const RecordFormat kCurvatureQuestion("(' CORRECT FOR CURVATURE & REFRACTION (Y/N)? <Y>')");
const RecordFormat kErrorEstimateQuestion("(' INPUT ERROR ESTIMATE (LIKE 0.001) PER SETUP IN ',A)");

constexpr int kFieldBookUnit = 1;

// The job's two output files: the names as shown (20 characters) and the
// paths used (without blanks around them).
struct JobFiles {
  std::string resultsName;
  std::string leastSquaresName;
  std::string resultsPath;
  std::string leastSquaresPath;
};

JobFiles jobFiles(std::string_view jobName) {
  JobFiles files;
  files.resultsName = jobFileName(jobName, ".3WR");
  files.leastSquaresName = jobFileName(jobName, ".ZZZ");
  files.resultsPath = std::string(trimBlanks(files.resultsName));
  files.leastSquaresPath = std::string(trimBlanks(files.leastSquaresName));
  return files;
}

LengthUnit unitOfChoice(char choice) {
  switch (choice) {
    case '2':
      return LengthUnit::Yards;
    case '3':
      return LengthUnit::Meters;
    default:
      return LengthUnit::Feet;
  }
}

// The six questions; the units and stadia lines go to the results file.
ReductionSettings askSettings(Console& console, OutputFile& results) {
  LengthUnit rodUnit = unitOfChoice(askChoice(console, kRodUnitQuestion, '1', "123"));
  LengthUnit elevationUnit = unitOfChoice(askChoice(console, kElevationUnitQuestion, '1', "123"));
  ReductionSettings settings = settingsForUnits(rodUnit, elevationUnit);
  writeUnitsLine({&results}, settings.rodUnitName, settings.elevationUnitName);

  settings.collimationPer100 = askNumber(console, kCollimationQuestion, {settings.rodUnitName, settings.rodUnitName});

  settings.stadiaConstant =
      askStadiaConstant(console);
  writeStadiaLine({&results}, settings.stadiaConstant);

  if (askYesNo(console, kCurvatureQuestion, 'Y') == 'N') settings.curvatureCoefficient = 0.0;

  double errorPerSetup = 0.0;
  while (!(errorPerSetup > 0.0)) {
    errorPerSetup = askNumber(console, kErrorEstimateQuestion, {settings.elevationUnitName});
  }
  settings.errorPerSetup = errorPerSetup;
  return settings;
}

void countLine(std::int32_t& lineNumber) {
  if (lineNumber < std::numeric_limits<std::int32_t>::max()) ++lineNumber;
}

// Walks the field book: seeks the start line, then reduces every setup and
// records every station. Gives nothing when the program is to stop: no
// start line, or a malformed setup line (reported on the console).
std::optional<LevelRun> walkFieldBook(Console& console, OutputFile& results, InputFile& book,
                                      const ReductionSettings& settings) {
  std::int32_t lineNumber = 0;
  std::string_view line;
  FieldLine start;
  do {
    if (!book.readLine(line)) return std::nullopt;
    countLine(lineNumber);
    start = classifyStartSearchLine(line);
  } while (start.kind != FieldLineKind::Start);
  LevelRun run = openRun(start.item, start.elevation);

  LevelSetup setup;
  while (book.readLine(line)) {
    countLine(lineNumber);
    FieldLine fieldLine = classifyRunLine(line);
    if (fieldLine.kind == FieldLineKind::Station) {
      recordStation(run, fieldLine.item);
      continue;
    }
    if (fieldLine.kind == FieldLineKind::Ignored) continue;
    if (fieldLine.kind == FieldLineKind::Malformed ||
        !setupPassesWireChecks(fieldLine.backsight, fieldLine.foresight)) {
      writeInputError({&console}, lineNumber, line);
      return std::nullopt;
    }
    setup.backsight = fieldLine.backsight;
    setup.foresight = fieldLine.foresight;
    reduceSetup(setup, settings, run);
    writeSetupRow({&console, &results}, setup);
  }
  return run;
}

// The closing elevation, the report and the least-squares data file.
void reportRun(Console& console, OutputFile& results, const JobFiles& files, LevelRun& run,
               const ReductionSettings& settings) {
  const StationEntry& closing = closingStation(run);
  double knownClosingElevation = closesOnStart(run)
                                     ? run.stations.front().elevation
                                     : askKnownClosingElevation(console, closing);
  closeRun(run, knownClosingElevation, settings);

  writeResultsBlock({&results, &console}, summarizeRun(run, settings), settings);
  writeCurvatureNote({&results, &console}, settings.curvatureCoefficient);
  writeStationHeading({&results, &console});
  for (const StationEntry& station : run.stations) writeStationLine({&results, &console}, station);

  ReplacementFile leastSquares = beginLeastSquaresUpdate(files.leastSquaresPath);
  writeDifferencesHeading({&results, &console});
  for (std::size_t k = 1; k < run.stations.size(); ++k) {
    StationDifference difference = stationDifference(run, k, settings);
    writeDifferenceRecord(leastSquares, run.stations[k - 1], run.stations[k], difference);
    writeDifferenceLine({&results, &console}, run.stations[k - 1], run.stations[k], difference);
  }
  results.close();
  leastSquares.commit();
}

}  // namespace

void run(Console& console) {
  console.write(kBanner);
  std::optional<std::string> jobName = readJobFile();
  if (!jobName) {
    console.write(kNoJobFile);
    return;
  }
  const JobFiles files = jobFiles(*jobName);

  std::string typedName = askText(console, kFieldBookQuestion, {}, kFileNameLength);
  console.write(kResultsFileLine, {files.resultsName});
  console.write(kLeastSquaresFileLine, {files.leastSquaresName});
  std::string fieldBookPath = fileNameToOpen(console, kFieldBookUnit, typedName);
  std::optional<InputFile> book = InputFile::openExisting(fieldBookPath);
  if (!book) {
    console.write(kFieldBookNotFound);
    return;
  }
  if (inputIsJobOutput(fieldBookPath, {files.resultsPath, files.leastSquaresPath})) {
    writeInputIsJobOutput(console);
    return;
  }
  OutputFile results = OutputFile::create(files.resultsPath);
  createEmptyIfAbsent(files.leastSquaresPath);

  const ReductionSettings settings = askSettings(console, results);
  writeSetupHeading({&results, &console});
  std::optional<LevelRun> levelRun = walkFieldBook(console, results, *book, settings);
  if (!levelRun) {
    results.close();
    return;
  }
  reportRun(console, results, files, *levelRun, settings);
}

}  // namespace trired
