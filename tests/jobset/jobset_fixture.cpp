#include "jobset_fixture.h"


namespace vorn::testing {

namespace {

std::string padded(std::string_view text, std::size_t length) {
  std::string s(text.substr(0, std::min(text.size(), length)));
  s.resize(length, ' ');
  return s;
}

std::string twoDigits(int k) {
  std::string s = std::to_string(k);
  if (s.size() < 2) s.insert(s.begin(), '0');
  return s;
}

}  // namespace

std::string tableFixture(int lines) {
  std::string s;
  for (int k = 1; k <= lines; ++k) s += " TABLE LINE " + twoDigits(k) + "\r\n";
  return s;
}

std::string shownTableLine(int k) { return padded("TABLE LINE " + twoDigits(k), 71); }

std::string zoneFixtureLine(int k) {
  const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  return std::to_string(k) + " FIXTURE ZONE " + std::to_string(k) + " " + letters + letters + letters;
}

std::string zoneFixture(int lines) {
  std::string s;
  for (int k = 1; k <= lines; ++k) s += zoneFixtureLine(k) + "\r\n";
  return s;
}

void prepareJob(const JobFolder& folder, std::string_view job) {
  folder.write("TEMP.JOB", std::string(job) + "\r\n");
  folder.write("TABLE.DAT", tableFixture());
  folder.write("ZONE.DAT", zoneFixture());
}

std::vector<std::string> defaultDefinitionLines() {
  return {"N",
          " 0 NA NA NA                              ",
          "0",
          "2",
          "       .000",
          "N",
          "N",
          "       .020        2.0",
          "        4.0",
          "         .1",
          "       .001",
          "       .001",
          "Y",
          "       .000",
          "         .0",
          "         .0",
          "N",
          "N",
          "N",
          "Y",
          "      .000      .000",
          ""};
}

std::vector<std::string> changed(std::vector<std::string> lines,
                                 std::initializer_list<std::pair<int, std::string_view>> changes) {
  for (const auto& [number, text] : changes) lines.at(static_cast<std::size_t>(number - 1)).assign(text);
  return lines;
}

std::string zoneTextLine(int k) {
  std::string line(1, ' ');
  line += padded(zoneFixtureLine(k), 40);
  return line;
}

std::string joinCrlf(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& line : lines) s += line + "\r\n";
  return s;
}

std::string newProjectScreen(std::string_view job) {
  return lf({"", "", "", "", "", "",
             "PROJECT IS           " + padded(job, 20),
             "(1) NO STATE PLANE REDUCTIONS  (2) N.A.  (3) N.A.",
             "(4) PROJECT ELEVATION N.A. (UNLESS A ZONE IS DEFINED)",
             "(5) ELEVATIONS FROM FILE N.A. (UNLESS A ZONE IS DEFINED)",
             "(6) ERROR ESTIMATES READ FROM .SD FILE ?       - - NO",
             "DEFAULT STANDARD ERROR ESTIMATES ",
             "(7) DISTANCES     .020     PLUS       2. PPM",
             "(8)   ANGLES      4.0 (SECONDS)   SETUP ERROR =       .000    ",
             "(9) AZIMUTHS       .1 (SECONDS)   SETUP ERROR =       .000    ",
             "(10) CONTROL NORTHING (Y)        .001    ",
             "(11) CONTROL EASTING (X)         .001    ",
             "(12) GEODETIC VS. GRID AZIMUTHS N.A.(UNLESS A ZONE IS DEFINED)",
             "(13) PRINT OUT ALL RESIDUALS",
             "(14) ERROR ELLIPSES COMPUTED ?                - - NO",
             "(15) READJUST WITH ROBUSTED ERROR ESTIMATES ? - - NO",
             "(16) PRINT ADJUSTED DISTANCES AND BEARINGS ?  - - NO",
             "(17) UPDATE COORDINATE FILE ?                 - - YES",
             "",
             "",
             "INPUT THE # OF THE ITEM TO CHANGE",
             "ENTER IF NO CHANGE IS DESIRED (QUIT)"});
}

std::string programFlowEnd() {
  return lf({"", "", "", "", "", "", "", "",
             "PROGRAM FLOW ",
             "- JOBSET - SET UP PROJECT .DEF FILES",
             "- FIELDIN - DATA ENTRY AND PRE ANALYSIS COORDINATE/CLOSURE GENERATION",
             "- SIGMAS - CREATE .SD FILE (ERROR ESTIMATE FILE) [OPTIONAL]",
             "- NETADJ - LEAST SQUARES ANALYSIS",
             "- CLOSRPT - POST ANALYSIS TRAVERSE CLOSURES",
             "- PLOTGEN - CREATION OF .DXF FILE",
             "Stop - Program terminated."});
}

int countOf(std::string_view text, std::string_view piece) {
  int n = 0;
  for (std::size_t p = text.find(piece); p != std::string_view::npos; p = text.find(piece, p + 1)) ++n;
  return n;
}

std::string sourcePath(std::string_view relative) { return std::string(VORN_SOURCE_DIR) + "/" + std::string(relative); }

}  // namespace vorn::testing
