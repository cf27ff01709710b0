#include "child_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
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
#include <utility>

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

// In the child: the user, the limits and the folder of the options, then
// the program.
[[noreturn]] void execProgram(const std::string& executable, const ChildOptions& options) {
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

// Copies every plain file of one folder into another; false on a failure.
bool copyFiles(int fromDir, int toDir) {
  DIR* dir = ::fdopendir(::dup(fromDir));
  if (dir == nullptr) return false;
  bool ok = true;
  while (dirent* entry = ::readdir(dir)) {
    struct stat st {};
    if (::fstatat(fromDir, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    int from = ::openat(fromDir, entry->d_name, O_RDONLY);
    int to = ::openat(toDir, entry->d_name, O_WRONLY | O_CREAT | O_TRUNC, st.st_mode & 07777);
    char buffer[65536];
    ssize_t n = 0;
    while (from >= 0 && to >= 0 && (n = ::read(from, buffer, sizeof buffer)) > 0)
      if (::write(to, buffer, static_cast<std::size_t>(n)) != n) n = -1;
    if (from < 0 || to < 0 || n < 0) ok = false;
    if (from >= 0) ::close(from);
    if (to >= 0) ::close(to);
  }
  ::closedir(dir);
  return ok;
}

void removeFiles(int dirFd) {
  DIR* dir = ::fdopendir(::dup(dirFd));
  if (dir == nullptr) return;
  while (dirent* entry = ::readdir(dir)) {
    struct stat st {};
    if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
      ::unlinkat(dirFd, entry->d_name, 0);
  }
  ::closedir(dir);
}

// In the child: a small file system of its own (a memory file system of
// the given size, read-only when asked, in a mount namespace of the child
// alone) is mounted over the job folder and given the folder's files; the
// program runs on it; then the folder takes the files the program left
// there, and the child ends as the program ended.
[[noreturn]] void runOnDiskOfItsOwn(const std::string& executable, const ChildOptions& options) {
  int underneath = ::open(options.folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (underneath < 0) ::_exit(kNoDiskOfItsOwn);
  if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
    ::_exit(kNoDiskOfItsOwn);
  std::string size = "mode=0777,size=" + std::to_string(options.diskBytes.value_or(1 << 20));
  if (::mount("tmpfs", options.folder.c_str(), "tmpfs", 0, size.c_str()) != 0) ::_exit(kNoDiskOfItsOwn);
  int disk = ::open(options.folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (disk < 0 || !copyFiles(underneath, disk)) ::_exit(kNoDiskOfItsOwn);
  if (options.readOnlyDisk &&
      ::mount("tmpfs", options.folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, size.c_str()) != 0)
    ::_exit(kNoDiskOfItsOwn);
  pid_t program = ::fork();
  if (program < 0) ::_exit(kNoDiskOfItsOwn);
  if (program == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    execProgram(executable, options);
  }
  int status = 0;
  ::waitpid(program, &status, 0);
  removeFiles(underneath);
  copyFiles(disk, underneath);
  ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
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
  // Under a file-size limit the console goes through pipes, which the
  // limit does not reach; otherwise through files.
  int outPipe[2] = {-1, -1};
  int errPipe[2] = {-1, -1};
  if (options.fileSizeLimit && (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0))
    throw std::runtime_error("pipe failed");
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    int in = ::open((io_ + "/in").c_str(), O_RDONLY);
    int out = outPipe[1] >= 0 ? outPipe[1] : ::open((io_ + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    int err = errPipe[1] >= 0 ? errPipe[1] : ::open((io_ + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (in < 0 || out < 0 || err < 0) ::_exit(127);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    if (options.diskBytes || options.readOnlyDisk) runOnDiskOfItsOwn(executable, options);
    execProgram(executable, options);
  }
  if (outPipe[0] >= 0) {
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    outPipe_ = outPipe[0];
    errPipe_ = errPipe[0];
    ::fcntl(outPipe_, F_SETFL, O_NONBLOCK);
    ::fcntl(errPipe_, F_SETFL, O_NONBLOCK);
  }
}

ChildProcess::~ChildProcess() {
  if (!done_ && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &rawStatus_, 0);
  }
  if (outPipe_ >= 0) ::close(outPipe_);
  if (errPipe_ >= 0) ::close(errPipe_);
  std::error_code ec;
  std::filesystem::remove_all(io_, ec);
}

void ChildProcess::drain() {
  char buffer[65536];
  for (auto [fd, text] : {std::pair{outPipe_, &out_}, std::pair{errPipe_, &err_}}) {
    if (fd < 0) continue;
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text->append(buffer, static_cast<std::size_t>(n));
  }
}

bool ChildProcess::finished() {
  drain();
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
  if (outPipe_ >= 0) {
    drain();  // the rest: the program has ended and closed its end
    result.console = out_;
    result.errors = err_;
  } else {
    result.console = slurp(io_ + "/out");
    result.errors = slurp(io_ + "/err");
  }
  return result;
}

RunResult runChild(const std::string& executable, const ChildOptions& options, int timeoutSeconds) {
  ChildProcess child(executable, options);
  return child.wait(timeoutSeconds);
}

}  // namespace vorn::testing
