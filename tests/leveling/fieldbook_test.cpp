#include "leveling/fieldbook.h"

#include <gtest/gtest.h>

#include <string>

namespace vorn {
namespace {

// A line of `n` non-blank characters.
std::string item(std::size_t n, char c = 'A') { return std::string(n, c); }

TEST(FieldBook, StartSearchLines) {
  struct Case {
    const char* id;
    std::string line;
    FieldLineKind kind;
    std::string item;
    double elevation;
  } cases[] = {
      {"S01 name and elevation", "BM-17 1250.000", FieldLineKind::Start, "BM-17", 1250.0},
      {"S02 more after the elevation", "BM-17 1250.000 CHECKED", FieldLineKind::Start, "BM-17", 1250.0},
      {"S03 title whose second item is a number", "JOB 17 LEVELS", FieldLineKind::Start, "JOB", 17.0},
      {"S04 title whose second item is not a number", "LEVEL RUN 17", FieldLineKind::Ignored, "", 0},
      {"S05 lone name", "BM-17", FieldLineKind::Ignored, "", 0},
      {"S06 empty line", "", FieldLineKind::Ignored, "", 0},
      {"S07 blank line", "      ", FieldLineKind::Ignored, "", 0},
      {"S08 leading blanks", "   BM-17    -12.5E1", FieldLineKind::Start, "BM-17", -125.0},
      {"S09 tab is not a separator", "BM-17\t1250", FieldLineKind::Ignored, "", 0},
      {"S10 first item reaches column 80", item(80) + " 12", FieldLineKind::Ignored, "", 0},
      {"S11 elevation beyond column 80", "BM" + std::string(78, ' ') + "12", FieldLineKind::Ignored, "", 0},
      {"S12 elevation cut at column 80", "BM" + std::string(75, ' ') + "12345", FieldLineKind::Start, "BM", 123.0},
      {"S13 long name kept whole as the item", "BENCHMARK-NORTH-17 5", FieldLineKind::Start, "BENCHMARK-NORTH-17", 5.0},
  };
  for (const Case& c : cases) {
    FieldLine line = classifyStartSearchLine(c.line);
    EXPECT_EQ(line.kind, c.kind) << c.id;
    if (c.kind == FieldLineKind::Start) {
      EXPECT_EQ(line.item, c.item) << c.id;
      EXPECT_EQ(line.elevation, c.elevation) << c.id;
    }
  }
}

TEST(FieldBook, RunLines) {
  struct Case {
    const char* id;
    std::string line;
    FieldLineKind kind;
    std::string item;
  } cases[] = {
      {"R01 station", "TP1", FieldLineKind::Station, "TP1"},
      {"R02 station after blanks, blanks after", "   BM-18   ", FieldLineKind::Station, "BM-18"},
      {"R03 setup", "5.430 4.876 4.320 2.110 1.556 1.000", FieldLineKind::Setup, ""},
      {"R04 seventh value ignored", "5 4 3 2 1 0.5 99", FieldLineKind::Setup, ""},
      {"R05 five values", "5.430 4.876 4.320 2.110 1.556", FieldLineKind::Malformed, ""},
      {"R06 name with a note", "TP1 FOUND DISTURBED", FieldLineKind::Malformed, ""},
      {"R07 name with an elevation", "TP1 1253.32", FieldLineKind::Malformed, ""},
      {"R08 commas without blanks: one item", "5.430,4.876,4.320,2.110,1.556,1.000", FieldLineKind::Station,
       "5.430,4.876,4.320,2.110,1.556,1.000"},
      {"R09 blank", "", FieldLineKind::Ignored, ""},
      {"R10 item ends in column 79", item(79), FieldLineKind::Station, item(79)},
      {"R11 item ends in column 80", item(80), FieldLineKind::Ignored, ""},
      {"R12 item runs past column 80", item(85), FieldLineKind::Ignored, ""},
      {"R13 item reaches column 80, more after", item(80) + " 1 2 3 4 5 6", FieldLineKind::Ignored, ""},
      {"R14 second item beyond column 80", "TP1" + std::string(77, ' ') + "X", FieldLineKind::Station, "TP1"},
      {"R15 item in column 80 only", std::string(79, ' ') + "X", FieldLineKind::Ignored, ""},
      {"R16 commas and blanks", "5.430, 4.876, 4.320, 2.110, 1.556, 1.000", FieldLineKind::Setup, ""},
  };
  for (const Case& c : cases) {
    FieldLine line = classifyRunLine(c.line);
    EXPECT_EQ(line.kind, c.kind) << c.id;
    if (c.kind == FieldLineKind::Station) {
      EXPECT_EQ(line.item, c.item) << c.id;
    }
    EXPECT_EQ(isStationLine(c.line), c.kind == FieldLineKind::Station) << c.id;
  }
}

TEST(FieldBook, SetupReadingsInOrderAndCutAtColumn80) {
  FieldLine line = classifyRunLine("5.430 4.876 4.320 0 4.230 3.700");
  ASSERT_EQ(line.kind, FieldLineKind::Setup);
  EXPECT_EQ(line.backsight.upper, 5.430);
  EXPECT_EQ(line.backsight.middle, 4.876);
  EXPECT_EQ(line.backsight.lower, 4.320);
  EXPECT_EQ(line.foresight.upper, 0.0);
  EXPECT_EQ(line.foresight.middle, 4.230);
  EXPECT_EQ(line.foresight.lower, 3.700);

  // The sixth value is cut by column 80 after its "2".
  std::string prefix = "5 4 3 2 1 ";
  std::string cut = prefix + std::string(80 - prefix.size() - 4, ' ') + "4.12345";
  ASSERT_EQ(cut.find("4.12") + 4, 80u);
  FieldLine longLine = classifyRunLine(cut);
  ASSERT_EQ(longLine.kind, FieldLineKind::Setup);
  EXPECT_EQ(longLine.foresight.lower, 4.12);
}

TEST(FieldBook, StationNameIsTwelveCharacters) {
  EXPECT_EQ(stationName("TP1"), "TP1         ");
  EXPECT_EQ(stationName("BENCHMARK-NORTH-17"), "BENCHMARK-NO");
  EXPECT_EQ(stationName("abcdefghijkl"), "abcdefghijkl");
}

TEST(FieldBook, WireChecks) {
  struct Case {
    const char* id;
    WireReadings sight;
    bool passes;
  } cases[] = {
      {"W01 all three in order", {5.000, 4.500, 4.000}, true},
      {"W02 upper missing", {0, 4.230, 3.700}, true},
      {"W03 lower missing", {5.000, 4.500, 0}, true},
      {"W04 upper and lower missing", {0, 4.230, 0}, false},
      {"W05 middle above upper", {4.000, 4.230, 3.700}, false},
      {"W06 lower above upper", {4.000, 3.900, 4.100}, false},
      {"W07 lower above middle", {5.000, 4.000, 4.100}, false},
      {"W08 lower above middle, upper missing", {0, 4.000, 4.100}, false},
      {"W09 middle above upper, lower missing", {4.000, 4.100, 0}, false},
      {"W10 equal readings", {4.000, 4.000, 4.000}, true},
      {"W11 zero middle accepted", {1.000, 0, -1.000}, true},
      {"W12 negative readings accepted", {-1.000, -2.000, -3.000}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sightPassesWireChecks(c.sight), c.passes) << c.id;
  }
  WireReadings good{5.0, 4.5, 4.0};
  WireReadings bad{0, 4.2, 0};
  EXPECT_TRUE(setupPassesWireChecks(good, good));
  EXPECT_FALSE(setupPassesWireChecks(bad, good));
  EXPECT_FALSE(setupPassesWireChecks(good, bad));
}

}  // namespace
}  // namespace vorn
