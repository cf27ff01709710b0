#include "digconv/tds.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/fakes.h"
#include "tds_records.h"
#include "support/job_folder.h"

namespace vorn::digconv {
namespace {

using testing::Lines;

std::string g(std::string_view numbers, std::string_view tail = ",7,,0,L1") { return record('g', '1', numbers, tail); }
std::string i(std::string_view numbers, std::string_view tail = ",7,,0,L1") { return record('i', '1', numbers, tail); }
std::string h(std::string_view number) { return record('h', '1', number); }
std::string j(std::string_view number) { return record('j', '1', number); }

// Hooks that keep the values as scaled and note what was asked.
class RecordingHooks : public SetupPassHooks {
 public:
  bool completed = false;
  int readingGuesses = 0;
  int distanceGuesses = 0;
  std::vector<std::string> numbered;  // "B name" / "F name" per sight
  bool setupCompleted() const override { return completed; }
  double guessReading(double reading) override {
    ++readingGuesses;
    return reading;
  }
  double guessDistance(double distance) override {
    ++distanceGuesses;
    return distance;
  }
  void numberPoint(TdsSight& sight, bool isBacksight) override {
    numbered.push_back(std::string(isBacksight ? "B " : "F ") + sight.pointName);
  }
};

// "BS-FS" by reading, then the extra readings when there are any.
std::string summary(const TdsSetup& s) {
  char text[80];
  std::snprintf(text, sizeof text, "%g-%g", s.backsight.reading, s.foresight.reading);
  std::string out = text;
  if (s.extraBacksight != 0 || s.extraForesight != 0) {
    std::snprintf(text, sizeof text, " h%g j%g", s.extraBacksight, s.extraForesight);
    out += text;
  }
  return out;
}

std::vector<std::string> allSetups(const std::vector<std::string>& lines, RecordingHooks& hooks) {
  Lines source(lines);
  ScalingState scaling;
  SetupReader reader(source, scaling, hooks);
  std::vector<std::string> out;
  while (std::optional<TdsSetup> s = reader.nextSetup()) {
    out.push_back(summary(*s));
    hooks.completed = true;
  }
  return out;
}

TEST(TdsLine, ReadAsEightyCharactersWithOneTrailingCommaStripped) {
  struct Case {
    std::string raw;
    std::string expected;  // trimmed on the right
  } cases[] = {
      {"g 1  1,LINE1,", "g 1  1,LINE1"},
      {"g 1  1,LINE1,,", "g 1  1,LINE1,"},
      {"g 1  1,LINE1,   ", "g 1  1,LINE1"},
      {"", ""},
      {std::string(79, 'x') + ",", std::string(79, 'x')},
      {std::string(80, 'y') + "zzz,", std::string(80, 'y')},  // cut first: the comma is beyond 80
  };
  for (const Case& c : cases) {
    TdsLine line(c.raw);
    stripTrailingComma(line);
    EXPECT_EQ(line.text.size(), 80u);
    EXPECT_EQ(trimRight(line.text), c.expected) << c.raw;
  }
}

TEST(TdsLine, NumberArea) {
  double n[3];
  EXPECT_TRUE(readNumberArea(TdsLine(g("15234 2534 1015234")), n));
  EXPECT_EQ(n[0], 15234);
  EXPECT_EQ(n[1], 2534);
  EXPECT_EQ(n[2], 1015234);
  EXPECT_TRUE(readNumberArea(TdsLine("g 1  1,2,3"), n)) << "commas separate";
  EXPECT_EQ(n[2], 3);
  EXPECT_FALSE(readNumberArea(TdsLine(g("15234 2534")), n)) << "two numbers for three";
  EXPECT_FALSE(readNumberArea(TdsLine(g("15234 25X4 1")), n));
  // Only positions 6 to 34 count: the third number lies beyond them.
  EXPECT_FALSE(readNumberArea(TdsLine("g 1  1 2" + std::string(27, ' ') + "3"), n));
}

TEST(SightFields, LineNameAndPointField) {
  struct Case {
    const char* id;
    std::string line;
    const char* lineName;
    const char* pointName;
    int pointNumber;  // 0: none
  } cases[] = {
      {"point number", g("1 2 3", ",7,12,0,LINE1"), "LINE1   ", "12      ", 12},
      {"one trailing comma stripped", g("1 2 3", ",7,12,0,LINE1,"), "LINE1   ", "12      ", 12},
      {"two trailing commas", g("1 2 3", ",7,12,0,LINE1,,"), "LINE1   ", "12      ", 12},
      {"named point", g("1 2 3", ",7,BM7,0,LINE1"), "LINE1   ", "BM7     ", 0},
      {"zero is a name", g("1 2 3", ",7,0,0,LINE1"), "LINE1   ", "0       ", 0},
      {"nine characters keep eight", g("1 2 3", ",7,123456789,0,LINE1"), "LINE1   ", "12345678", 12345678},
      {"long line name", g("1 2 3", ",7,12,0,LINE12345"), "LINE1234", "12      ", 12},
      {"empty point field", g("1 2 3", ",7,,0,LINE1"), "LINE1   ", "JUNK    ", 0},
      {"JUNK typed", g("1 2 3", ",7,JUNK,0,LINE1"), "LINE1   ", "JUNK    ", 0},
      {"no comma", g("1 2 3", ""), "NONE    ", "JUNK    ", 0},
      {"one comma", g("1 2 3", ",LINE1"), "LINE1   ", "JUNK    ", 0},
      {"two commas", g("1 2 3", ",0,LINE1"), "LINE1   ", "JUNK    ", 0},
      {"negative number", g("1 2 3", ",7,-4,0,L"), "L       ", "-4      ", 0},
      {"decimal number", g("1 2 3", ",7,4.5,0,L"), "L       ", "4.5     ", 0},
      {"comma at position 1 not counted", ",,,x", "x       ", "JUNK    ", 0},
  };
  for (const Case& c : cases) {
    TdsLine line(c.line);
    stripTrailingComma(line);
    SightFields f = sightFields(line);
    EXPECT_EQ(f.lineName, c.lineName) << c.id;
    EXPECT_EQ(f.pointName, c.pointName) << c.id;
    EXPECT_EQ(f.pointNumber.value_or(0), c.pointNumber) << c.id;
  }
}

TEST(SetupPass, StateTable) {
  struct Case {
    const char* id;
    std::vector<std::string> lines;
    std::vector<std::string> setups;
  } cases[] = {
      {"g i", {g("1000 10 0"), i("2000 10 0")}, {"1-2"}},
      {"g g i drops the first backsight", {g("1000 10 0"), g("3000 10 0"), i("2000 10 0")}, {"3-2"}},
      {"g i i g: the second foresight replaces the first",
       {g("1000 10 0"), i("2000 10 0"), i("4000 10 0"), g("5000 10 0")},
       {"1-4"}},
      {"g h i j g i: extra readings belong to their setup",
       {g("1000 10 0"), h("500"), i("2000 10 0"), j("700"), g("3000 10 0"), i("4000 10 0")},
       {"1-2 h0.5 j0.7", "3-4"}},
      {"g h g i: the extra reading goes with the dropped backsight",
       {g("1000 10 0"), h("500"), g("3000 10 0"), i("2000 10 0")},
       {"3-2"}},
      {"the last h or j counts; unreadable leaves it",
       {g("1000 10 0"), h("500"), h("600"), h("X"), i("2000 10 0"), j("")},
       {"1-2 h0.6 j0"}},
      {"unreadable g is skipped", {g("1000 10"), g("3000 10 0"), i("2000 10 0")}, {"3-2"}},
      {"any g after a backsight drops it", {g("1000 10 0"), g("X"), i("2000 10 0")}, {}},
      {"unreadable i drops the backsight", {g("1000 10 0"), i("2000 X 0"), i("4000 10 0")}, {}},
      {"unreadable i, then a new backsight", {g("1000 10 0"), i("2000 X 0"), g("3000 10 0"), i("4000 10 0")}, {"3-4"}},
      {"unreadable second foresight loses the setup", {g("1000 10 0"), i("2000 10 0"), i("X")}, {}},
      {"backsight without foresight at the end", {g("1000 10 0"), i("2000 10 0"), g("3000 10 0")}, {"1-2"}},
      {"only a backsight", {g("1000 10 0"), h("5")}, {}},
      {"other codes, letters and records skipped",
       {g("1000 10 0"), record('i', '3', "9000 10 0"), record('I', '1', "9000 10 0"), record('b', '1', "0 0 0"),
        "", record('i', '5', "2000 10 0"), record('g', 'X', "9000 10 0"), record('g', 'B', "3000 10 0"),
        record('i', 'E', "4000 10 0")},
       {"1-2", "3-4"}},
      {"codes A and 2", {record('g', 'A', "1000 10 0"), record('i', '2', "2000 10 0")}, {"1-2"}},
      {"empty file", {}, {}},
  };
  for (const Case& c : cases) {
    RecordingHooks hooks;
    EXPECT_EQ(allSetups(c.lines, hooks), c.setups) << c.id;
  }
}

TEST(SetupPass, GuessesAskedForEveryBacksightUntilASetupIsComplete) {
  RecordingHooks hooks;
  allSetups({g("1000 10 0"), g("3000 10 0"), i("2000 10 0"), g("5000 10 0"), i("6000 10 0")}, hooks);
  EXPECT_EQ(hooks.readingGuesses, 2);
  EXPECT_EQ(hooks.distanceGuesses, 2);
}

TEST(SetupPass, ScalingCarriesTheCorrectedDivisors) {
  // A reading guess that moves the decimal point one place left, as a
  // multiplier 0.1 does.
  class TenthHooks : public RecordingHooks {
   public:
    ScalingState* scaling = nullptr;
    double shownReading = 0, shownDistance = 0;
    double guessReading(double reading) override {
      shownReading = reading;
      scaling->rodDivisor /= 0.1;
      return reading * 0.1;
    }
    double guessDistance(double distance) override {
      shownDistance = distance;
      return distance;
    }
  } hooks;
  Lines source({g("15234 2534 1015234"), i("14871 2600 1000363")});
  ScalingState scaling;
  hooks.scaling = &scaling;
  SetupReader reader(source, scaling, hooks);
  std::optional<TdsSetup> s = reader.nextSetup();
  ASSERT_TRUE(s);
  EXPECT_DOUBLE_EQ(hooks.shownReading, 15.234);
  EXPECT_DOUBLE_EQ(hooks.shownDistance, 25.34);
  EXPECT_DOUBLE_EQ(s->backsight.reading, 1.5234);
  EXPECT_DOUBLE_EQ(s->backsight.distance, 25.34);
  EXPECT_DOUBLE_EQ(s->backsight.fieldValue, 101.5234) << "scaled after the reading guess";
  EXPECT_DOUBLE_EQ(s->backsight.upper, 1.5234 + 0.1267);
  EXPECT_DOUBLE_EQ(s->backsight.lower, 1.5234 - 0.1267);
  EXPECT_DOUBLE_EQ(s->foresight.reading, 1.4871);
  EXPECT_DOUBLE_EQ(s->foresight.distance, 26.0);
  EXPECT_DOUBLE_EQ(s->foresight.fieldValue, 100.0363);
}

TEST(SetupPass, EverySightReadIsNumberedEvenWhenDroppedOrReplaced) {
  RecordingHooks hooks;
  allSetups({g("1 1 0", ",7,5,0,L"), g("1 1 0", ",7,6,0,L"), i("1 1 0", ",7,8,0,L"), i("1 1 0"),
             g("1 1 0", ",L")},
            hooks);
  EXPECT_EQ(hooks.numbered, (std::vector<std::string>{"B 5       ", "B 6       ", "F 8       ", "F JUNK    ",
                                                       "B JUNK    "}));
}

TEST(SetupPass, LineCounterAndLastLine) {
  RecordingHooks hooks;
  std::vector<std::string> lines{"x header", g("1000 10 0"), i("2000 10 0"), g("3000 10 0"), i("4000 10 0,"),
                                 "trailer"};
  Lines source(lines);
  ScalingState scaling;
  SetupReader reader(source, scaling, hooks);
  ASSERT_TRUE(reader.nextSetup());
  // The following backsight was read to close the setup.
  EXPECT_EQ(reader.lineCounter(), 4);
  EXPECT_EQ(trimRight(reader.lastLine().text), lines[3]);
  ASSERT_TRUE(reader.nextSetup());
  EXPECT_EQ(reader.lineCounter(), 6) << "a pushed-back line is counted once";
  EXPECT_EQ(trimRight(reader.lastLine().text), "trailer");
  EXPECT_FALSE(reader.nextSetup());
  EXPECT_FALSE(reader.nextSetup());
  EXPECT_EQ(reader.lineCounter(), 6);
}

TEST(SetupValidity, Rules) {
  auto derived = [](double reading, double distance) {
    TdsSight s;
    s.reading = reading;
    s.distance = distance;
    s.upper = reading + 0.005 * distance;
    s.lower = reading - 0.005 * distance;
    return s;
  };
  TdsSight good = derived(1.5, 30);
  struct Case {
    const char* id;
    TdsSight sight;
    bool valid;
  } cases[] = {
      {"derived wires", good, true},
      {"distance zero", derived(1.5, 0), true},
      {"negative distance", derived(1.5, -5.0), false},
      {"reading and distance zero", derived(0, 0), false},
      {"reading zero with a distance", derived(0, 10), true},
      {"reading above upper", TdsSight{2.0, 0, 0, 1.9, 1.0, "", "", {}}, false},
      {"reading below lower", TdsSight{0.5, 0, 0, 1.9, 1.0, "", "", {}}, false},
      {"upper missing", TdsSight{1.5, 0, 0, 0, 1.0, "", "", {}}, true},
      {"lower missing", TdsSight{1.5, 0, 0, 1.9, 0, "", "", {}}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(setupIsValid(TdsSetup{c.sight, good, 0, 0}), c.valid) << c.id << " as backsight";
    EXPECT_EQ(setupIsValid(TdsSetup{good, c.sight, 0, 0}), c.valid) << c.id << " as foresight";
  }
}

TEST(BenchmarkScan, NameElevationAndPrecisionFlag) {
  struct Case {
    const char* id;
    std::vector<std::string> lines;
    const char* name;
    double elevation;
    double rodDivisor;
  } cases[] = {
      {"b record", {"x", record('b', '1', "0", ",a,b,BM1,123456")}, "BM1     ", 123.456, 1000},
      {"c record", {record('c', 'B', "0", ",a,b,BM2,123456,more")}, "BM2     ", 123.456, 1000},
      {"flag on a g line before", {record('g', '1', "0", "", '4'), record('b', '1', "0", ",a,b,BM1,123456")},
       "BM1     ", 1234.56, 100},
      {"flag on the b record", {record('b', '1', "0", ",a,b,BM1,123456", '4')}, "BM1     ", 1234.56, 100},
      {"flag after the b record", {record('b', '1', "0", ",a,b,BM1,123456"), record('i', '1', "0", "", '4')},
       "BM1     ", 123.456, 1000},
      {"flag on a code 5 line ignored", {record('g', '5', "0", "", '4'), record('b', '1', "0", ",a,b,BM1,5000")},
       "BM1     ", 5, 1000},
      {"flag on an h line ignored", {record('h', '1', "0", "", '4')}, "1       ", 100, 1000},
      {"b with code 5 skipped", {record('b', '5', "0", ",a,b,BM1,5000"), record('b', '1', "0", ",a,b,BM2,6000")},
       "BM2     ", 6, 1000},
      {"two commas skipped", {record('b', '1', "0", ",a,BM1"), record('b', '1', "0", ",a,b,BM2,6000")},
       "BM2     ", 6, 1000},
      {"no 4th comma: name to the end", {record('b', '1', "0", ",a,b,BENCHMARK9")}, "BENCHMAR", 100, 1000},
      {"elevation not a number", {record('b', '1', "0", ",a,b,BM1,ELEV")}, "BM1     ", 100, 1000},
      {"elevation blank", {record('b', '1', "0", ",a,b,BM1,")}, "BM1     ", 100, 1000},
      {"elevation text is 12 characters", {record('b', '1', "0", ",a,b,BM1,123456789012345")}, "BM1     ",
       123456789.012, 1000},
      {"empty name", {record('b', '1', "0", ",a,b,,5000")}, "        ", 5, 1000},
      {"first usable record ends the scan",
       {record('b', '1', "0", ",a,b,BM1,5000"), record('b', '1', "0", ",a,b,BM2,6000")},
       "BM1     ", 5, 1000},
      {"no benchmark", {g("1 2 3"), i("1 2 3")}, "1       ", 100, 1000},
      {"empty file", {}, "1       ", 100, 1000},
  };
  for (const Case& c : cases) {
    Lines source(c.lines);
    ScalingState scaling;
    scaling.rodDivisor = 7;  // the scan starts it afresh
    StartingBenchmark b = scanStartingBenchmark(source, scaling);
    EXPECT_EQ(b.name, c.name) << c.id;
    EXPECT_DOUBLE_EQ(b.elevation, c.elevation) << c.id;
    EXPECT_EQ(scaling.rodDivisor, c.rodDivisor) << c.id;
  }
}

TEST(BenchmarkScan, LeavesTheFileRewound) {
  testing::JobFolder folder;
  folder.write("A.LEV", "first\r\n" + record('b', '1', "0", ",a,b,BM1,5000") + "\r\nlast\r\n");
  std::optional<InputFile> file = InputFile::openExisting(folder.path() + "/A.LEV");
  ASSERT_TRUE(file);
  ScalingState scaling;
  EXPECT_EQ(scanStartingBenchmark(*file, scaling).name, "BM1     ");
  std::string_view line;
  ASSERT_TRUE(file->readLine(line));
  EXPECT_EQ(line, "first");
}

}  // namespace
}  // namespace vorn::digconv
