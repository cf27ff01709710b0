// A small dialogue over the common library, run by the tests of the
// console and file failures as a stand-in for a program of the suite: it
// asks a name, a count and a yes/no question, then replaces PROBE.OUT
// with that many records.
#include "common/dialogue.h"

namespace {

const vorn::RecordFormat kNamePrompt("(' INPUT NAME FOR THE PROBE FILE')");
const vorn::RecordFormat kCountPrompt("(' HOW MANY RECORDS ?')");
const vorn::RecordFormat kWritePrompt("(' WRITE THEM (Y/N)? <Y>')");
const vorn::RecordFormat kRecord("(1X,A,I8,F12.4)");
const vorn::RecordFormat kDone("(' ',I8,' RECORDS WRITTEN FOR ',A)");

void probe(vorn::Console& console) {
  std::string name = vorn::askText(console, kNamePrompt, {}, 12);
  std::int32_t count = vorn::askInteger(console, kCountPrompt);
  if (vorn::askYesNo(console, kWritePrompt, 'Y') != 'Y') return;
  vorn::ReplacementFile file("PROBE.OUT");
  for (std::int32_t i = 1; i <= count; ++i) file.write(kRecord, {name, i, i * 0.25});
  file.commit();
  console.write(kDone, {count, name});
}

}  // namespace

int main() { return vorn::runProgram("probe", probe); }
