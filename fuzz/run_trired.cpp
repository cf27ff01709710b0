// TRIRED reduces a fuzzed field book over an existing least-squares data
// file, with fixed answers (the first input byte picks the units and the
// curvature answer). Besides surviving any book: the run never fails on a
// file, and the .ZZZ file is either untouched (a run that stops early) or
// its old lines, each as 72 characters, followed by new records.
#include <string>

#include "common/records.h"
#include "program_run.h"
#include "trired/trired.h"

namespace {

using vorn::fuzz::check;

const std::string kOldLeastSquares = " 0                       .0000      .0010 1\r\n OLD LINE\r\n";
// The old lines as a later run keeps them: 72 characters each.
const std::string kOldKept = vorn::fixedText(" 0                       .0000      .0010 1", 72) + "\r\n" +
                             vorn::fixedText(" OLD LINE", 72) + "\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorn::fuzz::FuzzInput input(data, size);
  std::uint8_t choice = input.byte();
  vorn::fuzz::InJobFolder folder;
  vorn::fuzz::writeFile("TEMP.JOB", "SURVEY\r\n");
  vorn::fuzz::writeFile("BOOK.TXT", input.rest());
  vorn::fuzz::writeFile("SURVEY.ZZZ", kOldLeastSquares);

  std::string answers = "BOOK.TXT\n";
  answers += static_cast<char>('1' + choice % 3);
  answers += '\n';
  answers += static_cast<char>('1' + choice / 3 % 3);
  answers += "\n0.01\n\n";
  answers += (choice & 0x40) ? "N\n" : "Y\n";
  answers += "0.001\n1252.35\n";

  std::string console;
  vorn::fuzz::runFlow(trired::run, answers, console);
  std::string after = vorn::fuzz::readFile("SURVEY.ZZZ");
  check(after == kOldLeastSquares || after.compare(0, kOldKept.size(), kOldKept) == 0);
  if (console.find("NO FILES UPDATED") != std::string::npos) check(after == kOldLeastSquares);
  return 0;
}
