// The settings menu: the numbered list of a project's settings, the choice
// of the item to change and each item's dialogue.
#pragma once

#include <string>
#include <string_view>

#include "common/console.h"
#include "jobset/project_definition.h"
#include "jobset/zone_selection.h"

namespace vorn::jobset {

// What the menu works on: the record, the unit label shown behind lengths
// (derived where the zone, datum or unit change) and the zone's ZONE.DAT
// line shown as item (1).
struct OpenProject {
  ProjectDefinition definition;
  std::string unitLabel = std::string(kUnitLabelLength, ' ');
  ZoneLine zoneLine = ZoneLine(kZoneLineLength, ' ');
};

// Shows the menu and runs the chosen items until the user leaves it.
// `jobName` is the 20-character job name.
void runSettingsMenu(Console& console, OpenProject& project, std::string_view jobName);

// "N" becomes "Y" and "Y" becomes "N"; any other character stays.
void toggleFlag(char& flag);

// Item (4): the project average elevation, at least -300.
void askAverageElevation(Console& console, OpenProject& project);

}  // namespace vorn::jobset
