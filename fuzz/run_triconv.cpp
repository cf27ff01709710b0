// TRICONV converts a fuzzed field book, appending to or overwriting fuzzed
// old observation and control files. The input is the book, then
// optionally a NUL and the old .OBS, then a NUL and the old .CTL; the
// first byte picks append or overwrite and the units. Besides surviving
// any input: a run that reports an input error leaves .OBS and .CTL as
// they were, an absent file absent; a completed run writes both.
#include <optional>
#include <string>

#include "program_run.h"
#include "triconv/triconv.h"

namespace {

using vorn::fuzz::check;

struct Parts {
  std::string_view book;
  std::optional<std::string_view> observations;
  std::optional<std::string_view> control;
};

Parts split(std::string_view text) {
  Parts parts;
  std::size_t end = text.find('\0');
  parts.book = text.substr(0, end);
  if (end == std::string_view::npos) return parts;
  text.remove_prefix(end + 1);
  end = text.find('\0');
  parts.observations = text.substr(0, end);
  if (end != std::string_view::npos) parts.control = text.substr(end + 1);
  return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorn::fuzz::FuzzInput input(data, size);
  std::uint8_t choice = input.byte();
  Parts parts = split(input.rest());
  vorn::fuzz::InJobFolder folder;
  vorn::fuzz::writeFile("TEMP.JOB", "SURVEY\r\n");
  vorn::fuzz::writeFile("BOOK.TXT", parts.book);
  if (parts.observations) vorn::fuzz::writeFile("SURVEY.OBS", *parts.observations);
  if (parts.control) vorn::fuzz::writeFile("SURVEY.CTL", *parts.control);
  std::string oldObservations = vorn::fuzz::readFile("SURVEY.OBS");
  std::string oldControl = vorn::fuzz::readFile("SURVEY.CTL");

  std::string answers = "\nTP\n1\nBOOK.TXT\n";
  if (parts.observations) answers += (choice & 1) ? "2\n" : "1\n";
  answers += (choice & 2) ? "2\n" : "1\n";
  answers += "\n1252.35\n";

  std::string console;
  bool ended = vorn::fuzz::runFlow(vorn::triconv::run, answers, console);
  std::string newObservations = vorn::fuzz::readFile("SURVEY.OBS");
  std::string newControl = vorn::fuzz::readFile("SURVEY.CTL");
  bool inputError = console.find("NO FILES UPDATED") != std::string::npos;
  bool noStart = ended && console.find("THREE WIRE LEVELING RESULTS") == std::string::npos;
  if (!ended || inputError || noStart) {
    check(newObservations == oldObservations && newControl == oldControl);
  } else {
    check(newObservations != "<missing>" && newControl.compare(0, 5, "G 00 ") == 0);
  }
  return 0;
}
