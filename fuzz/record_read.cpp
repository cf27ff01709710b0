// One record read through every input format the suite uses: the job
// name, answer lines and name fields ("(A)" into each text length in use,
// "(A1)", "(A8)", "(A72)", "(20A1)", "(80A1)") and the control file's
// "(A4,1X,A8)" and "(A4,27X,F11.4)". The text fields must come out as the
// record's columns, cut or blank-padded; the fixed field must be Done or
// Error, never anything else, and a Done value must read back as a number.
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/records.h"
#include "fuzz_input.h"

namespace {

using vorn::ReadOutcome;
using vorn::RecordFormat;

const RecordFormat kText("(A)");
const RecordFormat kText1("(A1)");
const RecordFormat kText8("(A8)");
const RecordFormat kText72("(A72)");
const RecordFormat kChars20("(20A1)");
const RecordFormat kChars80("(80A1)");
const RecordFormat kKindName("(A4,1X,A8)");
const RecordFormat kKindElevation("(A4,27X,F11.4)");

std::string columns(std::string_view record, std::size_t from, std::size_t width) {
  return vorn::fixedText(from < record.size() ? record.substr(from) : std::string_view(), width);
}

void check(bool condition) {
  if (!condition) std::abort();
}

void readText(const RecordFormat& format, std::string_view record, std::size_t length) {
  std::string field(length, '?');
  check(format.read(record, {field}) == ReadOutcome::Done);
  check(field == columns(record, 0, length));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorn::fuzz::FuzzInput input(data, size);
  std::string_view record = input.rest();

  for (std::size_t length : {1, 2, 5, 8, 10, 12, 20, 72, 80}) readText(kText, record, length);
  readText(kText1, record, 1);
  readText(kText8, record, 8);
  readText(kText72, record, 72);
  readText(kChars20, record, 20);
  readText(kChars80, record, 80);

  std::string kind(4, '?'), name(8, '?');
  check(kKindName.read(record, {kind, name}) == ReadOutcome::Done);
  check(kind == columns(record, 0, 4) && name == columns(record, 5, 8));

  double elevation = -1.0;
  kind.assign(4, '?');
  ReadOutcome outcome = kKindElevation.read(record, {kind, elevation});
  check(outcome == ReadOutcome::Done || outcome == ReadOutcome::Error);
  check(kind == columns(record, 0, 4));
  if (outcome == ReadOutcome::Done && std::isfinite(elevation)) {
    // The field held a number: it has a digit.
    std::string field = columns(record, 31, 11);
    check(field.find_first_of("0123456789") != std::string::npos || elevation == 0.0);
  }
  // A target of the wrong kind is an error, not a crash.
  std::string wrong(11, ' ');
  check(kKindElevation.read(record, {kind, wrong}) == ReadOutcome::Error);
  double notText = 0;
  check(kText8.read(record, {notText}) == ReadOutcome::Error);
  return 0;
}
