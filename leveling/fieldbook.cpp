#include "fieldbook.h"

#include "common/freeformat.h"
#include "common/records.h"

namespace vorn {

namespace {

// The first item of a line's 80 columns and where the rest begins.
struct FirstItem {
  bool found = false;
  std::string_view item;
  std::string_view rest;  // the columns after the item (starting with its blank)
};

// The first item; not found when the columns are blank or the item runs
// into column 80.
FirstItem findFirstItem(std::string_view columns) {
  FirstItem first;
  std::size_t begin = columns.find_first_not_of(' ');
  if (begin == std::string_view::npos) return first;
  std::size_t end = columns.find(' ', begin);
  if (end == std::string_view::npos) {
    // A shorter line reads as padded with blanks: its item ends before
    // column 80. A full one has its item reaching column 80.
    if (columns.size() == kFieldLineColumns) return first;
    end = columns.size();
  }
  first.found = true;
  first.item = columns.substr(begin, end - begin);
  first.rest = columns.substr(end);
  return first;
}

}  // namespace

StationName stationName(std::string_view item) { return fixedText(item.substr(0, kStationNameLength), kStationNameLength); }

std::string_view fieldLineColumns(std::string_view line) { return line.substr(0, kFieldLineColumns); }

FieldLine classifyStartSearchLine(std::string_view line) {
  FieldLine result;
  FirstItem first = findFirstItem(fieldLineColumns(line));
  if (!first.found) return result;
  double elevation = 0.0;
  if (freeFormatRead(first.rest, {elevation}) != ReadOutcome::Done) return result;
  result.kind = FieldLineKind::Start;
  result.item = first.item;
  result.elevation = elevation;
  return result;
}

FieldLine classifyRunLine(std::string_view line) {
  FieldLine result;
  std::string_view columns = fieldLineColumns(line);
  FirstItem first = findFirstItem(columns);
  if (!first.found) return result;
  if (isBlank(first.rest)) {
    result.kind = FieldLineKind::Station;
    result.item = first.item;
    return result;
  }
  WireReadings& bs = result.backsight;
  WireReadings& fs = result.foresight;
  ReadOutcome outcome =
      freeFormatRead(columns, {bs.upper, bs.middle, bs.lower, fs.upper, fs.middle, fs.lower});
  result.kind = outcome == ReadOutcome::Done ? FieldLineKind::Setup : FieldLineKind::Malformed;
  return result;
}

bool isStationLine(std::string_view line) {
  FirstItem first = findFirstItem(fieldLineColumns(line));
  return first.found && isBlank(first.rest);
}

bool sightPassesWireChecks(const WireReadings& sight) {
  const double u = sight.upper;
  const double m = sight.middle;
  const double l = sight.lower;
  if (u == 0.0 && l == 0.0) return false;
  if (u != 0.0 && m > u) return false;
  if (u != 0.0 && l > u) return false;
  if (l != 0.0 && l > m) return false;
  return true;
}

bool setupPassesWireChecks(const WireReadings& backsight, const WireReadings& foresight) {
  return sightPassesWireChecks(backsight) && sightPassesWireChecks(foresight);
}

}  // namespace vorn
