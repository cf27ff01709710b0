// The project definition of a job: the coordinate system, the average
// elevation, the default standard error estimates and the adjustment
// options, kept in the job's .DEF file for the adjustment program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/console.h"
#include "common/files.h"

namespace vorn::jobset {

inline constexpr std::size_t kZoneTextLength = 40;
inline constexpr std::size_t kUnitLabelLength = 4;
// Line 2 of the file while no zone is defined.
inline constexpr std::string_view kNoZoneText = "0 NA NA NA";

// Datum and unit codes.
inline constexpr std::int32_t kNad1927 = 1;
inline constexpr std::int32_t kNad1983 = 2;
inline constexpr std::int32_t kMeters = 1;
inline constexpr std::int32_t kUsSurveyFoot = 2;

// The settings of one project. Flags hold 'Y' or 'N' (a file may hold any
// other character, which is kept as read). The defaults are those of a new
// project.
struct ProjectDefinition {
  std::int32_t zoneNumber = 0;  // 0: assumed system; else the line of the zone in ZONE.DAT
  std::string zoneText = std::string(kNoZoneText) + std::string(kZoneTextLength - kNoZoneText.size(), ' ');
  std::int32_t datumCode = 0;  // 0 not chosen, 1 NAD 1927, 2 NAD 1983
  std::int32_t unitCode = 0;   // 0 not chosen, 1 meters, 2 U.S. survey foot, 3 international foot
  double averageElevation = 0.0;
  char elevationsFromLevFile = 'N';
  char estimatesFromSdFile = 'N';
  double distanceConstant = 0.02;
  double distancePpm = 2.0;
  double angleSeconds = 4.0;
  double angleSetupError = 0.0;
  double azimuthSeconds = 0.1;
  double azimuthSetupError = 0.0;
  double controlNorthingEstimate = 0.001;
  double controlEastingEstimate = 0.001;
  char geodeticAzimuths = 'Y';
  double residualLimit = 0.0;
  double residualLimit2 = 0.0;
  double residualLimit3 = 0.0;
  char errorEllipses = 'N';
  char robustReadjust = 'N';
  char printAdjustedDistances = 'N';
  char updateCoordinateFile = 'Y';
};

inline ProjectDefinition defaultProjectDefinition() { return ProjectDefinition{}; }

// The four characters shown behind lengths: blanks for an assumed system,
// "  M." for a NAD 1983 metric zone, " FT." for any other zone.
std::string unitLabel(const ProjectDefinition& definition);

// Reads the file from its current line into `definition`. Returns whether
// the read was complete (a file that ends after its 20th line is). After an
// incomplete read the first project of a run gets the defaults; a project
// opened after a change of project keeps what the record holds.
bool readProjectDefinition(InputFile& file, ProjectDefinition& definition, bool projectChanged);

// Applies the rules of a written file to the record (line 1 flag from the
// zone, the no-zone text, unit code 2 unless NAD 1983) and writes its 22
// lines.
void writeProjectDefinition(RecordSink& file, ProjectDefinition& definition);

// Whether `value` shows in the file's Fw.d field without asterisks.
bool fitsField(double value, int width, int decimals);

// The file fields of the values the menu changes. The azimuth setup error
// follows the angle setup error on the same line with nothing between them,
// so it must leave its field's first position blank to stay readable.
struct FieldSize {
  int width;
  int decimals;
};
inline constexpr FieldSize kElevationField{10, 3};
inline constexpr FieldSize kThreeDecimalField{10, 3};
inline constexpr FieldSize kOneDecimalField{10, 1};
inline constexpr FieldSize kAzimuthSetupField{9, 3};

}  // namespace vorn::jobset
