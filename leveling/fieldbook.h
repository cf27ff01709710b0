// The three-wire field book: one leveling run as plain text. A start line
// names the starting station and its elevation; then setup lines carry six
// wire readings each, and station lines name the point the foresight rod of
// the setup before stood on.
//
// A line is read as exactly 80 columns; only the blank separates items.
// The readers here work on one line alone and never look at the next one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorn {

inline constexpr std::size_t kFieldLineColumns = 80;
inline constexpr std::size_t kStationNameLength = 12;

// A station or point name: 12 characters, blank-padded.
using StationName = std::string;

// The first 12 characters of an item, blank-padded.
StationName stationName(std::string_view item);

enum class FieldLineKind { Start, Station, Setup, Ignored, Malformed };

// One sight's readings in rod units. An upper or lower reading of exactly 0
// means that wire was not read; the middle reading is never missing.
struct WireReadings {
  double upper = 0.0;
  double middle = 0.0;
  double lower = 0.0;
};

// What one line of the field book holds.
struct FieldLine {
  FieldLineKind kind = FieldLineKind::Ignored;
  std::string_view item;      // Start, Station: the line's first item (within the 80 columns)
  double elevation = 0.0;     // Start
  WireReadings backsight{};   // Setup
  WireReadings foresight{};   // Setup
};

// The columns of a line that are read: its first 80 characters.
std::string_view fieldLineColumns(std::string_view line);

// Before the start line is found: Start (first item and the first number
// after it) or Ignored.
FieldLine classifyStartSearchLine(std::string_view line);

// In the run: Station (one item ending before column 80), Setup (two or
// more items; the six readings read from the whole line), Ignored (blank,
// or a first item reaching column 80) or Malformed (fewer than six numbers
// could be read). The wire checks are not applied here: see
// setupPassesWireChecks.
FieldLine classifyRunLine(std::string_view line);

// True when the line is a Station line (exactly one item, ending before
// column 80).
bool isStationLine(std::string_view line);

// The wire checks of one sight: at most one of upper and lower missing,
// and upper >= middle, upper >= lower, middle >= lower wherever the wires
// involved were read.
bool sightPassesWireChecks(const WireReadings& sight);
// Both sights of a setup pass the wire checks.
bool setupPassesWireChecks(const WireReadings& backsight, const WireReadings& foresight);

}  // namespace vorn
