#include "digconv/flow.h"

#include <optional>
#include <string>

#include "common/dialogue.h"
#include "common/files.h"
#include "common/records.h"
#include "digconv/fielddata.h"
#include "digconv/setups.h"
#include "digconv/tds.h"
#include "leveling/obsctl.h"
#include "leveling/questions.h"
#include "leveling/report.h"

namespace vorn::digconv {

namespace {

const RecordFormat kBanner("(' COMPUTER PROGRAM DIGCONV 08-27-02')");
const RecordFormat kDefaultNamePrompt(
    "(' DEFAULT NAME FOR .LEV, .OBS AND .CTL IS ',A,/,' PRESS ENTER TO ACCEPT, OR ENTER NEW NAME')");
const RecordFormat kNamePrompt("(' INPUT NAME FOR .LEV, .OBS, AND .CTL FILES')");
const RecordFormat kSuffixPrompt(
    "(' ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS',/,"
    "' THIS ALSO SERVES AS AN ADDITION TO NUMBERED TURNING POINTS',/,"
    "' ENTER 1 IF YOU WISH TO USE EXISTING POINT NUMBERS')");
const RecordFormat kResultsFileName("(' FILE NAME FOR 3 WIRE ANALYSIS IS (RESULTS):',A)");
const RecordFormat kLevNotFound("(' INPUT .LEV DATA FILE NOT FOUND - STOP')");
const RecordFormat kBeginningBenchmark(
    "(' BEGINNING BENCHMARK WILL BE ',A,/,' PRESS ENTER TO ACCEPT OR ENTER CORRECT NAME')");
const RecordFormat kBeginningElevation(
    "(' BEGINNING ELEVATION WILL BE ',F10.3,/,' PRESS ENTER TO ACCEPT OR ENTER CORRECT VALUE')");
const RecordFormat kEndingBenchmark(
    "(' ENDING BENCHMARK WILL BE ',A,/,' PRESS ENTER TO ACCEPT OR ENTER CORRECT NAME')");
const RecordFormat kEndingElevation(
    "(' ENDING ELEVATION WILL BE ',F10.3,/,' PRESS ENTER TO ACCEPT OR ENTER CORRECT VALUE')");

constexpr std::size_t kElevationAnswerLength = 12;

bool anyNumber(double) { return true; }

// The benchmark the run starts from, as the scan found it and the user
// confirmed or corrected it.
StartingBenchmark confirmStartingBenchmark(Console& console, StartingBenchmark benchmark) {
  std::string answer = askText(console, kBeginningBenchmark, {benchmark.name}, kNameLength);
  if (!isBlank(answer)) benchmark.name = answer;
  benchmark.elevation = askNumberWithDefault(console, kBeginningElevation, benchmark.elevation,
                                             kElevationAnswerLength, anyNumber, {benchmark.elevation});
  return benchmark;
}

struct EndingBenchmark {
  std::string name;
  double knownElevation = 0;
};

EndingBenchmark askEndingBenchmark(Console& console, const RunState& run) {
  EndingBenchmark ending{run.lastTurningPointName, run.runningElevation};
  std::string answer = askText(console, kEndingBenchmark, {ending.name}, kNameLength);
  if (!isBlank(answer)) ending.name = answer;
  ending.knownElevation = askNumberWithDefault(console, kEndingElevation, run.runningElevation,
                                               kElevationAnswerLength, anyNumber, {run.runningElevation});
  return ending;
}

RunSummary summarize(const StartingBenchmark& start, const EndingBenchmark& ending, const RunState& run) {
  RunSummary summary;
  summary.startingStation = start.name;
  summary.startingElevation = start.elevation;
  summary.closingStation = ending.name;
  summary.knownClosingElevation = ending.knownElevation;
  summary.closingElevation = run.runningElevation;
  // Known minus computed: a run that comes out high shows a negative error.
  summary.closureError = ending.knownElevation - run.runningElevation;
  summary.setups = run.setupNumber;
  summary.backsightDistanceSum = run.backsightDistanceSum;
  summary.foresightDistanceSum = run.foresightDistanceSum;
  return summary;
}

// Everything from the units question on. The observation and control files
// are replaced only when the run gets to its end; an invalid setup leaves
// them as they were.
void convert(Console& console, InputFile& levFile, RecordSink& results, ObservationFiles& files,
             std::int32_t suffix) {
  DataUnit unit = askDataUnit(console, results);
  ScalingState scaling;
  StartingBenchmark start = confirmStartingBenchmark(console, scanStartingBenchmark(levFile, scaling));
  registerStartPoint(files.controlPoints, console, start.name, start.elevation);

  listFieldDataHeader(console, results);
  RunState run(suffix, start.name, start.elevation);
  RunHooks hooks(console, scaling, run);
  SetupReader reader(levFile, scaling, hooks);
  while (std::optional<TdsSetup> setup = reader.nextSetup()) {
    if (!completeSetup(*setup, run, files.observations, console, results)) {
      writeInputError({&console}, reader.lineCounter(), reader.lastLine().text);
      return;
    }
  }

  EndingBenchmark ending = askEndingBenchmark(console, run);
  registerEndPoint(files.controlPoints, ending.name, ending.knownElevation);
  writeShortResultsBlock({&results, &console}, summarize(start, ending, run), unit.name);
  writeControlFile(files, unit.controlLetter);
  commitObservationFiles(files);
}

}  // namespace

void run(Console& console) {
  for (;;) {
    console.write(kBanner);
    const std::string jobName = obtainJobName(console, kDefaultNamePrompt, kNamePrompt);
    const std::int32_t suffix = askTurningPointSuffix(console, kSuffixPrompt);
    if (isBlank(jobName)) continue;

    const std::string levName = jobFileName(jobName, ".LEV");
    const std::string resultsName = jobFileName(jobName, ".3WR");
    const std::string observationName = jobFileName(jobName, ".OBS");
    const std::string controlName = jobFileName(jobName, ".CTL");
    console.write(kResultsFileName, {resultsName});

    const std::string levPath(trimBlanks(levName));
    std::optional<InputFile> levFile = InputFile::openExisting(levPath);
    if (!levFile) {
      console.write(kLevNotFound);
      return;
    }
    // Under another name (a link) the .LEV file could be one the run writes:
    // creating the results file would empty it.
    if (inputIsJobOutput(levPath, {resultsName, observationName, controlName})) {
      writeInputIsJobOutput(console);
      return;
    }
    OutputFile results = OutputFile::create(std::string(trimBlanks(resultsName)));
    std::optional<ObservationFiles> files =
        openObservationFiles(console, observationName, controlName, kTopconObservationHeader, jobName);
    if (!files) continue;

    convert(console, *levFile, results, *files, suffix);
    results.close();
    return;
  }
}

}  // namespace vorn::digconv
