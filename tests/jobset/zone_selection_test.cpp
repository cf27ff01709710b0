// The zone selection: the assumed-system question, the three pages of
// TABLE.DAT with their bounds, the ZONE.DAT lookup, and the zone lists
// missing or too short.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jobset_fixture.h"

namespace vorn::testing {
namespace {

const std::string kAssumedQuestion =
    lf({"DO YOU WISH TO RUN YOUR DATA IN AN ASSUMED (NO STATE PLANE)", "COORDINATE SYSTEM ? (Y/N) <N>"});
const std::string kFirstPrompt = "INPUT ZONE # OR PRESS ENTER IF YOU WANT LAMBERT ZONES\n";
const std::string kSecondPrompt = "INPUT ZONE # (1-121) OR PRESS ENTER FOR ALASKA MERCATOR ZONES\n";
const std::string kThirdPrompt = "INPUT ZONE # (1-130) OR PRESS ENTER TO REPEAT LIST\n";

std::string page(int first, int last) {
  std::string s;
  for (int k = first; k <= last; ++k) s += shownTableLine(k) + "\n";
  return s;
}

TEST(ZoneSelection, PagesAreShownWholeWithTheirQuestions) {
  JobFolder folder;
  prepareJob(folder);
  RunResult r = folder.run("jobset", "1\n\n\n\n\n3\n1\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  const std::string shown = kAssumedQuestion + page(1, 20) + "\n" + kFirstPrompt + page(21, 47) + kSecondPrompt +
                            page(48, 60) + kThirdPrompt + page(1, 20) + "\n" + kFirstPrompt;
  EXPECT_EQ(countOf(r.console, "ENTER IF NO CHANGE IS DESIRED (QUIT)\n" + shown + "IS YOUR DATA IN \n"), 1);
}

TEST(ZoneSelection, EachPageTakesZonesUpToItsBound) {
  struct Case {
    const char* answers;  // to the page questions
    int zone;
    int pages[3];  // times each page was listed
    int prompts[3];
  } cases[] = {
      {"3\n", 3, {1, 0, 0}, {1, 0, 0}},
      {"49\n", 49, {1, 0, 0}, {1, 0, 0}},
      {"75\n75\n", 75, {1, 1, 0}, {1, 1, 0}},
      {"0\n5\n", 5, {1, 1, 0}, {1, 1, 0}},
      {"\n125\n125\n", 125, {1, 1, 1}, {1, 1, 1}},
      {"\n\n131\n3\n", 3, {2, 1, 1}, {2, 1, 1}},
      {"\n\n\n02\n", 2, {2, 1, 1}, {2, 1, 1}},
      {"ABC\n7,8\n", 7, {1, 0, 0}, {2, 0, 0}},
      {"\n-4\n\n121\n121\n", 121, {2, 2, 1}, {2, 2, 1}},
  };
  for (const Case& c : cases) {
    JobFolder folder;
    prepareJob(folder);
    RunResult r = folder.run("jobset", std::string("1\n\n") + c.answers + "1\n\nN\n");
    ASSERT_EQ(r.status, 0) << c.answers << r.errors;
    EXPECT_EQ(countOf(r.console, shownTableLine(1) + "\n"), c.pages[0]) << c.answers;
    EXPECT_EQ(countOf(r.console, shownTableLine(21) + "\n"), c.pages[1]) << c.answers;
    EXPECT_EQ(countOf(r.console, shownTableLine(48) + "\n"), c.pages[2]) << c.answers;
    EXPECT_EQ(countOf(r.console, kFirstPrompt), c.prompts[0]) << c.answers;
    EXPECT_EQ(countOf(r.console, kSecondPrompt), c.prompts[1]) << c.answers;
    EXPECT_EQ(countOf(r.console, kThirdPrompt), c.prompts[2]) << c.answers;
    EXPECT_EQ(countOf(r.console, "(1) " + zoneFixtureLine(c.zone).substr(0, 72) + "\n"), 1) << c.answers;
    std::string written = folder.read("SURVEY.DEF");
    EXPECT_EQ(written.substr(0, written.find("\r\n", 3) + 2), "Y\r\n" + zoneTextLine(c.zone) + "\r\n")
        << c.answers;
  }
}

TEST(ZoneSelection, AssumedSystemReadsNeitherList) {
  JobFolder folder;
  folder.write("TEMP.JOB", "SURVEY\r\n");
  RunResult r = folder.run("jobset", "1\nX\ny\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(countOf(r.console, kAssumedQuestion), 2);
  EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(defaultDefinitionLines()));
}

TEST(ZoneSelection, MissingOrShortListsEndTheRunWithoutWritingTheProject) {
  const std::vector<std::string> earlier = changed(defaultDefinitionLines(), {{17, "Y"}});
  const std::vector<std::string> zone3 = changed(earlier, {{1, "Y"}, {2, " 3"}});
  struct Case {
    const char* id;
    int tableLines;  // 0: no TABLE.DAT
    int zoneLines;   // 0: no ZONE.DAT
    bool zoneProject;
    const char* input;
    const char* file;  // the file the report names
  } cases[] = {
      {"no TABLE.DAT", 0, 130, false, "1\n\n3\n1\n\nN\n", "TABLE.DAT"},
      {"TABLE.DAT of 59 lines", 59, 130, false, "1\n\n3\n1\n\nN\n", "TABLE.DAT"},
      {"no ZONE.DAT after a zone is chosen", 60, 0, false, "1\n\n3\n1\n\nN\n", "ZONE.DAT"},
      {"no ZONE.DAT for a zone project", 60, 0, true, "\nN\n", "ZONE.DAT"},
      {"ZONE.DAT shorter than the zone number", 60, 2, true, "\nN\n", "ZONE.DAT"},
  };
  for (const Case& c : cases) {
    JobFolder folder;
    folder.write("TEMP.JOB", "SURVEY\r\n");
    if (c.tableLines > 0) folder.write("TABLE.DAT", tableFixture(c.tableLines));
    if (c.zoneLines > 0) folder.write("ZONE.DAT", zoneFixture(c.zoneLines));
    const std::string before = joinCrlf(c.zoneProject ? zone3 : earlier);
    folder.write("SURVEY.DEF", before);
    RunResult r = folder.run("jobset", c.input);
    EXPECT_EQ(r.status, 2) << c.id;
    EXPECT_EQ(countOf(r.errors, "\n"), 1) << c.id << r.errors;
    EXPECT_NE(r.errors.find(c.file), std::string::npos) << c.id << r.errors;
    EXPECT_EQ(countOf(r.console, "Stop - Program terminated."), 0) << c.id;
    EXPECT_EQ(folder.read("SURVEY.DEF"), before) << c.id;
    EXPECT_FALSE(folder.exists("DXF.BAT")) << c.id;
  }
}

TEST(ZoneSelection, ItemOneShowsTheZoneLineLookedUpOnEveryDisplay) {
  JobFolder folder;
  prepareJob(folder);
  const std::vector<std::string> lines =
      changed(defaultDefinitionLines(), {{1, "Y"}, {2, " 3 WHATEVER THE FILE SAYS"}});
  folder.write("SURVEY.DEF", joinCrlf(lines));
  // ZONE.DAT's line 3 changes between two runs: the file follows it.
  folder.write("ZONE.DAT", zoneFixture(2) + "3 RENAMED\r\n");
  RunResult r = folder.run("jobset", "18\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(countOf(r.console, "(1) 3 RENAMED" + std::string(63, ' ') + "\n(2) NAD 1927  (3) N.A.\n"), 2);
  EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(changed(lines, {{2, " 3 RENAMED                               "}})));
}

}  // namespace
}  // namespace vorn::testing
