// TRICONV in a real terminal, typed the way a person types: each question
// is waited for until it is on the screen, then its answer is typed a key
// at a time with pauses, then Enter. The screen must show every question
// before its answer is typed, nothing may come between a question and its
// answer, and the run must write the same files and show the same text as
// a run with the same answers piped in.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/child_process.h"
#include "support/job_folder.h"
#include "support/pty_session.h"

namespace vorn::testing {
namespace {

using namespace std::chrono_literals;

const std::string kBook = crlf({"BM-17 1250.000", "5.430 4.876 4.320 2.110 1.556 1.000", "TP1",
                                "4.012 3.500 2.990 3.902 3.390 2.880", "5.000 4.500 4.000 0 4.230 3.700", "TP3",
                                "3.346 3.000 2.656 4.712 4.360 4.010", "BM-18"});

void prepare(const JobFolder& folder) {
  folder.write("TEMP.JOB", "SURVEY\r\n");
  folder.write("BOOK.TXT", kBook);
  folder.write("SURVEY.OBS", crlf({"H 00 SURVEY       CONVERTED FROM 3 WIRE FORMAT", "H 99 VERSION 01/31/00"}));
  folder.write("SURVEY.CTL", crlf({"G 00 SURVEY.CTL          ",
                                   "G 01 BM-17    BM-17                                              F",
                                   "G 02                              1250.0000"}));
}

TEST(Terminal, TriconvTypedKeyByKeyMatchesAPipedRun) {
  // Each question as the terminal shows its last line, and the answer.
  const std::vector<std::pair<std::string, std::string>> dialogue = {
      {"PRESS ENTER TO ACCEPT, OR ENTER NEW NAME", ""},
      {"PRESS ENTER IF NO PREFIX, PLEASE USE CAPS", "TP"},
      {"ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS", "500"},
      {"FILE NAME CONTAINING 3 WIRE LEVELING DATA (WITH EXTENSION) IS:", "BOOK.TXT"},
      {"THE .OBS AND .CTL FILES? <1>", "1"},
      {"PICK A # <1>", "2"},
      {"INPUT STADIA CONSTANT <100>", "ABC"},  // refused: asked again
      {"INPUT STADIA CONSTANT <100>", ""},
      {"WHAT IS THE KNOWN ELEVATION OF CLOSING STATION BM-18        ?", "1252.35"},
  };
  JobFolder typed;
  prepare(typed);
  PtySession terminal(programPath("triconv"), typed.path());
  std::string answers;
  for (const auto& [question, answer] : dialogue) {
    ASSERT_TRUE(terminal.waitFor(question + "\r\n")) << "not on the screen: " << question << "\n" << terminal.screen();
    terminal.typeLine(answer, 15ms);
    answers += answer + "\n";
  }
  ASSERT_TRUE(terminal.waitFor("Stop - Program terminated.\r\n")) << terminal.screen();
  EXPECT_EQ(terminal.waitForExit(), 0);

  JobFolder piped;
  prepare(piped);
  RunResult reference = piped.run("triconv", answers);
  ASSERT_EQ(reference.status, 0) << reference.errors;
  std::string error;
  EXPECT_EQ(terminal.programOutput(&error), reference.console) << error;
  ASSERT_EQ(typed.files(), piped.files());
  for (const std::string& name : piped.files()) EXPECT_EQ(typed.read(name), piped.read(name)) << name;
  EXPECT_NE(typed.read("SURVEY.OBS").find("TP500"), std::string::npos);
}

}  // namespace
}  // namespace vorn::testing
