// Runs a built program in a job folder as a child process under conditions
// a surveyor's machine may impose: a file-size limit (a full disk), another
// user (a folder it may not write), or a kill at any moment.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

#include "job_folder.h"

namespace vorn::testing {

struct ChildOptions {
  std::string folder;                      // working directory
  std::string input;                       // standard input
  std::optional<unsigned long> fileSizeLimit;  // RLIMIT_FSIZE in bytes
  std::optional<uid_t> user;               // run as this user and group (needs root)
};

// The path of a built program of the suite (build/bin/<program>).
std::string programPath(std::string_view program);

class ChildProcess {
 public:
  ChildProcess(const std::string& executable, const ChildOptions& options);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  // True once the child has ended (reaps it).
  bool finished();
  void kill(int signal);
  // Waits for the end (killing the child after the timeout) and collects
  // its console, error report and status.
  RunResult wait(int timeoutSeconds = 60);
  // The status as waitpid gave it, once finished.
  int rawStatus() const { return rawStatus_; }

 private:
  pid_t pid_ = -1;
  bool done_ = false;
  int rawStatus_ = 0;
  std::string io_;
};

// Runs to the end: ChildProcess(...).wait().
RunResult runChild(const std::string& executable, const ChildOptions& options, int timeoutSeconds = 60);

// True when the test process may run a child as another user.
bool canSwitchUser();

}  // namespace vorn::testing
