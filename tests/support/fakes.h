// In-memory stand-ins for the console, a file of records and a source of
// lines, for tests of the units that talk to them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/console.h"
#include "common/freeformat.h"

namespace vorn::testing {

class FakeConsole {
 public:
  explicit FakeConsole(const std::string& input) : input_(input) {
    in_ = input_.empty() ? std::fopen("/dev/null", "r") : ::fmemopen(input_.data(), input_.size(), "r");
    out_ = ::open_memstream(&outData_, &outSize_);
    console_ = std::make_unique<Console>(in_, out_);
  }
  ~FakeConsole() {
    console_.reset();
    std::fclose(in_);
    std::fclose(out_);
    std::free(outData_);
  }
  FakeConsole(const FakeConsole&) = delete;
  FakeConsole& operator=(const FakeConsole&) = delete;

  Console& console() { return *console_; }
  std::string shown() {
    console_->flush();
    return std::string(outData_, outSize_);
  }

 private:
  std::string input_;
  std::FILE* in_ = nullptr;
  std::FILE* out_ = nullptr;
  char* outData_ = nullptr;
  std::size_t outSize_ = 0;
  std::unique_ptr<Console> console_;
};

// Records as a file would receive them, each followed by a line feed.
class FakeSink : public RecordSink {
 public:
  std::string text;

 protected:
  void putRecord(std::string_view record) override {
    text.append(record);
    text.push_back('\n');
  }
};

// Collects the records written to it, one string each.
class RecordList : public RecordSink {
 public:
  std::vector<std::string> records;

 protected:
  void putRecord(std::string_view record) override { records.emplace_back(record); }
};

// Lines held in memory.
class Lines : public LineSource {
 public:
  explicit Lines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  bool nextLine(std::string_view& line) override {
    if (next_ >= lines_.size()) return false;
    line = lines_[next_++];
    return true;
  }
  std::size_t used() const { return next_; }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

inline int countOf(const std::string& text, std::string_view piece) {
  int n = 0;
  for (std::size_t p = text.find(piece); p != std::string::npos; p = text.find(piece, p + 1)) ++n;
  return n;
}

}  // namespace vorn::testing
