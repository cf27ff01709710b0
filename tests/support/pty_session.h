// A program run in a real pseudo-terminal, driven the way a person drives
// it: wait until the question is on the screen, pause, type the answer a
// key at a time, press Enter. The terminal keeps its ordinary settings, so
// typed keys are echoed and line ends are shown as CR LF.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::testing {

class PtySession {
 public:
  PtySession(const std::string& executable, const std::string& folder);
  ~PtySession();
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;

  // Waits until `text` is on the screen after the place where the
  // previous wait found its text. False when it does not come in time or
  // the program ends without showing it.
  bool waitFor(std::string_view text, std::chrono::milliseconds timeout = std::chrono::seconds(20));

  // Types `line` a key at a time with `pause` after each key, then Enter.
  // Before the first key it waits until the screen has been still for a
  // moment, as a person reads the question before answering.
  void typeLine(std::string_view line, std::chrono::milliseconds pause = std::chrono::milliseconds(5));
  // Ends the terminal's input (Ctrl-D at the start of a line).
  void typeEndOfInput();

  // Waits for the program to end, reading the rest of its output. The exit
  // status, or -1 when it did not exit normally or in time.
  int waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(30));

  // Everything shown on the terminal, as sent (CR LF line ends, echo).
  const std::string& screen() const { return screen_; }
  // The screen with the echo of each typed line taken out and CR LF made
  // LF: what the program itself wrote. Empty with `error` set when an echo
  // is not found where its line was typed (output mixed into an answer).
  std::string programOutput(std::string* error = nullptr) const;

 private:
  // Reads what output is ready, waiting at most `wait`. False at the end.
  bool readSome(std::chrono::milliseconds wait);
  void settle();

  pid_t pid_ = -1;
  int master_ = -1;
  bool ended_ = false;
  bool reaped_ = false;
  int rawStatus_ = 0;
  std::string screen_;
  std::size_t searchFrom_ = 0;
  struct Echo {
    std::size_t offset;
    std::string text;
  };
  std::vector<Echo> echoes_;
};

}  // namespace vorn::testing
