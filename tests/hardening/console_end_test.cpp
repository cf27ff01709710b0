// A console that ends at any question of any program. Every program is
// driven through a whole run that asks each of its questions (refused
// answers and blank lines included); then, for every answer, the same run
// is cut just before it. Each cut must end with status 2 and a one-line
// report of the ended input, at once (no hang), after showing exactly what
// the whole run showed up to that question, and without touching the files
// its issue holds back.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/job_folder.h"

namespace vorn::testing {
namespace {

const std::string kFieldBook = crlf({"BM-17 1250.000", "5.430 4.876 4.320 2.110 1.556 1.000", "TP1",
                                     "4.012 3.500 2.990 3.902 3.390 2.880", "5.000 4.500 4.000 0 4.230 3.700", "TP3",
                                     "3.346 3.000 2.656 4.712 4.360 4.010", "BM-18"});
const std::string kLevelFile = crlf({
    "b 1  0                            ,1,0,BM-19,1247400",
    "g 1  4876 4520 1252276            ,2,BM-19,0,LINE3",
    "i 1  1220 4480 1251056            ,3,1,0,LINE3",
    "g 1  3902 5010 1254958            ,4,1,0,LINE3",
    "i 1  3119 4070 1248607            ,12,BM-20,0,LINE3",
});
const std::string kOldObservations = crlf({"H 00 SURVEY       CONVERTED FROM 3 WIRE FORMAT", "H 99 VERSION 01/31/00"});
const std::string kOldControl = crlf({"G 00 SURVEY.CTL          ",
                                      "G 01 BM-17    BM-17                                              F",
                                      "G 02                              1250.0000"});
const std::string kOldLeastSquares = crlf({" 0                       .0000      .0010 1"});

constexpr std::size_t kAlways = SIZE_MAX;

struct Walk {
  const char* name;
  const char* program;
  std::map<std::string, std::string> files;  // the job folder before the run
  std::vector<std::string> answers;          // a whole run
  // Files no cut may change, each with the last cut that must leave it
  // alone (kAlways: every cut).
  std::map<std::string, std::size_t> heldBack;
  std::vector<std::string> questions;        // the last console line at each cut
};

std::string lastLine(const std::string& console) {
  if (console.empty()) return "";
  std::size_t end = console.size() - 1;  // its line feed
  std::size_t begin = console.rfind('\n', end - 1);
  return console.substr(begin == std::string::npos ? 0 : begin + 1, end - (begin == std::string::npos ? 0 : begin + 1));
}

std::string joined(const std::vector<std::string>& answers, std::size_t count) {
  std::string s;
  for (std::size_t i = 0; i < count; ++i) s += answers[i] + "\n";
  return s;
}

void prepare(const JobFolder& folder, const Walk& walk) {
  for (const auto& [name, content] : walk.files) folder.write(name, content);
}

void walkEveryQuestion(const Walk& walk) {
  SCOPED_TRACE(walk.name);
  JobFolder whole;
  prepare(whole, walk);
  RunResult full = whole.run(walk.program, joined(walk.answers, walk.answers.size()), 20);
  ASSERT_EQ(full.status, 0) << full.errors << full.console;
  ASSERT_EQ(walk.questions.size(), walk.answers.size());

  for (std::size_t cut = 0; cut < walk.answers.size(); ++cut) {
    SCOPED_TRACE("answers cut before answer " + std::to_string(cut) + ": " + walk.questions[cut]);
    JobFolder folder;
    prepare(folder, walk);
    RunResult r = folder.run(walk.program, joined(walk.answers, cut), 20);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.errors, std::string(walk.program) +
                            ": read failed on standard input: input ended while a question was waiting\n");
    EXPECT_EQ(full.console.compare(0, r.console.size(), r.console), 0) << r.console;
    EXPECT_EQ(lastLine(r.console), walk.questions[cut]);
    for (const auto& [name, lastCut] : walk.heldBack) {
      if (cut > lastCut) continue;
      bool existed = walk.files.count(name) != 0;
      EXPECT_EQ(folder.exists(name), existed) << name;
      if (existed) {
        EXPECT_EQ(folder.read(name), walk.files.at(name)) << name;
      }
    }
    for (const std::string& name : folder.files()) EXPECT_EQ(name.find('~'), std::string::npos) << "left behind: " << name;
  }
}

TEST(ConsoleEnds, Trired) {
  const std::string units = "PICK A # <1>";
  const std::string collimation = "INPUT ZERO IF NONE OR NO PEG TEST";
  const std::string stadia = "INPUT STADIA CONSTANT <100>";
  const std::string curvature = "CORRECT FOR CURVATURE & REFRACTION (Y/N)? <Y>";
  const std::string estimate = "INPUT ERROR ESTIMATE (LIKE 0.001) PER SETUP IN FEET  ";
  walkEveryQuestion(Walk{
      "trired",
      "trired",
      {{"TEMP.JOB", "SURVEY\r\n"}, {"BOOK.TXT", kFieldBook}, {"SURVEY.ZZZ", kOldLeastSquares}},
      {"", "BOOK.TXT", "FT", "1", "1", "", "0.01", "ABC", "", "X", "Y", "", "0", "0.001", "1252.35"},
      {{"SURVEY.ZZZ", kAlways}},
      {"FILE NAME FOR INPUT 3 WIRE LEVELING DATA IS:", "UNIT 1? ", units, units, units, collimation, collimation,
       stadia, stadia, curvature, curvature, estimate, estimate, estimate,
       "WHAT IS THE KNOWN ELEVATION OF CLOSING STATION BM-18        ?"},
  });
}

const std::string kAcceptName = "PRESS ENTER TO ACCEPT, OR ENTER NEW NAME";
const std::string kPrefix = "PRESS ENTER IF NO PREFIX, PLEASE USE CAPS";
const std::string kTriconvSuffix = "ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS";
const std::string kAppendOrOverwrite = "THE .OBS AND .CTL FILES? <1>";
const std::string kUnits = "PICK A # <1>";

// Appending, with refused answers and blank lines at every kind of question.
TEST(ConsoleEnds, TriconvAppending) {
  walkEveryQuestion(Walk{
      "triconv appending",
      "triconv",
      {{"TEMP.JOB", "SURVEY\r\n"},
       {"BOOK.TXT", kFieldBook},
       {"SURVEY.OBS", kOldObservations},
       {"SURVEY.CTL", kOldControl}},
      {"", "TP", "", "0", "100000", "1", "BOOK.TXT", "3", "1", "", "ABC", "", "", "1252.35"},
      {{"SURVEY.OBS", kAlways}, {"SURVEY.CTL", kAlways}, {"TEMP.JOB", kAlways}},
      {kAcceptName, kPrefix, kTriconvSuffix, kTriconvSuffix, kTriconvSuffix, kTriconvSuffix,
       "FILE NAME CONTAINING 3 WIRE LEVELING DATA (WITH EXTENSION) IS:", kAppendOrOverwrite, kAppendOrOverwrite,
       kUnits, "INPUT STADIA CONSTANT <100>", "INPUT STADIA CONSTANT <100>",
       "WHAT IS THE KNOWN ELEVATION OF CLOSING STATION BM-18        ?",
       "WHAT IS THE KNOWN ELEVATION OF CLOSING STATION BM-18        ?"},
  });
}

// Without TEMP.JOB: the name question, a blank name that starts the
// dialogue over, then overwriting in meters.
TEST(ConsoleEnds, TriconvOverwritingANewJobName) {
  walkEveryQuestion(Walk{
      "triconv overwriting",
      "triconv",
      {{"BOOK.TXT", kFieldBook}, {"SURVEY.OBS", kOldObservations}, {"SURVEY.CTL", kOldControl}},
      {"", "TP", "1", "SURVEY", "TP", "1", "BOOK.TXT", "2", "2", "", "1252.35"},
      {{"SURVEY.OBS", kAlways}, {"SURVEY.CTL", kAlways}},
      {"INPUT NAME FOR .OBS AND .CTL FILES", kPrefix, kTriconvSuffix, kAcceptName, kPrefix, kTriconvSuffix,
       "FILE NAME CONTAINING 3 WIRE LEVELING DATA (WITH EXTENSION) IS:", kAppendOrOverwrite, kUnits,
       "INPUT STADIA CONSTANT <100>", "WHAT IS THE KNOWN ELEVATION OF CLOSING STATION BM-18        ?"},
  });
}

const std::string kDigconvSuffix = "ENTER 1 IF YOU WISH TO USE EXISTING POINT NUMBERS";
const std::string kAcceptBenchmark = "PRESS ENTER TO ACCEPT OR ENTER CORRECT NAME";
const std::string kAcceptElevation = "PRESS ENTER TO ACCEPT OR ENTER CORRECT VALUE";
const std::string kMultiplier = "to it (0.01, 0.1, 10, 100, etc.) which corrects it";

TEST(ConsoleEnds, DigconvAppending) {
  walkEveryQuestion(Walk{
      "digconv appending",
      "digconv",
      {{"TEMP.JOB", "SURVEY\r\n"},
       {"SURVEY.LEV", kLevelFile},
       {"SURVEY.OBS", kOldObservations},
       {"SURVEY.CTL", kOldControl}},
      {"", "-3", "1", "1", "", "", "", "X", "", "0", "", "BM-20", "1248.600"},
      {{"SURVEY.OBS", kAlways}, {"SURVEY.CTL", kAlways}, {"TEMP.JOB", kAlways}},
      {kAcceptName, kDigconvSuffix, kDigconvSuffix, kAppendOrOverwrite, kUnits, kAcceptBenchmark,
       kAcceptElevation, kMultiplier, kMultiplier, kMultiplier, kMultiplier, kAcceptBenchmark, kAcceptElevation},
  });
}

TEST(ConsoleEnds, DigconvOverwritingANewJobName) {
  walkEveryQuestion(Walk{
      "digconv overwriting",
      "digconv",
      {{"SURVEY.LEV", kLevelFile}, {"SURVEY.OBS", kOldObservations}, {"SURVEY.CTL", kOldControl}},
      {"", "1", "SURVEY", "1", "2", "2", "", "", "", "", "", ""},
      {{"SURVEY.OBS", kAlways}, {"SURVEY.CTL", kAlways}},
      {"INPUT NAME FOR .LEV, .OBS, AND .CTL FILES", kDigconvSuffix, kAcceptName, kDigconvSuffix,
       kAppendOrOverwrite, kUnits, kAcceptBenchmark, kAcceptElevation, kMultiplier, kMultiplier, kAcceptBenchmark,
       kAcceptElevation},
  });
}

const std::string kOldDefinition = crlf({"N", " 0 NA NA NA                              ", "0", "2", "     50.000", "N", "N",
                                          "       .020        2.0", "        4.0", "         .1", "       .001",
                                          "       .001", "Y", "       .000", "         .0", "         .0", "N", "N", "N",
                                          "Y", "      .000      .000", ""});

std::string zoneList(const char* name) {
  std::ifstream in(std::string(VORN_DATA_DIR) + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// An empty TEMP.JOB (the job name question, a blank name refused), the
// menu with the zone pages, the datum and value questions with refused
// answers, the change of project, a second project. The project's .DEF
// file and DXF.BAT may change only once its menu is left (answer 18),
// TEMP.JOB once the name is given (answer 1).
TEST(ConsoleEnds, Jobset) {
  const std::string menu = "ENTER IF NO CHANGE IS DESIRED (QUIT)";
  const std::string name = "LIMIT TO EIGHT CHARACTERS";
  const std::string assumed = "COORDINATE SYSTEM ? (Y/N) <N>";
  const std::string page1 = "INPUT ZONE # OR PRESS ENTER IF YOU WANT LAMBERT ZONES";
  const std::string page2 = "INPUT ZONE # (1-121) OR PRESS ENTER FOR ALASKA MERCATOR ZONES";
  const std::string elevation = "ENTER AVERAGE PROJECT ELEVATION IN FT (ENTER FOR NO CHANGE)";
  const std::string distance = "INPUT DISTANCE ERROR ESTIMATE CONSTANT ( FT.) (ENTER FOR NO CHANGE)";
  const std::string change = "DO YOU WANT TO CHANGE THE PROJECT (JOB) - Y/N ? <N>";
  walkEveryQuestion(Walk{
      "jobset",
      "jobset",
      {{"TEMP.JOB", ""}, {"SURVEY.DEF", kOldDefinition}, {"TABLE.DAT", zoneList("TABLE.DAT")},
       {"ZONE.DAT", zoneList("ZONE.DAT")}},
      {"", "SURVEY", "1", "X", "N", "", "ABC", "", "", "20", "", "4", "-301", "100", "7", "0.001", "", "", "", "X",
       "Y", "B", "", "N"},
      {{"TEMP.JOB", 1}, {"SURVEY.DEF", 18}, {"DXF.BAT", 18}},
      {name, name, menu, assumed, assumed, page1, page2, page2, "INPUT ZONE # (1-130) OR PRESS ENTER TO REPEAT LIST",
       page1, "SELECT A # <1>", menu, elevation, elevation, menu, distance, distance,
       "INPUT DISTANCE ERROR PPM (ENTER FOR NO CHANGE)", menu, change, change, name, menu, change},
  });
}

}  // namespace
}  // namespace vorn::testing
