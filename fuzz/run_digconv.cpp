// DIGCONV converts a fuzzed .LEV file, with an existing observation and
// control file to append to or overwrite, and fixed answers (the first
// byte picks the suffix, the mode and the units; every guess and
// benchmark is accepted with Enter). Besides surviving any file: a run
// that reports an input error, or runs out of answers, leaves .OBS and
// .CTL as they were; a completed run rewrites the control file.
#include <string>

#include "digconv/flow.h"
#include "program_run.h"

namespace {

using vorn::fuzz::check;

const std::string kOldObservations = "H 00 SURVEY       CONVERTED FROM TOPCON TDS FORMAT\r\nH 99 VERSION 11/01/00\r\n";
const std::string kOldControl =
    "G 00 SURVEY.CTL          \r\nG 01 BM1      BM1                                              F\r\n"
    "G 02                              100.0000\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorn::fuzz::FuzzInput input(data, size);
  std::uint8_t choice = input.byte();
  vorn::fuzz::InJobFolder folder;
  vorn::fuzz::writeFile("TEMP.JOB", "SURVEY\r\n");
  vorn::fuzz::writeFile("SURVEY.LEV", input.rest());
  bool existing = (choice & 4) != 0;
  if (existing) {
    vorn::fuzz::writeFile("SURVEY.OBS", kOldObservations);
    vorn::fuzz::writeFile("SURVEY.CTL", kOldControl);
  }
  const char* suffixes[] = {"1", "500", "99999", "1000"};

  std::string answers = "\n";
  answers += suffixes[choice % 4];
  answers += '\n';
  if (existing) answers += (choice & 8) ? "2\n" : "1\n";
  answers += (choice & 16) ? "2\n" : "1\n";
  answers += std::string(40, '\n');

  std::string console;
  bool ended = vorn::fuzz::runFlow(vorn::digconv::run, answers, console);
  std::string observations = vorn::fuzz::readFile("SURVEY.OBS");
  std::string control = vorn::fuzz::readFile("SURVEY.CTL");
  std::string oldObservations = existing ? kOldObservations : "<missing>";
  std::string oldControl = existing ? kOldControl : "<missing>";
  if (!ended || console.find("NO FILES UPDATED") != std::string::npos) {
    check(observations == oldObservations && control == oldControl);
  } else {
    check(control.compare(0, 5, "G 00 ") == 0 && observations != "<missing>");
  }
  return 0;
}
