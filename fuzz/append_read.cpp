// What appending to a job's observation and control files reads from the
// old files: the control points of the old control file (G 01 / G 02
// pairs) and the old observation records carried over. The input is the
// old file, read both ways. Names come out 8 characters; carried records
// are at most 80 columns, without trailing blanks, never blank, and never
// more than the file's lines.
#include <optional>
#include <string>

#include "common/files.h"
#include "fuzz_input.h"
#include "leveling/obsctl.h"

namespace {

using vorn::fuzz::check;

class Records : public vorn::RecordSink {
 public:
  std::size_t count = 0;

 protected:
  void putRecord(std::string_view record) override {
    ++count;
    check(!record.empty() && record.size() <= 80 && record.back() != ' ');
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static vorn::fuzz::MemoryFile oldFile;
  std::string_view content(reinterpret_cast<const char*>(data), size);
  oldFile.fill(content);

  std::optional<vorn::InputFile> control = vorn::InputFile::openExisting(oldFile.path());
  check(control.has_value());
  vorn::ControlPoints points = vorn::readControlPoints(*control);
  for (const vorn::ControlPoint& point : points.entries) check(point.name.size() == vorn::kObservationNameLength);
  // Every pair takes two lines at least.
  std::size_t lines = 0;
  for (char c : content) lines += c == '\n';
  lines += !content.empty() && content.back() != '\n';
  check(points.entries.size() * 2 <= lines);

  std::optional<vorn::InputFile> observations = vorn::InputFile::openExisting(oldFile.path());
  check(observations.has_value());
  Records carried;
  vorn::carryObservationsOver(*observations, carried);
  check(carried.count <= lines);
  return 0;
}
