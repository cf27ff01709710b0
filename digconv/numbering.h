// The numbering of the run's points. Point numbers read from the file are
// raised by the user's suffix (less one), and a number already handed out
// in this run is moved up by 5000 until it is free, so that a point
// observed again on the same number is kept apart from the earlier one.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "digconv/tds.h"

namespace vorn::digconv {

// The digits of n without leading blanks, in an 8-character name: the
// fewest of the widths 1 to 8 (asterisks when n is negative or has more
// than 8 digits).
std::string PointNumberText(std::int64_t n);

class PointNumbering {
 public:
  // `suffix` is the first turning-point number; every point number read is
  // raised by suffix - 1.
  explicit PointNumbering(std::int32_t suffix) : pointAddition_(suffix - 1) {}

  // Applied to every sight right after its fields are taken. A foresight
  // clears the offset; a sight with a point number gets its number handed
  // out and, when it differs from the file's, its name replaced.
  void numberPoint(TdsSight& sight, bool isBacksight);

  std::int64_t pointAddition() const { return pointAddition_; }
  std::int64_t pointOffset() const { return pointOffset_; }
  // Every number handed out in this run, in order. There is no limit.
  const std::vector<std::int64_t>& usedPointNumbers() const { return used_; }

 private:
  // Moves `number` up by 5000 (raising the offset) while it is in use, then
  // hands it out.
  std::int64_t handOut(std::int64_t number);
  bool renumbered() const { return pointAddition_ != 0 || pointOffset_ != 0; }

  std::int64_t pointAddition_;
  std::int64_t pointOffset_ = 0;
  std::vector<std::int64_t> used_;
  std::unordered_set<std::int64_t> usedSet_;
};

}  // namespace vorn::digconv
