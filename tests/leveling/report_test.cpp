#include "leveling/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorn {
namespace {

// Collects records as lines, each with a tag naming the sink.
class Recorder : public RecordSink {
 public:
  Recorder(std::vector<std::string>& log, std::string tag) : log_(log), tag_(std::move(tag)) {}

 protected:
  void putRecord(std::string_view record) override { log_.push_back(tag_ + std::string(record)); }

 private:
  std::vector<std::string>& log_;
  std::string tag_;
};

TEST(Report, SetupRowGoesToEachDestinationInOrder) {
  std::vector<std::string> log;
  Recorder console(log, "C:");
  Recorder file(log, "F:");
  LevelSetup setup;
  setup.number = 3;
  setup.backsight = {5.0, 4.5, 4.0};
  setup.foresight = {0, 4.23, 3.7};
  setup.backsightReduced.checkError = 0.0;
  setup.foresightReduced.checkError = 0.0;
  writeSetupRow({&console, &file}, setup);
  const std::string row = "     3   5.0000   4.5000   4.0000    .0000   4.2300   3.7000    .0000    .0000";
  EXPECT_EQ(log, (std::vector<std::string>{"C:" + row, "F:" + row}));
  EXPECT_EQ(row.size(), 78u);
}

TEST(Report, InputErrorShowsColumnsOneTo78) {
  std::vector<std::string> log;
  Recorder out(log, "");
  writeInputError({&out}, 5, "0 4.230 0 1 2 3");
  std::string shownLine = " 0 4.230 0 1 2 3" + std::string(78 - 15, ' ');
  EXPECT_EQ(log, (std::vector<std::string>{" NO FILES UPDATED ERROR IN INPUT AT LINE     5", " LINE IS", shownLine}));

  log.clear();
  std::string longLine(90, '7');
  writeInputError({&out}, 123456, longLine);
  EXPECT_EQ(log[0], " NO FILES UPDATED ERROR IN INPUT AT LINE *****");
  EXPECT_EQ(log[2], " " + std::string(78, '7'));
}

TEST(Report, CurvatureNoteDependsOnTheCoefficient) {
  std::vector<std::string> log;
  Recorder out(log, "");
  writeCurvatureNote({&out}, 0.0206);
  writeCurvatureNote({&out}, 0.0);
  EXPECT_EQ(log, (std::vector<std::string>{
                     " CORRECTIONS WERE APPLIED FOR EARTH CURVATURE & ATMOSPHERIC REFRACTION",
                     " NO CORRECTIONS WERE APPLIED FOR EARTH CURVATURE & ATMOSPHERIC REFRACTION"}));
}

// The example run closed at 1252.35.
RunSummary exampleSummary(const ReductionSettings& settings) {
  LevelRun run = openRun("BM-17", 1250.0);
  run.stations.push_back(StationEntry{stationName("BM-18"), 1252.3393420, 4});
  run.setups = 4;
  run.backsightDistanceSum = 382.2;
  run.foresightDistanceSum = 389.4;
  closeRun(run, 1252.35, settings);
  return summarizeRun(run, settings);
}

TEST(Report, ShortResultsBlock) {
  ReductionSettings settings = settingsForUnits(LengthUnit::Meters, LengthUnit::Meters);
  settings.errorPerSetup = 0.002;
  std::vector<std::string> log;
  Recorder out(log, "");
  writeShortResultsBlock({&out}, exampleSummary(settings), settings.elevationUnitName);
  EXPECT_EQ(log, (std::vector<std::string>{
                     "",
                     "",
                     " ***************************************************",
                     "",
                     " THREE WIRE LEVELING RESULTS",
                     "",
                     " STARTING STATION BM-17        ELEVATION =    1250.0000 METERS",
                     "",
                     "   ENDING STATION BM-18        ELEVATION =    1252.3500 METERS",
                     "",
                     " CLOSING SURVEY ELEVATION =    1252.3393 METERS",
                     "",
                     " CLOSURE ERROR =   -.0107 METERS",
                     "",
                     " NUMBER OF SETUPS =     4",
                     "",
                     " SUM OF BS DISTANCES =       382.20 METERS",
                     "",
                     " SUM OF FS DISTANCES =       389.40 METERS",
                     "",
                     "",
                 }));
}

TEST(Report, DistanceSumsInElevationUnits) {
  ReductionSettings settings = settingsForUnits(LengthUnit::Meters, LengthUnit::Feet);
  LevelRun run = openRun("A", 0.0);
  run.backsightDistanceSum = 111.0;
  run.foresightDistanceSum = 111.0;
  closeRun(run, 0.0, settings);
  std::vector<std::string> log;
  Recorder out(log, "");
  writeResultsBlock({&out}, summarizeRun(run, settings), settings);
  EXPECT_EQ(log[20], " SUM OF BS DISTANCES =       364.17 FEET  ");
  EXPECT_EQ(log[22], " SUM OF FS DISTANCES =       364.17 FEET  ");
  EXPECT_EQ(log[24], " INPUT LINE OF SIGHT ERROR =    .0000 PER 100 METERS");
  EXPECT_EQ(log.size(), 26u);
}

}  // namespace
}  // namespace vorn
