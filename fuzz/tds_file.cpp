// A whole TDS level file through the two passes: the benchmark scan, then
// the setup pass one setup at a time, with hooks that accept every guess
// and number no point. Each setup comes from lines read after the one
// before, so a pass yields fewer setups than the file has lines and always
// ends; the line counter never passes the number of lines.
#include <optional>

#include "digconv/tds.h"
#include "fuzz_input.h"

namespace {

using namespace vorn::digconv;
using vorn::fuzz::check;

class AcceptingHooks : public SetupPassHooks {
 public:
  bool completed = false;
  bool setupCompleted() const override { return completed; }
  double guessReading(double reading) override { return reading; }
  double guessDistance(double distance) override { return distance; }
  void numberPoint(TdsSight& sight, bool) override { check(sight.pointName.size() == kNameLength); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorn::fuzz::FuzzInput input(data, size);
  std::string_view text = input.rest();

  ScalingState scaling;
  vorn::fuzz::Lines scanLines(text);
  StartingBenchmark benchmark = scanStartingBenchmark(scanLines, scaling);
  check(benchmark.name.size() == kNameLength);

  vorn::fuzz::Lines lines(text);
  AcceptingHooks hooks;
  SetupReader reader(lines, scaling, hooks);
  std::size_t setups = 0;
  while (std::optional<TdsSetup> setup = reader.nextSetup()) {
    ++setups;
    check(setups < lines.count());
    check(setup->backsight.lineName.size() == kNameLength && setup->foresight.pointName.size() == kNameLength);
    (void)setupIsValid(*setup);
    hooks.completed = true;
    check(reader.lineCounter() >= 0 && static_cast<std::size_t>(reader.lineCounter()) <= lines.count());
  }
  check(static_cast<std::size_t>(reader.lineCounter()) <= lines.count());
  return 0;
}
