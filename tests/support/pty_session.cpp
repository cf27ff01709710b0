#include "pty_session.h"

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <stdexcept>
#include <thread>

namespace vorn::testing {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

PtySession::PtySession(const std::string& executable, const std::string& folder) {
  struct winsize size {};
  size.ws_row = 24;
  size.ws_col = 80;
  pid_ = ::forkpty(&master_, nullptr, nullptr, &size);
  if (pid_ < 0) throw std::runtime_error("forkpty failed");
  if (pid_ == 0) {
    if (::chdir(folder.c_str()) != 0) ::_exit(124);
    ::execl(executable.c_str(), executable.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
}

PtySession::~PtySession() {
  if (!reaped_ && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &rawStatus_, 0);
  }
  if (master_ >= 0) ::close(master_);
}

bool PtySession::readSome(milliseconds wait) {
  if (ended_) return false;
  struct pollfd p {};
  p.fd = master_;
  p.events = POLLIN;
  int ready = ::poll(&p, 1, static_cast<int>(wait.count()));
  if (ready <= 0) return true;
  char buffer[4096];
  ssize_t n = ::read(master_, buffer, sizeof buffer);
  if (n > 0) {
    screen_.append(buffer, static_cast<std::size_t>(n));
    return true;
  }
  if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
  // EIO: every copy of the terminal's other side is closed, the program
  // has ended.
  ended_ = true;
  return false;
}

bool PtySession::waitFor(std::string_view text, milliseconds timeout) {
  auto deadline = steady_clock::now() + timeout;
  for (;;) {
    std::size_t found = screen_.find(text, searchFrom_);
    if (found != std::string::npos) {
      searchFrom_ = found + text.size();
      return true;
    }
    if (steady_clock::now() > deadline) return false;
    if (!readSome(milliseconds(20)) && screen_.find(text, searchFrom_) == std::string::npos) return false;
  }
}

void PtySession::settle() {
  // Read until nothing more has come for a short while.
  std::size_t before;
  do {
    before = screen_.size();
    readSome(milliseconds(30));
  } while (screen_.size() != before && !ended_);
}

void PtySession::typeLine(std::string_view line, milliseconds pause) {
  settle();
  echoes_.push_back(Echo{screen_.size(), std::string(line) + "\r\n"});
  for (char c : line) {
    if (::write(master_, &c, 1) != 1) throw std::runtime_error("cannot type on the terminal");
    std::this_thread::sleep_for(pause);
  }
  // Enter sends a carriage return; the terminal hands the program a line
  // feed and echoes CR LF.
  if (::write(master_, "\r", 1) != 1) throw std::runtime_error("cannot type on the terminal");
  searchFrom_ = screen_.size();
}

void PtySession::typeEndOfInput() {
  settle();
  struct termios modes {};
  char eof = 4;
  if (::tcgetattr(master_, &modes) == 0) eof = static_cast<char>(modes.c_cc[VEOF]);
  if (::write(master_, &eof, 1) != 1) throw std::runtime_error("cannot type on the terminal");
  searchFrom_ = screen_.size();
}

int PtySession::waitForExit(milliseconds timeout) {
  auto deadline = steady_clock::now() + timeout;
  while (!ended_ && steady_clock::now() < deadline) readSome(milliseconds(20));
  for (;;) {
    if (::waitpid(pid_, &rawStatus_, WNOHANG) == pid_) {
      reaped_ = true;
      break;
    }
    if (steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &rawStatus_, 0);
      reaped_ = true;
      return -1;
    }
    std::this_thread::sleep_for(milliseconds(2));
  }
  return WIFEXITED(rawStatus_) ? WEXITSTATUS(rawStatus_) : -1;
}

std::string PtySession::programOutput(std::string* error) const {
  std::string out;
  std::size_t pos = 0;
  for (const Echo& echo : echoes_) {
    if (screen_.compare(echo.offset, echo.text.size(), echo.text) != 0) {
      if (error != nullptr)
        *error = "the answer \"" + echo.text.substr(0, echo.text.size() - 2) + "\" is not echoed where it was typed: " +
                 screen_.substr(echo.offset, echo.text.size() + 40);
      return {};
    }
    out.append(screen_, pos, echo.offset - pos);
    pos = echo.offset + echo.text.size();
  }
  out.append(screen_, pos, std::string::npos);
  std::string plain;
  plain.reserve(out.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n') continue;
    plain.push_back(out[i]);
  }
  return plain;
}

}  // namespace vorn::testing
