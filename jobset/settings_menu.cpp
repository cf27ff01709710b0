#include "jobset/settings_menu.h"

#include <cstdint>
#include <optional>

#include "common/dialogue.h"
#include "common/freeformat.h"
#include "common/records.h"

namespace vorn::jobset {

namespace {

// ---- The screen ----
const RecordFormat kSpacing("(/,/,/,/,/)");
const RecordFormat kProjectRow("(' PROJECT IS ',A30)");
const RecordFormat kNoZoneRow("(' (1) NO STATE PLANE REDUCTIONS  (2) N.A.  (3) N.A.')");
const RecordFormat kZoneRow("(' (1) ',A)");
const RecordFormat kNad1927Row("(' (2) NAD 1927  (3) N.A.')");
const RecordFormat kMetricRow("(' (2) NAD 1983',/,' (3) METRIC')");
const RecordFormat kSurveyFootRow("(' (2) NAD 1983',/,' (3) U.S. SURVEY FOOT')");
const RecordFormat kInternationalFootRow("(' (2) NAD 1983',/,' (3) INTERNATIONAL FOOT')");
const RecordFormat kElevationRow("(' (4) PROJECT AVERAGE ELEVATION IS ',F10.3,A)");
const RecordFormat kNoElevationRow("(' (4) PROJECT ELEVATION N.A. (UNLESS A ZONE IS DEFINED)')");
const RecordFormat kLevFileNo("(' (5) ELEVATIONS READ FROM .LEV FILE ?           - - NO')");
const RecordFormat kLevFileYes("(' (5) ELEVATIONS READ FROM .LEV FILE ?           - - YES')");
const RecordFormat kNoLevFileRow("(' (5) ELEVATIONS FROM FILE N.A. (UNLESS A ZONE IS DEFINED)')");
const RecordFormat kSdFileNo("(' (6) ERROR ESTIMATES READ FROM .SD FILE ?       - - NO')");
const RecordFormat kSdFileYes("(' (6) ERROR ESTIMATES READ FROM .SD FILE ?       - - YES')");
const RecordFormat kEstimatesRows(
    "(' DEFAULT STANDARD ERROR ESTIMATES ',/,' (7) DISTANCES ',F8.3,A,' PLUS ',F8.0,' PPM',/,' (8)   ANGLES ',F8.1,"
    "' (SECONDS)   SETUP ERROR = ',F10.3,A,/,' (9) AZIMUTHS ',F8.1,' (SECONDS)   SETUP ERROR = ',F10.3,A,/,"
    "' (10) CONTROL NORTHING (Y)',F12.3,A,/,' (11) CONTROL EASTING (X) ',F12.3,A)");
const RecordFormat kGridAzimuthsRow("(' (12) GRID AZIMUTHS (NOT GEODETIC) HAVE BEEN INPUT')");
const RecordFormat kGeodeticAzimuthsRow("(' (12) GEODETIC AZIMUTHS (NOT GRID) HAVE BEEN INPUT')");
const RecordFormat kNoAzimuthKindRow("(' (12) GEODETIC VS. GRID AZIMUTHS N.A.(UNLESS A ZONE IS DEFINED)')");
const RecordFormat kAllResidualsRow("(' (13) PRINT OUT ALL RESIDUALS')");
const RecordFormat kResidualsOverRow("(' (13) PRINT OUT RESIDUALS > ',F6.2,' TIMES ITS ERROR ESTIMATE')");
const RecordFormat kEllipsesNo("(' (14) ERROR ELLIPSES COMPUTED ?                - - NO')");
const RecordFormat kEllipsesYes("(' (14) ERROR ELLIPSES COMPUTED ?                - - YES')");
const RecordFormat kRobustNo("(' (15) READJUST WITH ROBUSTED ERROR ESTIMATES ? - - NO')");
const RecordFormat kRobustYes("(' (15) READJUST WITH ROBUSTED ERROR ESTIMATES ? - - YES')");
const RecordFormat kAdjustedNo("(' (16) PRINT ADJUSTED DISTANCES AND BEARINGS ?  - - NO')");
const RecordFormat kAdjustedYes("(' (16) PRINT ADJUSTED DISTANCES AND BEARINGS ?  - - YES')");
const RecordFormat kCoordinateFileNo("(' (17) UPDATE COORDINATE FILE ?                 - - NO',/,/)");
const RecordFormat kCoordinateFileYes("(' (17) UPDATE COORDINATE FILE ?                 - - YES',/,/)");
const RecordFormat kItemPrompt("(' INPUT THE # OF THE ITEM TO CHANGE',/,' ENTER IF NO CHANGE IS DESIRED (QUIT)')");

// ---- Item dialogues ----
const RecordFormat kZoneFirst("(/,' A STATE PLANE ZONE MUST BE SELECTED FIRST',/)");
const RecordFormat kNad1927FeetOnly("(' NAD 1927 DATA IS ONLY IN THE U.S. SURVEY FOOT')");
const RecordFormat kDatumQuestion("(' IS YOUR DATA IN ',/,' (1) NAD 1927 OR ',/,' (2) NAD 1983',/,' SELECT A # <1>')");
const RecordFormat kUnitsQuestion(
    "(' ARE YOUR COORDINATES AND DISTANCES BASED ON ',/,' (1) METERS',/,' (2) U.S. SURVEY FOOT',/,"
    "' (3) INTERNATIONAL FOOT',/,' SELECT A # <2>')");
const RecordFormat kElevationPrompt("(' ENTER AVERAGE PROJECT ELEVATION IN',A,' (ENTER FOR NO CHANGE)')");
const RecordFormat kDistanceConstantPrompt("(' INPUT DISTANCE ERROR ESTIMATE CONSTANT (ENTER FOR NO CHANGE)')");
const RecordFormat kDistanceConstantUnitPrompt(
    "(' INPUT DISTANCE ERROR ESTIMATE CONSTANT (',A,') (ENTER FOR NO CHANGE)')");
const RecordFormat kDistancePpmPrompt("(' INPUT DISTANCE ERROR PPM (ENTER FOR NO CHANGE)')");
const RecordFormat kAnglePrompt("(' INPUT ANGLE ERROR ESTIMATE IN SECONDS (ENTER FOR NO CHANGE)')");
const RecordFormat kAngleSetupPrompt("(' INPUT ANGLE SETUP ERROR (ENTER FOR NO CHANGE)')");
const RecordFormat kAngleSetupUnitPrompt("(' INPUT ANGLE SETUP ERROR (',A,') (ENTER FOR NO CHANGE)')");
const RecordFormat kAzimuthPrompt("(' INPUT AZIMUTH ERROR ESTIMATE IN SECONDS (ENTER FOR NO CHANGE)')");
const RecordFormat kAzimuthSetupPrompt("(' INPUT AZIMUTH SETUP ERROR (ENTER FOR NO CHANGE)')");
const RecordFormat kAzimuthSetupUnitPrompt("(' INPUT AZIMUTH SETUP ERROR (',A,') (ENTER FOR NO CHANGE)')");
const RecordFormat kNorthingPrompt("(' INPUT CONTROL NORTHING (Y) ERROR ESTIMATE (ENTER FOR NO CHANGE)')");
const RecordFormat kNorthingUnitPrompt("(' INPUT CONTROL NORTHING (Y) ERROR ESTIMATE (',A,') (ENTER FOR NO CHANGE)')");
const RecordFormat kEastingPrompt("(' INPUT CONTROL EASTING (X) ERROR ESTIMATE (ENTER FOR NO CHANGE)')");
const RecordFormat kEastingUnitPrompt("(' INPUT CONTROL EASTING (X) ERROR ESTIMATE (',A,') (ENTER FOR NO CHANGE)')");
const RecordFormat kResidualPrompt("(' INPUT NEW RESIDUAL PRINTOUT LIMIT (ENTER FOR NO CHANGE)')");

// Every menu answer is read into a field of 10 characters.
constexpr std::size_t kAnswerLength = 10;
constexpr std::int32_t kLastItem = 17;
constexpr std::int32_t kLastRedisplayItem = 19;

const std::string kMetersLabel = "  M.";
const std::string kFeetLabel = " FT.";

// ---- Value steps ----

// One "(ENTER FOR NO CHANGE)" value: a floor the current value is raised to
// first (if any), the test a typed value must pass, whether a negative
// value is taken as 0, and the value's field in the file.
struct ValueStep {
  std::optional<double> floor;
  bool (*accepts)(double);
  bool negativeBecomesZero;
  FieldSize field;
};

const ValueStep kElevationStep{std::nullopt, [](double v) { return v >= -300.0; }, false, kElevationField};
const ValueStep kDistanceConstantStep{0.001, [](double v) { return v > 0.001; }, false, kThreeDecimalField};
const ValueStep kDistancePpmStep{std::nullopt, [](double v) { return v >= 0.0; }, false, kOneDecimalField};
const ValueStep kAngleStep{0.1, [](double v) { return v >= 0.1; }, false, kOneDecimalField};
const ValueStep kAngleSetupStep{std::nullopt, [](double) { return true; }, true, kThreeDecimalField};
const ValueStep kAzimuthStep{0.1, [](double v) { return v >= 0.1; }, false, kOneDecimalField};
const ValueStep kAzimuthSetupStep{std::nullopt, [](double) { return true; }, true, kAzimuthSetupField};
const ValueStep kControlStep{0.001, [](double v) { return v >= 0.001; }, false, kThreeDecimalField};
const ValueStep kResidualStep{std::nullopt, [](double v) { return v >= 0.0; }, false, kThreeDecimalField};

// Asks until the answer is blank (the value stays) or a number that passes
// the step's test and fits its field in the file (the value becomes it).
// A refused answer leaves the value as it was. True when a typed value was
// taken.
bool runValueStep(Console& console, const ValueStep& step, double& value, const RecordFormat& prompt,
                  std::initializer_list<Value> promptValues) {
  for (;;) {
    if (step.floor && value < *step.floor) value = *step.floor;
    std::string answer = askText(console, prompt, promptValues, kAnswerLength);
    if (isBlank(answer)) return false;
    double typed = value;
    if (freeFormatRead(answer, {typed}) != ReadOutcome::Done || !step.accepts(typed)) continue;
    if (step.negativeBecomesZero && typed < 0.0) typed = 0.0;
    if (!fitsField(typed, step.field.width, step.field.decimals)) continue;
    value = typed;
    return true;
  }
}

// A value step whose prompt names the unit when a zone is defined.
void runLengthStep(Console& console, const OpenProject& project, const ValueStep& step, double& value,
                   const RecordFormat& noZonePrompt, const RecordFormat& zonePrompt) {
  if (project.definition.zoneNumber != 0) {
    runValueStep(console, step, value, zonePrompt, {project.unitLabel});
  } else {
    runValueStep(console, step, value, noZonePrompt, {});
  }
}

// ---- Datum and units ----

void askUnits(Console& console, OpenProject& project) {
  for (;;) {
    const std::string answer = askText(console, kUnitsQuestion, {}, kAnswerLength);
    const std::string_view text = isBlank(answer) ? std::string_view("2") : std::string_view(answer);
    std::int32_t code = project.definition.unitCode;
    if (freeFormatRead(text, {code}) != ReadOutcome::Done || code < kMeters || code > 3) continue;
    project.definition.unitCode = code;
    project.unitLabel = code == kMeters ? kMetersLabel : kFeetLabel;
    return;
  }
}

void askDatum(Console& console, OpenProject& project) {
  ProjectDefinition& d = project.definition;
  for (;;) {
    const std::string answer = askText(console, kDatumQuestion, {}, kAnswerLength);
    const std::string_view text = isBlank(answer) ? std::string_view("1") : std::string_view(answer);
    std::int32_t code = d.datumCode;
    if (freeFormatRead(text, {code}) != ReadOutcome::Done) continue;
    if (code == kNad1927) {
      d.datumCode = code;
      project.unitLabel = kFeetLabel;
      return;
    }
    if (code == kNad1983) {
      d.datumCode = code;
      project.unitLabel = d.unitCode < 2 ? kMetersLabel : kFeetLabel;
      if (d.unitCode == 0) askUnits(console, project);
      return;
    }
  }
}

// ---- The screen ----

void showFlagRow(Console& console, char flag, const RecordFormat& noRow, const RecordFormat& yesRow) {
  if (flag == 'N') console.write(noRow);
  if (flag == 'Y') console.write(yesRow);
}

void showCoordinateSystem(Console& console, OpenProject& project) {
  ProjectDefinition& d = project.definition;
  if (d.zoneNumber == 0) {
    console.write(kNoZoneRow);
    return;
  }
  project.zoneLine = lookUpZone(d.zoneNumber);
  d.zoneText = project.zoneLine.substr(0, kZoneTextLength);
  console.write(kZoneRow, {project.zoneLine});
  if (d.datumCode != kNad1983) {
    console.write(kNad1927Row);
  } else if (d.unitCode == kMeters) {
    console.write(kMetricRow);
  } else if (d.unitCode == kUsSurveyFoot) {
    console.write(kSurveyFootRow);
  } else if (d.unitCode == 3) {
    console.write(kInternationalFootRow);
  }
}

void showMenu(Console& console, OpenProject& project, std::string_view jobName) {
  const ProjectDefinition& d = project.definition;
  const bool zone = d.zoneNumber != 0;
  const std::string& label = project.unitLabel;
  console.write(kSpacing);
  console.write(kProjectRow, {jobName});
  showCoordinateSystem(console, project);
  if (zone) {
    console.write(kElevationRow, {d.averageElevation, label});
    showFlagRow(console, d.elevationsFromLevFile, kLevFileNo, kLevFileYes);
  } else {
    console.write(kNoElevationRow);
    console.write(kNoLevFileRow);
  }
  showFlagRow(console, d.estimatesFromSdFile, kSdFileNo, kSdFileYes);
  console.write(kEstimatesRows, {d.distanceConstant, label, d.distancePpm, d.angleSeconds, d.angleSetupError, label,
                                 d.azimuthSeconds, d.azimuthSetupError, label, d.controlNorthingEstimate, label,
                                 d.controlEastingEstimate, label});
  if (zone) {
    showFlagRow(console, d.geodeticAzimuths, kGridAzimuthsRow, kGeodeticAzimuthsRow);
  } else {
    console.write(kNoAzimuthKindRow);
  }
  if (d.residualLimit == 0.0) {
    console.write(kAllResidualsRow);
  } else {
    console.write(kResidualsOverRow, {d.residualLimit});
  }
  showFlagRow(console, d.errorEllipses, kEllipsesNo, kEllipsesYes);
  showFlagRow(console, d.robustReadjust, kRobustNo, kRobustYes);
  showFlagRow(console, d.printAdjustedDistances, kAdjustedNo, kAdjustedYes);
  showFlagRow(console, d.updateCoordinateFile, kCoordinateFileNo, kCoordinateFileYes);
}

// ---- Items ----

void chooseCoordinateSystem(Console& console, OpenProject& project) {
  ProjectDefinition& d = project.definition;
  d.zoneNumber = 0;
  selectZone(console, d.zoneNumber, project.zoneLine);
  project.unitLabel = unitLabel(d);
  d.zoneText = project.zoneLine.substr(0, kZoneTextLength);
  if (d.zoneNumber != 0 && d.datumCode == 0) askDatum(console, project);
}

void changeDatum(Console& console, OpenProject& project) {
  ProjectDefinition& d = project.definition;
  if (d.zoneNumber == 0) {
    console.write(kZoneFirst);
  } else if (d.datumCode == 0) {
    askDatum(console, project);
  } else if (d.datumCode == kNad1927) {
    d.datumCode = kNad1983;
    if (d.unitCode == 0) {
      askUnits(console, project);
    } else {
      project.unitLabel = d.unitCode == kMeters ? kMetersLabel : kFeetLabel;
    }
  } else {
    d.datumCode = kNad1927;
    project.unitLabel = kFeetLabel;
  }
}

void changeUnits(Console& console, OpenProject& project) {
  if (project.definition.zoneNumber == 0) {
    console.write(kZoneFirst);
  } else if (project.definition.datumCode == kNad1927) {
    console.write(kNad1927FeetOnly);
  } else {
    askUnits(console, project);
  }
}

void runItem(Console& console, OpenProject& project, std::int32_t item) {
  ProjectDefinition& d = project.definition;
  const bool zone = d.zoneNumber != 0;
  switch (item) {
    case 1:
      chooseCoordinateSystem(console, project);
      break;
    case 2:
      changeDatum(console, project);
      break;
    case 3:
      changeUnits(console, project);
      break;
    case 4:
      if (zone) askAverageElevation(console, project);
      break;
    case 5:
      if (zone) toggleFlag(d.elevationsFromLevFile);
      break;
    case 6:
      toggleFlag(d.estimatesFromSdFile);
      break;
    case 7:
      runLengthStep(console, project, kDistanceConstantStep, d.distanceConstant, kDistanceConstantPrompt,
                    kDistanceConstantUnitPrompt);
      runValueStep(console, kDistancePpmStep, d.distancePpm, kDistancePpmPrompt, {});
      break;
    case 8:
      runValueStep(console, kAngleStep, d.angleSeconds, kAnglePrompt, {});
      runLengthStep(console, project, kAngleSetupStep, d.angleSetupError, kAngleSetupPrompt, kAngleSetupUnitPrompt);
      break;
    case 9:
      runValueStep(console, kAzimuthStep, d.azimuthSeconds, kAzimuthPrompt, {});
      runLengthStep(console, project, kAzimuthSetupStep, d.azimuthSetupError, kAzimuthSetupPrompt,
                    kAzimuthSetupUnitPrompt);
      break;
    case 10:
      runLengthStep(console, project, kControlStep, d.controlNorthingEstimate, kNorthingPrompt, kNorthingUnitPrompt);
      break;
    case 11:
      runLengthStep(console, project, kControlStep, d.controlEastingEstimate, kEastingPrompt, kEastingUnitPrompt);
      break;
    case 12:
      if (zone) toggleFlag(d.geodeticAzimuths);
      break;
    case 13:
      if (runValueStep(console, kResidualStep, d.residualLimit, kResidualPrompt, {})) {
        d.residualLimit2 = d.residualLimit;
        d.residualLimit3 = d.residualLimit;
      }
      break;
    case 14:
      toggleFlag(d.errorEllipses);
      break;
    case 15:
      toggleFlag(d.robustReadjust);
      break;
    case 16:
      toggleFlag(d.printAdjustedDistances);
      break;
    case 17:
      toggleFlag(d.updateCoordinateFile);
      break;
    default:
      break;
  }
}

}  // namespace

void toggleFlag(char& flag) {
  if (flag == 'N') {
    flag = 'Y';
  } else if (flag == 'Y') {
    flag = 'N';
  }
}

void askAverageElevation(Console& console, OpenProject& project) {
  runValueStep(console, kElevationStep, project.definition.averageElevation, kElevationPrompt,
               {std::string_view(project.unitLabel).substr(0, 3)});
}

void runSettingsMenu(Console& console, OpenProject& project, std::string_view jobName) {
  for (;;) {
    showMenu(console, project, jobName);
    std::string answer = askText(console, kItemPrompt, {}, kAnswerLength);
    if (isBlank(answer)) return;
    std::int32_t item = 0;
    if (freeFormatRead(answer, {item}) != ReadOutcome::Done || item < 1 || item > kLastRedisplayItem) return;
    if (item <= kLastItem) runItem(console, project, item);
  }
}

}  // namespace vorn::jobset
