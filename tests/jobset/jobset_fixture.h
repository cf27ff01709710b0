// What the JOBSET tests share: job folders with small zone lists whose
// lines are easy to recognise, the file a new project gets, and the menu
// screen of a new project.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/job_folder.h"

namespace vorn::testing {

// TABLE.DAT of the fixture: line k is " TABLE LINE kk".
std::string tableFixture(int lines = 60);
// Line k of the fixture's TABLE.DAT as the console shows it (71 characters).
std::string shownTableLine(int k);
// Line k of the fixture's ZONE.DAT: "k FIXTURE ZONE k" followed by letters,
// longer than 72 characters.
std::string zoneFixtureLine(int k);
std::string zoneFixture(int lines = 130);
// A folder with TEMP.JOB naming `job` and the fixture's zone lists.
void prepareJob(const JobFolder& folder, std::string_view job = "SURVEY");

// The 22 lines of the .DEF file of a new project.
std::vector<std::string> defaultDefinitionLines();
// `lines` with some of them (numbered from 1, as in the file) replaced.
std::vector<std::string> changed(std::vector<std::string> lines,
                                 std::initializer_list<std::pair<int, std::string_view>> changes);
// Line 2 of the .DEF file for zone k of the fixture: a blank and the first
// 40 characters of the zone's line.
std::string zoneTextLine(int k);
std::string joinCrlf(const std::vector<std::string>& lines);

// The menu of a new project named `job` (padded to 20 characters), from its
// spacing to the item question.
std::string newProjectScreen(std::string_view job = "SURVEY");

// The program-flow help and the stop, as the console shows them.
std::string programFlowEnd();

int countOf(std::string_view text, std::string_view piece);
// The source tree, for the files the suite ships.
std::string sourcePath(std::string_view relative);

}  // namespace vorn::testing
