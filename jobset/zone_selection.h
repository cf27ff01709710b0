// The choice between an assumed coordinate system and a state plane zone:
// the paged zone list of TABLE.DAT and the description line of a zone in
// ZONE.DAT. Both files are read from the working folder.
#pragma once

#include <cstdint>
#include <string>

#include "common/console.h"

namespace vorn::jobset {

inline constexpr std::size_t kZoneLineLength = 72;
inline constexpr const char* kZoneListFile = "TABLE.DAT";
inline constexpr const char* kZoneDescriptionFile = "ZONE.DAT";

// A line of TABLE.DAT or ZONE.DAT: its first 72 characters, blank-padded.
using ZoneLine = std::string;

// With zone 0: asks whether the data are in an assumed system; unless the
// answer is yes, lets the user choose a zone from the list and looks it up.
// With any other zone: looks it up alone. `zoneLine` receives the zone's
// ZONE.DAT line; it is left as it was when the assumed system is kept.
void selectZone(Console& console, std::int32_t& zoneNumber, ZoneLine& zoneLine);

// Line `zoneNumber` (1 or more) of ZONE.DAT. A missing file, or one with
// fewer lines, is an input/output failure.
ZoneLine lookUpZone(std::int32_t zoneNumber);

}  // namespace vorn::jobset
