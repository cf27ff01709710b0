// TRIRED's start-up: TEMP.JOB, the files, the questions and their refusals,
// and the console's input ending at any of them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "trired_support.h"

namespace trired_test {
namespace {

std::size_t count(const std::string& text, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

TEST(TriredStartup, TempJobMissingOrEmpty) {
  struct Case {
    const char* id;
    bool present;
  } cases[] = {{"J01 missing", false}, {"J02 empty", true}};
  for (const Case& c : cases) {
    JobFolder folder;
    if (c.present) folder.write("TEMP.JOB", "");
    folder.write("LEVEL1.TXT", kExampleBook);
    RunResult r = folder.run("trired", exampleAnswers());
    EXPECT_EQ(r.status, 0) << c.id;
    EXPECT_EQ(r.console, vorn::testing::lf({"COMPUTER PROGRAM TRIRED 12-06-93",
                                            "NO TEMP.JOB (PROJECT NAME) - RUN VORN PROGRAM JOBSET", kStop}))
        << c.id;
    std::vector<std::string> expected = {"LEVEL1.TXT"};
    if (c.present) expected.push_back("TEMP.JOB");
    EXPECT_EQ(folder.files(), expected) << c.id;
  }
}

TEST(TriredStartup, FieldBookNotFound) {
  JobFolder folder;
  folder.write("TEMP.JOB", "SURVEY\r\n");
  RunResult r = folder.run("trired", exampleAnswers("NOBOOK.TXT"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(splitLines(r.console, "\n"),
            (std::vector<std::string>{kDialogueConsole[0], kDialogueConsole[1], kDialogueConsole[2],
                                      kDialogueConsole[3], "INPUT 3 WIRE DATA FILE NOT FOUND - STOP", kStop}));
  EXPECT_EQ(folder.files(), std::vector<std::string>{"TEMP.JOB"});
}

TEST(TriredStartup, BlankFieldBookNameIsAskedFor) {
  JobFolder folder;
  folder.write("TEMP.JOB", "SURVEY      \r\n");
  folder.write("LEVEL1.TXT", kExampleBook);
  RunResult r = folder.run("trired", answers({"   ", "", "  LEVEL1.TXT  ", "1", "1", "0.01", "", "", "0.001", "1252.35"}));
  EXPECT_EQ(r.status, 0);
  std::vector<std::string> lines = splitLines(r.console, "\n");
  ASSERT_GE(lines.size(), 9u);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.begin() + 9),
            (std::vector<std::string>{"File name missing or blank - please enter file name", "UNIT 1? ",
                                      "File name missing or blank - please enter file name", "UNIT 1? ",
                                      "ROD READINGS ARE IN "}));
  EXPECT_NE(folder.read("SURVEY.ZZZ").find("BM-18"), std::string::npos);
}

// A field book that is one of the job's output files is refused before any
// output file is opened, whatever name it is typed under.
TEST(TriredStartup, FieldBookThatIsAnOutputOfTheJob) {
  struct Case {
    const char* id;
    const char* typed;
    const char* existing;
    const char* link;  // another name for `existing`, or null
  } cases[] = {
      {"O01 the results file", "SURVEY.3WR", "SURVEY.3WR", nullptr},
      {"O02 the least-squares data file", "./SURVEY.ZZZ", "SURVEY.ZZZ", nullptr},
      {"O03 the results file under another name", "BOOK.TXT", "SURVEY.3WR", "BOOK.TXT"},
  };
  for (const Case& c : cases) {
    JobFolder folder;
    folder.write("TEMP.JOB", "SURVEY\r\n");
    folder.write(c.existing, kExampleBook);
    if (c.link != nullptr) {
      ASSERT_EQ(::link((folder.path() + "/" + c.existing).c_str(), (folder.path() + "/" + c.link).c_str()), 0);
    }
    std::vector<std::string> before = folder.files();
    RunResult r = folder.run("trired", exampleAnswers(c.typed));
    EXPECT_EQ(r.status, 0) << c.id;
    EXPECT_EQ(splitLines(r.console, "\n"),
              (std::vector<std::string>{kDialogueConsole[0], kDialogueConsole[1], kDialogueConsole[2],
                                        kDialogueConsole[3], "INPUT FILE IS ALSO AN OUTPUT FILE OF THE JOB - STOP",
                                        kStop}))
        << c.id;
    EXPECT_EQ(folder.read(c.existing), kExampleBook) << c.id;
    EXPECT_EQ(folder.files(), before) << c.id;
  }
}

TEST(TriredDialogue, RefusedAnswersAskAgain) {
  JobFolder folder;
  folder.write("TEMP.JOB", "SURVEY\r\n");
  folder.write("LEVEL1.TXT", kExampleBook);
  RunResult r = folder.run("trired", answers({
                                         "LEVEL1.TXT",
                                         "FT", "4", " 2",              // rod: refused twice, then blank (feet)
                                         "3",                          // elevations in meters
                                         "X", "", "  ", "-0.02",       // collimation: X refused, empty lines passed
                                         "48.9", "501.5", "-100", "ABC", "75",  // stadia
                                         "X", "no",                    // curvature
                                         "0", "-1", "X", "0.002",      // error estimate
                                         "381.7",
                                     }));
  EXPECT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(count(r.console, "ROD READINGS ARE IN \n"), 3u);
  EXPECT_EQ(count(r.console, "ELEVATIONS AND PRODUCED ELEV. DIFFERENCES ARE IN\n"), 1u);
  EXPECT_EQ(count(r.console, "INPUT ZERO IF NONE OR NO PEG TEST\n"), 2u);
  EXPECT_EQ(count(r.console, "INPUT STADIA CONSTANT <100>\n"), 5u);
  EXPECT_EQ(count(r.console, "CORRECT FOR CURVATURE & REFRACTION (Y/N)? <Y>\n"), 2u);
  EXPECT_EQ(count(r.console, "INPUT ERROR ESTIMATE (LIKE 0.001) PER SETUP IN METERS\n"), 4u);
  std::vector<std::string> lines = splitLines(folder.read("SURVEY.3WR"), "\r\n");
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
            (std::vector<std::string>{" ALL ROD READING INFORMATION IS IN FEET  ",
                                      " ALL ELEVATION AND ELEVATION DIFFERENCES ARE IN METERS",
                                      " STADIA CONSTANT IS   75.000", ""}));
  const std::string report = folder.read("SURVEY.3WR");
  EXPECT_NE(report.find(" INPUT ERROR ESTIMATE PER SETUP =    .0020 METERS\r\n"), std::string::npos);
  EXPECT_NE(report.find(" INPUT LINE OF SIGHT ERROR =   -.0200 PER 100 FEET  \r\n"), std::string::npos);
  EXPECT_NE(report.find(" NO CORRECTIONS WERE APPLIED"), std::string::npos);
}

TEST(TriredDialogue, StadiaAndCurvatureAnswers) {
  struct Case {
    const char* stadia;
    const char* curvature;
    const char* stadiaLine;
    const char* note;
  } cases[] = {
      {"", "", " STADIA CONSTANT IS  100.000", " CORRECTIONS WERE APPLIED"},
      {"49", "y", " STADIA CONSTANT IS   49.000", " CORRECTIONS WERE APPLIED"},
      {"501", "yes", " STADIA CONSTANT IS  501.000", " CORRECTIONS WERE APPLIED"},
      {"100 200", "n", " STADIA CONSTANT IS  100.000", " NO CORRECTIONS WERE APPLIED"},
  };
  for (const Case& c : cases) {
    JobFolder folder;
    folder.write("TEMP.JOB", "SURVEY\r\n");
    folder.write("LEVEL1.TXT", kExampleBook);
    RunResult r = folder.run("trired", answers({"LEVEL1.TXT", "", "", "0", c.stadia, c.curvature, "0.001", "1252"}));
    EXPECT_EQ(r.status, 0) << c.stadia;
    EXPECT_EQ(count(r.console, "INPUT STADIA CONSTANT <100>\n"), 1u) << c.stadia;
    std::vector<std::string> lines = splitLines(folder.read("SURVEY.3WR"), "\r\n");
    EXPECT_EQ(lines[2], c.stadiaLine);
    EXPECT_NE(folder.read("SURVEY.3WR").find(std::string("\r\n") + c.note), std::string::npos) << c.stadia;
  }
}

// The console's input ends while a question waits: status 2, a one-line
// report, and the least-squares data file as it was.
TEST(TriredDialogue, InputEndingAtEachQuestion) {
  const std::vector<std::vector<std::string_view>> inputs = {
      {},                                                                 // field book name
      {""},                                                               // UNIT 1?
      {"LEVEL1.TXT"},                                                     // rod unit
      {"LEVEL1.TXT", "FT"},                                               // rod unit asked again
      {"LEVEL1.TXT", "1"},                                                // elevation unit
      {"LEVEL1.TXT", "1", "1"},                                           // collimation
      {"LEVEL1.TXT", "1", "1", "", " "},                                  // collimation after empty lines
      {"LEVEL1.TXT", "1", "1", "0.01"},                                   // stadia
      {"LEVEL1.TXT", "1", "1", "0.01", ""},                               // curvature
      {"LEVEL1.TXT", "1", "1", "0.01", "", ""},                           // error estimate
      {"LEVEL1.TXT", "1", "1", "0.01", "", "", "0"},                      // error estimate asked again
      {"LEVEL1.TXT", "1", "1", "0.01", "", "", "0.001"},                  // closing elevation
      {"LEVEL1.TXT", "1", "1", "0.01", "", "", "0.001", "X"},             // closing elevation asked again
  };
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    JobFolder folder;
    folder.write("TEMP.JOB", "SURVEY\r\n");
    folder.write("LEVEL1.TXT", kExampleBook);
    folder.write("SURVEY.ZZZ", "OLD LINE\r\n");
    std::string input;
    for (std::string_view a : inputs[i]) (input += a) += '\n';
    RunResult r = folder.run("trired", input);
    EXPECT_EQ(r.status, 2) << i;
    EXPECT_EQ(r.errors, kInputEnded) << i;
    EXPECT_EQ(folder.read("SURVEY.ZZZ"), "OLD LINE\r\n") << i;
    EXPECT_EQ(r.console.find(kStop), std::string::npos) << i;
    std::vector<std::string> files = folder.files();
    EXPECT_EQ(files.size(), i < 2 ? 3u : 4u) << i;  // no temporary file left behind
  }
}

}  // namespace
}  // namespace trired_test
