#include "triconv.h"

#include <optional>

#include "common/dialogue.h"
#include "common/files.h"
#include "common/records.h"
#include "leveling/fieldbook.h"
#include "leveling/obsctl.h"
#include "leveling/questions.h"
#include "leveling/reduction.h"
#include "leveling/report.h"

namespace vorn::triconv {

namespace {

const RecordFormat kBanner("(' COMPUTER PROGRAM TRICONV 02-16-00')");
const RecordFormat kDefaultJobName(
    "(' DEFAULT NAME FOR .OBS AND .CTL IS ',A,/,' PRESS ENTER TO ACCEPT, OR ENTER NEW NAME')");
const RecordFormat kJobNameQuestion("(' INPUT NAME FOR .OBS AND .CTL FILES')");
const RecordFormat kPrefixQuestion(
    "(' ENTER A ONE OR TWO LETTER PREFIX FOR UN-NAMED TURNING POINTS',/,' PRESS ENTER IF NO PREFIX, PLEASE USE "
    "CAPS')");
const RecordFormat kSuffixQuestion("(' ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS')");
const RecordFormat kFieldBookQuestion("(' FILE NAME CONTAINING 3 WIRE LEVELING DATA (WITH EXTENSION) IS:')");
const RecordFormat kResultsFileName("(' FILE NAME FOR 3 WIRE ANALYSIS IS (RESULTS):',A)");
const RecordFormat kFieldBookNotFound("(' INPUT 3 WIRE DATA FILE NOT FOUND - STOP')");
const RecordFormat kUnitsQuestion("(' DATA IN 3 WIRE FILE IS IN ',/,' (1) FT',/,' (2) METERS',/,' PICK A # <1>')");

constexpr std::size_t kPrefixLength = 2;
constexpr double kErrorPerSetup = 0.002;
constexpr int kFieldBookUnit = 1;

// What the dialogue settled before the job's files are opened.
struct Dialogue {
  std::string jobName;  // 12 characters
  std::string prefix;   // 2 characters, as typed
  std::int32_t suffix = 1;
};

struct JobFiles {
  std::string results;       // 20 characters each
  std::string observations;
  std::string control;
};

// Unnamed foresight points: prefix and the number of the next one.
struct TurningPoints {
  std::string prefix;
  std::int32_t counter = 1;
};

enum class Ending { Stop, StartOver };

Dialogue askNaming(Console& console) {
  Dialogue d;
  d.jobName = obtainJobName(console, kDefaultJobName, kJobNameQuestion);
  d.prefix = askText(console, kPrefixQuestion, {}, kPrefixLength);
  d.suffix = askTurningPointSuffix(console, kSuffixQuestion);
  return d;
}

ReductionSettings askUnitsAndStadia(Console& console, OutputFile& results) {
  const LengthUnit unit = askChoice(console, kUnitsQuestion, '1', "12") == '1' ? LengthUnit::Feet : LengthUnit::Meters;
  ReductionSettings settings = settingsForUnits(unit, unit);
  settings.curvatureCoefficient = 0.0;
  settings.collimationPer100 = 0.0;
  settings.errorPerSetup = kErrorPerSetup;
  writeUnitsLine({&results}, settings.rodUnitName, settings.elevationUnitName);
  settings.stadiaConstant = askStadiaConstant(console);
  writeStadiaLine({&results}, settings.stadiaConstant);
  return settings;
}

// The name of the foresight point of the setup just read: the next line's
// name when it is a Station line, otherwise the next turning point's. The
// next line is read again by the walk in its turn.
std::string foresightPointName(InputFile& book, TurningPoints& turningPoints) {
  std::string_view next;
  if (book.readLine(next)) {
    FieldLine line = classifyRunLine(next);
    std::string name = fixedText(line.item.substr(0, kObservationNameLength), kObservationNameLength);
    book.pushBack();
    if (line.kind == FieldLineKind::Station) return name;
  }
  return turningPointName(turningPoints.prefix, turningPoints.counter++);
}

// The station the run closes on, with its known elevation: the start's
// elevation when it closes on its start, otherwise the user's.
double knownClosingElevation(Console& console, const LevelRun& run) {
  if (closesOnStart(run)) return run.stations.front().elevation;
  const StationEntry& closing = closingStation(run);
  return askKnownClosingElevation(console, closing);
}

void reportRun(Console& console, OutputFile& results, const LevelRun& run, const ReductionSettings& settings) {
  writeShortResultsBlock({&results, &console}, summarizeRun(run, settings), settings.elevationUnitName);
  writeStationHeading({&results, &console});
  for (const StationEntry& station : run.stations) writeStationLine({&results, &console}, station);
  writeDifferencesHeading({&results, &console});
  for (std::size_t k = 1; k < run.stations.size(); ++k)
    writeDifferenceLine({&results, &console}, run.stations[k - 1], run.stations[k],
                        stationDifference(run, k, settings));
}

// Walks the field book from its start line to its end, writing every
// setup's records and rows. Gives the run, or nothing when the book has no
// start line or the walk stopped on an input error.
std::optional<LevelRun> walkFieldBook(Console& console, InputFile& book, OutputFile& results,
                                      ObservationFiles& files, const ReductionSettings& settings,
                                      TurningPoints& turningPoints) {
  std::int32_t lineNumber = 0;
  std::string_view line;
  FieldLine start;
  while (start.kind != FieldLineKind::Start) {
    if (!book.readLine(line)) return std::nullopt;
    ++lineNumber;
    start = classifyStartSearchLine(line);
  }
  LevelRun run = openRun(start.item, start.elevation);
  std::string backsightName = fixedText(run.stations.front().name, kObservationNameLength);
  registerStartPoint(files.controlPoints, console, backsightName, start.elevation);

  std::int32_t setupCounter = 0;
  while (book.readLine(line)) {
    ++lineNumber;
    FieldLine fieldLine = classifyRunLine(line);
    if (fieldLine.kind == FieldLineKind::Ignored) continue;
    if (fieldLine.kind == FieldLineKind::Station) {
      recordStation(run, fieldLine.item);
      continue;
    }
    if (fieldLine.kind == FieldLineKind::Malformed) {
      writeInputError({&console}, lineNumber, line);
      return std::nullopt;
    }
    const std::string setupLine(line);  // the look-ahead reuses the line
    std::string foresightName = foresightPointName(book, turningPoints);
    writeSetupRecords(files.observations, setupName(++setupCounter), backsightName, fieldLine.backsight,
                      foresightName, fieldLine.foresight);
    backsightName = std::move(foresightName);
    if (!setupPassesWireChecks(fieldLine.backsight, fieldLine.foresight)) {
      writeInputError({&console}, lineNumber, setupLine);
      return std::nullopt;
    }
    LevelSetup setup;
    setup.backsight = fieldLine.backsight;
    setup.foresight = fieldLine.foresight;
    reduceSetup(setup, settings, run);
    writeSetupRow({&console, &results}, setup);
  }
  return run;
}

// One conversion from the field-book question on. Starts over when the
// observation or control file cannot be opened.
Ending convert(Console& console, const Dialogue& dialogue) {
  const JobFiles job{jobFileName(dialogue.jobName, ".3WR"), jobFileName(dialogue.jobName, ".OBS"),
                     jobFileName(dialogue.jobName, ".CTL")};
  const std::string typedBook = askText(console, kFieldBookQuestion, {}, kFileNameLength);
  console.write(kResultsFileName, {job.results});

  const std::string bookName = fileNameToOpen(console, kFieldBookUnit, typedBook);
  std::optional<InputFile> book = InputFile::openExisting(bookName);
  if (!book) {
    console.write(kFieldBookNotFound);
    return Ending::Stop;
  }
  if (inputIsJobOutput(bookName, {job.results, job.observations, job.control})) {
    writeInputIsJobOutput(console);
    return Ending::Stop;
  }

  OutputFile results = OutputFile::create(std::string(trimBlanks(job.results)));
  std::optional<ObservationFiles> files = openObservationFiles(console, job.observations, job.control,
                                                               kThreeWireObservationHeader, dialogue.jobName);
  if (!files) return Ending::StartOver;

  const ReductionSettings settings = askUnitsAndStadia(console, results);
  writeSetupHeading({&results, &console});

  TurningPoints turningPoints{dialogue.prefix, dialogue.suffix};
  std::optional<LevelRun> run = walkFieldBook(console, *book, results, *files, settings, turningPoints);
  if (!run) {
    results.close();
    return Ending::Stop;  // the observation and control files stay as they were
  }

  const double known = knownClosingElevation(console, *run);
  registerEndPoint(files->controlPoints, closingStation(*run).name, known);
  closeRun(*run, known, settings);
  reportRun(console, results, *run, settings);
  writeControlFile(*files, settings.elevationUnit == LengthUnit::Meters ? 'M' : 'F');
  results.close();
  commitObservationFiles(*files);
  return Ending::Stop;
}

}  // namespace

std::string turningPointName(std::string_view prefix, std::int32_t counter) {
  IntegerText digits = integerText(counter);
  std::string name(trimRight(prefix));
  name.append(digits.text, 0, static_cast<std::size_t>(digits.width));
  return fixedText(name, kObservationNameLength);
}

void run(Console& console) {
  for (;;) {
    console.write(kBanner);
    const Dialogue dialogue = askNaming(console);
    if (isBlank(dialogue.jobName)) continue;
    if (convert(console, dialogue) == Ending::Stop) return;
  }
}

}  // namespace vorn::triconv
