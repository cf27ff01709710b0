// The observation file (.OBS) and the control file (.CTL) of a job, the
// input of the network adjustment: setup records with the rod readings of
// every setup, and the benchmarks of the job with their elevations.
//
// A run either appends to the job's pair of files or replaces them. Either
// way the new contents are written beside the old files and take their
// place only when the run has completed (commitObservationFiles): a run
// that stops early, for whatever reason, leaves both files as they were,
// and a file that did not exist still does not.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/console.h"
#include "common/files.h"
#include "common/records.h"
#include "fieldbook.h"

namespace vorn {

// Names in the observation and control files are 8 characters.
inline constexpr std::size_t kObservationNameLength = 8;

// ---- Control points ----

struct ControlPoint {
  std::string name;  // 8 characters, blank-padded
  double elevation = 0.0;
};

// The benchmarks of a job in the order they were added; no fixed limit.
struct ControlPoints {
  std::vector<ControlPoint> entries;
};

// The first entry whose name equals `name` (both blank-padded to the
// longer of the two), or nothing.
const ControlPoint* findControlPoint(const ControlPoints& points, std::string_view name);

// The starting benchmark of a run, by its first 8 characters. Not listed:
// appended. Listed with an elevation 0.001 or more away: the mismatch is
// reported on the console and the listed elevation is kept.
void registerStartPoint(ControlPoints& points, RecordSink& console, std::string_view name, double elevation);

// The closing benchmark of a run, by its first 8 characters: appended with
// the known elevation unless already listed.
void registerEndPoint(ControlPoints& points, std::string_view name, double elevation);

// The G 01 / G 02 pairs of a control file. A G 01 followed by another G 01
// before its G 02 is dropped; records of other kinds are passed over.
ControlPoints readControlPoints(InputFile& controlFile);

// ---- Records ----

// The header of an observation file as the three-wire conversion writes
// it, and as the digital-level conversion writes it; each takes the
// 12-character job name.
extern const RecordFormat kThreeWireObservationHeader;
extern const RecordFormat kTopconObservationHeader;

// "OC" and the digits of the setup's number, in 8 characters.
std::string setupName(std::int32_t setupNumber);

// S 00 and S 01 of a setup.
void writeSetupStart(RecordSink& observations, std::string_view setupName);
// O 00 of a sighted point.
void writePointRecord(RecordSink& observations, std::string_view pointName);
// O 09 of one sight; an upper or lower reading of 0 is a wire not read.
// No record for a sight without upper wire whose lower reading is below 0.
void wireRecord(RecordSink& observations, double upper, double middle, double lower);

// The records of one setup in their order: S 00 and S 01, then O 00 and
// O 09 of the backsight point, then of the foresight point. The readings
// are written as read.
void writeSetupRecords(RecordSink& observations, std::string_view setupName, std::string_view backsightName,
                       const WireReadings& backsight, std::string_view foresightName,
                       const WireReadings& foresight);

// The old records of an observation file, each cut to 80 columns and
// written up to its last non-blank; records of blanks only are dropped.
void carryObservationsOver(InputFile& oldObservations, RecordSink& observations);

// ---- The pair of files of a run ----

enum class ObservationMode { New, Append, Overwrite };

struct ObservationFiles {
  ObservationMode mode = ObservationMode::New;
  std::string controlName;       // 20 characters, as the G 00 record names it
  ReplacementFile observations;  // the new .OBS, old records first when appending
  ReplacementFile control;       // the new .CTL, written by writeControlFile
  ControlPoints controlPoints;   // the old benchmarks when appending
};

// Opens the job's pair of files (names of 20 characters, used without
// their blanks) and settles the mode: without an observation file the run
// is new; with one the user is asked whether to append or overwrite. When
// appending, the old control points are read and the old observation
// records carried over; otherwise the observation file starts with the
// header, written with `header` and the job name. Gives nothing when
// either file cannot be opened or created.
std::optional<ObservationFiles> openObservationFiles(Console& console, std::string_view observationName,
                                                     std::string_view controlName, const RecordFormat& header,
                                                     std::string_view jobName);

// Writes the new control file: G 00 with its own name, then a G 01 / G 02
// pair per control point with the unit letter ('F' or 'M').
void writeControlFile(ObservationFiles& files, char unitLetter);

// Replaces the job's pair of files with the new contents: both are written
// out completely before either is renamed over its old file.
void commitObservationFiles(ObservationFiles& files);

}  // namespace vorn
