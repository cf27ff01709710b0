#include "jobset/project_definition.h"

#include <array>
#include <limits>
#include <span>
#include <vector>

#include "common/freeformat.h"
#include "common/records.h"

namespace vorn::jobset {

namespace {

// The whole file in one write: 21 lines and the empty line of the closing
// slash.
const RecordFormat kDefinitionFile(
    "(A1,/,1X,A,/,I1,/,I1,/,1X,F10.3,/,A1,/,A1,/,1X,F10.3,1X,F10.1,/,1X,F10.1,/,1X,F10.1,/,1X,F10.3,/,1X,F10.3,/,A1,"
    "/,1X,F10.3,/,1X,F10.1,/,1X,F10.1,/,A1,/,A1,/,A1,/,A1,/,F10.3,F10.3,/)");
const RecordFormat kFlagLine("(A)");

// The codes are written with I1.
constexpr std::int32_t kLargestCode = 9;

bool readFlag(InputFile& file, char& flag) {
  std::string text(1, ' ');
  if (file.read(kFlagLine, {text}) != ReadOutcome::Done) return false;
  flag = text[0];
  return true;
}

// A free-format read of one integer, kept only within low..high.
bool readInteger(InputFile& file, std::int32_t& value, std::int32_t low, std::int32_t high) {
  std::int32_t read = value;
  if (freeFormatRead(file, {read}) != ReadOutcome::Done || read < low || read > high) return false;
  value = read;
  return true;
}

struct RealField {
  double& value;
  FieldSize size;
};

// A free-format read of several reals, which may run over lines. Values
// read before a failure keep their new values; a value that its field in
// the file could not show makes the read fail and leaves all the fields as
// they were, so that the file never gets a field of asterisks (also when
// the read fails after it).
bool readReals(InputFile& file, std::initializer_list<RealField> fields) {
  std::vector<NumberTarget> targets;
  std::vector<double> before;
  for (const RealField& field : fields) {
    targets.emplace_back(field.value);
    before.push_back(field.value);
  }
  const ReadOutcome outcome = freeFormatRead(file, std::span<const NumberTarget>(targets));
  bool fit = true;
  for (const RealField& field : fields) fit = fit && fitsField(field.value, field.size.width, field.size.decimals);
  if (fit) return outcome == ReadOutcome::Done;
  std::size_t k = 0;
  for (const RealField& field : fields) field.value = before[k++];
  return false;
}

// Reads the lines up to the last flag; false at the first read that fails.
bool readSettings(InputFile& file, ProjectDefinition& d) {
  char zoneFlag = ' ';  // the zone number decides, not this flag
  return readFlag(file, zoneFlag) &&
         readInteger(file, d.zoneNumber, 0, std::numeric_limits<std::int32_t>::max()) &&
         readInteger(file, d.datumCode, 0, kLargestCode) && readInteger(file, d.unitCode, 0, kLargestCode) &&
         readReals(file, {{d.averageElevation, kElevationField}}) && readFlag(file, d.elevationsFromLevFile) &&
         readFlag(file, d.estimatesFromSdFile) &&
         readReals(file, {{d.distanceConstant, kThreeDecimalField},
                          {d.distancePpm, kOneDecimalField},
                          {d.angleSeconds, kOneDecimalField},
                          {d.azimuthSeconds, kOneDecimalField},
                          {d.controlEastingEstimate, kThreeDecimalField},
                          {d.controlNorthingEstimate, kThreeDecimalField}}) &&
         readFlag(file, d.geodeticAzimuths) &&
         readReals(file, {{d.residualLimit, kThreeDecimalField},
                          {d.residualLimit2, kOneDecimalField},
                          {d.residualLimit3, kOneDecimalField}}) &&
         readFlag(file, d.errorEllipses) && readFlag(file, d.robustReadjust) &&
         readFlag(file, d.printAdjustedDistances) && readFlag(file, d.updateCoordinateFile);
}

// The last line, which older files lack: both setup errors stay 0 unless
// both are read.
void readSetupErrors(InputFile& file, ProjectDefinition& d) {
  d.angleSetupError = 0.0;
  d.azimuthSetupError = 0.0;
  if (!readReals(file, {{d.angleSetupError, kThreeDecimalField}, {d.azimuthSetupError, kAzimuthSetupField}})) {
    d.angleSetupError = 0.0;
    d.azimuthSetupError = 0.0;
  }
}

Value flagValue(const char& flag) { return Value(std::string_view(&flag, 1)); }

}  // namespace

std::string unitLabel(const ProjectDefinition& definition) {
  if (definition.zoneNumber == 0) return std::string(kUnitLabelLength, ' ');
  if (definition.datumCode == kNad1983 && definition.unitCode == kMeters) return "  M.";
  return " FT.";
}

bool fitsField(double value, int width, int decimals) {
  std::string field;
  renderFixed(value, width, decimals, field);
  return field.find('*') == std::string::npos;
}

bool readProjectDefinition(InputFile& file, ProjectDefinition& definition, bool projectChanged) {
  if (!readSettings(file, definition)) {
    if (!projectChanged) definition = defaultProjectDefinition();
    return false;
  }
  readSetupErrors(file, definition);
  return true;
}

void writeProjectDefinition(RecordSink& file, ProjectDefinition& d) {
  const char zoneFlag = d.zoneNumber != 0 ? 'Y' : 'N';
  if (d.zoneNumber == 0) d.zoneText = fixedText(kNoZoneText, kZoneTextLength);
  if (d.datumCode != kNad1983) d.unitCode = kUsSurveyFoot;
  const std::string zoneText = fixedText(d.zoneText, kZoneTextLength);
  const std::array<Value, 23> values = {
      flagValue(zoneFlag),       zoneText,
      d.datumCode,               d.unitCode,
      d.averageElevation,        flagValue(d.elevationsFromLevFile),
      flagValue(d.estimatesFromSdFile), d.distanceConstant,
      d.distancePpm,             d.angleSeconds,
      d.azimuthSeconds,          d.controlEastingEstimate,
      d.controlNorthingEstimate, flagValue(d.geodeticAzimuths),
      d.residualLimit,           d.residualLimit2,
      d.residualLimit3,          flagValue(d.errorEllipses),
      flagValue(d.robustReadjust), flagValue(d.printAdjustedDistances),
      flagValue(d.updateCoordinateFile), d.angleSetupError,
      d.azimuthSetupError};
  file.write(kDefinitionFile, std::span<const Value>(values));
}

}  // namespace vorn::jobset
