// TRICONV run the way a surveyor runs it: a job folder with TEMP.JOB and a
// field book, the answers typed on standard input, then the console and
// every file of the job compared.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/job_folder.h"

namespace vorn {
namespace {

using testing::crlf;
using testing::JobFolder;
using testing::lf;
using testing::RunResult;

std::string blanks(std::size_t n) { return std::string(n, ' '); }
std::string name8(std::string_view name) { return std::string(name) + blanks(8 - name.size()); }

// Records of the observation and control files.
std::string s00(std::string_view setup) { return "S 00 " + name8(setup) + blanks(18) + "P F1"; }
const std::string kS01 = "S 01" + blanks(21) + ".000";
std::string o00(std::string_view point) { return "O 00 " + name8(point) + blanks(18) + "P F1"; }
// O 09 with the readings' text from column 59 on.
std::string o09(std::string_view readings) { return "O 09" + blanks(54) + std::string(readings); }
std::string g01(std::string_view point, char unit) {
  return "G 01 " + name8(point) + " " + name8(point) + blanks(46) + unit;
}
std::string g02(std::string_view elevation) { return "G 02" + blanks(27) + std::string(elevation); }
const std::string kHeader = "H 00 SURVEY" + blanks(7) + "CONVERTED FROM 3 WIRE FORMAT";
const std::string kVersion = "H 99 VERSION 01/31/00";

std::string fileOf(const std::vector<std::string>& records) {
  std::string s;
  for (const std::string& r : records) s += r + "\r\n";
  return s;
}

// The worked example of a three-wire field book: four setups, TP1 named,
// the turning point after the second setup unnamed, an upper wire missing.
const std::string kBook = crlf({"BM-17 1250.000", "5.430 4.876 4.320 2.110 1.556 1.000", "TP1",
                                "4.012 3.500 2.990 3.902 3.390 2.880", "5.000 4.500 4.000 0 4.230 3.700", "TP3",
                                "3.346 3.000 2.656 4.712 4.360 4.010", "BM-18"});
const std::string kSetupA = "5.430 4.876 4.320 2.110 1.556 1.000";

// Answers up to the field book: Enter for the job name, prefix, suffix.
std::string upToBook(std::string_view prefix, std::string_view suffix, std::string_view book = "BOOK.TXT") {
  return lf({"", prefix, suffix, book});
}

// The worked example's observation records with the prefix TP and suffix 1.
std::vector<std::string> exampleObservations() {
  return {s00("OC1"), kS01, o00("BM-17"), o09("  5.4300 4.8760 4.3200"), o00("TP1"), o09("  2.1100 1.5560 1.0000"),
          s00("OC2"), kS01, o00("TP1"),   o09("  4.0120 3.5000 2.9900"), o00("TP1"), o09("  3.9020 3.3900 2.8800"),
          s00("OC3"), kS01, o00("TP1"),   o09("  5.0000 4.5000 4.0000"), o00("TP3"), o09(blanks(8) + " 4.2300 3.7000"),
          s00("OC4"), kS01, o00("TP3"),   o09("  3.3460 3.0000 2.6560"), o00("BM-18"), o09("  4.7120 4.3600 4.0100")};
}

// The O 00 point names of an observation file, in order.
std::vector<std::string> pointNames(const std::string& observations) {
  std::vector<std::string> names;
  std::size_t pos = 0;
  while ((pos = observations.find("O 00 ", pos)) != std::string::npos) {
    names.push_back(observations.substr(pos + 5, 8));
    pos += 5;
  }
  return names;
}

class Triconv : public ::testing::Test {
 protected:
  Triconv() {
    folder.write("TEMP.JOB", "SURVEY\r\n");
    folder.write("BOOK.TXT", kBook);
  }
  RunResult run(const std::string& answers) { return folder.run("triconv", answers); }
  // The job's files, and that nothing else was left in the folder.
  void expectJobFiles(const std::vector<std::string>& files) {
    EXPECT_EQ(folder.files(), files);
  }

  JobFolder folder;
};

const std::vector<std::string> kAllFiles = {"BOOK.TXT", "SURVEY.3WR", "SURVEY.CTL", "SURVEY.OBS", "TEMP.JOB"};

TEST_F(Triconv, NewJobConvertsTheFieldBook) {
  RunResult r = run(upToBook("TP", "1") + lf({"", "", "1252.35"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.errors, "");
  EXPECT_EQ(r.console, lf({"COMPUTER PROGRAM TRICONV 02-16-00",
                           "DEFAULT NAME FOR .OBS AND .CTL IS SURVEY      ",
                           "PRESS ENTER TO ACCEPT, OR ENTER NEW NAME",
                           "ENTER A ONE OR TWO LETTER PREFIX FOR UN-NAMED TURNING POINTS",
                           "PRESS ENTER IF NO PREFIX, PLEASE USE CAPS",
                           "ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS",
                           "FILE NAME CONTAINING 3 WIRE LEVELING DATA (WITH EXTENSION) IS:",
                           "FILE NAME FOR 3 WIRE ANALYSIS IS (RESULTS):SURVEY.3WR          ",
                           "DATA IN 3 WIRE FILE IS IN ",
                           "(1) FT",
                           "(2) METERS",
                           "PICK A # <1>",
                           "INPUT STADIA CONSTANT <100>",
                           "DATA AND AVE. OF UPPER AND LOWER MINUS MIDDLE READINGS",
                           "",
                           "SETUP # BS UPP   BS MID   BS LOW   FS UPP   FS MID   FS LOW   BS ERR   FS ERR",
                           "    1   5.4300   4.8760   4.3200   2.1100   1.5560   1.0000   -.0010   -.0010",
                           "    2   4.0120   3.5000   2.9900   3.9020   3.3900   2.8800    .0010    .0010",
                           "    3   5.0000   4.5000   4.0000    .0000   4.2300   3.7000    .0000    .0000",
                           "    4   3.3460   3.0000   2.6560   4.7120   4.3600   4.0100    .0010    .0010",
                           "ENDING UNADJUSTED ELEVATION IS    1252.3400",
                           "WHAT IS THE KNOWN ELEVATION OF CLOSING STATION BM-18        ?",
                           "",
                           "",
                           "***************************************************",
                           "",
                           "THREE WIRE LEVELING RESULTS",
                           "",
                           "STARTING STATION BM-17        ELEVATION =    1250.0000 FEET  ",
                           "",
                           "  ENDING STATION BM-18        ELEVATION =    1252.3500 FEET  ",
                           "",
                           "CLOSING SURVEY ELEVATION =    1252.3400 FEET  ",
                           "",
                           "CLOSURE ERROR =   -.0100 FEET  ",
                           "",
                           "NUMBER OF SETUPS =     4",
                           "",
                           "SUM OF BS DISTANCES =       382.20 FEET  ",
                           "",
                           "SUM OF FS DISTANCES =       389.40 FEET  ",
                           "",
                           "",
                           "SURVEY ELEVATIONS (UNADJUSTED)",
                           "",
                           "  STATION        ELEVATION",
                           "BM-17            1250.0000",
                           "TP1              1253.3200",
                           "TP3              1253.7000",
                           "BM-18            1252.3400",
                           "",
                           "",
                           "ELEVATION DIFFERENCES (UNADJUSTED)",
                           "",
                           "FROM STATION  TO STATION   ELEVATION DIFF.   ERROR ESTIMATE",
                           "",
                           "BM-17        TP1                 3.3200         .0020",
                           "TP1          TP3                  .3800         .0028",
                           "TP3          BM-18              -1.3600         .0020",
                           "Stop - Program terminated."}));
  EXPECT_EQ(folder.read("SURVEY.3WR"),
            crlf({" ALL ROD READING INFORMATION IS IN FEET  ",
                  " ALL ELEVATION AND ELEVATION DIFFERENCES ARE IN FEET  ",
                  " STADIA CONSTANT IS  100.000",
                  "",
                  " DATA AND AVE. OF UPPER AND LOWER MINUS MIDDLE READINGS",
                  "",
                  " SETUP # BS UPP   BS MID   BS LOW   FS UPP   FS MID   FS LOW   BS ERR   FS ERR",
                  "     1   5.4300   4.8760   4.3200   2.1100   1.5560   1.0000   -.0010   -.0010",
                  "     2   4.0120   3.5000   2.9900   3.9020   3.3900   2.8800    .0010    .0010",
                  "     3   5.0000   4.5000   4.0000    .0000   4.2300   3.7000    .0000    .0000",
                  "     4   3.3460   3.0000   2.6560   4.7120   4.3600   4.0100    .0010    .0010",
                  "",
                  "",
                  " ***************************************************",
                  "",
                  " THREE WIRE LEVELING RESULTS",
                  "",
                  " STARTING STATION BM-17        ELEVATION =    1250.0000 FEET  ",
                  "",
                  "   ENDING STATION BM-18        ELEVATION =    1252.3500 FEET  ",
                  "",
                  " CLOSING SURVEY ELEVATION =    1252.3400 FEET  ",
                  "",
                  " CLOSURE ERROR =   -.0100 FEET  ",
                  "",
                  " NUMBER OF SETUPS =     4",
                  "",
                  " SUM OF BS DISTANCES =       382.20 FEET  ",
                  "",
                  " SUM OF FS DISTANCES =       389.40 FEET  ",
                  "",
                  "",
                  " SURVEY ELEVATIONS (UNADJUSTED)",
                  "",
                  "   STATION        ELEVATION",
                  " BM-17            1250.0000",
                  " TP1              1253.3200",
                  " TP3              1253.7000",
                  " BM-18            1252.3400",
                  "",
                  "",
                  " ELEVATION DIFFERENCES (UNADJUSTED)",
                  "",
                  " FROM STATION  TO STATION   ELEVATION DIFF.   ERROR ESTIMATE",
                  "",
                  " BM-17        TP1                 3.3200         .0020",
                  " TP1          TP3                  .3800         .0028",
                  " TP3          BM-18              -1.3600         .0020"}));
  std::vector<std::string> observations = {kHeader, kVersion};
  for (const std::string& record : exampleObservations()) observations.push_back(record);
  EXPECT_EQ(folder.read("SURVEY.OBS"), fileOf(observations));
  EXPECT_EQ(folder.read("SURVEY.CTL"), fileOf({"G 00 SURVEY.CTL          ", g01("BM-17", 'F'), g02("  1250.0000"),
                                               g01("BM-18", 'F'), g02("  1252.3500")}));
  EXPECT_EQ(folder.read("TEMP.JOB"), "SURVEY\r\n");
  expectJobFiles(kAllFiles);
}

TEST_F(Triconv, JobNameFromTheQuestionsWritesTempJob) {
  struct Case {
    bool tempJob;
    std::string answer;
    std::string prompt;
  } cases[] = {
      {false, "JOB1", "INPUT NAME FOR .OBS AND .CTL FILES\n"},
      {true, "OTHER", "DEFAULT NAME FOR .OBS AND .CTL IS SURVEY      \nPRESS ENTER TO ACCEPT, OR ENTER NEW NAME\n"},
  };
  for (const Case& c : cases) {
    JobFolder job;
    job.write("BOOK.TXT", kBook);
    if (c.tempJob) job.write("TEMP.JOB", "SURVEY\r\n");
    RunResult r = job.run("triconv", lf({c.answer, "", "1", "BOOK.TXT", "", "", "1252.35"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.console.substr(0, 34 + c.prompt.size()), "COMPUTER PROGRAM TRICONV 02-16-00\n" + c.prompt);
    EXPECT_EQ(job.read("TEMP.JOB"), c.answer + blanks(12 - c.answer.size()) + "\r\n");
    EXPECT_EQ(job.files(), (std::vector<std::string>{"BOOK.TXT", c.answer + ".3WR", c.answer + ".CTL",
                                                     c.answer + ".OBS", "TEMP.JOB"}));
    EXPECT_EQ(job.read(c.answer + ".OBS").substr(0, 18), "H 00 " + c.answer + blanks(13 - c.answer.size()));
  }
}

TEST_F(Triconv, BlankJobNameStartsOverAfterTheNamingQuestions) {
  folder.remove("TEMP.JOB");
  RunResult r = run(lf({"", "TP", "1", "SURVEY", "TP", "1", "BOOK.TXT", "", "", "1252.35"}));
  EXPECT_EQ(r.status, 0);
  const std::string naming =
      "ENTER A ONE OR TWO LETTER PREFIX FOR UN-NAMED TURNING POINTS\nPRESS ENTER IF NO PREFIX, PLEASE USE CAPS\n"
      "ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS\n";
  const std::string expected = "COMPUTER PROGRAM TRICONV 02-16-00\nINPUT NAME FOR .OBS AND .CTL FILES\n" + naming +
                               "COMPUTER PROGRAM TRICONV 02-16-00\nDEFAULT NAME FOR .OBS AND .CTL IS " + blanks(12) +
                               "\nPRESS ENTER TO ACCEPT, OR ENTER NEW NAME\n" + naming + "FILE NAME CONTAINING";
  EXPECT_EQ(r.console.substr(0, expected.size()), expected);
  EXPECT_EQ(folder.read("TEMP.JOB"), "SURVEY      \r\n");
  expectJobFiles(kAllFiles);
}

TEST_F(Triconv, SuffixQuestionWaitsRepeatsAndRefuses) {
  folder.write("BOOK.TXT", crlf({"BM-17 1250.000", kSetupA, kSetupA, kSetupA, "BM-18"}));
  RunResult r = run(lf({"", "TP", "", "", "X", "0", "-3", "100000", "99999", "BOOK.TXT", "", "", "1"}));
  EXPECT_EQ(r.status, 0);
  const std::string suffix = "ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS\n";
  const std::string smaller = "\nUSE A SMALLER SUFFIX !!!!! <100000\n\n";
  const std::string expected = "PLEASE USE CAPS\n" + suffix + suffix + suffix + suffix + smaller + suffix +
                               "FILE NAME CONTAINING";
  EXPECT_NE(r.console.find(expected), std::string::npos) << r.console;
  EXPECT_EQ(pointNames(folder.read("SURVEY.OBS")),
            (std::vector<std::string>{"BM-17   ", "TP99999 ", "TP99999 ", "TP100000", "TP100000", "BM-18   "}));
}

TEST_F(Triconv, AutomaticTurningPointNames) {
  folder.write("BOOK.TXT", crlf({"BM-17 1250.000", kSetupA, kSetupA, kSetupA, "BM-18"}));
  struct Case {
    std::string prefix;
    std::string first, second;
  } cases[] = {{"", "500", "501"}, {"A", "A500", "A501"}, {"ab", "ab500", "ab501"}, {"TPX", "TP500", "TP501"}};
  for (const Case& c : cases) {
    folder.remove("SURVEY.OBS");
    folder.remove("SURVEY.CTL");
    RunResult r = run(upToBook(c.prefix, "500") + lf({"", "", "1"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(pointNames(folder.read("SURVEY.OBS")),
              (std::vector<std::string>{"BM-17   ", name8(c.first), name8(c.first), name8(c.second), name8(c.second),
                                        "BM-18   "}))
        << c.prefix;
  }
}

TEST_F(Triconv, LookAheadNamesOnlyFromAStationLine) {
  const std::string longItem(80, 'L');  // an item reaching column 80: ignored, names nothing
  folder.write("BOOK.TXT", crlf({"TITLE OF THE BOOK", "BM-17 1250.000", "STA0", kSetupA, "", kSetupA, longItem,
                                 kSetupA, "TPX", kSetupA}));
  RunResult r = run(upToBook("T", "7") + lf({"", "", "1260"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(pointNames(folder.read("SURVEY.OBS")),
            (std::vector<std::string>{"BM-17   ", "T7      ", "T7      ", "T8      ", "T8      ", "TPX     ",
                                      "TPX     ", "T9      "}));
  // The closing station is the last named one; a setup after it is counted.
  EXPECT_NE(r.console.find("ENDING UNADJUSTED ELEVATION IS    1259.9600\n"
                           "WHAT IS THE KNOWN ELEVATION OF CLOSING STATION TPX          ?\n"),
            std::string::npos);
  EXPECT_NE(r.console.find("NUMBER OF SETUPS =     4\n"), std::string::npos);
  EXPECT_NE(r.console.find("  STATION        ELEVATION\nBM-17            1250.0000\nSTA0             1250.0000\n"
                           "TPX              1259.9600\n\n"),
            std::string::npos);
}

TEST_F(Triconv, MetersAndStadiaConstant) {
  RunResult r = run(upToBook("TP", "1") + lf({"3", "2", "ABC", "40", "200 300", "1252.35"}));
  EXPECT_EQ(r.status, 0);
  const std::string units = "DATA IN 3 WIRE FILE IS IN \n(1) FT\n(2) METERS\nPICK A # <1>\n";
  const std::string stadia = "INPUT STADIA CONSTANT <100>\n";
  EXPECT_NE(r.console.find(units + units + stadia + stadia + stadia + "DATA AND AVE."), std::string::npos);
  const std::string settingLines = crlf({" ALL ROD READING INFORMATION IS IN METERS",
                                         " ALL ELEVATION AND ELEVATION DIFFERENCES ARE IN METERS",
                                         " STADIA CONSTANT IS  200.000", ""});
  EXPECT_EQ(folder.read("SURVEY.3WR").substr(0, settingLines.size()), settingLines);
  EXPECT_NE(r.console.find("CLOSING SURVEY ELEVATION =    1252.3400 METERS\n"), std::string::npos);
  EXPECT_NE(r.console.find("SUM OF BS DISTANCES =       764.40 METERS\n"), std::string::npos);
  EXPECT_EQ(folder.read("SURVEY.CTL"), fileOf({"G 00 SURVEY.CTL          ", g01("BM-17", 'M'), g02("  1250.0000"),
                                               g01("BM-18", 'M'), g02("  1252.3500")}));
}

TEST_F(Triconv, RunClosingOnItsStartAsksNothing) {
  folder.write("BOOK.TXT", crlf({"BM-17 1250.000", kSetupA, "TP1", "2.110 1.556 1.000 5.430 4.876 4.320", "BM-17"}));
  RunResult r = run(upToBook("TP", "1") + lf({"", ""}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.console.find("WHAT IS THE KNOWN"), std::string::npos);
  EXPECT_NE(r.console.find("  ENDING STATION BM-17        ELEVATION =    1250.0000 FEET  \n\n"
                           "CLOSING SURVEY ELEVATION =    1250.0000 FEET  \n\nCLOSURE ERROR =    .0000 FEET  \n"),
            std::string::npos);
  EXPECT_EQ(folder.read("SURVEY.CTL"), fileOf({"G 00 SURVEY.CTL          ", g01("BM-17", 'F'), g02("  1250.0000")}));
}

// An earlier run's files, with what a carried-over file loses: columns
// past 80, trailing blanks, blank records; and a G 01 without its G 02.
const std::string kOldObservations = crlf({kHeader + "   ", "", s00("OC1") + "  ", "   ",
                                           o09("  5.4300 4.8760 4.3200 PAST COLUMN 80")});
const std::vector<std::string> kOldObservationsCarried = {kHeader, s00("OC1"), o09("  5.4300 4.8760 4.3200")};
const std::string kOldControl = fileOf({"G 00 SURVEY.CTL", g01("BM-17", 'F'), g02("  1250.0000"), g01("LOST", 'F'),
                                        g01("BENCHMAR", 'F'), g02("  1300.0000")});

TEST_F(Triconv, AppendKeepsTheOldRecordsAndBenchmarks) {
  folder.write("SURVEY.OBS", kOldObservations);
  folder.write("SURVEY.CTL", kOldControl);
  RunResult r = run(upToBook("TP", "1") + lf({"x", "", "", "", "1252.35"}));
  EXPECT_EQ(r.status, 0);
  const std::string question = "DO YOU WANT TO (1) APPEND TO OR (2) OVERWRITE\nTHE .OBS AND .CTL FILES? <1>\n";
  EXPECT_NE(r.console.find("(RESULTS):SURVEY.3WR          \n" + question + question + "DATA IN 3 WIRE"),
            std::string::npos);
  EXPECT_EQ(r.console.find("2ND OCCURENCE"), std::string::npos);  // the same elevation again
  std::vector<std::string> observations = kOldObservationsCarried;
  for (const std::string& record : exampleObservations()) observations.push_back(record);
  EXPECT_EQ(folder.read("SURVEY.OBS"), fileOf(observations));
  EXPECT_EQ(folder.read("SURVEY.CTL"),
            fileOf({"G 00 SURVEY.CTL          ", g01("BM-17", 'F'), g02("  1250.0000"), g01("BENCHMAR", 'F'),
                    g02("  1300.0000"), g01("BM-18", 'F'), g02("  1252.3500")}));
  expectJobFiles(kAllFiles);
}

TEST_F(Triconv, StartingBenchmarkListedWithAnotherElevationKeepsTheFirst) {
  folder.write("SURVEY.OBS", kOldObservations);
  folder.write("SURVEY.CTL", kOldControl);
  folder.write("BOOK.TXT", crlf({"BM-17 1250.010", kSetupA, "BM-18"}));
  RunResult r = run(upToBook("TP", "1") + lf({"1", "", "", "1253.33"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.console.find("FS ERR\n2ND OCCURENCE OF BM-17    ELEV. MISMATCH OF     .010 1ST USED\n    1   5.4300"),
            std::string::npos);
  // The run itself starts from the elevation of its field book.
  EXPECT_NE(r.console.find("STARTING STATION BM-17        ELEVATION =    1250.0100 FEET"), std::string::npos);
  EXPECT_EQ(folder.read("SURVEY.CTL"),
            fileOf({"G 00 SURVEY.CTL          ", g01("BM-17", 'F'), g02("  1250.0000"), g01("BENCHMAR", 'F'),
                    g02("  1300.0000"), g01("BM-18", 'F'), g02("  1253.3300")}));
}

TEST_F(Triconv, ClosingNameLongerThanEightCharactersIsListedOnce) {
  folder.write("SURVEY.OBS", kOldObservations);
  folder.write("SURVEY.CTL", kOldControl);
  folder.write("BOOK.TXT", crlf({"BM-17 1250.000", kSetupA, "BENCHMARK-18"}));
  RunResult r = run(upToBook("TP", "1") + lf({"", "", "", "1300"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.console.find("CLOSING STATION BENCHMARK-18 ?\n"), std::string::npos);
  EXPECT_EQ(folder.read("SURVEY.CTL"), fileOf({"G 00 SURVEY.CTL          ", g01("BM-17", 'F'), g02("  1250.0000"),
                                               g01("BENCHMAR", 'F'), g02("  1300.0000")}));
  EXPECT_NE(folder.read("SURVEY.OBS").find(o00("BENCHMAR")), std::string::npos);
}

TEST_F(Triconv, OverwriteReplacesBothFiles) {
  folder.write("SURVEY.OBS", kOldObservations);
  folder.write("SURVEY.CTL", kOldControl);
  RunResult r = run(upToBook("TP", "1") + lf({"2", "", "", "1252.35"}));
  EXPECT_EQ(r.status, 0);
  std::vector<std::string> observations = {kHeader, kVersion};
  for (const std::string& record : exampleObservations()) observations.push_back(record);
  EXPECT_EQ(folder.read("SURVEY.OBS"), fileOf(observations));
  EXPECT_EQ(folder.read("SURVEY.CTL"), fileOf({"G 00 SURVEY.CTL          ", g01("BM-17", 'F'), g02("  1250.0000"),
                                               g01("BM-18", 'F'), g02("  1252.3500")}));
  expectJobFiles(kAllFiles);
}

// A run that does not complete changes neither the observation nor the
// control file, whatever the mode; absent files stay absent.
TEST_F(Triconv, IncompleteRunLeavesObservationAndControlFilesAlone) {
  const std::string notSixNumbers = "4.012 3.500 2.990 3.902 3.390 NOTE";
  const std::string failsWireCheck = "5.000 4.500 4.000 4.000 4.230 3.700";
  struct Case {
    std::string name;
    bool oldFiles;
    std::string mode;  // the append-or-overwrite answer
    std::string book;
    std::string tail;  // answers after the stadia question
    int status;
    std::string console;  // expected at the end of the console
  } cases[] = {
      {"malformed line, append", true, "1", crlf({"BM-17 1250.000", kSetupA, "TP1", "", notSixNumbers, "TP3"}), "",
       0,
       "NO FILES UPDATED ERROR IN INPUT AT LINE     5\nLINE IS\n" + notSixNumbers + blanks(78 - notSixNumbers.size()) +
           "\nStop - Program terminated.\n"},
      {"wire check, overwrite", true, "2", crlf({"BM-17 1250.000", kSetupA, failsWireCheck, "TP3"}), "", 0,
       "NO FILES UPDATED ERROR IN INPUT AT LINE     3\nLINE IS\n" + failsWireCheck +
           blanks(78 - failsWireCheck.size()) + "\nStop - Program terminated.\n"},
      {"wire check, new", false, "", crlf({"BM-17 1250.000", failsWireCheck}), "", 0,
       "LINE IS\n" + failsWireCheck + blanks(78 - failsWireCheck.size()) + "\nStop - Program terminated.\n"},
      {"no start line, overwrite", true, "2", crlf({"TITLE", "BM-17"}), "", 0,
       "FS ERR\nStop - Program terminated.\n"},
      {"no start line, new", false, "", crlf({"TITLE"}), "", 0, "FS ERR\nStop - Program terminated.\n"},
      {"console ends, overwrite", true, "2", kBook, "", 2, "CLOSING STATION BM-18        ?\n"},
      {"console ends, new", false, "", kBook, "", 2, "CLOSING STATION BM-18        ?\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JobFolder job;
    job.write("TEMP.JOB", "SURVEY\r\n");
    job.write("BOOK.TXT", c.book);
    if (c.oldFiles) {
      job.write("SURVEY.OBS", kOldObservations);
      job.write("SURVEY.CTL", kOldControl);
    }
    std::string answers = upToBook("TP", "1") + (c.mode.empty() ? "" : c.mode + "\n") + lf({"", ""}) + c.tail;
    RunResult r = job.run("triconv", answers);
    EXPECT_EQ(r.status, c.status);
    ASSERT_GE(r.console.size(), c.console.size());
    EXPECT_EQ(r.console.substr(r.console.size() - c.console.size()), c.console);
    if (c.oldFiles) {
      EXPECT_EQ(job.read("SURVEY.OBS"), kOldObservations);
      EXPECT_EQ(job.read("SURVEY.CTL"), kOldControl);
      EXPECT_EQ(job.files(), kAllFiles);
    } else {
      EXPECT_EQ(job.files(), (std::vector<std::string>{"BOOK.TXT", "SURVEY.3WR", "TEMP.JOB"}));
    }
    EXPECT_EQ(r.errors.empty(), c.status == 0);
  }
}

TEST_F(Triconv, ResultsFileIsWrittenAsTheRunGoes) {
  folder.write("BOOK.TXT", crlf({"BM-17 1250.000", kSetupA, "TP1", "1 2 3 4 5 6"}));
  RunResult r = run(upToBook("TP", "1") + lf({"", ""}));
  EXPECT_EQ(r.status, 0);
  const std::string results = folder.read("SURVEY.3WR");
  const std::string lastRecords =
      crlf({" SETUP # BS UPP   BS MID   BS LOW   FS UPP   FS MID   FS LOW   BS ERR   FS ERR",
            "     1   5.4300   4.8760   4.3200   2.1100   1.5560   1.0000   -.0010   -.0010"});
  ASSERT_GE(results.size(), lastRecords.size());
  EXPECT_EQ(results.substr(results.size() - lastRecords.size()), lastRecords);
  folder.write("BOOK.TXT", crlf({"TITLE"}));
  r = run(upToBook("TP", "1") + lf({"", ""}));
  EXPECT_EQ(folder.read("SURVEY.3WR"),
            crlf({" ALL ROD READING INFORMATION IS IN FEET  ", " ALL ELEVATION AND ELEVATION DIFFERENCES ARE IN FEET  ",
                  " STADIA CONSTANT IS  100.000", "", " DATA AND AVE. OF UPPER AND LOWER MINUS MIDDLE READINGS", "",
                  " SETUP # BS UPP   BS MID   BS LOW   FS UPP   FS MID   FS LOW   BS ERR   FS ERR"}));
}

TEST_F(Triconv, FieldBookThatIsAnOutputOfTheJobIsRefused) {
  folder.write("SURVEY.OBS", kOldObservations);
  folder.write("SURVEY.CTL", kOldControl);
  folder.write("SURVEY.3WR", kBook);
  for (std::string name : {"SURVEY.3WR", "SURVEY.OBS", "./SURVEY.CTL"}) {
    RunResult r = run(upToBook("TP", "1", name));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.console.substr(r.console.find("(RESULTS)")),
              "(RESULTS):SURVEY.3WR          \nINPUT FILE IS ALSO AN OUTPUT FILE OF THE JOB - STOP\n"
              "Stop - Program terminated.\n");
  }
  EXPECT_EQ(folder.read("SURVEY.3WR"), kBook);
  EXPECT_EQ(folder.read("SURVEY.OBS"), kOldObservations);
  EXPECT_EQ(folder.read("SURVEY.CTL"), kOldControl);
}

TEST_F(Triconv, FieldBookNameMissingOrNotFound) {
  RunResult r = run(upToBook("TP", "1", "") + lf({"  ", "NOBOOK.TXT"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.console.substr(r.console.find("(RESULTS)")),
            "(RESULTS):SURVEY.3WR          \n"
            "File name missing or blank - please enter file name\nUNIT 1? \n"
            "File name missing or blank - please enter file name\nUNIT 1? \n"
            "INPUT 3 WIRE DATA FILE NOT FOUND - STOP\nStop - Program terminated.\n");
  expectJobFiles({"BOOK.TXT", "TEMP.JOB"});
}

TEST_F(Triconv, ControlFileThatCannotBeOpenedStartsOver) {
  ASSERT_EQ(::mkdir((folder.path() + "/SURVEY.CTL").c_str(), 0755), 0);
  RunResult r = run(upToBook("TP", "1") + lf({"OTHER", "TP", "1", "BOOK.TXT", "", "", "1252.35"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.console.find("(RESULTS):SURVEY.3WR          \nCOMPUTER PROGRAM TRICONV 02-16-00\n"), std::string::npos);
  EXPECT_EQ(folder.read("OTHER.CTL"), fileOf({"G 00 OTHER.CTL           ", g01("BM-17", 'F'), g02("  1250.0000"),
                                              g01("BM-18", 'F'), g02("  1252.3500")}));
  EXPECT_EQ(folder.read("TEMP.JOB"), "OTHER       \r\n");
}

TEST_F(Triconv, NoFixedLimitOnControlPointsOrStations) {
  std::vector<std::string> control = {"G 00 SURVEY.CTL"};
  for (int i = 1; i <= 300; ++i) {
    char point[16];
    std::snprintf(point, sizeof point, "P%d", i);
    control.push_back(g01(point, 'F'));
    control.push_back(g02("  1000.0000"));
  }
  folder.write("SURVEY.OBS", kOldObservations);
  folder.write("SURVEY.CTL", fileOf(control));
  std::string book = "BM-17 1250.000\r\n";
  for (int i = 1; i <= 3001; ++i) book += kSetupA + "\r\nS" + std::to_string(i) + "\r\n";
  folder.write("BOOK.TXT", book);
  RunResult r = run(upToBook("TP", "1") + lf({"1", "", "", "1"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.console.find("NUMBER OF SETUPS =  3001\n"), std::string::npos);
  EXPECT_NE(r.console.find("\nS3001        "), std::string::npos);
  control[0] = "G 00 SURVEY.CTL          ";
  control.push_back(g01("BM-17", 'F'));
  control.push_back(g02("  1250.0000"));
  control.push_back(g01("S3001", 'F'));
  control.push_back(g02("     1.0000"));
  EXPECT_EQ(folder.read("SURVEY.CTL"), fileOf(control));
}

}  // namespace
}  // namespace vorn
