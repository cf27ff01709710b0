// The job's .DEF file: its lines as written, what a read takes from it,
// and what a missing, short or damaged file gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jobset_fixture.h"

namespace vorn::testing {
namespace {

TEST(DefinitionFile, ZoneWithNad1983Metric) {
  JobFolder folder;
  prepareJob(folder);
  // Item 1: not assumed, zone 3 on the first page, NAD 1983, meters.
  RunResult r = folder.run("jobset", "1\n\n3\n2\n1\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(folder.read("SURVEY.DEF"),
            joinCrlf(changed(defaultDefinitionLines(), {{1, "Y"}, {2, zoneTextLine(3)}, {3, "2"}, {4, "1"}})));
}

TEST(DefinitionFile, TwentyLineFileReadsCompleteAndIsWrittenInFull) {
  JobFolder folder;
  prepareJob(folder);
  // No line 21; line 2's text is not the zone's; NAD 1927 with unit code 1.
  folder.write("SURVEY.DEF", crlf({"Y", " 5 TEXT OF AN OLDER ZONE LIST", "1", "1", "  1234.5678", "Y", "N",
                                   "      .0125      10.25", "       2.25", "       1.04", "      .0304", "        .02",
                                   "N", "        1.5", "       1.25", "       1.25", "Y", "N", "Y", "N"}));
  RunResult r = folder.run("jobset", "\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(countOf(r.console, "(1) " + zoneFixtureLine(5).substr(0, 72) + "\n"), 1);
  EXPECT_EQ(countOf(r.console, "(2) NAD 1927  (3) N.A.\n"), 1);
  EXPECT_EQ(countOf(r.console, "(4) PROJECT AVERAGE ELEVATION IS   1234.568 FT.\n"), 1);
  EXPECT_EQ(folder.read("SURVEY.DEF"),
            crlf({"Y", zoneTextLine(5), "1", "2", "   1234.568", "Y", "N", "       .013       10.3",
                  "        2.3", "        1.0", "       .030", "       .020", "N", "      1.500", "        1.3",
                  "        1.3", "Y", "N", "Y", "N", "      .000      .000", ""}));
}

TEST(DefinitionFile, ReadsGoByValuesNotByLines) {
  JobFolder folder;
  prepareJob(folder);
  // The six estimates share one line, the three residual limits another;
  // the setup errors follow on the next line.
  folder.write("SURVEY.DEF", crlf({"N", " 0 NA NA NA", "0", "2", " 10.5", "N", "Y", " .05 3 5 2 .01 .02", "Y",
                                   " 0, 0, 0", "N", "N", "N", "Y", " 1.5 2.5"}));
  RunResult r = folder.run("jobset", "\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(folder.read("SURVEY.DEF"),
            crlf({"N", " 0 NA NA NA                              ", "0", "2", "     10.500", "N", "Y",
                  "       .050        3.0", "        5.0", "        2.0", "       .010", "       .020", "Y",
                  "       .000", "         .0", "         .0", "N", "N", "N", "Y", "     1.500     2.500", ""}));
}

TEST(DefinitionFile, IncompleteReadOfTheFirstProjectGivesTheDefaults) {
  const std::vector<std::string> good = {"Y", " 3 X", "2", "1", "     50.000", "Y", "Y", "       .050        3.0",
                                         "        5.0", "        2.0", "       .010", "       .020", "N",
                                         "      2.000", "        2.0", "        2.0", "Y", "Y", "Y", "N"};
  struct Case {
    const char* id;
    int line;             // 1-based line replaced, or the length the file is cut to (negative)
    const char* content;
  } cases[] = {
      {"empty file", 0, nullptr},
      {"cut after line 7", -7, nullptr},
      {"cut after the last estimate", -12, nullptr},
      {"zone not an integer", 2, " X NA"},
      {"zone with a point", 2, " 3.0 X"},
      {"estimate not a number", 10, "  ABC"},
      {"datum code too wide for its field", 3, "12"},
      {"negative unit code", 4, "-1"},
      {"negative zone", 2, " -3 X"},
      {"elevation too wide for its field", 5, " 12345678.9"},
      {"residual limit too wide for its field", 14, " 1E9"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = c.line > 0 ? changed(good, {{c.line, c.content}}) : good;
    lines.resize(c.line < 0 ? static_cast<std::size_t>(-c.line) : c.line == 0 ? 0 : lines.size());
    JobFolder folder;
    prepareJob(folder);
    folder.write("SURVEY.DEF", joinCrlf(lines));
    RunResult r = folder.run("jobset", "\nN\n");
    ASSERT_EQ(r.status, 0) << c.id << r.errors;
    EXPECT_EQ(r.console, newProjectScreen() + lf({"DO YOU WANT TO CHANGE THE PROJECT (JOB) - Y/N ? <N>"}) +
                             programFlowEnd())
        << c.id;
    EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(defaultDefinitionLines())) << c.id;
  }
}

TEST(DefinitionFile, IncompleteReadAfterAChangeKeepsThePreviousSettings) {
  JobFolder folder;
  prepareJob(folder, "A");
  // B's file holds a NAD 1983 metric zone and an elevation, then ends.
  folder.write("B.DEF", crlf({"Y", " 7", "2", "1", "     77.000"}));
  // A: zone 3, NAD 1927, error ellipses; then B, left unchanged.
  RunResult r = folder.run("jobset", "1\n\n3\n1\n14\n\ny\nB\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  const std::vector<std::string> a =
      changed(defaultDefinitionLines(), {{1, "Y"}, {2, zoneTextLine(3)}, {3, "1"}, {17, "Y"}});
  EXPECT_EQ(folder.read("A.DEF"), joinCrlf(a));
  EXPECT_EQ(folder.read("B.DEF"), joinCrlf(changed(a, {{2, zoneTextLine(7)}, {3, "2"}, {4, "1"}, {5, "     77.000"}})));
  // B's menu shows its codes, with the unit label of A.
  std::size_t bMenu = r.console.find("PROJECT IS           B");
  ASSERT_NE(bMenu, std::string::npos);
  std::string shown = r.console.substr(bMenu);
  EXPECT_EQ(countOf(shown, "(2) NAD 1983\n(3) METRIC\n"), 1);
  EXPECT_EQ(countOf(shown, "(4) PROJECT AVERAGE ELEVATION IS     77.000 FT.\n"), 1);
}

// A value too wide for its field, read just before the read fails, is not
// kept: the file written never gets a field of asterisks, which would make
// it unreadable the next time.
TEST(DefinitionFile, TooWideValueBeforeAFailedReadIsNotKept) {
  JobFolder folder;
  prepareJob(folder, "A");
  // B: an elevation and a flag, then a distance constant of 1E9 and no
  // number after it.
  folder.write("B.DEF", crlf({"N", " 0 NA NA NA", "0", "2", "     11.000", "N", "Y", " 1E9", "ABC"}));
  RunResult r = folder.run("jobset", "\ny\nB\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(folder.read("B.DEF"), joinCrlf(changed(defaultDefinitionLines(), {{5, "     11.000"}, {7, "Y"}})));
}

TEST(DefinitionFile, FlagsOtherThanYesOrNoAreKeptAndShowNoRow) {
  JobFolder folder;
  prepareJob(folder);
  // Estimates from the .SD file: blank; robust readjustment: x.
  const std::vector<std::string> lines = changed(defaultDefinitionLines(), {{7, ""}, {18, "x"}});
  folder.write("SURVEY.DEF", joinCrlf(lines));
  RunResult r = folder.run("jobset", "6\n15\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(countOf(r.console, "(6) "), 0);
  EXPECT_EQ(countOf(r.console, "(15) "), 0);
  EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(changed(lines, {{7, " "}})));
}

}  // namespace
}  // namespace vorn::testing
