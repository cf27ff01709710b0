// Runs a built program in a job folder as a child process under conditions
// a surveyor's machine may impose: a file-size limit (a full disk), another
// user (a folder it may not write), or a kill at any moment.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "job_folder.h"

namespace vorn::testing {

struct ChildOptions {
  ChildOptions(std::string folder, std::string input) : folder(std::move(folder)), input(std::move(input)) {}

  std::string folder;                      // working directory
  std::string input;                       // standard input
  std::optional<unsigned long> fileSizeLimit;  // RLIMIT_FSIZE in bytes
  std::optional<uid_t> user;               // run as this user and group (needs root)
  // The job folder on a file system of its own of this many bytes (a full
  // disk), or read-only (a read-only medium). Needs the right to mount.
  std::optional<unsigned long> diskBytes;
  bool readOnlyDisk = false;
};

// The exit status of a child that could not set up a file system of its
// own (no right to mount here).
inline constexpr int kNoDiskOfItsOwn = 123;

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
  // Reads what the console pipes hold.
  void drain();

  pid_t pid_ = -1;
  int outPipe_ = -1;
  int errPipe_ = -1;
  std::string out_;
  std::string err_;
  bool done_ = false;
  int rawStatus_ = 0;
  std::string io_;
};

// Runs to the end: ChildProcess(...).wait().
RunResult runChild(const std::string& executable, const ChildOptions& options, int timeoutSeconds = 60);

// True when the test process may run a child as another user.
bool canSwitchUser();

}  // namespace vorn::testing
