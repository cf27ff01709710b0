#include "leveling/obsctl.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "support/fakes.h"
#include "support/job_folder.h"

namespace vorn {
namespace {

using testing::crlf;
using testing::JobFolder;

using testing::FakeConsole;
using testing::RecordList;

// Runs the test in a job folder of its own, as the programs run.
class InJobFolder : public ::testing::Test {
 protected:
  InJobFolder() {
    char* here = ::getcwd(nullptr, 0);
    previous_ = here;
    std::free(here);
    if (::chdir(folder.path().c_str()) != 0) std::abort();
  }
  ~InJobFolder() override {
    if (::chdir(previous_.c_str()) != 0) std::abort();
  }

  std::optional<ObservationFiles> open(FakeConsole& console) {
    return openObservationFiles(console.console(), "SURVEY.OBS          ", "SURVEY.CTL          ",
                                kThreeWireObservationHeader, "SURVEY      ");
  }

  JobFolder folder;

 private:
  std::string previous_;
};

std::string blanks(std::size_t n) { return std::string(n, ' '); }
// A G 02 record with `field` from column 32 on.
std::string g02(std::string_view field) { return "G 02" + blanks(27) + std::string(field); }
const std::string kSetupStart1[] = {"S 00 OC1" + blanks(23) + "P F1", "S 01" + blanks(21) + ".000"};
const std::string kHeader = "H 00 SURVEY" + blanks(7) + "CONVERTED FROM 3 WIRE FORMAT";

const std::string kAppendOrOverwrite =
    "DO YOU WANT TO (1) APPEND TO OR (2) OVERWRITE\nTHE .OBS AND .CTL FILES? <1>\n";

TEST(ObservationRecords, SetupAndPointRecords) {
  RecordList out;
  writeSetupStart(out, setupName(7));
  writePointRecord(out, "BM-17   ");
  ASSERT_EQ(out.records.size(), 3u);
  EXPECT_EQ(out.records[0], "S 00 OC7" + std::string(18 + 5, ' ') + "P F1");
  EXPECT_EQ(out.records[0].size(), 35u);
  EXPECT_EQ(out.records[1], "S 01 " + std::string(17, ' ') + "   .000");
  EXPECT_EQ(out.records[2], "O 00 BM-17" + std::string(21, ' ') + "P F1");
}

TEST(ObservationRecords, SetupRecordsInOrderWithReadingsAsRead) {
  RecordList out;
  writeSetupRecords(out, setupName(3), "TP1     ", {5.0, 4.5, 4.0}, "TP3     ", {0.0, 4.23, 3.7});
  const std::string wires = "O 09" + std::string(54, ' ');
  EXPECT_EQ(out.records, (std::vector<std::string>{
                             "S 00 OC3" + std::string(23, ' ') + "P F1",
                             "S 01" + std::string(21, ' ') + ".000",
                             "O 00 TP1" + std::string(23, ' ') + "P F1",
                             wires + "  5.0000 4.5000 4.0000",
                             "O 00 TP3" + std::string(23, ' ') + "P F1",
                             wires + std::string(8, ' ') + " 4.2300 3.7000",
                         }));
}

TEST(ObservationRecords, SetupNames) {
  EXPECT_EQ(setupName(1), "OC1     ");
  EXPECT_EQ(setupName(10), "OC10    ");
  EXPECT_EQ(setupName(100), "OC100   ");
  EXPECT_EQ(setupName(100000), "OC100000");
}

TEST(ObservationRecords, WireRecordForEachMissingWire) {
  const std::string lead = "O 09" + std::string(54, ' ');
  struct Case {
    double upper, middle, lower;
    std::vector<std::string> expected;
  } cases[] = {
      {5.43, 4.876, 4.32, {lead + "  5.4300 4.8760 4.3200"}},
      {5.43, 4.876, 0.0, {lead + "  5.4300 4.8760"}},
      {5.43, 4.876, -0.5, {lead + "  5.4300 4.8760 -.5000"}},
      {0.0, 4.23, 3.7, {lead + std::string(8, ' ') + " 4.2300 3.7000"}},
      {0.0, 4.23, 0.0, {lead + std::string(8, ' ') + " 4.2300"}},
      {0.0, 4.23, -1.0, {}},
      {12345.0, 0.5, 0.25, {lead + "********  .5000  .2500"}},
  };
  for (const Case& c : cases) {
    RecordList out;
    wireRecord(out, c.upper, c.middle, c.lower);
    EXPECT_EQ(out.records, c.expected) << c.upper << " " << c.middle << " " << c.lower;
  }
  RecordList full, noLower;
  wireRecord(full, 1.0, 0.5, 0.25);
  wireRecord(noLower, 1.0, 0.5, 0.0);
  EXPECT_EQ(full.records.at(0).size(), 80u);
  EXPECT_EQ(noLower.records.at(0).size(), 73u);
}

TEST(ControlPointList, LookupComparesBlankPaddedNamesFirstMatchFirst) {
  ControlPoints points{{{"BM1     ", 10.0}, {"BM10    ", 20.0}, {"BM1     ", 30.0}}};
  ASSERT_NE(findControlPoint(points, "BM1"), nullptr);
  EXPECT_EQ(findControlPoint(points, "BM1")->elevation, 10.0);
  EXPECT_EQ(findControlPoint(points, "BM1         ")->elevation, 10.0);
  EXPECT_EQ(findControlPoint(points, "BM10")->elevation, 20.0);
  EXPECT_EQ(findControlPoint(points, "bm1"), nullptr);
  EXPECT_EQ(findControlPoint(points, " BM1"), nullptr);
  EXPECT_EQ(findControlPoint(points, "BM"), nullptr);
}

TEST(ControlPointList, StartPointMismatchKeepsTheFirstElevation) {
  ControlPoints points;
  RecordList console;
  registerStartPoint(points, console, "BM-17       ", 1250.0);
  registerStartPoint(points, console, "BM-17", 1250.0004);  // within the tolerance
  EXPECT_TRUE(console.records.empty());
  registerStartPoint(points, console, "BM-17", 1250.01);
  ASSERT_EQ(console.records.size(), 1u);
  EXPECT_EQ(console.records[0], " 2ND OCCURENCE OF BM-17    ELEV. MISMATCH OF     .010 1ST USED");
  ASSERT_EQ(points.entries.size(), 1u);
  EXPECT_EQ(points.entries[0].name, "BM-17   ");
  EXPECT_EQ(points.entries[0].elevation, 1250.0);
}

TEST(ControlPointList, EndPointIsAddedOnceByItsFirstEightCharacters) {
  ControlPoints points;
  RecordList console;
  registerStartPoint(points, console, "BENCHMARK-12", 100.0);
  registerEndPoint(points, "BENCHMARK-12", 100.5);  // the same 8 characters: listed already
  registerEndPoint(points, "BENCHMARK-99", 101.0);
  registerEndPoint(points, "BM-18", 102.0);
  registerEndPoint(points, "BM-18", 103.0);
  ASSERT_EQ(points.entries.size(), 2u);
  EXPECT_EQ(points.entries[0].name, "BENCHMAR");
  EXPECT_EQ(points.entries[0].elevation, 100.0);
  EXPECT_EQ(points.entries[1].name, "BM-18   ");
  EXPECT_EQ(points.entries[1].elevation, 102.0);
  EXPECT_TRUE(console.records.empty());
}

TEST_F(InJobFolder, ReadingControlFileKeepsOnlyCompletePairs) {
  folder.write("OLD.CTL", crlf({
                              "G 00 OLD.CTL",
                              "G 01 FIRST    FIRST                                                  F",
                              "G 01 SECOND   SECOND                                                 F",
                              g02("  1001.5000"),
                              "REMARK",
                              "G 01 THIRD",
                              "X 99 something between",
                              g02("xx"),  // cannot be read: passed over
                              g02("  3003.2500 trailing"),
                              g02("  4004.0000"),  // no G 01 before it
                              "G 01 LASTLONGNAME",
                          }));
  std::optional<InputFile> file = InputFile::openExisting("OLD.CTL");
  ASSERT_TRUE(file);
  ControlPoints points = readControlPoints(*file);
  ASSERT_EQ(points.entries.size(), 2u);
  EXPECT_EQ(points.entries[0].name, "SECOND  ");
  EXPECT_EQ(points.entries[0].elevation, 1001.5);
  EXPECT_EQ(points.entries[1].name, "THIRD   ");
  EXPECT_EQ(points.entries[1].elevation, 3003.25);
}

TEST_F(InJobFolder, CarryOverCutsTrimsAndDropsBlankRecords) {
  std::string longRecord = "O 09" + std::string(54, ' ') + "  5.4300 4.8760 4.3200EXTRA";
  folder.write("OLD.OBS", "H 00 OLD   \r\n\r\n   \r\nS 00 OC1  \n" + longRecord + "\r\n\tTAB\r\n");
  std::optional<InputFile> file = InputFile::openExisting("OLD.OBS");
  ASSERT_TRUE(file);
  RecordList out;
  carryObservationsOver(*file, out);
  EXPECT_EQ(out.records, (std::vector<std::string>{"H 00 OLD", "S 00 OC1", longRecord.substr(0, 80), "\tTAB"}));
}

TEST_F(InJobFolder, NewRunWritesHeaderAndControlFile) {
  FakeConsole console("");
  std::optional<ObservationFiles> files = open(console);
  ASSERT_TRUE(files);
  EXPECT_EQ(files->mode, ObservationMode::New);
  EXPECT_EQ(console.shown(), "");  // no question
  files->controlPoints.entries = {{"BM-17   ", 1250.0}, {"HIGH    ", 1000000.0}, {"EDGE    ", 999999.9999}};
  writeSetupStart(files->observations, setupName(1));
  writeControlFile(*files, 'M');
  EXPECT_FALSE(folder.exists("SURVEY.OBS"));
  EXPECT_FALSE(folder.exists("SURVEY.CTL"));
  commitObservationFiles(*files);
  EXPECT_EQ(folder.read("SURVEY.OBS"), crlf({kHeader, "H 99 VERSION 01/31/00", kSetupStart1[0], kSetupStart1[1]}));
  const std::string unitColumn(46, ' ');
  EXPECT_EQ(folder.read("SURVEY.CTL"), crlf({"G 00 SURVEY.CTL          ",
                                             "G 01 BM-17    BM-17   " + unitColumn + "M",
                                             g02("  1250.0000"),
                                             "G 01 HIGH     HIGH    " + unitColumn + "M",
                                             g02("***********"),
                                             "G 01 EDGE     EDGE    " + unitColumn + "M",
                                             g02("999999.9999")}));
  EXPECT_EQ(folder.files(), (std::vector<std::string>{"SURVEY.CTL", "SURVEY.OBS"}));
}

TEST_F(InJobFolder, AppendKeepsOldRecordsAndControlPoints) {
  folder.write("SURVEY.OBS", crlf({kHeader + "   ", "", "S 00 OC1"}));
  folder.write("SURVEY.CTL", crlf({"G 00 SURVEY.CTL", "G 01 BM-17    BM-17", g02("  1250.0000")}));
  FakeConsole console("3\n \n");  // 3 is refused, blank means append
  std::optional<ObservationFiles> files = open(console);
  ASSERT_TRUE(files);
  EXPECT_EQ(console.shown(), kAppendOrOverwrite + kAppendOrOverwrite);
  EXPECT_EQ(files->mode, ObservationMode::Append);
  ASSERT_EQ(files->controlPoints.entries.size(), 1u);
  EXPECT_EQ(files->controlPoints.entries[0].name, "BM-17   ");
  writeSetupStart(files->observations, setupName(1));
  registerEndPoint(files->controlPoints, "BM-18", 1252.34);
  writeControlFile(*files, 'F');
  commitObservationFiles(*files);
  EXPECT_EQ(folder.read("SURVEY.OBS"), crlf({kHeader, "S 00 OC1", kSetupStart1[0], kSetupStart1[1]}));
  EXPECT_EQ(folder.read("SURVEY.CTL"),
            crlf({"G 00 SURVEY.CTL          ", "G 01 BM-17    BM-17" + blanks(49) + "F", g02("  1250.0000"),
                  "G 01 BM-18    BM-18" + blanks(49) + "F", g02("  1252.3400")}));
}

TEST_F(InJobFolder, OverwriteStartsAfreshAndNothingChangesUntilCommitted) {
  const std::string oldObservations = crlf({"H 00 OLD", "S 00 OC1"});
  const std::string oldControl = crlf({"G 00 SURVEY.CTL", "G 01 BM-17    BM-17", "G 02        1.0"});
  folder.write("SURVEY.OBS", oldObservations);
  folder.write("SURVEY.CTL", oldControl);
  {
    FakeConsole console("2\n");
    std::optional<ObservationFiles> files = open(console);
    ASSERT_TRUE(files);
    EXPECT_EQ(files->mode, ObservationMode::Overwrite);
    EXPECT_TRUE(files->controlPoints.entries.empty());
    writeSetupStart(files->observations, setupName(1));
    writeControlFile(*files, 'F');
    // Dropped without commit: the run did not complete.
  }
  EXPECT_EQ(folder.read("SURVEY.OBS"), oldObservations);
  EXPECT_EQ(folder.read("SURVEY.CTL"), oldControl);
  EXPECT_EQ(folder.files(), (std::vector<std::string>{"SURVEY.CTL", "SURVEY.OBS"}));
  {
    FakeConsole console("2\n");
    std::optional<ObservationFiles> files = open(console);
    ASSERT_TRUE(files);
    writeControlFile(*files, 'F');
    commitObservationFiles(*files);
  }
  EXPECT_EQ(folder.read("SURVEY.OBS"), crlf({kHeader, "H 99 VERSION 01/31/00"}));
  EXPECT_EQ(folder.read("SURVEY.CTL"), crlf({"G 00 SURVEY.CTL          "}));
}

TEST_F(InJobFolder, AbsentFilesStayAbsentWhenNotCommitted) {
  {
    FakeConsole console("");
    std::optional<ObservationFiles> files = open(console);
    ASSERT_TRUE(files);
    writeControlFile(*files, 'F');
  }
  EXPECT_EQ(folder.files(), std::vector<std::string>{});
}

TEST_F(InJobFolder, FilesThatCannotBeOpenedGiveNothing) {
  ASSERT_EQ(::mkdir("SURVEY.CTL", 0755), 0);
  FakeConsole console("");
  EXPECT_FALSE(open(console).has_value());
  EXPECT_EQ(folder.files(), std::vector<std::string>{"SURVEY.CTL"});
  ASSERT_EQ(::rmdir("SURVEY.CTL"), 0);
  ASSERT_EQ(::mkdir("SURVEY.OBS", 0755), 0);
  EXPECT_FALSE(open(console).has_value());
  EXPECT_EQ(folder.files(), std::vector<std::string>{"SURVEY.OBS"});
}

}  // namespace
}  // namespace vorn
