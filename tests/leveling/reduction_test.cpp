#include "leveling/reduction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/records.h"
#include "leveling/fieldbook.h"

namespace vorn {
namespace {

std::string f4(double value, int width = 12) {
  std::string out;
  renderFixed(value, width, 4, out);
  return out;
}

TEST(Reduction, ReduceSight) {
  struct Case {
    const char* id;
    WireReadings sight;
    double distance;
    double checkError;
    double middleUsed;
  } cases[] = {
      {"D01 all three wires", {5.430, 4.876, 4.320}, (5.430 - 4.320) * 100, (4.320 + 5.430) / 2 - 4.876,
       (4.320 + 4.876 + 5.430) / 3},
      {"D02 upper missing: twice middle minus lower", {0, 4.876, 4.320}, (4.876 - 4.320) * 100 * 2, 0.0, 4.876},
      {"D03 lower missing: twice upper minus middle", {5.430, 4.876, 0}, (5.430 - 4.876) * 100 * 2, 0.0, 4.876},
      {"D04 upper tested first", {0, 4.230, 3.700}, (4.230 - 3.700) * 100 * 2, 0.0, 4.230},
  };
  for (const Case& c : cases) {
    SightReduction r = reduceSight(c.sight, 100.0);
    EXPECT_DOUBLE_EQ(r.distance, c.distance) << c.id;
    EXPECT_DOUBLE_EQ(r.checkError, c.checkError) << c.id;
    EXPECT_DOUBLE_EQ(r.middleUsed, c.middleUsed) << c.id;
  }
  EXPECT_EQ(reduceSight({0, 4.876, 4.320}, 100.0).checkError, 0.0);
  EXPECT_DOUBLE_EQ(reduceSight({5.0, 4.5, 4.0}, 50.0).distance, 50.0);
}

// The example field book, reduced the way a program walks it.
const char* const kExampleBook[] = {
    "BM-17 1250.000",
    "5.430 4.876 4.320 2.110 1.556 1.000",
    "TP1",
    "4.012 3.500 2.990 3.902 3.390 2.880",
    "5.000 4.500 4.000 0 4.230 3.700",
    "TP3",
    "3.346 3.000 2.656 4.712 4.360 4.010",
    "BM-18",
};

struct Walked {
  LevelRun run;
  std::vector<LevelSetup> setups;
};

Walked walk(const ReductionSettings& settings) {
  Walked w;
  FieldLine start = classifyStartSearchLine(kExampleBook[0]);
  w.run = openRun(start.item, start.elevation);
  for (std::size_t i = 1; i < std::size(kExampleBook); ++i) {
    FieldLine line = classifyRunLine(kExampleBook[i]);
    if (line.kind == FieldLineKind::Station) {
      recordStation(w.run, line.item);
    } else {
      LevelSetup setup;
      setup.backsight = line.backsight;
      setup.foresight = line.foresight;
      reduceSetup(setup, settings, w.run);
      w.setups.push_back(setup);
    }
  }
  return w;
}

ReductionSettings exampleSettings() {
  ReductionSettings s = settingsForUnits(LengthUnit::Feet, LengthUnit::Feet);
  s.stadiaConstant = 100.0;
  s.curvatureCoefficient = 0.0206;
  s.collimationPer100 = 0.01;
  s.errorPerSetup = 0.001;
  return s;
}

TEST(Reduction, WorkedExample) {
  ReductionSettings settings = exampleSettings();
  Walked w = walk(settings);
  ASSERT_EQ(w.setups.size(), 4u);
  struct Row {
    double db, df, bsCheck, fsCheck, difference;
  } rows[] = {
      {111.0, 111.0, -0.0010, -0.0010, 3.3200},
      {102.2, 102.2, 0.0010, 0.0010, 0.1100},
      {100.0, 106.0, 0.0, 0.0, 0.2694254616},
      {69.0, 70.2, 0.0010, 0.0010, -1.3601165590},
  };
  for (std::size_t i = 0; i < 4; ++i) {
    const LevelSetup& s = w.setups[i];
    EXPECT_EQ(s.number, static_cast<int>(i + 1));
    EXPECT_NEAR(s.backsightReduced.distance, rows[i].db, 1e-9) << i;
    EXPECT_NEAR(s.foresightReduced.distance, rows[i].df, 1e-9) << i;
    EXPECT_NEAR(s.backsightReduced.checkError, rows[i].bsCheck, 1e-12) << i;
    EXPECT_NEAR(s.foresightReduced.checkError, rows[i].fsCheck, 1e-12) << i;
    EXPECT_NEAR(s.elevationDifference, rows[i].difference, 1e-10) << i;
  }

  const std::vector<StationEntry>& st = w.run.stations;
  ASSERT_EQ(st.size(), 4u);
  const char* names[] = {"BM-17       ", "TP1         ", "TP3         ", "BM-18       "};
  const char* elevations[] = {"   1250.0000", "   1253.3200", "   1253.6994", "   1252.3393"};
  const int before[] = {0, 1, 3, 4};
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(st[k].name, names[k]);
    EXPECT_EQ(f4(st[k].elevation), elevations[k]) << k;
    EXPECT_EQ(st[k].setupsBefore, before[k]) << k;
  }
  EXPECT_NEAR(w.run.backsightDistanceSum, 382.2, 1e-9);
  EXPECT_NEAR(w.run.foresightDistanceSum, 389.4, 1e-9);

  EXPECT_FALSE(closesOnStart(w.run));
  closeRun(w.run, 1252.35, settings);
  EXPECT_EQ(f4(w.run.closureError, 8), "  -.0107");
  EXPECT_EQ(f4(w.run.cumulativeError, 8), "   .0020");

  const char* differences[] = {"", "      3.3200", "       .3794", "     -1.3601"};
  const char* errors[] = {"", "       .0010", "       .0014", "       .0010"};
  for (std::size_t k = 1; k < 4; ++k) {
    StationDifference d = stationDifference(w.run, k, settings);
    EXPECT_EQ(f4(d.difference), differences[k]) << k;
    EXPECT_EQ(f4(d.errorEstimate), errors[k]) << k;
  }
}

TEST(Reduction, WorkedExampleWithoutCorrections) {
  ReductionSettings settings = exampleSettings();
  settings.curvatureCoefficient = 0.0;
  settings.collimationPer100 = 0.0;
  Walked w = walk(settings);
  EXPECT_EQ(f4(w.run.stations[1].elevation), "   1253.3200");
  EXPECT_EQ(f4(w.run.stations[2].elevation), "   1253.7000");
  EXPECT_EQ(f4(w.run.stations[3].elevation), "   1252.3400");
  closeRun(w.run, 1252.35, settings);
  EXPECT_EQ(f4(w.run.closureError, 8), "  -.0100");
}

TEST(Reduction, UnitFactors) {
  struct Case {
    LengthUnit rod, elevation;
    const char* rodName;
    const char* elevationName;
    double rodToFeet, rodToElevation;
  } cases[] = {
      {LengthUnit::Feet, LengthUnit::Feet, "FEET  ", "FEET  ", 1.0, 1.0},
      {LengthUnit::Feet, LengthUnit::Yards, "FEET  ", "YARDS ", 1.0, 0.3333333333333333},
      {LengthUnit::Feet, LengthUnit::Meters, "FEET  ", "METERS", 1.0, 0.30480060960121924},
      {LengthUnit::Yards, LengthUnit::Feet, "YARDS ", "FEET  ", 3.0, 3.0},
      {LengthUnit::Yards, LengthUnit::Yards, "YARDS ", "YARDS ", 3.0, 1.0},
      {LengthUnit::Yards, LengthUnit::Meters, "YARDS ", "METERS", 3.0, 0.9144018288036576},
      {LengthUnit::Meters, LengthUnit::Feet, "METERS", "FEET  ", 3.2808333333333333, 3.2808333333333333},
      {LengthUnit::Meters, LengthUnit::Yards, "METERS", "YARDS ", 3.2808333333333333, 1.093611111111111},
      {LengthUnit::Meters, LengthUnit::Meters, "METERS", "METERS", 3.2808333333333333, 1.0},
  };
  for (const Case& c : cases) {
    ReductionSettings s = settingsForUnits(c.rod, c.elevation);
    EXPECT_EQ(s.rodUnitName, c.rodName);
    EXPECT_EQ(s.elevationUnitName, c.elevationName);
    EXPECT_EQ(s.rodToFeet, c.rodToFeet) << c.rodName << " " << c.elevationName;
    EXPECT_EQ(s.rodToElevation, c.rodToElevation) << c.rodName << " " << c.elevationName;
    EXPECT_EQ(s.stadiaConstant, 100.0);
    EXPECT_EQ(s.curvatureCoefficient, 0.0206);
  }
}

TEST(Reduction, CurvatureTermWithRodInMeters) {
  // Db = 100 m, Df = 106 m, equal middles: the difference is the
  // curvature-and-refraction term alone, turned into feet.
  ReductionSettings s = settingsForUnits(LengthUnit::Meters, LengthUnit::Feet);
  LevelRun run = openRun("A", 0.0);
  LevelSetup setup;
  setup.backsight = {2.0, 1.5, 1.0};
  setup.foresight = {2.03, 1.5, 0.97};
  reduceSetup(setup, s, run);
  const double db = setup.backsightReduced.distance;
  const double df = setup.foresightReduced.distance;
  ASSERT_NEAR(db, 100.0, 1e-9);
  ASSERT_NEAR(df, 106.0, 1e-9);
  const double f = 39.37 / 12.0;
  const double rodTerm = 0.0206 * f * (df * df - db * db) / 1.0e6;
  EXPECT_NEAR(setup.elevationDifference, rodTerm * f, 1e-13);
  EXPECT_NEAR(setup.elevationDifference, 2.74065e-4, 1e-9);
  // With the rod in feet the same distances give a smaller term.
  ReductionSettings feet = settingsForUnits(LengthUnit::Feet, LengthUnit::Feet);
  LevelRun runFeet = openRun("A", 0.0);
  LevelSetup setupFeet;
  setupFeet.backsight = setup.backsight;
  setupFeet.foresight = setup.foresight;
  reduceSetup(setupFeet, feet, runFeet);
  EXPECT_NEAR(setupFeet.elevationDifference, 0.0206 * (df * df - db * db) / 1.0e6, 1e-13);
}

TEST(Reduction, CollimationSign) {
  // A positive error raises the difference when the backsight is longer.
  ReductionSettings s = settingsForUnits(LengthUnit::Feet, LengthUnit::Feet);
  s.curvatureCoefficient = 0.0;
  s.collimationPer100 = 0.02;
  LevelRun run = openRun("A", 10.0);
  LevelSetup setup;
  setup.backsight = {2.0, 1.5, 1.0};  // 100
  setup.foresight = {1.8, 1.5, 1.2};  // 60
  reduceSetup(setup, s, run);
  EXPECT_NEAR(setup.elevationDifference, 0.02 / 100 * 40, 1e-12);
  EXPECT_NEAR(run.runningElevation, 10.0 + 0.008, 1e-12);
}

TEST(Reduction, StationsRunAndClosing) {
  ReductionSettings s = settingsForUnits(LengthUnit::Feet, LengthUnit::Feet);
  s.errorPerSetup = 0.002;
  // A run of zero setups.
  LevelRun empty = openRun("BM-1", 100.0);
  EXPECT_TRUE(closesOnStart(empty));
  closeRun(empty, 100.0, s);
  EXPECT_EQ(empty.closureError, 0.0);
  EXPECT_EQ(empty.cumulativeError, 0.0);

  // Two stations without a setup between them; a name equal to the start's
  // in its first 12 characters closes on the start.
  LevelRun run = openRun("BENCHMARK-NORTH", 100.0);
  LevelSetup setup;
  setup.backsight = {2.0, 1.5, 1.0};
  setup.foresight = {1.0, 0.5, 0.0};
  reduceSetup(setup, s, run);
  recordStation(run, "TP1");
  recordStation(run, "TP1-AGAIN");
  reduceSetup(setup, s, run);
  reduceSetup(setup, s, run);
  recordStation(run, "BENCHMARK-NORTH-2");
  reduceSetup(setup, s, run);  // after the last station: counted, no station
  EXPECT_EQ(run.setups, 4);
  EXPECT_EQ(run.stations.size(), 4u);
  StationDifference same = stationDifference(run, 2, s);
  EXPECT_EQ(same.difference, 0.0);
  EXPECT_EQ(same.errorEstimate, 0.0);
  StationDifference two = stationDifference(run, 3, s);
  EXPECT_NEAR(two.difference, 2.0, 1e-12);
  EXPECT_DOUBLE_EQ(two.errorEstimate, std::sqrt(2.0) * 0.002);
  EXPECT_TRUE(closesOnStart(run));
  closeRun(run, 100.0, s);
  EXPECT_NEAR(run.closureError, 3.0, 1e-12);
  EXPECT_DOUBLE_EQ(run.cumulativeError, 2.0 * 0.002);
}

TEST(Reduction, StationTableHasNoFixedLimit) {
  LevelRun run = openRun("START", 0.0);
  for (int i = 0; i < 5000; ++i) recordStation(run, "TP");
  EXPECT_EQ(run.stations.size(), 5001u);
}

}  // namespace
}  // namespace vorn
