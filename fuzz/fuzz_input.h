// Helpers of the fuzz targets: the few control bytes a target takes from
// its input, the input as lines, and the input as a file.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/freeformat.h"

namespace vorn::fuzz {

inline void check(bool condition) {
  if (!condition) std::abort();
}

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : text_(reinterpret_cast<const char*>(data), size) {}
  // The next byte, or 0 when the input is used up.
  std::uint8_t byte() {
    if (text_.empty()) return 0;
    auto b = static_cast<std::uint8_t>(text_[0]);
    text_.remove_prefix(1);
    return b;
  }
  std::string_view rest() const { return text_; }

 private:
  std::string_view text_;
};

// A text as a source of lines split at line feeds: "a\nb" is two lines,
// "a\n" one, an empty text none. Asking again after it has said it has no
// line left is a fault of the reader.
class Lines : public LineSource {
 public:
  explicit Lines(std::string_view text) {
    while (!text.empty()) {
      std::size_t end = text.find('\n');
      lines_.push_back(text.substr(0, end));
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
  }
  bool nextLine(std::string_view& line) override {
    check(!ended_);
    if (next_ == lines_.size()) {
      ended_ = true;
      return false;
    }
    line = lines_[next_++];
    return true;
  }
  std::size_t count() const { return lines_.size(); }
  bool allTaken() const { return next_ == lines_.size(); }

 private:
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  bool ended_ = false;
};

// A file in memory that the file classes open by name, refilled for every
// input without touching a disk.
class MemoryFile {
 public:
  MemoryFile() : fd_(::memfd_create("fuzz-input", 0)), path_("/proc/self/fd/" + std::to_string(fd_)) {
    check(fd_ >= 0);
  }
  ~MemoryFile() { ::close(fd_); }
  void fill(std::string_view content) {
    check(::ftruncate(fd_, 0) == 0);
    check(::pwrite(fd_, content.data(), content.size(), 0) == static_cast<ssize_t>(content.size()));
  }
  const std::string& path() const { return path_; }

 private:
  int fd_;
  std::string path_;
};

}  // namespace vorn::fuzz
