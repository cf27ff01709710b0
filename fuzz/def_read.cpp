// A project definition file (.DEF) of any content read as the first
// project of a run or after a change of project (the first byte picks).
// Besides surviving any file: after the menu's zone lookup (emulated) the
// record is written, and what is written must read back completely and
// write again to the very same text.
#include <optional>
#include <string>

#include "common/files.h"
#include "fuzz_input.h"
#include "jobset/project_definition.h"

namespace {

using vorn::fuzz::check;
using vorn::jobset::ProjectDefinition;

class Text : public vorn::RecordSink {
 public:
  std::string text;

 protected:
  void putRecord(std::string_view record) override {
    text.append(record);
    text += "\r\n";
  }
};

std::string written(ProjectDefinition& definition) {
  Text out;
  vorn::jobset::writeProjectDefinition(out, definition);
  return out.text;
}

bool read(vorn::fuzz::MemoryFile& memory, std::string_view content, ProjectDefinition& definition, bool changed) {
  memory.fill(content);
  std::optional<vorn::InputFile> file = vorn::InputFile::openExisting(memory.path());
  check(file.has_value());
  return vorn::jobset::readProjectDefinition(*file, definition, changed);
}

// The menu shows the zone's line of ZONE.DAT, which begins with its number.
void lookUpZone(ProjectDefinition& definition) {
  if (definition.zoneNumber != 0)
    definition.zoneText = vorn::fixedText(std::to_string(definition.zoneNumber) + " ZONE", vorn::jobset::kZoneTextLength);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static vorn::fuzz::MemoryFile memory;
  vorn::fuzz::FuzzInput input(data, size);
  bool changed = (input.byte() & 1) != 0;

  ProjectDefinition definition;
  definition.averageElevation = 12.5;  // what an earlier project left
  bool complete = read(memory, input.rest(), definition, changed);
  if (!complete && !changed) check(definition.averageElevation == 0.0);  // the defaults
  check(vorn::jobset::unitLabel(definition).size() == vorn::jobset::kUnitLabelLength);

  lookUpZone(definition);
  // A field of asterisks would make the written file unreadable.
  std::string first = written(definition);

  ProjectDefinition again;
  check(read(memory, first, again, false));
  lookUpZone(again);
  check(written(again) == first);
  return 0;
}
