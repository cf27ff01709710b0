// One line of a TDS level file through every reader of a single line: the
// 80 positions and the trailing comma, the number area (one number and
// three), the sight fields, an extra reading and the benchmark record (a
// scan over this line alone). Names must come out 8 characters long, a
// point number only when greater than 0, and an unreadable extra reading
// must change nothing.
#include <cstdlib>
#include <string>

#include "common/freeformat.h"
#include "digconv/tds.h"
#include "fuzz_input.h"

namespace {

using namespace vorn::digconv;

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorn::fuzz::FuzzInput input(data, size);
  std::string_view raw = input.rest();

  TdsLine line(raw);
  check(line.text.size() == kLineLength);
  std::string before = line.text;
  stripTrailingComma(line);
  check(line.text.size() == kLineLength);
  std::size_t changed = 0;
  for (std::size_t i = 0; i < kLineLength; ++i) {
    if (line.text[i] != before[i]) {
      ++changed;
      check(before[i] == ',' && line.text[i] == ' ');
      check(before.find_first_not_of(' ', i + 1) == std::string::npos);
    }
  }
  check(changed <= 1);

  double one[1] = {-1};
  double three[3] = {-1, -1, -1};
  (void)readNumberArea(line, one);
  bool readThree = readNumberArea(line, three);
  if (readThree) {
    // The first of three numbers is the one number.
    double first[1] = {-2};
    check(readNumberArea(line, first) && (first[0] == three[0] || three[0] != three[0]));
  }

  SightFields fields = sightFields(line);
  check(fields.lineName.size() == kNameLength && fields.pointName.size() == kNameLength);
  check(!fields.pointNumber || *fields.pointNumber > 0);

  double extraBacksight = 0.5, extraForesight = 0.25;
  readExtraReading(line, extraBacksight, extraForesight, 1000.0);
  if (!readNumberArea(line, one)) check(extraBacksight == 0.5 && extraForesight == 0.25);

  vorn::SingleLineSource source(raw);
  ScalingState scaling;
  StartingBenchmark benchmark = scanStartingBenchmark(source, scaling);
  check(benchmark.name.size() == kNameLength);
  check(scaling.rodDivisor == 1000.0 || scaling.rodDivisor == 100.0);
  check(scaling.distanceDivisor == 100.0);
  return 0;
}
