// A kill at any moment. TRIRED, TRICONV (appending and overwriting) and
// DIGCONV run on large inputs over existing job files, JOBSET through a long
// menu session over an existing .DEF file, and each is killed with
// SIGKILL at random moments, many times over; after every kill each job
// file they replace must be, byte for byte, the old file or the new one
// (a missing file only when there was none before) - never a part.
//
// The kill times are spread over a whole run, measured first, with a share
// of them packed around its end, where the files are replaced. The number
// of kills per program is VORN_KILLS (default 30); the test prints the
// kills, the runs they cut short, the losses and the temporary files a
// kill leaves behind.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "large_jobs.h"
#include "support/child_process.h"
#include "support/job_folder.h"

namespace vorn::testing {
namespace {

using Files = std::map<std::string, std::string>;
constexpr const char* kMissing = "<missing>";

struct Scenario {
  const char* name;
  const char* program;
  Files before;                      // the job folder before the run
  std::string answers;
  std::vector<std::string> replaced;  // the files that must be old or new
};

struct Tally {
  int kills = 0;
  int cutShort = 0;  // kills that landed while the program ran
  int losses = 0;
  int leftovers = 0;  // temporary files left by a kill
};

std::string contentOf(const JobFolder& folder, const std::string& name) {
  return folder.exists(name) ? folder.read(name) : kMissing;
}

// ZONE.DAT as the suite ships it.
std::string zoneList() {
  std::ifstream in(std::string(VORN_DATA_DIR) + "/ZONE.DAT", std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

int killsPerProgram() {
  const char* text = std::getenv("VORN_KILLS");
  int n = text != nullptr ? std::atoi(text) : 0;
  return n > 0 ? n : 30;
}

void killAtRandomMoments(const Scenario& scenario, Tally& tally) {
  SCOPED_TRACE(scenario.name);
  // The whole run: its duration and the new files.
  JobFolder reference;
  for (const auto& [name, content] : scenario.before) reference.write(name, content);
  ChildProcess whole(programPath(scenario.program), ChildOptions{reference.path(), scenario.answers});
  auto start = std::chrono::steady_clock::now();
  while (!whole.finished()) std::this_thread::sleep_for(std::chrono::microseconds(100));
  auto duration = std::chrono::steady_clock::now() - start;
  RunResult full = whole.wait();
  ASSERT_EQ(full.status, 0) << full.errors;
  Files after;
  for (const std::string& name : scenario.replaced) {
    after[name] = contentOf(reference, name);
    std::string old = scenario.before.count(name) ? scenario.before.at(name) : kMissing;
    ASSERT_NE(after[name], old) << name << " is not changed by the run, the test would prove nothing";
  }

  std::printf("%s: a whole run takes %.0f ms\n", scenario.name, std::chrono::duration<double, std::milli>(duration).count());
  std::mt19937 random(20240611);
  const double total = std::chrono::duration<double, std::micro>(duration).count();
  for (int k = 0; k < killsPerProgram(); ++k) {
    // Two kills in three anywhere in the run, one in three in its last
    // fifth and a little beyond.
    double at = k % 3 != 2 ? std::uniform_real_distribution<double>(0, total)(random)
                           : std::uniform_real_distribution<double>(0.8 * total, 1.05 * total)(random);
    JobFolder folder;
    for (const auto& [name, content] : scenario.before) folder.write(name, content);
    ChildProcess child(programPath(scenario.program), ChildOptions{folder.path(), scenario.answers});
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(at)));
    bool running = !child.finished();
    if (std::getenv("VORN_KILL_TRACE")) std::printf("  kill at %.0f of %.0f us: %s\n", at, total, running ? "running" : "done");
    child.kill(SIGKILL);
    child.wait();
    ++tally.kills;
    if (running) ++tally.cutShort;
    for (const std::string& name : scenario.replaced) {
      std::string now = contentOf(folder, name);
      std::string old = scenario.before.count(name) ? scenario.before.at(name) : kMissing;
      if (now != old && now != after[name]) {
        ++tally.losses;
        ADD_FAILURE() << name << " is neither the old file nor the new one after a kill at " << at << " us of "
                      << total << " us (" << now.size() << " bytes)";
      }
    }
    for (const std::string& name : folder.files())
      if (name.find('~') != std::string::npos) ++tally.leftovers;
  }
}

TEST(KillAtAnyMoment, JobFilesAreOldOrNew) {
  const std::string book = largeFieldBook(20000);
  const std::string oldObservations = largeObservationFile(20000);
  const std::string oldLeastSquares = " 0                       .0000      .0010 1\r\n";
  const Files triconvBefore = {{"TEMP.JOB", "SURVEY\r\n"},
                               {"BOOK.TXT", book},
                               {"SURVEY.OBS", oldObservations},
                               {"SURVEY.CTL", kOldControlFile}};
  // JOBSET: a long session in the menu (error ellipses switched 3001 times,
  // then the elevation), so that kills land all through it.
  std::string menuSession;
  for (int i = 0; i < 3001; ++i) menuSession += "14\n";
  menuSession += "4\n123\n\nN\n";
  const std::vector<Scenario> scenarios = {
      {"trired", "trired",
       Files{{"TEMP.JOB", "SURVEY\r\n"}, {"BOOK.TXT", book}, {"SURVEY.ZZZ", oldLeastSquares}},
       "BOOK.TXT\n1\n1\n0.01\n\n\n0.001\n1252.35\n", {"SURVEY.ZZZ"}},
      {"triconv appending", "triconv", triconvBefore, "\nTP\n90000\nBOOK.TXT\n1\n\n\n1252.35\n",
       {"SURVEY.OBS", "SURVEY.CTL"}},
      {"triconv overwriting", "triconv", triconvBefore, "\nTP\n90000\nBOOK.TXT\n2\n\n\n1252.35\n",
       {"SURVEY.OBS", "SURVEY.CTL"}},
      {"digconv", "digconv",
       Files{{"TEMP.JOB", "SURVEY\r\n"},
             {"SURVEY.LEV", largeLevelFile(20000)},
             {"SURVEY.OBS", oldObservations},
             {"SURVEY.CTL", kOldControlFile}},
       "\n1\n1\n1\n\n\n\n\nBM-20\n1248.600\n", {"SURVEY.OBS", "SURVEY.CTL"}},
      {"jobset", "jobset",
       Files{{"TEMP.JOB", "SURVEY\r\n"},
             {"TEMP.FIL", ""},
             {"SURVEY.DEF", crlf({"Y", " 3 X", "2", "1", "     50.000", "Y", "Y", "       .050        3.0", "        5.0",
                                  "        2.0", "       .010", "       .020", "N", "      2.000", "        2.0",
                                  "        2.0", "N", "Y", "Y", "N"})},
             {"DXF.BAT", "COPY TEMP.DXF OLD.DXF\r\nERASE TEMP.DXF\r\n"},
             {"ZONE.DAT", zoneList()}},
       menuSession, {"SURVEY.DEF", "DXF.BAT"}},
  };
  Tally tally;
  for (const Scenario& scenario : scenarios) killAtRandomMoments(scenario, tally);
  std::printf("kill test: %d kills, %d while a program ran, %d losses, %d temporary files left behind\n", tally.kills,
              tally.cutShort, tally.losses, tally.leftovers);
  RecordProperty("kills", tally.kills);
  RecordProperty("losses", tally.losses);
  EXPECT_EQ(tally.losses, 0);
}

}  // namespace
}  // namespace vorn::testing
