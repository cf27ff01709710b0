// DIGCONV run the way a surveyor runs it: a job folder with TEMP.JOB and
// the job's .LEV file, the answers typed on standard input, then the
// console and every file of the job compared.
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/job_folder.h"
#include "support/fakes.h"
#include "tds_records.h"

namespace vorn::digconv {
namespace {

using testing::countOf;

using testing::crlf;
using testing::JobFolder;
using testing::lf;
using testing::RunResult;

std::string blanks(std::size_t n) { return std::string(n, ' '); }
std::string name8(std::string_view name) { return std::string(name) + blanks(8 - name.size()); }

std::string fileOf(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& line : lines) s += line + "\r\n";
  return s;
}

// Console lines, each ended by LF.
std::string lines(const std::vector<std::string>& shown) {
  std::string s;
  for (const std::string& line : shown) s += line + "\n";
  return s;
}
// The records of lines shown on the console as a file holds them: with
// the line-control blank the console does not show.
std::string report(const std::vector<std::string>& shown) {
  std::string s;
  for (const std::string& line : shown) s += (line.empty() ? "" : " ") + line + "\r\n";
  return s;
}

// Records of the observation and control files.
const std::string kHeader = "H 00 SURVEY" + blanks(7) + "CONVERTED FROM TOPCON TDS FORMAT";
const std::string kVersion = "H 99 VERSION 11/01/00";
std::string s00(std::string_view setup) { return "S 00 " + name8(setup) + blanks(18) + "P F1"; }
const std::string kS01 = "S 01" + blanks(21) + ".000";
std::string o00(std::string_view point) { return "O 00 " + name8(point) + blanks(18) + "P F1"; }
std::string bsRemark(std::string_view distance, std::string_view hi, std::string_view line) {
  return "O 99 BS DIST =" + std::string(distance) + " FIELD H.I. =" + std::string(hi) + " LINE " + name8(line);
}
std::string fsRemark(std::string_view distance, std::string_view elevation, std::string_view line) {
  return "O 99 FS DIST =" + std::string(distance) + " FIELD ELEV =" + std::string(elevation) + " LINE " + name8(line);
}
// O 09 with the readings' text from column 59 on.
std::string o09(std::string_view readings) { return "O 09" + blanks(54) + std::string(readings); }
// An extra reading alone in the middle wire's columns 67 to 73.
std::string extra(std::string_view reading) { return "O 09" + blanks(62) + std::string(reading); }
std::string g01(std::string_view point, char unit) {
  return "G 01 " + name8(point) + " " + name8(point) + blanks(46) + unit;
}
std::string g02(std::string_view elevation) { return "G 02" + blanks(27) + std::string(elevation); }
const std::string kG00 = "G 00 SURVEY.CTL" + blanks(10);

// The O 00 point names of an observation file, in order, without blanks.
std::vector<std::string> pointNames(const std::string& observations) {
  std::vector<std::string> names;
  for (std::size_t pos = observations.find("O 00 "); pos != std::string::npos;
       pos = observations.find("O 00 ", pos + 5))
    names.push_back(std::string(trimRight(observations.substr(pos + 5, 8))));
  return names;
}

std::string g(std::string_view numbers, std::string_view tail) { return record('g', '1', numbers, tail); }
std::string i(std::string_view numbers, std::string_view tail) { return record('i', '1', numbers, tail); }

// A level run from BM-19 to BM-20 in four setups: points 1 and 2 numbered,
// a turning point without point field, an extra backsight and an extra
// foresight reading, and a backsight read twice.
const std::vector<std::string> kSurveyLines = {
    "a 0  JOB SURVEY   LEVEL RUN BM-19 TO BM-20",
    "d 0  11/14/02 08:12",
    record('b', '1', "0", ",1,0,BM-19,1247400"),
    g("4876 4520 1252276", ",2,BM-19,0,LINE3"),
    i("1220 4480 1251056", ",3,1,0,LINE3"),
    g("3902 5010 1254958", ",4,1,0,LINE3"),
    record('h', '1', "3903", ",5"),
    i("2119 4960 1252839", ",6,,0,LINE3"),
    g("1442 3800 1254281", ",7,,0,LINE3"),
    i("4556 3840 1249725", ",8,2,0,LINE3"),
    record('j', '1', "4555", ",9"),
    g("2004 4100 1251729", ",10,2,0,LINE3"),
    g("2001 4100 1251726", ",11,2,0,LINE3"),
    i("3119 4070 1248607", ",12,BM-20,0,LINE3"),
    "e 0  END OF LINE3",
};

// The records the survey run adds to the observation file with suffix 200.
const std::vector<std::string> kSurveyRecords = {
    s00("OC1"), kS01,
    o00("BM-19"), bsRemark("    45.2", "  1252.276", "LINE3"), o09("  5.1020 4.8760 4.6500"),
    o00("200"), fsRemark("    44.8", "  1251.056", "LINE3"), o09("  1.4440 1.2200  .9960"),
    s00("OC2"), kS01,
    o00("200"), bsRemark("    50.1", "  1254.958", "LINE3"), o09("  4.1525 3.9020 3.6515"), extra(" 3.9030"),
    o00("TP201"), fsRemark("    49.6", "  1252.839", "LINE3"), o09("  2.3670 2.1190 1.8710"),
    s00("OC3"), kS01,
    o00("TP201"), bsRemark("    38.0", "  1254.281", "LINE3"), o09("  1.6320 1.4420 1.2520"),
    o00("201"), fsRemark("    38.4", "  1249.725", "LINE3"), o09("  4.7480 4.5560 4.3640"), extra(" 4.5550"),
    s00("OC4"), kS01,
    o00("201"), bsRemark("    41.0", "  1251.726", "LINE3"), o09("  2.2060 2.0010 1.7960"),
    o00("BM-20"), fsRemark("    40.7", "  1248.607", "LINE3"), o09("  3.3225 3.1190 2.9155"),
};

// Answers up to the units question: Enter for the job name and a suffix.
std::string upToUnits(std::string_view suffix) { return lf({"", suffix}); }
// Units, benchmark name and elevation, and both guesses, all Enter.
const std::string kEnterToTheSetups = lf({"", "", "", "", ""});

class Digconv : public ::testing::Test {
 protected:
  Digconv() {
    folder.write("TEMP.JOB", "SURVEY\r\n");
    folder.write("SURVEY.LEV", crlf({}));
  }
  void writeLev(const std::vector<std::string>& lines) { folder.write("SURVEY.LEV", fileOf(lines)); }
  RunResult run(const std::string& answers) { return folder.run("digconv", answers); }

  JobFolder folder;
};

const std::vector<std::string> kAllFiles = {"SURVEY.3WR", "SURVEY.CTL", "SURVEY.LEV", "SURVEY.OBS", "TEMP.JOB"};

TEST_F(Digconv, ConvertsALevelRun) {
  writeLev(kSurveyLines);
  RunResult r = run(upToUnits("200") + kEnterToTheSetups + lf({"BM-20", "1248.600"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.errors, "");
  // Lines as the console shows them; the report holds the same records.
  const std::vector<std::string> units = {"ALL ROD READING INFORMATION IS IN FEET  ",
                                          "ALL ELEVATION AND ELEVATION DIFFERENCES ARE IN FEET  ",
                                          "STADIA CONSTANT IS  100.000", ""};
  const std::vector<std::string> header = {
      "FIELD DATA ", "", "SETUP # BS MID FS MID  BS DIST  FS DIST SUM BS DIST SUM FS DIST FS RAW ELEV."};
  const std::vector<std::string> listing = {
      "     1   4.876  1.220    45.2     44.8         45.         45.    1251.056",
      "     2   3.902  2.119    50.1     49.6         95.         94.    1252.839",
      "     3   1.442  4.556    38.0     38.4        133.        133.    1249.725",
      "     4   2.001  3.119    41.0     40.7        174.        174.    1248.607"};
  const std::vector<std::string> results = {
      "", "", "***************************************************", "", "THREE WIRE LEVELING RESULTS", "",
      "STARTING STATION BM-19    ELEVATION =    1247.4000 FEET  ", "",
      "  ENDING STATION BM-20    ELEVATION =    1248.6000 FEET  ", "",
      "CLOSING SURVEY ELEVATION =    1248.6070 FEET  ", "",
      // Known minus computed: the run came out high.
      "CLOSURE ERROR =   -.0070 FEET  ", "", "NUMBER OF SETUPS =     4", "",
      "SUM OF BS DISTANCES =       174.30 FEET  ", "", "SUM OF FS DISTANCES =       173.50 FEET  ", "", ""};
  EXPECT_EQ(r.console,
            lf({"COMPUTER PROGRAM DIGCONV 08-27-02",
                "DEFAULT NAME FOR .LEV, .OBS AND .CTL IS SURVEY      ",
                "PRESS ENTER TO ACCEPT, OR ENTER NEW NAME",
                "ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS",
                "THIS ALSO SERVES AS AN ADDITION TO NUMBERED TURNING POINTS",
                "ENTER 1 IF YOU WISH TO USE EXISTING POINT NUMBERS",
                "FILE NAME FOR 3 WIRE ANALYSIS IS (RESULTS):SURVEY.3WR          ",
                "DATA IN TOPCON TDS FILE IS IN ",
                "(1) FT",
                "(2) METERS",
                "PICK A # <1>",
                "BEGINNING BENCHMARK WILL BE BM-19   ",
                "PRESS ENTER TO ACCEPT OR ENTER CORRECT NAME",
                "BEGINNING ELEVATION WILL BE   1247.400",
                "PRESS ENTER TO ACCEPT OR ENTER CORRECT VALUE"}) +
                lines(header) +
                lf({"Zub has to guess where to put decimal point in rod readings",
                    "as it seems Topcon TDS files are never consistent.",
                    "A guess of 1st backsight rod reading is    4.8760",
                    "If correct press enter, if incorrect input a multiplier ",
                    "to it (0.01, 0.1, 10, 100, etc.) which corrects it",
                    "Zub has to guess where to put decimal point in sight distances.",
                    "as it seems Topcon TDS files are never consistent.",
                    "A guess of 1st backsight sight distance is   45.2000",
                    "If correct press enter, if incorrect input a multiplier ",
                    "to it (0.01, 0.1, 10, 100, etc.) which corrects it"}) +
                lines(listing) +
                lf({"ENDING BENCHMARK WILL BE TP203   ", "PRESS ENTER TO ACCEPT OR ENTER CORRECT NAME",
                    "ENDING ELEVATION WILL BE   1248.607", "PRESS ENTER TO ACCEPT OR ENTER CORRECT VALUE"}) +
                lines(results) + "Stop - Program terminated.\n");
  EXPECT_EQ(folder.read("SURVEY.3WR"), report(units) + report(header) + report(listing) + report(results));

  std::vector<std::string> observations = {kHeader, kVersion};
  observations.insert(observations.end(), kSurveyRecords.begin(), kSurveyRecords.end());
  EXPECT_EQ(folder.read("SURVEY.OBS"), fileOf(observations));
  EXPECT_EQ(folder.read("SURVEY.CTL"),
            fileOf({kG00, g01("BM-19", 'F'), g02("  1247.4000"), g01("BM-20", 'F'), g02("  1248.6000")}));
  EXPECT_EQ(folder.files(), kAllFiles);
}

TEST_F(Digconv, BeginningBenchmarkFromTheScan) {
  struct Case {
    const char* id;
    std::vector<std::string> lines;
    const char* shown;  // name and elevation as the two questions show them
  } cases[] = {
      {"b record", {"x", record('b', '1', "0", ",1,0,BM-7,1250500")}, "BM-7    |  1250.500"},
      {"c record, text after the elevation", {record('c', 'E', "0", ",1,0,BM-8,1250500,x")}, "BM-8    |  1250.500"},
      {"precision flag before it", {record('i', '2', "0", "", '4'), record('b', '1', "0", ",1,0,BM-7,125050")},
       "BM-7    |  1250.500"},
      {"precision flag after it", {record('b', '1', "0", ",1,0,BM-7,1250500"), record('g', '1', "0", "", '4')},
       "BM-7    |  1250.500"},
      {"no fourth comma", {record('b', '1', "0", ",1,0,BENCHMARK-7")}, "BENCHMAR|   100.000"},
      {"elevation not a number", {record('b', '1', "0", ",1,0,BM-7,X")}, "BM-7    |   100.000"},
      {"no benchmark record", {record('b', '5', "0", ",1,0,BM-7,1250500")}, "1       |   100.000"},
  };
  for (const Case& c : cases) {
    writeLev(c.lines);
    folder.remove("SURVEY.OBS");
    RunResult r = run(upToUnits("1") + lf({"", "", "", "", ""}));
    std::string shown(c.shown);
    std::string name = shown.substr(0, 8), elevation = shown.substr(9);
    EXPECT_NE(r.console.find("BEGINNING BENCHMARK WILL BE " + name + "\n"), std::string::npos) << c.id;
    EXPECT_NE(r.console.find("BEGINNING ELEVATION WILL BE " + elevation + "\n"), std::string::npos) << c.id;
    EXPECT_NE(r.console.find("STARTING STATION " + name + " ELEVATION =  " + elevation + "0 FEET"),
              std::string::npos)
        << c.id;
  }
}

TEST_F(Digconv, BenchmarkDialoguesWithoutSetups) {
  // The names and elevations typed replace the scan's; an elevation that is
  // not a number is asked again; without a setup the ending benchmark
  // offered is blank and Enter closes with no error.
  writeLev({record('b', '1', "0", ",1,0,BM-7,1250500"), "x nothing more"});
  RunResult r = run(upToUnits("1") + lf({"", "BM-9", "ABC", "251.25", "", ""}));
  EXPECT_EQ(r.status, 0);
  const std::string elevationQuestion =
      "BEGINNING ELEVATION WILL BE   1250.500\nPRESS ENTER TO ACCEPT OR ENTER CORRECT VALUE\n";
  EXPECT_NE(r.console.find(elevationQuestion + elevationQuestion + "FIELD DATA"), std::string::npos);
  EXPECT_NE(r.console.find("ENDING BENCHMARK WILL BE " + blanks(8) + "\n"), std::string::npos);
  EXPECT_NE(r.console.find("ENDING ELEVATION WILL BE    251.250\n"), std::string::npos);
  EXPECT_NE(r.console.find(lf({"STARTING STATION BM-9     ELEVATION =     251.2500 FEET  ", "",
                               "  ENDING STATION          ELEVATION =     251.2500 FEET  ", "",
                               "CLOSING SURVEY ELEVATION =     251.2500 FEET  ", "", "CLOSURE ERROR =    .0000 FEET  ",
                               "", "NUMBER OF SETUPS =     0", "", "SUM OF BS DISTANCES =          .00 FEET  ", "",
                               "SUM OF FS DISTANCES =          .00 FEET  "})),
            std::string::npos);
  EXPECT_EQ(folder.read("SURVEY.OBS"), fileOf({kHeader, kVersion}));
  EXPECT_EQ(folder.read("SURVEY.CTL"),
            fileOf({kG00, g01("BM-9", 'F'), g02("   251.2500"), g01("", 'F'), g02("   251.2500")}));
}

TEST_F(Digconv, SetupPassFollowsTheStateTable) {
  writeLev({
      "a header",
      record('b', '1', "0", ",1,0,BM1,100000"),
      g("1000 1000 0", ",x,BM1,0,L1"),   // dropped for the next backsight
      g("1100 1000 0", ",x,BM1,0,L1,"),  // a trailing comma
      i("1200 1000 0", ",x,5,0,L1"),
      g("1300 1000 0", ",x,5,0,L1"),
      i("1400 1000 0", ",x,6,0,L1"),  // replaced by the next foresight
      i("1500 1000 0", ",x,7,0,L1"),
      g("1600 1000 0", ",x,7,0,L1"),
      record('h', '1', "1601"),
      i("1700 1000 0", ",x,8,0,L1"),
      record('j', 'X', "1702"),
      g("2000 1O00 0", ",x,8,0,L1"),  // unreadable: closes the setup, then not there
      g("1800 1000 0", ",x,8,0,L1"),
      record('h', '1', "1801"),  // goes with the dropped backsight
      g("1900 1000 0", ",x,8,0,L1"),
      i("2100 1000 0", ",x,9,0,LINE2"),
      g("2200 1000 0", ",x,9,0,L2"),
      i("2300 X 0", ",x,9,0,L2"),  // unreadable: the backsight is dropped
      i("2400 1000 0", ",x,9,0,L2"),
      g("2500 1000 0", ""),  // no fields at all
      i("2600 1000 0", ",x,,0,L3,,"),
      g("2700 1000 0", ",x,10,0,L3"),  // a backsight without foresight at the end
  });
  // The guesses are asked for both backsights read before the first setup.
  RunResult r = run(upToUnits("1") + lf({"", "", "", "", "", "", "", "", ""}));
  EXPECT_EQ(r.status, 0);
  auto bs = [](std::string_view point, std::string_view wires, std::string_view line) {
    return std::vector<std::string>{o00(point), bsRemark("    10.0", "      .000", line), o09(wires)};
  };
  auto fs = [](std::string_view point, std::string_view wires, std::string_view line) {
    return std::vector<std::string>{o00(point), fsRemark("    10.0", "      .000", line), o09(wires)};
  };
  std::vector<std::vector<std::string>> parts = {
      {kHeader, kVersion},
      {s00("OC1"), kS01}, bs("BM1", "  1.1500 1.1000 1.0500", "L1"), fs("5", "  1.2500 1.2000 1.1500", "L1"),
      {s00("OC2"), kS01}, bs("5", "  1.3500 1.3000 1.2500", "L1"), fs("7", "  1.5500 1.5000 1.4500", "L1"),
      {s00("OC3"), kS01}, bs("7", "  1.6500 1.6000 1.5500", "L1"), {extra(" 1.6010")},
      fs("8", "  1.7500 1.7000 1.6500", "L1"), {extra(" 1.7020")},
      {s00("OC4"), kS01}, bs("8", "  1.9500 1.9000 1.8500", "L1"), fs("9", "  2.1500 2.1000 2.0500", "LINE2"),
      {s00("OC5"), kS01}, bs("TP4", "  2.5500 2.5000 2.4500", "NONE"), fs("TP5", "  2.6500 2.6000 2.5500", "L3"),
  };
  std::vector<std::string> observations;
  for (const auto& part : parts) observations.insert(observations.end(), part.begin(), part.end());
  EXPECT_EQ(folder.read("SURVEY.OBS"), fileOf(observations));
  EXPECT_NE(r.console.find(lf({"     1   1.100  1.200    10.0     10.0         10.         10.      99.900",
                               "     2   1.300  1.500    10.0     10.0         20.         20.      99.700",
                               "     3   1.600  1.700    10.0     10.0         30.         30.      99.600",
                               "     4   1.900  2.100    10.0     10.0         40.         40.      99.400",
                               "     5   2.500  2.600    10.0     10.0         50.         50.      99.300",
                               "ENDING BENCHMARK WILL BE TP5     "})),
            std::string::npos);
}

TEST_F(Digconv, DecimalPointGuessesAndUnits) {
  writeLev({g("15234 2534 1015234", ",x,,0,L"), g("14871 2600 0", ",x,,0,L"), i("15000 2700 0", ",x,,0,L"),
            g("16000 2800 0", ",x,,0,L"), i("14000 2900 0", ",x,,0,L")});
  // Meters; the first backsight: reading 0 and -10 refused, then 0.1, its
  // distance kept; the second backsight, read before any setup is
  // complete, asked again: its reading kept and its distance times 10.
  RunResult r = run(upToUnits("1") + lf({"2", "", "", "0", "-10", "0.1", "", "", "10", "", ""}));
  EXPECT_EQ(r.status, 0);
  auto guess = [](std::string_view what, std::string_view value) {
    return "A guess of 1st backsight " + std::string(what) + " is " + std::string(value) + "\n";
  };
  const std::string& c = r.console;
  EXPECT_EQ(countOf(c, guess("rod reading", "  15.2340")), 3) << "0 and -10 refused";
  EXPECT_NE(c.find(guess("sight distance", "  25.3400")), std::string::npos);
  // The second backsight shows the divisors as corrected.
  EXPECT_NE(c.find(guess("rod reading", "   1.4871")), std::string::npos);
  EXPECT_NE(c.find(guess("sight distance", "  26.0000")), std::string::npos);
  EXPECT_NE(c.find(lf({"     1   1.487  1.500   260.0    270.0        260.        270.      99.987",
                       "     2   1.600  1.400   280.0    290.0        540.        560.     100.187"})),
            std::string::npos);
  EXPECT_NE(c.find("SUM OF BS DISTANCES =       540.00 METERS\n"), std::string::npos);
  const std::string units =
      " ALL ROD READING INFORMATION IS IN METERS\r\n ALL ELEVATION AND ELEVATION DIFFERENCES ARE IN METERS\r\n"
      " STADIA CONSTANT IS  100.000\r\n\r\n";
  EXPECT_EQ(folder.read("SURVEY.3WR").substr(0, units.size()), units);
  EXPECT_EQ(folder.read("SURVEY.CTL"),
            fileOf({kG00, g01("1", 'M'), g02("   100.0000"), g01("TP2", 'M'), g02("   100.1871")}));
}

TEST_F(Digconv, PointNumbering) {
  // Sights as point fields: "" for none; a run of setups from BM1.
  auto levWith = [](const std::vector<std::pair<std::string, std::string>>& setups) {
    std::vector<std::string> lines = {record('b', '1', "0", ",1,0,BM1,100000")};
    for (const auto& [back, fore] : setups) {
      lines.push_back(g("1500 1000 0", ",x," + back + ",0,L"));
      lines.push_back(i("1400 1000 0", ",x," + fore + ",0,L"));
    }
    return lines;
  };
  struct Case {
    const char* id;
    const char* suffix;
    std::vector<std::pair<std::string, std::string>> setups;
    std::vector<std::string> names;  // O 00 names, backsight and foresight of each setup
  } cases[] = {
      {"suffix 1 keeps the numbers", "1", {{"BM1", "5"}, {"5", "6"}, {"6", "7"}}, {"BM1", "5", "5", "6", "6", "7"}},
      {"suffix 1000 is added", "1000", {{"", "5"}, {"5", ""}, {"", "5"}, {"5", "JUNK"}},
       {"BM1", "1004", "1004", "TP1001", "TP1001", "6004", "6004", "TP1003"}},
      {"a number used again moves up by 5000",
       "1",
       {{"", "5"}, {"5", "6"}, {"6", "5"}, {"5", "5"}},
       {"BM1", "5", "5", "6", "6", "5005", "5005", "10005"}},
      {"turning points", "500", {{"", ""}, {"", "JUNK"}, {"", ""}},
       {"BM1", "TP500", "TP500", "TP501", "TP501", "TP502"}},
      {"suffix 99999", "99999", {{"", ""}, {"", ""}}, {"BM1", "TP99999", "TP99999", "TP100000"}},
  };
  for (const Case& c : cases) {
    writeLev(levWith(c.setups));
    folder.remove("SURVEY.OBS");
    RunResult r = run(upToUnits(c.suffix) + kEnterToTheSetups + lf({"", ""}));
    EXPECT_EQ(r.status, 0) << c.id;
    std::string observations = folder.read("SURVEY.OBS");
    EXPECT_EQ(pointNames(observations), c.names) << c.id;
    // Station names do not depend on the suffix.
    EXPECT_NE(observations.find(s00("OC" + std::to_string(c.setups.size()))), std::string::npos) << c.id;
  }
}

// A run whose second setup has a negative foresight distance.
const std::vector<std::string> kInvalidSecondSetup = {
    record('b', '1', "0", ",1,0,BM1,100000"), g("1000 1000 0", ",x,,0,L"), i("1100 1000 0", ",x,,0,L"),
    g("1200 1000 0", ",x,,0,L"),              i("1300 -500 0", ",x,,0,L"), record('h', '1', "5"),
    g("1400 1000 0", ",x,,0,L,"),             i("1500 1000 0", ",x,,0,L")};

// Observation and control files of an earlier run, with what a rewrite
// would change: trailing blanks, an empty line, a record beyond column 80.
const std::string kOldObservations =
    crlf({"H 00 SURVEY       CONVERTED FROM 3 WIRE FORMAT", "H 99 VERSION 01/31/00   ", "",
          s00("OC1") + blanks(50) + "X"});
const std::string kOldControl = crlf({"G 00 SURVEY.CTL", g01("BM1", 'F'), g02("   100.0050  ")});

struct Mode {
  const char* id;
  bool oldFiles;
  const char* choice;  // the append-or-overwrite answer, when asked
};
const Mode kModes[] = {{"new", false, nullptr}, {"append", true, "1"}, {"overwrite", true, "2"}};

std::string modeAnswers(const Mode& mode, std::string_view suffix) {
  std::string answers = lf({"", suffix});
  if (mode.choice != nullptr) answers += lf({mode.choice});
  return answers;
}

TEST_F(Digconv, InvalidSetupStopsAndUpdatesNoFile) {
  for (const Mode& mode : kModes) {
    JobFolder job;
    job.write("TEMP.JOB", "SURVEY\r\n");
    job.write("SURVEY.LEV", fileOf(kInvalidSecondSetup));
    if (mode.oldFiles) {
      job.write("SURVEY.OBS", kOldObservations);
      job.write("SURVEY.CTL", kOldControl);
    }
    RunResult r = job.run("digconv", modeAnswers(mode, "1") + kEnterToTheSetups + lf({"", ""}));
    EXPECT_EQ(r.status, 0) << mode.id;
    const std::string row1 = "     1   1.000  1.100    10.0     10.0         10.         10.      99.900\n";
    EXPECT_NE(r.console.find(row1 + lf({"NO FILES UPDATED ERROR IN INPUT AT LINE     7", "LINE IS",
                                        (g("1400 1000 0", ",x,,0,L") + blanks(80)).substr(0, 78),
                                        "Stop - Program terminated."})),
              std::string::npos)
        << mode.id << "\n" << r.console;
    EXPECT_EQ(r.console.find("ENDING BENCHMARK"), std::string::npos) << mode.id;
    EXPECT_EQ(r.console.find("THREE WIRE LEVELING RESULTS"), std::string::npos) << mode.id;
    if (mode.oldFiles) {
      EXPECT_EQ(job.read("SURVEY.OBS"), kOldObservations) << mode.id;
      EXPECT_EQ(job.read("SURVEY.CTL"), kOldControl) << mode.id;
      EXPECT_EQ(job.files(), kAllFiles) << mode.id;
    } else {
      EXPECT_EQ(job.files(), (std::vector<std::string>{"SURVEY.3WR", "SURVEY.LEV", "TEMP.JOB"})) << mode.id;
    }
    // The report holds what the run wrote up to the stop.
    const std::string lastLine = " " + row1.substr(0, row1.size() - 1) + "\r\n";
    std::string report = job.read("SURVEY.3WR");
    ASSERT_GT(report.size(), lastLine.size());
    EXPECT_EQ(report.substr(report.size() - lastLine.size()), lastLine) << mode.id;
  }
}

TEST_F(Digconv, ConsoleInputEndingUpdatesNoFile) {
  // The answers end at different questions: the suffix, the append
  // question, the units, a guess and the ending elevation.
  writeLev(kSurveyLines);
  struct Cut {
    const char* id;
    std::string answers;  // after the suffix and the mode's choice
  } cuts[] = {{"at the units", ""}, {"at a guess", lf({"", "", "", ""})}, {"at the ending elevation",
                                                                           kEnterToTheSetups + lf({"BM-20"})}};
  for (const Mode& mode : kModes) {
    for (const Cut& cut : cuts) {
      JobFolder job;
      job.write("TEMP.JOB", "SURVEY\r\n");
      job.write("SURVEY.LEV", fileOf(kSurveyLines));
      if (mode.oldFiles) {
        job.write("SURVEY.OBS", kOldObservations);
        job.write("SURVEY.CTL", kOldControl);
      }
      RunResult r = job.run("digconv", modeAnswers(mode, "200") + cut.answers);
      std::string id = std::string(mode.id) + ", " + cut.id;
      EXPECT_EQ(r.status, 2) << id;
      EXPECT_NE(r.errors, "") << id;
      EXPECT_EQ(std::count(r.errors.begin(), r.errors.end(), '\n'), 1) << id;
      if (mode.oldFiles) {
        EXPECT_EQ(job.read("SURVEY.OBS"), kOldObservations) << id;
        EXPECT_EQ(job.read("SURVEY.CTL"), kOldControl) << id;
        EXPECT_EQ(job.files(), kAllFiles) << id;
      } else {
        EXPECT_EQ(job.files(), (std::vector<std::string>{"SURVEY.3WR", "SURVEY.LEV", "TEMP.JOB"})) << id;
      }
    }
  }
}

TEST_F(Digconv, AppendKeepsTheOldRecordsAndTheListedElevation) {
  writeLev(kSurveyLines);
  folder.write("SURVEY.OBS", kOldObservations);
  folder.write("SURVEY.CTL",
               crlf({"G 00 SURVEY.CTL", g01("BM-19", 'F'), g02("  1247.4050")}));
  RunResult r = run(lf({"", "200", "1"}) + kEnterToTheSetups + lf({"BM-20", ""}));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.console.find("BEGINNING ELEVATION WILL BE   1247.400\nPRESS ENTER TO ACCEPT OR ENTER CORRECT VALUE\n"
                           "2ND OCCURENCE OF BM-19    ELEV. MISMATCH OF     .005 1ST USED\nFIELD DATA"),
            std::string::npos);
  EXPECT_NE(r.console.find("STARTING STATION BM-19    ELEVATION =    1247.4000 FEET"), std::string::npos);
  EXPECT_NE(r.console.find("CLOSURE ERROR =    .0000 FEET"), std::string::npos);
  std::vector<std::string> observations = {"H 00 SURVEY       CONVERTED FROM 3 WIRE FORMAT", "H 99 VERSION 01/31/00",
                                           s00("OC1")};
  observations.insert(observations.end(), kSurveyRecords.begin(), kSurveyRecords.end());
  EXPECT_EQ(folder.read("SURVEY.OBS"), fileOf(observations));
  EXPECT_EQ(folder.read("SURVEY.CTL"),
            fileOf({kG00, g01("BM-19", 'F'), g02("  1247.4050"), g01("BM-20", 'F'), g02("  1248.6070")}));
}

TEST_F(Digconv, OverwriteReplacesBothFiles) {
  writeLev(kSurveyLines);
  folder.write("SURVEY.OBS", kOldObservations);
  folder.write("SURVEY.CTL", kOldControl);
  RunResult r = run(lf({"", "200", "2"}) + kEnterToTheSetups + lf({"BM-20", "1248.600"}));
  EXPECT_EQ(r.status, 0);
  std::vector<std::string> observations = {kHeader, kVersion};
  observations.insert(observations.end(), kSurveyRecords.begin(), kSurveyRecords.end());
  EXPECT_EQ(folder.read("SURVEY.OBS"), fileOf(observations));
  EXPECT_EQ(folder.read("SURVEY.CTL"),
            fileOf({kG00, g01("BM-19", 'F'), g02("  1247.4000"), g01("BM-20", 'F'), g02("  1248.6000")}));
  EXPECT_EQ(folder.files(), kAllFiles);
}

TEST_F(Digconv, JobNameAndSuffixQuestions) {
  // No TEMP.JOB: the name is asked for; a blank name starts over after the
  // suffix question; the suffix refuses 0 and -3 silently and 100000 with
  // a message.
  folder.remove("TEMP.JOB");
  folder.remove("SURVEY.LEV");
  folder.write("JOB1.LEV", fileOf({g("1000 1000 0", ",x,,0,L"), i("1100 1000 0", ",x,,0,L")}));
  RunResult r = run(lf({"", "1", "JOB1", "0", "-3", "100000", "99999"}) + kEnterToTheSetups + lf({"", ""}));
  EXPECT_EQ(r.status, 0);
  const std::string suffixQuestion = lf({"ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS",
                                         "THIS ALSO SERVES AS AN ADDITION TO NUMBERED TURNING POINTS",
                                         "ENTER 1 IF YOU WISH TO USE EXISTING POINT NUMBERS"});
  EXPECT_EQ(r.console.substr(0, r.console.find("FILE NAME FOR")),
            lf({"COMPUTER PROGRAM DIGCONV 08-27-02", "INPUT NAME FOR .LEV, .OBS, AND .CTL FILES"}) +
                suffixQuestion +
                lf({"COMPUTER PROGRAM DIGCONV 08-27-02", "DEFAULT NAME FOR .LEV, .OBS AND .CTL IS " + blanks(12),
                    "PRESS ENTER TO ACCEPT, OR ENTER NEW NAME"}) +
                suffixQuestion + suffixQuestion + suffixQuestion +
                lf({"", "USE A SMALLER SUFFIX !!!!! <100000", ""}) + suffixQuestion);
  EXPECT_NE(r.console.find("FILE NAME FOR 3 WIRE ANALYSIS IS (RESULTS):JOB1.3WR            \n"), std::string::npos);
  EXPECT_EQ(folder.read("TEMP.JOB"), "JOB1        \r\n");
  const std::string header = "H 00 JOB1" + blanks(9) + "CONVERTED FROM TOPCON TDS FORMAT\r\n";
  EXPECT_EQ(folder.read("JOB1.OBS").substr(0, header.size()), header);
  EXPECT_EQ(pointNames(folder.read("JOB1.OBS")), (std::vector<std::string>{"1", "TP99999"}));
  EXPECT_EQ(folder.files(),
            (std::vector<std::string>{"JOB1.3WR", "JOB1.CTL", "JOB1.LEV", "JOB1.OBS", "TEMP.JOB"}));
}

TEST_F(Digconv, MissingLevFileStops) {
  folder.remove("SURVEY.LEV");
  RunResult r = run(lf({"", "1"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.console.find("SURVEY.3WR          \nINPUT .LEV DATA FILE NOT FOUND - STOP\nStop - Program terminated.\n"),
            std::string::npos);
  EXPECT_EQ(folder.files(), (std::vector<std::string>{"TEMP.JOB"}));
}

TEST_F(Digconv, LevFileThatIsAlsoTheResultsFileIsRefused) {
  writeLev(kSurveyLines);
  ASSERT_EQ(::link((folder.path() + "/SURVEY.LEV").c_str(), (folder.path() + "/SURVEY.3WR").c_str()), 0);
  RunResult r = run(lf({"", "1"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.console.find("INPUT FILE IS ALSO AN OUTPUT FILE OF THE JOB - STOP\nStop - Program terminated.\n"),
            std::string::npos);
  EXPECT_EQ(folder.read("SURVEY.LEV"), fileOf(kSurveyLines));
}

}  // namespace
}  // namespace vorn::digconv
