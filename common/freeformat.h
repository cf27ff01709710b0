// The free-format read: numbers separated by blanks, tabs or one comma,
// without columns, continuing over lines while targets remain.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "records.h"

namespace vorn {

// A source of lines for the free-format read. Returns false when it has no
// line left.
class LineSource {
 public:
  virtual ~LineSource() = default;
  virtual bool nextLine(std::string_view& line) = 0;
};

// A source holding one text alone (an answer, a piece of a line).
class SingleLineSource : public LineSource {
 public:
  explicit SingleLineSource(std::string_view text) : text_(text) {}
  bool nextLine(std::string_view& line) override {
    if (used_) return false;
    used_ = true;
    line = text_;
    return true;
  }

 private:
  std::string_view text_;
  bool used_ = false;
};

class NumberTarget {
 public:
  NumberTarget(double& real) : real_(&real) {}
  NumberTarget(std::int32_t& integer) : integer_(&integer) {}
  double* real() const { return real_; }
  std::int32_t* integer() const { return integer_; }

 private:
  double* real_ = nullptr;
  std::int32_t* integer_ = nullptr;
};

// Fills the targets in order. Done when all are filled (the rest of the
// current line is not looked at) or a slash ends the read; End when the
// source runs out of lines first; Error at a token that is not a valid
// value for its target. Targets filled before an End or Error keep their
// new values. Two commas with nothing between leave a target unchanged and
// r*v stands for r copies of v.
ReadOutcome freeFormatRead(LineSource& source, std::span<const NumberTarget> targets);
inline ReadOutcome freeFormatRead(LineSource& source, std::initializer_list<NumberTarget> targets) {
  return freeFormatRead(source, std::span<const NumberTarget>(targets.begin(), targets.size()));
}

// Free-format read of one text alone.
inline ReadOutcome freeFormatRead(std::string_view text, std::initializer_list<NumberTarget> targets) {
  SingleLineSource source(text);
  return freeFormatRead(source, targets);
}

// Token conversions of the free-format read.
bool parseRealToken(std::string_view token, double& value);
bool parseIntegerToken(std::string_view token, std::int32_t& value);

}  // namespace vorn
