// TRIRED's walk over the field book, its report and the least-squares
// data file.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "trired_support.h"

namespace trired_test {
namespace {

const std::vector<std::string> kExampleUnitsAndStadia = {
    " ALL ROD READING INFORMATION IS IN FEET  ",
    " ALL ELEVATION AND ELEVATION DIFFERENCES ARE IN FEET  ",
    " STADIA CONSTANT IS  100.000",
    "",
};

const std::vector<std::string> kExampleRows = {
    "     1   5.4300   4.8760   4.3200   2.1100   1.5560   1.0000   -.0010   -.0010",
    "     2   4.0120   3.5000   2.9900   3.9020   3.3900   2.8800    .0010    .0010",
    "     3   5.0000   4.5000   4.0000    .0000   4.2300   3.7000    .0000    .0000",
    "     4   3.3460   3.0000   2.6560   4.7120   4.3600   4.0100    .0010    .0010",
};

const std::vector<std::string> kExampleClosingQuestion = {
    "ENDING UNADJUSTED ELEVATION IS    1252.3393",
    "WHAT IS THE KNOWN ELEVATION OF CLOSING STATION BM-18        ?",
};

const std::vector<std::string> kExampleResults = {
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
    " CLOSING SURVEY ELEVATION =    1252.3393 FEET  ",
    "",
    " CLOSURE ERROR =   -.0107 FEET  ",
    "",
    " ESTIMATED CUMULATIVE ERROR IN LEVEL RUN =    .0020 FEET  ",
    "",
    " INPUT ERROR ESTIMATE PER SETUP =    .0010 FEET  ",
    "",
    " NUMBER OF SETUPS =     4",
    "",
    " SUM OF BS DISTANCES =       382.20 FEET  ",
    "",
    " SUM OF FS DISTANCES =       389.40 FEET  ",
    "",
    " INPUT LINE OF SIGHT ERROR =    .0100 PER 100 FEET  ",
    "",
    " CORRECTIONS WERE APPLIED FOR EARTH CURVATURE & ATMOSPHERIC REFRACTION",
    " SURVEY ELEVATIONS (UNADJUSTED)",
    "",
    "   STATION        ELEVATION",
    " BM-17            1250.0000",
    " TP1              1253.3200",
    " TP3              1253.6994",
    " BM-18            1252.3393",
    "",
    "",
    " ELEVATION DIFFERENCES (UNADJUSTED)",
    "",
    " FROM STATION  TO STATION   ELEVATION DIFF.   ERROR ESTIMATE",
    "",
    " BM-17        TP1                 3.3200         .0010",
    " TP1          TP3                  .3794         .0014",
    " TP3          BM-18              -1.3601         .0010",
};

const std::string kOpeningRecord = " 0                        .0000      .0010 1";
const std::vector<std::string> kExampleDifferenceRecords = {
    "     BM-17             TP1                  3.3200            .0010",
    "     TP1               TP3                   .3794            .0014",
    "     TP3               BM-18               -1.3601            .0010",
};

std::string padded(std::string text, std::size_t length) {
  text.resize(length, ' ');
  return text;
}

// A job folder holding TEMP.JOB for SURVEY and a field book.
void prepare(const JobFolder& folder, const std::string& book, const std::string& bookName = "LEVEL1.TXT") {
  folder.write("TEMP.JOB", "SURVEY\r\n");
  folder.write(bookName, book);
}

std::vector<std::string> resultsLines(const JobFolder& folder) { return splitLines(folder.read("SURVEY.3WR"), "\r\n"); }
std::vector<std::string> leastSquaresLines(const JobFolder& folder) {
  return splitLines(folder.read("SURVEY.ZZZ"), "\r\n");
}

TEST(TriredRun, WorkedExample) {
  JobFolder folder;
  prepare(folder, kExampleBook);
  RunResult r = folder.run("trired", exampleAnswers());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.errors, "");
  EXPECT_EQ(splitLines(r.console, "\n"),
            concat({kDialogueConsole, shownOnConsole(kSetupHeading), shownOnConsole(kExampleRows),
                    kExampleClosingQuestion, shownOnConsole(kExampleResults), {kStop}}));
  EXPECT_EQ(resultsLines(folder), concat({kExampleUnitsAndStadia, kSetupHeading, kExampleRows, kExampleResults}));
  EXPECT_EQ(leastSquaresLines(folder), concat({{kOpeningRecord}, kExampleDifferenceRecords}));
  EXPECT_EQ(folder.files(), (std::vector<std::string>{"LEVEL1.TXT", "SURVEY.3WR", "SURVEY.ZZZ", "TEMP.JOB"}));
}

TEST(TriredRun, WorkedExampleWithoutCorrections) {
  JobFolder folder;
  prepare(folder, kExampleBook);
  RunResult r = folder.run("trired", answers({"LEVEL1.TXT", "1", "1", "0", "", "N", "0.001", "1252.35"}));
  EXPECT_EQ(r.status, 0);
  std::vector<std::string> lines = resultsLines(folder);
  const std::vector<std::string> tail(lines.end() - 19, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      " INPUT LINE OF SIGHT ERROR =    .0000 PER 100 FEET  ",
                      "",
                      " NO CORRECTIONS WERE APPLIED FOR EARTH CURVATURE & ATMOSPHERIC REFRACTION",
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
                      " BM-17        TP1                 3.3200         .0010",
                      " TP1          TP3                  .3800         .0014",
                      " TP3          BM-18              -1.3600         .0010",
                  }));
  EXPECT_NE(r.console.find("CLOSURE ERROR =   -.0100 FEET  \n"), std::string::npos);
}

TEST(TriredRun, RodInMetersElevationsInFeet) {
  JobFolder folder;
  prepare(folder, "A 100\n5.430 4.876 4.320 2.110 1.556 1.000\nB\n");
  RunResult r = folder.run("trired", answers({"LEVEL1.TXT", "3", "1", "0", "", "N", "0.001", "110"}));
  EXPECT_EQ(r.status, 0);
  std::vector<std::string> lines = resultsLines(folder);
  EXPECT_EQ(lines[0], " ALL ROD READING INFORMATION IS IN METERS");
  EXPECT_EQ(lines[1], " ALL ELEVATION AND ELEVATION DIFFERENCES ARE IN FEET  ");
  EXPECT_NE(r.console.find("INPUT IN METERS INCLINATION (+)/DECLINATION (-) ERROR PER 100 METERS\n"),
            std::string::npos);
  // 111 m of sight each way; 3.32 m of rise is 10.8924 ft.
  EXPECT_NE(r.console.find("SUM OF BS DISTANCES =       364.17 FEET  \n"), std::string::npos);
  EXPECT_NE(r.console.find("\nB                 110.8924\n"), std::string::npos);
  EXPECT_NE(r.console.find("INPUT LINE OF SIGHT ERROR =    .0000 PER 100 METERS\n"), std::string::npos);
}

TEST(TriredRun, LeastSquaresFileUpdate) {
  std::string old72 = "     OLD-A             OLD-B                  1.0000            .0010";
  old72.resize(72, ' ');
  struct Case {
    const char* id;
    bool present;
    std::string before;
    std::vector<std::string> kept;
  } cases[] = {
      {"Z01 absent", false, "", {kOpeningRecord}},
      {"Z02 empty", true, "", {kOpeningRecord}},
      {"Z03 a line of 80 characters is cut to 72, LF ends", true, old72 + "12345678\n", {old72}},
      {"Z04 short, blank and CRLF lines padded to 72", true, " 0  1.0\r\n\r\nX",
       {padded(" 0  1.0", 72), padded("", 72), padded("X", 72)}},
  };
  for (const Case& c : cases) {
    JobFolder folder;
    prepare(folder, kExampleBook);
    if (c.present) folder.write("SURVEY.ZZZ", c.before);
    RunResult r = folder.run("trired", exampleAnswers());
    EXPECT_EQ(r.status, 0) << c.id;
    EXPECT_EQ(leastSquaresLines(folder), concat({c.kept, kExampleDifferenceRecords})) << c.id;
    // A second run keeps the first one's lines, now 72 characters long,
    // and appends its records again.
    std::vector<std::string> keptAgain = concat({c.kept, kExampleDifferenceRecords});
    for (std::string& line : keptAgain) line.resize(72, ' ');
    r = folder.run("trired", exampleAnswers());
    EXPECT_EQ(leastSquaresLines(folder), concat({keptAgain, kExampleDifferenceRecords})) << c.id;
    EXPECT_EQ(folder.files(), (std::vector<std::string>{"LEVEL1.TXT", "SURVEY.3WR", "SURVEY.ZZZ", "TEMP.JOB"}))
        << c.id;
  }
}

TEST(TriredRun, ClosesOnItsOwnStart) {
  struct Case {
    const char* id;
    std::string book;
    std::vector<std::string> stations;
    std::vector<std::string> differences;
    std::vector<std::string> records;
  } cases[] = {
      {"C01 only the start",
       "BM-17 1250.000\n",
       {" BM-17            1250.0000"},
       {},
       {kOpeningRecord}},
      {"C02 loop back to a name equal in its first 12 characters",
       "BENCHMARK-NORTH 100\n5.430 4.876 4.320 2.110 1.556 1.000\nTP1\n"
       "2.110 1.556 1.000 5.440 4.876 4.320\nBENCHMARK-NORTH-B\n",
       {" BENCHMARK-NO      100.0000", " TP1               103.3200", " BENCHMARK-NO       99.9967"},
       {" BENCHMARK-NO TP1                 3.3200         .0010",
        " TP1          BENCHMARK-NO       -3.3233         .0010"},
       {kOpeningRecord, "     BENCHMARK-NO      TP1                  3.3200            .0010",
        "     TP1               BENCHMARK-NO        -3.3233            .0010"}},
  };
  for (const Case& c : cases) {
    JobFolder folder;
    prepare(folder, c.book);
    // No closing question: the answers end after the error estimate.
    RunResult r = folder.run("trired", answers({"LEVEL1.TXT", "", "", "0", "", "N", "0.001"}));
    EXPECT_EQ(r.status, 0) << c.id << r.errors;
    EXPECT_EQ(r.console.find("WHAT IS THE KNOWN ELEVATION"), std::string::npos) << c.id;
    std::vector<std::string> lines = resultsLines(folder);
    auto heading = std::find(lines.begin(), lines.end(), "   STATION        ELEVATION");
    ASSERT_NE(heading, lines.end()) << c.id;
    std::vector<std::string> stations(heading + 1, heading + 1 + static_cast<long>(c.stations.size()));
    EXPECT_EQ(stations, c.stations) << c.id;
    std::vector<std::string> differences(lines.end() - static_cast<long>(c.differences.size()), lines.end());
    EXPECT_EQ(differences, c.differences) << c.id;
    EXPECT_EQ(lines[lines.size() - c.differences.size() - 1], "") << c.id;
    EXPECT_EQ(leastSquaresLines(folder), c.records) << c.id;
  }
  // The closure is the computed elevation minus the starting elevation.
  JobFolder folder;
  prepare(folder, cases[1].book);
  RunResult r = folder.run("trired", answers({"LEVEL1.TXT", "", "", "0", "", "N", "0.001"}));
  EXPECT_NE(r.console.find("  ENDING STATION BENCHMARK-NO ELEVATION =     100.0000 FEET  \n"), std::string::npos);
  EXPECT_NE(r.console.find("CLOSURE ERROR =   -.0033 FEET  \n"), std::string::npos);
}

TEST(TriredRun, BookWithoutStartLineStopsAfterTheHeading) {
  JobFolder folder;
  prepare(folder, "LEVEL NOTES FOR THE NORTH LINE\n\nBM-17\n5.430,4.876\n");
  folder.write("SURVEY.ZZZ", "KEEP ME\r\n");
  RunResult r = folder.run("trired", answers({"LEVEL1.TXT", "", "", "0", "", "", "0.001"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(splitLines(r.console, "\n"), concat({kDialogueConsole, shownOnConsole(kSetupHeading), {kStop}}));
  EXPECT_EQ(resultsLines(folder), concat({kExampleUnitsAndStadia, kSetupHeading}));
  EXPECT_EQ(folder.read("SURVEY.ZZZ"), "KEEP ME\r\n");
}

TEST(TriredRun, MalformedLineStopsWithItsTrueLineNumber) {
  // Line 7 (blank and ignored lines counted) fails the wire checks; it is
  // longer than 78 columns.
  const std::string bad = "5.000 4.500 4.000 0 4.230 0" + std::string(45, ' ') + "NOTE-ABCDEFGH";
  struct Case {
    const char* id;
    std::string line;
    std::string shown;
  } cases[] = {
      {"M01 wire check, long line", bad, bad.substr(0, 78)},
      {"M02 not six numbers", "TP3 SET ON CURB", "TP3 SET ON CURB" + std::string(63, ' ')},
      {"M03 middle above upper", "5.000 4.500 4.000 4.000 4.230 3.700",
       "5.000 4.500 4.000 4.000 4.230 3.700" + std::string(43, ' ')},
  };
  for (const Case& c : cases) {
    JobFolder folder;
    prepare(folder, "TITLE LINE\n\nBM-17 1250.000\n5.430 4.876 4.320 2.110 1.556 1.000\n\nTP1\n" + c.line +
                        "\nTP3\n");
    RunResult r = folder.run("trired", answers({"LEVEL1.TXT", "", "", "0", "", "", "0.001"}));
    EXPECT_EQ(r.status, 0) << c.id;
    EXPECT_EQ(splitLines(r.console, "\n"),
              concat({kDialogueConsole, shownOnConsole(kSetupHeading), shownOnConsole({kExampleRows[0]}),
                      {"NO FILES UPDATED ERROR IN INPUT AT LINE     7", "LINE IS", c.shown, kStop}}))
        << c.id;
    EXPECT_EQ(resultsLines(folder), concat({kExampleUnitsAndStadia, kSetupHeading, {kExampleRows[0]}})) << c.id;
    EXPECT_EQ(folder.read("SURVEY.ZZZ"), "") << c.id;
  }
}

TEST(TriredRun, MoreThan3000Stations) {
  std::string book = "START 100\n";
  const int stations = 3500;
  for (int i = 1; i <= stations; ++i) {
    book += "1.100 1.000 0.900 1.090 0.990 0.890\n";
    book += 'S';
    book += std::to_string(i);
    book += '\n';
  }
  JobFolder folder;
  prepare(folder, book);
  RunResult r = folder.run("trired", answers({"LEVEL1.TXT", "", "", "0", "", "N", "0.001", "135"}));
  EXPECT_EQ(r.status, 0) << r.errors;
  std::vector<std::string> records = leastSquaresLines(folder);
  ASSERT_EQ(records.size(), 1u + stations);
  EXPECT_EQ(records.back(), "     S3499             S3500                 .0100            .0010");
  EXPECT_NE(r.console.find("\nS3500             135.0000\n"), std::string::npos);
  EXPECT_NE(r.console.find("NUMBER OF SETUPS =  3500\n"), std::string::npos);
}

// The least-squares data file cannot be written in full: the run fails
// with status 2 and the old file stays as it was, with no temporary left.
TEST(TriredRun, FailedLeastSquaresWriteKeepsTheOldFile) {
  JobFolder folder;
  prepare(folder, "A 100\n");
  std::string old;
  for (int i = 0; i < 400; ++i) old += " OLD RECORD " + std::to_string(i) + std::string(50, '.') + "\r\n";
  folder.write("SURVEY.ZZZ", old);
  folder.write("answers", answers({"LEVEL1.TXT", "", "", "0", "", "", "0.001"}));
  // Files may grow to 8 blocks; the program sees the failed write instead
  // of a signal.
  std::string command = "cd '" + folder.path() + "' && (ulimit -f 8; trap '' XFSZ; exec '" TRIRED_PROGRAM
                        "') < answers > console 2> errors";
  int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_EQ(folder.read("errors").rfind("trired: write failed on SURVEY.ZZZ: ", 0), 0u) << folder.read("errors");
  EXPECT_EQ(folder.read("SURVEY.ZZZ"), old);
  EXPECT_EQ(folder.files(), (std::vector<std::string>{"LEVEL1.TXT", "SURVEY.3WR", "SURVEY.ZZZ", "TEMP.JOB", "answers",
                                                      "console", "errors"}));
}

}  // namespace
}  // namespace trired_test
