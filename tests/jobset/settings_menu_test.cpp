// The settings menu: its screen, the choice of an item, each item's
// action, the datum and units questions and the value steps.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "jobset_fixture.h"

namespace vorn::testing {
namespace {

const std::string kChangeQuestion = lf({"DO YOU WANT TO CHANGE THE PROJECT (JOB) - Y/N ? <N>"});
const std::string kItemQuestion = "INPUT THE # OF THE ITEM TO CHANGE\n";

enum class Base { NoZone, ZoneFeet, ZoneMetric };

std::vector<std::string> baseLines(Base base) {
  if (base == Base::NoZone) return defaultDefinitionLines();
  return changed(defaultDefinitionLines(),
                 {{1, "Y"}, {2, zoneTextLine(3)}, {3, "2"}, {4, base == Base::ZoneMetric ? "1" : "2"}});
}

// The lines of the console that begin with `start`, in order.
std::vector<std::string> linesStartingWith(const std::string& console, const std::string& start) {
  std::vector<std::string> found;
  std::size_t begin = 0;
  while (begin < console.size()) {
    std::size_t end = console.find('\n', begin);
    std::string line = console.substr(begin, end - begin);
    if (line.rfind(start, 0) == 0) found.push_back(line);
    begin = end + 1;
  }
  return found;
}

RunResult runWith(const JobFolder& folder, const std::vector<std::string>& definition, const std::string& input) {
  prepareJob(folder);
  folder.write("SURVEY.DEF", joinCrlf(definition));
  return folder.run("jobset", input);
}

TEST(SettingsMenu, ScreenOfADefinedZoneRowByRow) {
  JobFolder folder;
  RunResult r = runWith(folder,
                        {"Y", " 3 X", "2", "3", "     12.500", "Y", "Y", "       .020        2.0", "        4.0",
                         "         .1", "       .001", "       .002", "N", "      1.500", "        1.5", "        1.5",
                         "Y", "Y", "Y", "N", "     1.250      .500", ""},
                        "\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  const std::string screen = lf({"", "", "", "", "", "",
                                 "PROJECT IS           SURVEY              ",
                                 "(1) " + zoneFixtureLine(3).substr(0, 72),
                                 "(2) NAD 1983",
                                 "(3) INTERNATIONAL FOOT",
                                 "(4) PROJECT AVERAGE ELEVATION IS     12.500 FT.",
                                 "(5) ELEVATIONS READ FROM .LEV FILE ?           - - YES",
                                 "(6) ERROR ESTIMATES READ FROM .SD FILE ?       - - YES",
                                 "DEFAULT STANDARD ERROR ESTIMATES ",
                                 "(7) DISTANCES     .020 FT. PLUS       2. PPM",
                                 "(8)   ANGLES      4.0 (SECONDS)   SETUP ERROR =      1.250 FT.",
                                 "(9) AZIMUTHS       .1 (SECONDS)   SETUP ERROR =       .500 FT.",
                                 "(10) CONTROL NORTHING (Y)        .002 FT.",
                                 "(11) CONTROL EASTING (X)         .001 FT.",
                                 "(12) GRID AZIMUTHS (NOT GEODETIC) HAVE BEEN INPUT",
                                 "(13) PRINT OUT RESIDUALS >   1.50 TIMES ITS ERROR ESTIMATE",
                                 "(14) ERROR ELLIPSES COMPUTED ?                - - YES",
                                 "(15) READJUST WITH ROBUSTED ERROR ESTIMATES ? - - YES",
                                 "(16) PRINT ADJUSTED DISTANCES AND BEARINGS ?  - - YES",
                                 "(17) UPDATE COORDINATE FILE ?                 - - NO",
                                 "",
                                 "",
                                 "INPUT THE # OF THE ITEM TO CHANGE",
                                 "ENTER IF NO CHANGE IS DESIRED (QUIT)"});
  EXPECT_EQ(r.console, screen + kChangeQuestion + programFlowEnd());
}

TEST(SettingsMenu, DatumAndUnitRows) {
  struct Case {
    const char* datum;
    const char* unit;
    const char* rows;  // what follows item (1); empty when neither (2) nor (3) shows
    const char* label;
  } cases[] = {
      {"1", "2", "(2) NAD 1927  (3) N.A.\n", "FT."},
      {"0", "2", "(2) NAD 1927  (3) N.A.\n", "FT."},
      {"2", "1", "(2) NAD 1983\n(3) METRIC\n", " M."},
      {"2", "2", "(2) NAD 1983\n(3) U.S. SURVEY FOOT\n", "FT."},
      {"2", "5", "", "FT."},
  };
  for (const Case& c : cases) {
    JobFolder folder;
    RunResult r = runWith(folder, changed(baseLines(Base::ZoneFeet), {{3, c.datum}, {4, c.unit}}), "\nN\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    const std::string afterZone = zoneFixtureLine(3).substr(0, 72) + "\n" + c.rows + "(4) ";
    EXPECT_EQ(countOf(r.console, afterZone), 1) << c.datum << c.unit;
    EXPECT_EQ(linesStartingWith(r.console, "(4) "),
              std::vector<std::string>{std::string("(4) PROJECT AVERAGE ELEVATION IS       .000 ") + c.label})
        << c.datum << c.unit;
  }
}

TEST(SettingsMenu, ChoiceRules) {
  struct Case {
    const char* answer;
    int displays;
  } cases[] = {{"", 1}, {"0", 1}, {"20", 1}, {"X", 1}, {"-1", 1}, {"1.5", 1}, {"18", 2}, {"19", 2}, {"  19 7", 2}};
  for (const Case& c : cases) {
    JobFolder folder;
    RunResult r = runWith(folder, defaultDefinitionLines(), std::string(c.answer) + "\n\nN\n");
    ASSERT_EQ(r.status, 0) << c.answer << r.errors;
    EXPECT_EQ(countOf(r.console, kItemQuestion), c.displays) << c.answer;
    EXPECT_EQ(countOf(r.console, kChangeQuestion), 1) << c.answer;
    EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(defaultDefinitionLines())) << c.answer;
  }
}

TEST(SettingsMenu, ItemsThatNeedAZone) {
  JobFolder folder;
  RunResult r = runWith(folder, defaultDefinitionLines(), "2\n3\n4\n5\n12\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  const std::string screen = newProjectScreen();
  const std::string message = lf({"", "A STATE PLANE ZONE MUST BE SELECTED FIRST", ""});
  EXPECT_EQ(r.console,
            screen + message + screen + message + screen + screen + screen + screen + kChangeQuestion +
                programFlowEnd());
  EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(defaultDefinitionLines()));
}

TEST(SettingsMenu, FlagItemsToggle) {
  JobFolder folder;
  RunResult r = runWith(folder, baseLines(Base::ZoneFeet), "5\n6\n12\n14\n15\n16\n17\n6\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(folder.read("SURVEY.DEF"),
            joinCrlf(changed(baseLines(Base::ZoneFeet),
                             {{6, "Y"}, {13, "N"}, {17, "Y"}, {18, "Y"}, {19, "Y"}, {20, "N"}})));
  EXPECT_EQ(linesStartingWith(r.console, "(12) ").back(), "(12) GRID AZIMUTHS (NOT GEODETIC) HAVE BEEN INPUT");
}

TEST(SettingsMenu, ItemTwoSwitchesTheDatumAndKeepsTheUnit) {
  JobFolder folder;
  RunResult r = runWith(folder, baseLines(Base::ZoneMetric), "2\n2\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(countOf(r.console, "ARE YOUR COORDINATES"), 0);
  EXPECT_EQ(linesStartingWith(r.console, "(2) "),
            (std::vector<std::string>{"(2) NAD 1983", "(2) NAD 1927  (3) N.A.", "(2) NAD 1983"}));
  EXPECT_EQ(linesStartingWith(r.console, "(10) "),
            (std::vector<std::string>{"(10) CONTROL NORTHING (Y)        .001  M.",
                                      "(10) CONTROL NORTHING (Y)        .001 FT.",
                                      "(10) CONTROL NORTHING (Y)        .001  M."}));
  EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(baseLines(Base::ZoneMetric)));
}

TEST(SettingsMenu, ItemThreeAsksForTheUnitUnlessNad1927) {
  JobFolder nad1927;
  RunResult r = runWith(nad1927, changed(baseLines(Base::ZoneFeet), {{3, "1"}}), "3\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(countOf(r.console,
                    "ENTER IF NO CHANGE IS DESIRED (QUIT)\nNAD 1927 DATA IS ONLY IN THE U.S. SURVEY FOOT\n\n"),
            1);
  EXPECT_EQ(countOf(r.console, "ARE YOUR COORDINATES"), 0);

  JobFolder nad1983;
  r = runWith(nad1983, baseLines(Base::ZoneMetric), "3\n4\nx\n3\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(countOf(r.console, lf({"ARE YOUR COORDINATES AND DISTANCES BASED ON ", "(1) METERS",
                                   "(2) U.S. SURVEY FOOT", "(3) INTERNATIONAL FOOT", "SELECT A # <2>"})),
            3);
  EXPECT_EQ(countOf(r.console,
                    "(2) NAD 1983\n(3) INTERNATIONAL FOOT\n(4) PROJECT AVERAGE ELEVATION IS       .000 FT.\n"),
            1);
  EXPECT_EQ(nad1983.read("SURVEY.DEF"), joinCrlf(changed(baseLines(Base::ZoneMetric), {{4, "3"}})));
}

TEST(SettingsMenu, DatumQuestionAfterAZoneIsChosen) {
  const std::string datumQuestion = lf({"IS YOUR DATA IN ", "(1) NAD 1927 OR ", "(2) NAD 1983", "SELECT A # <1>"});
  struct Case {
    const char* answers;  // to the datum question and the units question if asked
    int datumQuestions;
    int unitQuestions;
    const char* datum;
    const char* unit;
    const char* row;
  } cases[] = {
      {"3\nx\n\n", 3, 0, "1", "2", "(2) NAD 1927  (3) N.A."},
      {"02\n\n", 1, 1, "2", "2", "(2) NAD 1983\n(3) U.S. SURVEY FOOT"},
      {"2\n0\n1\n", 1, 2, "2", "1", "(2) NAD 1983\n(3) METRIC"},
  };
  for (const Case& c : cases) {
    // A new project: no unit chosen yet. Item 1, not assumed, zone 3; then
    // the menu is left and the project kept.
    JobFolder folder;
    prepareJob(folder);
    RunResult r = folder.run("jobset", std::string("1\n\n3\n") + c.answers + "\nN\n");
    ASSERT_EQ(r.status, 0) << c.answers << r.errors;
    EXPECT_EQ(countOf(r.console, datumQuestion), c.datumQuestions) << c.answers;
    EXPECT_EQ(countOf(r.console, "ARE YOUR COORDINATES"), c.unitQuestions) << c.answers;
    EXPECT_EQ(countOf(r.console, std::string(c.row) + "\n(4) "), 1) << c.answers;
    EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(changed(baseLines(Base::ZoneFeet), {{3, c.datum}, {4, c.unit}})))
        << c.answers;
  }
}

TEST(SettingsMenu, AssumedSystemChosenOnAZoneProject) {
  JobFolder folder;
  RunResult r = runWith(folder, baseLines(Base::ZoneMetric), "1\ny\n\nN\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(linesStartingWith(r.console, "(7) "),
            (std::vector<std::string>{"(7) DISTANCES     .020  M. PLUS       2. PPM",
                                      "(7) DISTANCES     .020     PLUS       2. PPM"}));
  EXPECT_EQ(countOf(r.console, "(1) NO STATE PLANE REDUCTIONS  (2) N.A.  (3) N.A.\n"
                               "(4) PROJECT ELEVATION N.A. (UNLESS A ZONE IS DEFINED)\n"
                               "(5) ELEVATIONS FROM FILE N.A. (UNLESS A ZONE IS DEFINED)\n"),
            1);
  EXPECT_EQ(countOf(r.console, "(12) GEODETIC VS. GRID AZIMUTHS N.A.(UNLESS A ZONE IS DEFINED)\n"), 1);
  EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(changed(defaultDefinitionLines(), {{3, "2"}, {4, "1"}})));
}

TEST(SettingsMenu, ValueSteps) {
  using Lines = std::vector<std::pair<int, std::string>>;  // 1-based line, content
  struct Case {
    const char* id;
    Base base;
    Lines before;
    const char* input;  // the menu answers up to leaving the menu
    Lines after;
    std::vector<std::pair<std::string, int>> prompts;  // prompt line, times shown
  };
  const Case cases[] = {
      {"elevation, metric zone", Base::ZoneMetric, {}, "4\n-301\n-300\n",
       {{5, "   -300.000"}},
       {{"ENTER AVERAGE PROJECT ELEVATION IN  M (ENTER FOR NO CHANGE)", 2}}},
      {"elevation too wide for the file, then the widest", Base::ZoneFeet, {}, "4\n1000000\n999999.999\n",
       {{5, " 999999.999"}},
       {{"ENTER AVERAGE PROJECT ELEVATION IN FT (ENTER FOR NO CHANGE)", 2}}},
      {"refused answers leave the values as they were", Base::NoZone, {}, "7\n0.001\n0\n\n-5\n\n",
       {},
       {{"INPUT DISTANCE ERROR ESTIMATE CONSTANT (ENTER FOR NO CHANGE)", 3},
        {"INPUT DISTANCE ERROR PPM (ENTER FOR NO CHANGE)", 2}}},
      {"distance constant below its floor is raised", Base::NoZone, {{8, "      .0005        2.0"}}, "7\n\n\n",
       {{8, "       .001        2.0"}},
       {{"INPUT DISTANCE ERROR ESTIMATE CONSTANT (ENTER FOR NO CHANGE)", 1}}},
      {"distance values taken, feet zone", Base::ZoneFeet, {}, "7\n0.5\n10\n",
       {{8, "       .500       10.0"}},
       {{"INPUT DISTANCE ERROR ESTIMATE CONSTANT ( FT.) (ENTER FOR NO CHANGE)", 1}}},
      {"negative setup error becomes 0", Base::ZoneMetric, {{21, "     1.500      .250"}}, "8\n3\n-2\n",
       {{9, "        3.0"}, {21, "      .000      .250"}},
       {{"INPUT ANGLE ERROR ESTIMATE IN SECONDS (ENTER FOR NO CHANGE)", 1},
        {"INPUT ANGLE SETUP ERROR (  M.) (ENTER FOR NO CHANGE)", 1}}},
      {"blank after a refused angle goes on to the setup error", Base::NoZone, {}, "8\n0.05\n\n2.5\n",
       {{21, "     2.500      .000"}},
       {{"INPUT ANGLE ERROR ESTIMATE IN SECONDS (ENTER FOR NO CHANGE)", 2},
        {"INPUT ANGLE SETUP ERROR (ENTER FOR NO CHANGE)", 1}}},
      {"azimuth", Base::NoZone, {}, "9\n0.09\nABC\n0.5\n\n",
       {{10, "         .5"}},
       {{"INPUT AZIMUTH ERROR ESTIMATE IN SECONDS (ENTER FOR NO CHANGE)", 3},
        {"INPUT AZIMUTH SETUP ERROR (ENTER FOR NO CHANGE)", 1}}},
      {"azimuth setup error kept apart from the angle setup error", Base::NoZone, {{21, "123456.789      .000"}},
       "9\n\n999999.999\n99999.999\n",
       {{21, "123456.789 99999.999"}},
       {{"INPUT AZIMUTH SETUP ERROR (ENTER FOR NO CHANGE)", 2}}},
      {"control estimates", Base::ZoneFeet, {{12, "       .005"}}, "10\n0.001\n11\n0.0009\n\n",
       {{12, "       .001"}},
       {{"INPUT CONTROL NORTHING (Y) ERROR ESTIMATE ( FT.) (ENTER FOR NO CHANGE)", 1},
        {"INPUT CONTROL EASTING (X) ERROR ESTIMATE ( FT.) (ENTER FOR NO CHANGE)", 2}}},
      {"control estimate below its floor is raised", Base::NoZone, {{11, "      .0002"}}, "11\n\n",
       {{11, "       .001"}},
       {{"INPUT CONTROL EASTING (X) ERROR ESTIMATE (ENTER FOR NO CHANGE)", 1}}},
      {"residual limit and its copies", Base::NoZone, {{15, "         .7"}}, "13\n-1\n2.5\n",
       {{14, "      2.500"}, {15, "        2.5"}, {16, "        2.5"}},
       {{"INPUT NEW RESIDUAL PRINTOUT LIMIT (ENTER FOR NO CHANGE)", 2},
        {"(13) PRINT OUT RESIDUALS >   2.50 TIMES ITS ERROR ESTIMATE", 1}}},
      {"residual limit back to 0", Base::NoZone, {{14, "      2.500"}, {15, "        2.5"}, {16, "        2.5"}},
       "13\n0\n",
       {{14, "       .000"}, {15, "         .0"}, {16, "         .0"}},
       {{"(13) PRINT OUT RESIDUALS >   2.50 TIMES ITS ERROR ESTIMATE", 1},
        {"(13) PRINT OUT ALL RESIDUALS", 1}}},
      {"blank residual limit leaves its copies", Base::NoZone, {{14, "      2.500"}, {15, "         .7"}}, "13\n\n",
       {},
       {{"INPUT NEW RESIDUAL PRINTOUT LIMIT (ENTER FOR NO CHANGE)", 1}}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = baseLines(c.base);
    for (const auto& [line, text] : c.before) lines = changed(lines, {{line, text}});
    JobFolder folder;
    RunResult r = runWith(folder, lines, std::string(c.input) + "\nN\n");
    ASSERT_EQ(r.status, 0) << c.id << r.errors;
    for (const auto& [line, text] : c.after) lines = changed(lines, {{line, text}});
    EXPECT_EQ(folder.read("SURVEY.DEF"), joinCrlf(lines)) << c.id;
    for (const auto& [prompt, times] : c.prompts) EXPECT_EQ(countOf(r.console, prompt + "\n"), times) << c.id << prompt;
  }
}

}  // namespace
}  // namespace vorn::testing
