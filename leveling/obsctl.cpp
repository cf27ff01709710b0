#include "obsctl.h"

#include <cmath>

#include "common/dialogue.h"

namespace vorn {

const RecordFormat kThreeWireObservationHeader(
    "('H 00 ',A,' CONVERTED FROM 3 WIRE FORMAT',/,'H 99 VERSION 01/31/00')");
const RecordFormat kTopconObservationHeader(
    "('H 00 ',A,' CONVERTED FROM TOPCON TDS FORMAT',/,'H 99 VERSION 11/01/00')");

namespace {

const RecordFormat kSetupRecords("('S 00 ',A8,18X,'P F1',/,'S 01 ',17X,F7.3)");
const RecordFormat kPointRecord("('O 00 ',A8,18X,'P F1')");
const RecordFormat kWiresWithUpper("('O 09',54X,F8.4,F7.4,F7.4)");
const RecordFormat kWiresWithoutUpper("('O 09',62X,F7.4,F7.4)");
const RecordFormat kControlHeader("('G 00 ',A)");
const RecordFormat kControlPointRecords("('G 01 ',A8,1X,A8,46X,A1,/,'G 02',27X,F11.4)");
const RecordFormat kElevationMismatch("(' 2ND OCCURENCE OF ',A,' ELEV. MISMATCH OF ',F8.3,' 1ST USED')");
const RecordFormat kAppendOrOverwrite(
    "(' DO YOU WANT TO (1) APPEND TO OR (2) OVERWRITE',/,' THE .OBS AND .CTL FILES? <1>')");

const RecordFormat kControlKindAndName("(A4,1X,A8)");
const RecordFormat kControlKindAndElevation("(A4,27X,F11.4)");
const RecordFormat kCarriedRecord("(80A1)");

constexpr double kElevationTolerance = 0.001;
constexpr std::size_t kRecordColumns = 80;

std::string listName(std::string_view name) { return fixedText(name, kObservationNameLength); }

}  // namespace

// ---- Control points ----

const ControlPoint* findControlPoint(const ControlPoints& points, std::string_view name) {
  // Names compare blank-padded: equal up to their trailing blanks.
  std::string_view wanted = trimRight(name);
  for (const ControlPoint& point : points.entries)
    if (trimRight(point.name) == wanted) return &point;
  return nullptr;
}

void registerStartPoint(ControlPoints& points, RecordSink& console, std::string_view name, double elevation) {
  std::string key = listName(name);
  const ControlPoint* listed = findControlPoint(points, key);
  if (listed == nullptr) {
    points.entries.push_back({key, elevation});
    return;
  }
  double mismatch = std::fabs(listed->elevation - elevation);
  if (mismatch >= kElevationTolerance) console.write(kElevationMismatch, {listed->name, mismatch});
}

void registerEndPoint(ControlPoints& points, std::string_view name, double elevation) {
  std::string key = listName(name);
  if (findControlPoint(points, key) == nullptr) points.entries.push_back({key, elevation});
}

ControlPoints readControlPoints(InputFile& controlFile) {
  ControlPoints points;
  std::string kind(4, ' ');
  std::string name(kObservationNameLength, ' ');
  for (;;) {
    ReadOutcome outcome = controlFile.read(kControlKindAndName, {kind, name});
    if (outcome == ReadOutcome::End) return points;
    if (outcome == ReadOutcome::Error || kind != "G 01") continue;
    // Look for this point's G 02; a G 01 first starts a new pair.
    for (;;) {
      double elevation = 0.0;
      outcome = controlFile.read(kControlKindAndElevation, {kind, elevation});
      if (outcome == ReadOutcome::End) return points;
      if (outcome == ReadOutcome::Error) continue;
      if (kind == "G 01") {
        controlFile.pushBack();
        break;
      }
      if (kind != "G 02") continue;
      points.entries.push_back({name, elevation});
      break;
    }
  }
}

// ---- Records ----

std::string setupName(std::int32_t setupNumber) {
  IntegerText digits = integerText(setupNumber);
  return listName("OC" + digits.text.substr(0, static_cast<std::size_t>(digits.width)));
}

void writeSetupStart(RecordSink& observations, std::string_view name) {
  observations.write(kSetupRecords, {name, 0.0});
}

void writePointRecord(RecordSink& observations, std::string_view pointName) {
  observations.write(kPointRecord, {pointName});
}

void wireRecord(RecordSink& observations, double upper, double middle, double lower) {
  if (upper != 0.0) {
    if (lower != 0.0) {
      observations.write(kWiresWithUpper, {upper, middle, lower});
    } else {
      observations.write(kWiresWithUpper, {upper, middle});
    }
  } else if (lower > 0.0) {
    observations.write(kWiresWithoutUpper, {middle, lower});
  } else if (lower == 0.0) {
    observations.write(kWiresWithoutUpper, {middle});
  }
}

void writeSetupRecords(RecordSink& observations, std::string_view name, std::string_view backsightName,
                       const WireReadings& backsight, std::string_view foresightName,
                       const WireReadings& foresight) {
  writeSetupStart(observations, name);
  writePointRecord(observations, backsightName);
  wireRecord(observations, backsight.upper, backsight.middle, backsight.lower);
  writePointRecord(observations, foresightName);
  wireRecord(observations, foresight.upper, foresight.middle, foresight.lower);
}

void carryObservationsOver(InputFile& oldObservations, RecordSink& observations) {
  std::string_view line;
  while (oldObservations.readLine(line)) {
    std::string_view kept = trimRight(line.substr(0, std::min(line.size(), kRecordColumns)));
    if (!kept.empty()) observations.write(kCarriedRecord, {Value::characters(kept)});
  }
}

// ---- The pair of files of a run ----

std::optional<ObservationFiles> openObservationFiles(Console& console, std::string_view observationName,
                                                     std::string_view controlName, const RecordFormat& header,
                                                     std::string_view jobName) {
  std::string controlPath(trimBlanks(controlName));
  std::string observationPath(trimBlanks(observationName));
  std::optional<ReplacementFile> control = ReplacementFile::tryCreate(controlPath);
  if (!control) return std::nullopt;
  std::optional<ReplacementFile> observations = ReplacementFile::tryCreate(observationPath);
  if (!observations) return std::nullopt;

  ObservationMode mode = ObservationMode::New;
  ControlPoints points;
  if (fileExists(observationPath)) {
    mode = askChoice(console, kAppendOrOverwrite, '1', "12") == '1' ? ObservationMode::Append
                                                                     : ObservationMode::Overwrite;
  }
  if (mode == ObservationMode::Append) {
    if (std::optional<InputFile> oldControl = InputFile::openExisting(controlPath))
      points = readControlPoints(*oldControl);
    std::optional<InputFile> oldObservations = InputFile::openExisting(observationPath);
    if (!oldObservations) return std::nullopt;  // gone since it was seen
    carryObservationsOver(*oldObservations, *observations);
  } else {
    observations->write(header, {jobName});
  }
  return ObservationFiles{mode, fixedText(controlName, kFileNameLength), std::move(*observations),
                          std::move(*control), std::move(points)};
}

void writeControlFile(ObservationFiles& files, char unitLetter) {
  files.control.write(kControlHeader, {files.controlName});
  const std::string unit(1, unitLetter);
  for (const ControlPoint& point : files.controlPoints.entries)
    files.control.write(kControlPointRecords, {point.name, point.name, unit, point.elevation});
}

void commitObservationFiles(ObservationFiles& files) {
  files.observations.prepare();
  files.control.prepare();
  files.observations.commit();
  files.control.commit();
}

}  // namespace vorn
