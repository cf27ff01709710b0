#include "common/dialogue.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

#include <cstdio>
#include <string>

namespace vorn {
namespace {

using testing::FakeConsole;

const RecordFormat kUnits("(' DATA IN 3 WIRE FILE IS IN ',/,' (1) FT',/,' (2) METERS',/,' PICK A # <1>')");
const RecordFormat kStadia("(' INPUT STADIA CONSTANT <100>')");
const RecordFormat kCurvature("(' CORRECT FOR CURVATURE & REFRACTION (Y/N)? <Y>')");
const RecordFormat kSuffix("(' ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS')");

TEST(Console, LineControlAndLineEnds) {
  FakeConsole fake("");
  fake.console().write(RecordFormat("(' DEFAULT NAME FOR .OBS AND .CTL IS ',A,/,' PRESS ENTER TO ACCEPT, OR ENTER NEW NAME')"),
                       {"SURVEY      "});
  fake.console().write(RecordFormat("('0TITLE',/,'XDATA',/)"));
  EXPECT_EQ(fake.shown(),
            "DEFAULT NAME FOR .OBS AND .CTL IS SURVEY      \nPRESS ENTER TO ACCEPT, OR ENTER NEW NAME\n"
            "\nTITLE\nDATA\n\n");
}

TEST(Questions, ChoiceTakesFirstCharacterAndDefault) {
  struct Case {
    const char* id;
    const char* input;
    char expected;
    int prompts;
  } cases[] = {
      {"C01 empty line is the default", "\n", '1', 1},
      {"C02 blank before 2 is the default", " 2\n", '1', 1},
      {"C03 refused then accepted", "3\nFT\n2\n", '2', 3},
      {"C04 CRLF line", "2\r\n", '2', 1},
      {"C05 only first character counts", "2X\n", '2', 1},
  };
  for (const Case& c : cases) {
    FakeConsole fake(c.input);
    EXPECT_EQ(askChoice(fake.console(), kUnits, '1', "12"), c.expected) << c.id;
    std::string shown = fake.shown();
    int prompts = 0;
    for (std::size_t p = shown.find("PICK A #"); p != std::string::npos; p = shown.find("PICK A #", p + 1)) ++prompts;
    EXPECT_EQ(prompts, c.prompts) << c.id;
  }
}

TEST(Questions, YesNo) {
  struct Case {
    const char* input;
    char expected;
  } cases[] = {{"\n", 'Y'}, {"yes\n", 'Y'}, {"no\n", 'N'}, {"X\nn\n", 'N'}, {"N\n", 'N'}};
  for (const Case& c : cases) {
    FakeConsole fake(c.input);
    EXPECT_EQ(askYesNo(fake.console(), kCurvature, 'Y'), c.expected) << c.input;
  }
}

TEST(Questions, NumberWithDefault) {
  auto stadiaOk = [](double v) { return v >= 49 && v <= 501; };
  struct Case {
    const char* input;
    double expected;
  } cases[] = {{"\n", 100},         {"49\n", 49},          {"501\n", 501},          {"100 200\n", 100},
               {"48.9\n\n", 100},   {"501.5\n250\n", 250}, {"-100\nABC\n77\n", 77}, {"           \n", 100}};
  for (const Case& c : cases) {
    FakeConsole fake(c.input);
    EXPECT_EQ(askNumberWithDefault(fake.console(), kStadia, 100.0, 20, stadiaOk), c.expected) << c.input;
  }
}

TEST(Questions, NumberWithoutDefaultWaitsForAValue) {
  FakeConsole fake("\n\n  \nX\n\n42\n");
  EXPECT_EQ(askInteger(fake.console(), kSuffix), 42);
  std::string shown = fake.shown();
  // The prompt once, then again after X only.
  EXPECT_EQ(shown, "ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS\n"
                   "ENTER A STARTING POINT NUMBER SUFFIX FOR UN-NAMED TURNING POINTS\n");
}

TEST(Questions, EndOfInputIsAnInputOutputFailure) {
  {
    FakeConsole fake("\n\n");
    EXPECT_THROW(askInteger(fake.console(), kSuffix), IoFailure);
  }
  {
    FakeConsole fake("3\n");
    EXPECT_THROW(askChoice(fake.console(), kUnits, '1', "12"), IoFailure);
  }
  {
    FakeConsole fake("");
    EXPECT_THROW(fileNameToOpen(fake.console(), 1, "   "), IoFailure);
  }
}

TEST(Questions, BlankFileNameIsAskedFor) {
  FakeConsole fake("\n   \n  BOOK.TXT  \n");
  EXPECT_EQ(fileNameToOpen(fake.console(), 1, "   "), "BOOK.TXT");
  EXPECT_EQ(fake.shown(), "File name missing or blank - please enter file name\nUNIT 1? \n"
                          "File name missing or blank - please enter file name\nUNIT 1? \n"
                          "File name missing or blank - please enter file name\nUNIT 1? \n");
}

TEST(IntegerText, Widths) {
  struct Case {
    int n;
    const char* text;
    int width;
  } cases[] = {{7, "7       ", 1},       {0, "0       ", 1},      {10, "10      ", 2},
               {99999, "99999   ", 5},   {100000, "100000  ", 6}, {999999, "999999  ", 6},
               {1000000, "******  ", 6}, {-3, "*       ", 1}};
  for (const Case& c : cases) {
    IntegerText t = integerText(c.n);
    EXPECT_EQ(t.text, c.text) << c.n;
    EXPECT_EQ(t.width, c.width) << c.n;
  }
}

TEST(JobFiles, Naming) {
  EXPECT_EQ(jobFileName("SURVEY      ", ".3WR"), "SURVEY.3WR          ");
  EXPECT_EQ(jobFileName("TEST", ".ZZZ"), "TEST.ZZZ            ");
  EXPECT_EQ(jobFileName("            ", ".OBS"), ".OBS                ");
  EXPECT_EQ(jobFileName(" A B", ".DEF"), " A B.DEF            ");
  EXPECT_EQ(jobFileName("ABCDEFGHIJKLMNOPQ", ".DEF"), "ABCDEFGHIJKLMNOPQ.DE");
}

}  // namespace
}  // namespace vorn
