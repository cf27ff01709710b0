// The free-format read of one text alone (answer lines, a line of a field
// book, a number area): up to eight integer and real targets chosen by the
// first two bytes, the rest is the text. Besides surviving any text, the
// outcome must be one of the three, and targets past the first refused
// token must be untouched.
#include <cstdlib>
#include <vector>

#include "common/freeformat.h"
#include "fuzz_input.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorn::fuzz::FuzzInput input(data, size);
  std::size_t count = input.byte() % 9;
  std::uint8_t kinds = input.byte();
  std::string_view text = input.rest();

  constexpr double kUntouchedReal = -7.5e300;
  constexpr std::int32_t kUntouchedInteger = -123456789;
  std::vector<double> reals(count, kUntouchedReal);
  std::vector<std::int32_t> integers(count, kUntouchedInteger);
  std::vector<vorn::NumberTarget> targets;
  for (std::size_t i = 0; i < count; ++i) {
    if (kinds & (1u << i)) {
      targets.emplace_back(reals[i]);
    } else {
      targets.emplace_back(integers[i]);
    }
  }
  vorn::SingleLineSource source(text);
  vorn::ReadOutcome outcome = vorn::freeFormatRead(source, targets);
  check(outcome == vorn::ReadOutcome::Done || outcome == vorn::ReadOutcome::End ||
        outcome == vorn::ReadOutcome::Error);
  if (count == 0) check(outcome == vorn::ReadOutcome::Done);
  // A read that is done with one target filled the first number of the text.
  if (count == 1 && outcome == vorn::ReadOutcome::Done && (kinds & 1) != 0 && reals[0] != kUntouchedReal) {
    double again = kUntouchedReal;
    check(vorn::freeFormatRead(text, {again}) == vorn::ReadOutcome::Done && again == reals[0]);
  }
  return 0;
}
