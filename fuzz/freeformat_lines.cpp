// The free-format read over several lines of one source (a read that
// continues on the next line while targets remain, as the console and the
// project definition file give it). The first two bytes choose the
// targets; the rest is split into lines at line feeds. The source must
// never be asked for a line after it has said it has none, and an End
// outcome must come only when every line has been taken.
#include <cstdlib>
#include <vector>

#include "common/freeformat.h"
#include "fuzz_input.h"

using vorn::fuzz::check;
using vorn::fuzz::Lines;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorn::fuzz::FuzzInput input(data, size);
  std::size_t count = input.byte() % 9;
  std::uint8_t kinds = input.byte();

  std::vector<double> reals(count, 0.0);
  std::vector<std::int32_t> integers(count, 0);
  std::vector<vorn::NumberTarget> targets;
  for (std::size_t i = 0; i < count; ++i) {
    if (kinds & (1u << i)) {
      targets.emplace_back(reals[i]);
    } else {
      targets.emplace_back(integers[i]);
    }
  }
  Lines lines(input.rest());
  vorn::ReadOutcome outcome = vorn::freeFormatRead(lines, targets);
  if (outcome == vorn::ReadOutcome::End) check(lines.allTaken());
  return 0;
}
