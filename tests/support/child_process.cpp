#include "child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#ifndef VORN_BIN_DIR
#error "VORN_BIN_DIR must name the folder of the built programs"
#endif

namespace vorn::testing {

namespace {

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

std::string programPath(std::string_view program) { return std::string(VORN_BIN_DIR) + "/" + std::string(program); }

bool canSwitchUser() { return ::geteuid() == 0; }

ChildProcess::ChildProcess(const std::string& executable, const ChildOptions& options) {
  io_ = (std::filesystem::temp_directory_path() / "vorn-child-XXXXXX").string();
  if (::mkdtemp(io_.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  {
    std::ofstream in(io_ + "/in", std::ios::binary);
    in << options.input;
  }
  if (options.user) {
    // The other user must reach the folder and the console files.
    ::chmod(io_.c_str(), 0755);
    ::chmod((io_ + "/in").c_str(), 0644);
  }
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    int in = ::open((io_ + "/in").c_str(), O_RDONLY);
    int out = ::open((io_ + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    int err = ::open((io_ + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (in < 0 || out < 0 || err < 0) ::_exit(127);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    if (options.user) {
      gid_t group = static_cast<gid_t>(*options.user);
      if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(*options.user) != 0) ::_exit(126);
    }
    if (options.fileSizeLimit) {
      struct rlimit limit {};
      limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(*options.fileSizeLimit);
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(125);
    }
    if (::chdir(options.folder.c_str()) != 0) ::_exit(124);
    ::execl(executable.c_str(), executable.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
}

ChildProcess::~ChildProcess() {
  if (!done_ && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &rawStatus_, 0);
  }
  std::error_code ec;
  std::filesystem::remove_all(io_, ec);
}

bool ChildProcess::finished() {
  if (done_) return true;
  if (::waitpid(pid_, &rawStatus_, WNOHANG) == pid_) done_ = true;
  return done_;
}

void ChildProcess::kill(int signal) {
  if (!done_) ::kill(pid_, signal);
}

RunResult ChildProcess::wait(int timeoutSeconds) {
  RunResult result;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  while (!finished()) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &rawStatus_, 0);
      done_ = true;
      result.timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (!result.timedOut && WIFEXITED(rawStatus_)) result.status = WEXITSTATUS(rawStatus_);
  result.console = slurp(io_ + "/out");
  result.errors = slurp(io_ + "/err");
  return result;
}

RunResult runChild(const std::string& executable, const ChildOptions& options, int timeoutSeconds) {
  ChildProcess child(executable, options);
  return child.wait(timeoutSeconds);
}

}  // namespace vorn::testing
