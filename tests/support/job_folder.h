// Runs a built program the way a surveyor does: in a folder of its own
// holding the input files, with the answers on standard input; then the
// console, the error report, the exit status and the files are examined.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorn::testing {

struct RunResult {
  std::string console;  // standard output
  std::string errors;   // standard error
  int status = -1;      // exit status; -1 when the program did not exit normally
  bool timedOut = false;
};

class JobFolder {
 public:
  JobFolder();
  ~JobFolder();
  JobFolder(const JobFolder&) = delete;
  JobFolder& operator=(const JobFolder&) = delete;

  const std::string& path() const { return path_; }
  void write(std::string_view name, std::string_view content) const;
  std::string read(std::string_view name) const;
  bool exists(std::string_view name) const;
  void remove(std::string_view name) const;
  // Names of the files in the folder, sorted.
  std::vector<std::string> files() const;

  // Runs build/bin/<program> in this folder with `input` on standard input.
  RunResult run(std::string_view program, std::string_view input, int timeoutSeconds = 60) const;

 private:
  std::string path_;
};

// Lines joined with CRLF after each, as the programs write files.
std::string crlf(std::initializer_list<std::string_view> lines);
// Lines joined with LF after each, as the console shows them.
std::string lf(std::initializer_list<std::string_view> lines);

}  // namespace vorn::testing
