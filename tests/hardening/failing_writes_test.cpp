// Writes that fail: a file-size limit, a full disk, a read-only medium and
// a folder the program may not write. Every program must end with the
// one-line input/output report and status 2, leave each job file it
// replaces whole (its old content, or at most its complete new one) and
// leave no temporary file behind.
//
// The full disk and the read-only medium are real: a small memory file
// system mounted over the job folder in a mount namespace of the program's
// own (skipped where mounting is not allowed). The read-only folder runs
// the program as another user (skipped when the tests do not run as root,
// which ignores folder permissions).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
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
  Files before;
  std::string answers;
  std::vector<std::string> replaced;
};

std::vector<Scenario> scenarios() {
  const std::string book = largeFieldBook(2000);
  const Files triconvBefore = {{"TEMP.JOB", "SURVEY\r\n"},
                               {"BOOK.TXT", book},
                               {"SURVEY.OBS", largeObservationFile(3)},
                               {"SURVEY.CTL", kOldControlFile}};
  return {
      {"trired", "trired",
       Files{{"TEMP.JOB", "SURVEY\r\n"},
             {"BOOK.TXT", book},
             {"SURVEY.ZZZ", largeLeastSquaresFile(5000)}},
       "BOOK.TXT\n1\n1\n0.01\n\n\n0.001\n1252.35\n", {"SURVEY.ZZZ"}},
      {"triconv appending", "triconv", triconvBefore, "\nTP\n90000\nBOOK.TXT\n1\n\n\n1252.35\n",
       {"SURVEY.OBS", "SURVEY.CTL"}},
      {"triconv overwriting", "triconv", triconvBefore, "\nTP\n90000\nBOOK.TXT\n2\n\n\n1252.35\n",
       {"SURVEY.OBS", "SURVEY.CTL"}},
      {"digconv", "digconv",
       Files{{"TEMP.JOB", "SURVEY\r\n"},
             {"SURVEY.LEV", largeLevelFile(2000)},
             {"SURVEY.OBS", largeObservationFile(3)},
             {"SURVEY.CTL", kOldControlFile}},
       "\n1\n1\n1\n\n\n\n\nBM-20\n1248.600\n", {"SURVEY.OBS", "SURVEY.CTL"}},
      {"jobset", "jobset",
       Files{{"TEMP.JOB", "SURVEY\r\n"},
             {"TEMP.FIL", ""},
             {"SURVEY.DEF", crlf({"N", " 0 NA NA NA", "0", "2", "     50.000", "N", "N", "       .050        3.0",
                                  "        5.0", "        2.0", "       .010", "       .020", "N", "      2.000",
                                  "        2.0", "        2.0", "N", "Y", "Y", "N"})},
             {"DXF.BAT", "COPY TEMP.DXF OLD.DXF\r\nERASE TEMP.DXF\r\n"}},
       "14\n13\n2.5\n\nN\n", {"SURVEY.DEF", "DXF.BAT"}},
  };
}

std::string contentOf(const JobFolder& folder, const std::string& name) {
  return folder.exists(name) ? folder.read(name) : kMissing;
}

// The files a whole run leaves.
Files newFiles(const Scenario& s) {
  JobFolder folder;
  for (const auto& [name, content] : s.before) folder.write(name, content);
  RunResult r = folder.run(s.program, s.answers, 120);
  EXPECT_EQ(r.status, 0) << s.name << ": " << r.errors;
  Files after;
  for (const std::string& name : folder.files()) after[name] = folder.read(name);
  return after;
}

// "trired SURVEY.ZZZ" for a report "trired: write failed on SURVEY.ZZZ: ...".
std::string failedFile(const Scenario& s, const RunResult& r) {
  std::size_t on = r.errors.find(" failed on ");
  if (on == std::string::npos) return "";
  std::size_t end = r.errors.find(':', on);
  return std::string(s.program) + " " + r.errors.substr(on + 11, end - on - 11);
}

// The files a test has seen failing, checked against those it must reach.
void expectFailuresOn(const std::set<std::string>& seen, std::initializer_list<const char*> files) {
  std::string list;
  for (const std::string& f : seen) list += f + "; ";
  for (const char* file : files) EXPECT_TRUE(seen.count(file)) << file << " never failed, only: " << list;
}

// Status 2, one line naming the program and ending in `reason`, the
// replaced files whole and `mustBeOld` of them untouched, no temporary
// file left.
void expectReportedFailure(const Scenario& s, const JobFolder& folder, const RunResult& r, const Files& after,
                           const std::string& reason, bool mustBeOld) {
  if (std::getenv("VORN_TRACE")) std::printf("%s", r.errors.c_str());
  EXPECT_FALSE(r.timedOut);
  EXPECT_EQ(r.status, 2) << r.console.substr(r.console.size() > 300 ? r.console.size() - 300 : 0);
  EXPECT_EQ(r.errors.rfind(std::string(s.program) + ": ", 0), 0u) << r.errors;
  EXPECT_TRUE(r.errors.size() > reason.size() + 1 &&
              r.errors.compare(r.errors.size() - reason.size() - 1, std::string::npos, reason + "\n") == 0)
      << r.errors;
  EXPECT_EQ(std::count(r.errors.begin(), r.errors.end(), '\n'), 1) << r.errors;
  EXPECT_EQ(r.console.find("Stop - Program terminated."), std::string::npos);
  for (const std::string& name : s.replaced) {
    std::string now = contentOf(folder, name);
    std::string old = s.before.count(name) ? s.before.at(name) : kMissing;
    if (mustBeOld) {
      EXPECT_EQ(now, old) << name << " was changed";
    } else {
      EXPECT_TRUE(now == old || now == after.at(name)) << name << " is neither old nor new: " << now.size() << " bytes";
    }
  }
  for (const std::string& name : folder.files()) EXPECT_EQ(name.find('~'), std::string::npos) << "left behind: " << name;
}

std::size_t largestNewFile(const Scenario& s, const Files& after) {
  std::size_t largest = 0;
  for (const auto& [name, content] : after)
    if (!s.before.count(name) || s.before.at(name) != content) largest = std::max(largest, content.size());
  return largest;
}

// A file-size limit at several sizes: nothing can be written, a little,
// about half of the largest file the run writes, all but its last byte.
TEST(FailingWrites, FileSizeLimit) {
  std::set<std::string> seen;
  for (const Scenario& s : scenarios()) {
    Files after = newFiles(s);
    std::size_t largest = largestNewFile(s, after);
    for (std::size_t limit : {std::size_t{0}, std::size_t{300}, largest / 2, largest - 1}) {
      SCOPED_TRACE(std::string(s.name) + ", file-size limit " + std::to_string(limit));
      JobFolder folder;
      for (const auto& [name, content] : s.before) folder.write(name, content);
      ChildOptions options{folder.path(), s.answers};
      options.fileSizeLimit = limit;
      RunResult r = runChild(programPath(s.program), options, 120);
      if (r.status == 0) {
        // Every file fitted under the limit: then completely.
        for (const std::string& name : s.replaced) EXPECT_EQ(contentOf(folder, name), after.at(name)) << name;
        continue;
      }
      expectReportedFailure(s, folder, r, after, "File too large", false);
      seen.insert(failedFile(s, r));
    }
  }
  // The limit reaches the largest file a run writes first.
  expectFailuresOn(seen, {"trired SURVEY.3WR", "trired SURVEY.ZZZ", "triconv SURVEY.OBS", "digconv SURVEY.OBS",
                          "jobset SURVEY.DEF"});
}

// A disk that fills up: the old files fit, then 4, 16 or 64 kilobytes
// more (or none), or all the run needs but its last few kilobytes.
TEST(FailingWrites, FullDisk) {
  std::set<std::string> seen;
  auto pages = [](std::size_t bytes) { return (bytes + 4095) / 4096 * 4096; };
  for (const Scenario& s : scenarios()) {
    Files after = newFiles(s);
    std::size_t old = 0;
    for (const auto& [name, content] : s.before) old += pages(content.size());
    std::size_t needed = 0;
    for (const auto& [name, content] : after)
      if (!s.before.count(name) || s.before.at(name) != content) needed += pages(content.size());
    std::vector<std::size_t> rooms = {0, 4096, 16384, 65536};
    for (std::size_t k = 1; k <= 6 && k * 4096 < needed; ++k) rooms.push_back(needed - k * 4096);
    for (std::size_t room : rooms) {
      SCOPED_TRACE(std::string(s.name) + ", " + std::to_string(room) + " bytes free");
      JobFolder folder;
      for (const auto& [name, content] : s.before) folder.write(name, content);
      ChildOptions options{folder.path(), s.answers};
      options.diskBytes = old + room;
      RunResult r = runChild(programPath(s.program), options, 120);
      if (r.status == kNoDiskOfItsOwn) GTEST_SKIP() << "no right to mount a file system here";
      if (r.status == 0) {
        // It fitted after all: then completely.
        for (const std::string& name : s.replaced) EXPECT_EQ(contentOf(folder, name), after.at(name)) << name;
        continue;
      }
      expectReportedFailure(s, folder, r, after, "No space left on device", false);
      seen.insert(failedFile(s, r));
    }
  }
  expectFailuresOn(seen, {"trired SURVEY.3WR", "trired SURVEY.ZZZ", "triconv SURVEY.3WR", "triconv SURVEY.OBS",
                          "triconv SURVEY.CTL", "digconv SURVEY.OBS", "digconv SURVEY.CTL", "jobset SURVEY.DEF"});
}

TEST(FailingWrites, ReadOnlyMedium) {
  for (const Scenario& s : scenarios()) {
    SCOPED_TRACE(s.name);
    Files after = newFiles(s);
    JobFolder folder;
    for (const auto& [name, content] : s.before) folder.write(name, content);
    ChildOptions options{folder.path(), s.answers};
    options.readOnlyDisk = true;
    RunResult r = runChild(programPath(s.program), options, 120);
    if (r.status == kNoDiskOfItsOwn) GTEST_SKIP() << "no right to mount a file system here";
    expectReportedFailure(s, folder, r, after, "Read-only file system", true);
  }
}

TEST(FailingWrites, FolderTheUserMayNotWrite) {
  if (!canSwitchUser()) GTEST_SKIP() << "needs root to run the programs as another user";
  for (const Scenario& s : scenarios()) {
    SCOPED_TRACE(s.name);
    Files after = newFiles(s);
    JobFolder folder;
    for (const auto& [name, content] : s.before) folder.write(name, content);
    // Readable by everyone, writable by its owner alone.
    ::chmod(folder.path().c_str(), 0755);
    ChildOptions options{folder.path(), s.answers};
    options.user = 65534;
    RunResult r = runChild(programPath(s.program), options, 120);
    expectReportedFailure(s, folder, r, after, "Permission denied", true);
  }
}

}  // namespace
}  // namespace vorn::testing
