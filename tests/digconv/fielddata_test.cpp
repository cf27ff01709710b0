#include "digconv/fielddata.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fakes.h"

namespace vorn::digconv {
namespace {

using testing::FakeConsole;
using testing::FakeSink;
using testing::countOf;

TEST(DataUnit, QuestionAndResultLines) {
  struct Case {
    const char* input;
    const char* name;
    char letter;
    int prompts;
  } cases[] = {{"\n", "FEET  ", 'F', 1},
               {" 2\n", "FEET  ", 'F', 1},
               {"2\n", "METERS", 'M', 1},
               {"3\nM\n2\n", "METERS", 'M', 3},
               {"1\n", "FEET  ", 'F', 1}};
  for (const Case& c : cases) {
    FakeConsole fake(c.input);
    FakeSink results;
    DataUnit unit = askDataUnit(fake.console(), results);
    EXPECT_EQ(unit.name, c.name) << c.input;
    EXPECT_EQ(unit.controlLetter, c.letter) << c.input;
    EXPECT_EQ(countOf(fake.shown(), "DATA IN TOPCON TDS FILE IS IN \n(1) FT\n(2) METERS\nPICK A # <1>\n"), c.prompts);
    EXPECT_EQ(results.text, " ALL ROD READING INFORMATION IS IN " + std::string(c.name) +
                                "\n ALL ELEVATION AND ELEVATION DIFFERENCES ARE IN " + c.name +
                                "\n STADIA CONSTANT IS  100.000\n\n");
  }
}

TEST(DecimalPointGuess, ReadingMultiplierCarriesToTheDivisor) {
  FakeConsole fake("0\n-10\nABC\n0.1\n");
  ScalingState scaling;
  EXPECT_DOUBLE_EQ(guessReading(fake.console(), scaling, 15234 / scaling.rodDivisor), 1.5234);
  EXPECT_DOUBLE_EQ(scaling.rodDivisor, 10000);
  EXPECT_DOUBLE_EQ(14871 / scaling.rodDivisor, 1.4871);
  EXPECT_EQ(scaling.distanceDivisor, 100);
  const std::string prompt =
      "Zub has to guess where to put decimal point in rod readings\n"
      "as it seems Topcon TDS files are never consistent.\n"
      "A guess of 1st backsight rod reading is   15.2340\n"
      "If correct press enter, if incorrect input a multiplier \n"
      "to it (0.01, 0.1, 10, 100, etc.) which corrects it\n";
  EXPECT_EQ(fake.shown(), prompt + prompt + prompt + prompt) << "0, -10 and ABC refused";
}

TEST(DecimalPointGuess, DistanceEnterKeepsIt) {
  FakeConsole fake("\n");
  ScalingState scaling;
  EXPECT_DOUBLE_EQ(guessDistance(fake.console(), scaling, 2534 / scaling.distanceDivisor), 25.34);
  EXPECT_EQ(scaling.distanceDivisor, 100);
  EXPECT_EQ(scaling.rodDivisor, 1000);
  EXPECT_EQ(fake.shown(),
            "Zub has to guess where to put decimal point in sight distances.\n"
            "as it seems Topcon TDS files are never consistent.\n"
            "A guess of 1st backsight sight distance is   25.3400\n"
            "If correct press enter, if incorrect input a multiplier \n"
            "to it (0.01, 0.1, 10, 100, etc.) which corrects it\n");
}

TEST(DecimalPointGuess, DistanceMultiplierAndRefusals) {
  FakeConsole fake("1e999\n10 3\n");
  ScalingState scaling;
  EXPECT_DOUBLE_EQ(guessDistance(fake.console(), scaling, 2.534), 25.34);
  EXPECT_DOUBLE_EQ(scaling.distanceDivisor, 10);
  EXPECT_EQ(countOf(fake.shown(), "A guess of 1st backsight sight distance"), 2) << "an infinite multiplier refused";
}

TEST(FieldDataListing, HeaderAndRows) {
  FakeConsole fake("");
  FakeSink results;
  listFieldDataHeader(fake.console(), results);
  listSetup(fake.console(), results, FieldDataRow{1, 1.5234, 1.4871, 25.3, 26.0, 25.3, 26.0, 100.0363});
  listSetup(fake.console(), results, FieldDataRow{12, 12.0, 0.5, 150.26, 148.0, 1234.5, 1230.4, 1000.5});
  const std::string header =
      " FIELD DATA \n\n SETUP # BS MID FS MID  BS DIST  FS DIST SUM BS DIST SUM FS DIST FS RAW ELEV.\n";
  const std::string rows =
      "      1   1.523  1.487    25.3     26.0         25.         26.     100.036\n"
      "     12  12.000   .500   150.3    148.0       1235.       1230.    1000.500\n";
  EXPECT_EQ(results.text, header + rows);
  // The console drops the first character of each record.
  EXPECT_EQ(fake.shown(), "FIELD DATA \n\nSETUP # BS MID FS MID  BS DIST  FS DIST SUM BS DIST SUM FS DIST FS RAW ELEV.\n"
                          "     1   1.523  1.487    25.3     26.0         25.         26.     100.036\n"
                          "    12  12.000   .500   150.3    148.0       1235.       1230.    1000.500\n");
}

}  // namespace
}  // namespace vorn::digconv
