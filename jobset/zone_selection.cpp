#include "jobset/zone_selection.h"

#include <array>
#include <cerrno>
#include <optional>
#include <vector>

#include "common/dialogue.h"
#include "common/files.h"
#include "common/freeformat.h"
#include "common/records.h"

namespace vorn::jobset {

namespace {

const RecordFormat kAssumedQuestion(
    "(' DO YOU WISH TO RUN YOUR DATA IN AN ASSUMED (NO STATE PLANE)',/,' COORDINATE SYSTEM ? (Y/N) <N>')");
const RecordFormat kListLine("(A)");
const RecordFormat kZoneLineRecord("(A72)");
const RecordFormat kFirstPagePrompt("(/,' INPUT ZONE # OR PRESS ENTER IF YOU WANT LAMBERT ZONES')");
const RecordFormat kSecondPagePrompt("(' INPUT ZONE # (1-121) OR PRESS ENTER FOR ALASKA MERCATOR ZONES')");
const RecordFormat kThirdPagePrompt("(' INPUT ZONE # (1-130) OR PRESS ENTER TO REPEAT LIST')");

constexpr std::size_t kZoneAnswerLength = 5;

// One page of the list: lines first..last of TABLE.DAT (counted from 1),
// its question, and the largest zone number it accepts.
struct ListPage {
  std::size_t first;
  std::size_t last;
  const RecordFormat& prompt;
  std::int32_t largestZone;
};
const std::array<ListPage, 3> kPages = {{
    {1, 20, kFirstPagePrompt, 49},
    {21, 47, kSecondPagePrompt, 121},
    {48, 60, kThirdPagePrompt, 130},
}};
constexpr std::size_t kListLines = 60;

InputFile openZoneFile(const char* name) {
  std::optional<InputFile> file = InputFile::openExisting(name);
  if (!file) throwIoFailure("open", name, ENOENT);
  return std::move(*file);
}

ZoneLine readZoneLine(InputFile& file, const char* name, std::int32_t lineNumber) {
  ZoneLine line(kZoneLineLength, ' ');
  if (file.read(kZoneLineRecord, {line}) != ReadOutcome::Done)
    throwIoFailure("read", name, "the file ends before line " + std::to_string(lineNumber));
  return line;
}

// The list lines, read whole before the first page is shown: a list too
// short for its three pages fails at once.
std::vector<ZoneLine> readZoneList() {
  InputFile file = openZoneFile(kZoneListFile);
  std::vector<ZoneLine> lines;
  for (std::size_t k = 1; k <= kListLines; ++k)
    lines.push_back(readZoneLine(file, kZoneListFile, static_cast<std::int32_t>(k)));
  return lines;
}

// The answer to a page's question: nothing for a blank answer; an answer
// that is not a number asks again, without listing the page again.
std::optional<std::int32_t> askZoneAnswer(Console& console, const RecordFormat& prompt) {
  for (;;) {
    std::string answer = askText(console, prompt, {}, kZoneAnswerLength);
    if (isBlank(answer)) return std::nullopt;
    std::int32_t zone = 0;
    if (freeFormatRead(answer, {zone}) == ReadOutcome::Done) return zone;
  }
}

// Pages through the list until a zone within a page's bounds is typed.
std::int32_t chooseZone(Console& console) {
  const std::vector<ZoneLine> lines = readZoneList();
  for (;;) {
    for (const ListPage& page : kPages) {
      for (std::size_t k = page.first; k <= page.last; ++k) console.write(kListLine, {lines[k - 1]});
      std::optional<std::int32_t> zone = askZoneAnswer(console, page.prompt);
      if (zone && *zone >= 1 && *zone <= page.largestZone) return *zone;
    }
  }
}

}  // namespace

ZoneLine lookUpZone(std::int32_t zoneNumber) {
  InputFile file = openZoneFile(kZoneDescriptionFile);
  ZoneLine line(kZoneLineLength, ' ');
  for (std::int32_t k = 1; k <= zoneNumber; ++k) line = readZoneLine(file, kZoneDescriptionFile, k);
  return line;
}

void selectZone(Console& console, std::int32_t& zoneNumber, ZoneLine& zoneLine) {
  if (zoneNumber == 0) {
    if (askYesNo(console, kAssumedQuestion, 'N') == 'Y') return;
    zoneNumber = chooseZone(console);
  }
  zoneLine = lookUpZone(zoneNumber);
}

}  // namespace vorn::jobset
