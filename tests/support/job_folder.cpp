#include "job_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

void spit(const std::string& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

JobFolder::JobFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vorn-job-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

JobFolder::~JobFolder() {
  std::error_code ec;
  // A test may have made the folder read-only.
  ::chmod(path_.c_str(), 0700);
  std::filesystem::remove_all(path_, ec);
}

void JobFolder::write(std::string_view name, std::string_view content) const {
  spit(path_ + "/" + std::string(name), content);
}

std::string JobFolder::read(std::string_view name) const { return slurp(path_ + "/" + std::string(name)); }

bool JobFolder::exists(std::string_view name) const {
  struct stat st {};
  return ::stat((path_ + "/" + std::string(name)).c_str(), &st) == 0;
}

void JobFolder::remove(std::string_view name) const { ::unlink((path_ + "/" + std::string(name)).c_str()); }

std::vector<std::string> JobFolder::files() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

RunResult JobFolder::run(std::string_view program, std::string_view input, int timeoutSeconds) const {
  std::string io = (std::filesystem::temp_directory_path() / "vorn-io-XXXXXX").string();
  if (::mkdtemp(io.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  spit(io + "/in", input);
  std::string exe = std::string(VORN_BIN_DIR) + "/" + std::string(program);
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    int in = ::open((io + "/in").c_str(), O_RDONLY);
    int out = ::open((io + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = ::open((io + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || ::chdir(path_.c_str()) != 0) ::_exit(127);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  RunResult result;
  int status = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  for (;;) {
    pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      result.timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (!result.timedOut && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  result.console = slurp(io + "/out");
  result.errors = slurp(io + "/err");
  std::error_code ec;
  std::filesystem::remove_all(io, ec);
  return result;
}

std::string crlf(std::initializer_list<std::string_view> lines) {
  std::string s;
  for (std::string_view l : lines) {
    s += l;
    s += "\r\n";
  }
  return s;
}

std::string lf(std::initializer_list<std::string_view> lines) {
  std::string s;
  for (std::string_view l : lines) {
    s += l;
    s += '\n';
  }
  return s;
}

}  // namespace vorn::testing
