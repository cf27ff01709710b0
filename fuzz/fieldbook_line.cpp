// One line of a three-wire field book, classified as before the start line
// is found and as in the run. Besides surviving any line: only the kinds
// of each phase come out; an item is a run of non-blank characters within
// the first 80 columns; the run's Station test agrees with the standalone
// one; and nothing after column 80 changes the outcome.
#include <cstdlib>
#include <string>

#include "leveling/fieldbook.h"

namespace {

using vorn::FieldLine;
using vorn::FieldLineKind;

void check(bool condition) {
  if (!condition) std::abort();
}

void checkItem(std::string_view line, std::string_view item) {
  std::string_view columns = vorn::fieldLineColumns(line);
  check(!item.empty() && item.find(' ') == std::string_view::npos);
  check(item.data() >= columns.data() && item.data() + item.size() <= columns.data() + columns.size());
  // It ends before column 80.
  check(item.data() + item.size() < columns.data() + vorn::kFieldLineColumns);
  check(vorn::stationName(item).size() == vorn::kStationNameLength);
}

bool sameReadings(const vorn::WireReadings& a, const vorn::WireReadings& b) {
  auto same = [](double x, double y) { return x == y || (x != x && y != y); };
  return same(a.upper, b.upper) && same(a.middle, b.middle) && same(a.lower, b.lower);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  std::string_view columns = vorn::fieldLineColumns(line);

  FieldLine start = vorn::classifyStartSearchLine(line);
  check(start.kind == FieldLineKind::Start || start.kind == FieldLineKind::Ignored);
  if (start.kind == FieldLineKind::Start) checkItem(line, start.item);
  FieldLine startCut = vorn::classifyStartSearchLine(columns);
  check(startCut.kind == start.kind && startCut.item == start.item &&
        (startCut.elevation == start.elevation || start.elevation != start.elevation));

  FieldLine run = vorn::classifyRunLine(line);
  check(run.kind == FieldLineKind::Station || run.kind == FieldLineKind::Setup ||
        run.kind == FieldLineKind::Ignored || run.kind == FieldLineKind::Malformed);
  check(vorn::isStationLine(line) == (run.kind == FieldLineKind::Station));
  if (run.kind == FieldLineKind::Station) checkItem(line, run.item);
  if (run.kind == FieldLineKind::Setup) (void)vorn::setupPassesWireChecks(run.backsight, run.foresight);
  FieldLine runCut = vorn::classifyRunLine(columns);
  check(runCut.kind == run.kind && runCut.item == run.item);
  if (run.kind == FieldLineKind::Setup)
    check(sameReadings(runCut.backsight, run.backsight) && sameReadings(runCut.foresight, run.foresight));
  return 0;
}
