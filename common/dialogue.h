// The console dialogue shared by the four programs: the question idioms,
// the job name and job files, the opening of files by name, and the
// ordinary stop.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "console.h"
#include "files.h"
#include "freeformat.h"
#include "records.h"

namespace vorn {

// ---- Questions ----
// Every question writes its whole prompt again after a refused answer. The
// end of the console's input at any question is an input/output failure.

// Writes the prompt and reads one answer line: its first n characters,
// blank-padded.
std::string askText(Console& console, const RecordFormat& prompt, std::initializer_list<Value> values,
                    std::size_t n);

// One-character numbered choice: blank gives `defaultChar`; any character
// not in `accepted` asks again. Returns the accepted character.
char askChoice(Console& console, const RecordFormat& prompt, char defaultChar, std::string_view accepted,
               std::initializer_list<Value> values = {});

// One-character yes/no: blank gives `defaultLetter`; y and n count as Y and
// N; anything else asks again. Returns 'Y' or 'N'.
char askYesNo(Console& console, const RecordFormat& prompt, char defaultLetter,
              std::initializer_list<Value> values = {});

// Number with default: an answer line of n characters; blank gives
// `defaultValue`; otherwise the first number of the text, asked again when
// the text holds none, cannot be read or fails `accept`.
double askNumberWithDefault(Console& console, const RecordFormat& prompt, double defaultValue, std::size_t n,
                            const std::function<bool(double)>& accept, std::initializer_list<Value> values = {});

// Number without default: a free-format read straight from the console.
// Lines holding no value are passed over without a new prompt; a value that
// cannot be read asks again with the whole prompt.
double askNumber(Console& console, const RecordFormat& prompt, std::initializer_list<Value> values = {});
std::int32_t askInteger(Console& console, const RecordFormat& prompt, std::initializer_list<Value> values = {});

// The answer line as read into n characters (first n, blank-padded).
std::string answerText(std::string_view line, std::size_t n);

// ---- Integers as text ----

// The text of n in the fewest of the widths 1 to 6, held as 8 characters
// (digits, then blanks), with the width used.
struct IntegerText {
  std::string text;  // 8 characters
  int width = 1;
};
IntegerText integerText(std::int32_t n);

// ---- Job name and job files ----

inline constexpr const char* kJobFile = "TEMP.JOB";
inline constexpr std::size_t kJobNameLength = 12;
inline constexpr std::size_t kFileNameLength = 20;

// The first line of TEMP.JOB as a 12-character job name, or nothing when
// the file is missing or holds no line.
std::optional<std::string> readJobFile();

// Replaces TEMP.JOB with one line holding `line` as given.
void writeJobFile(std::string_view line);

// The job name as TRICONV and DIGCONV obtain it: from TEMP.JOB with the
// default-name question, or by the name question; TEMP.JOB is written when
// the name is new or changed.
std::string obtainJobName(Console& console, const RecordFormat& defaultNamePrompt,
                          const RecordFormat& namePrompt);

// The job file name: the job name up to its last non-blank character, then
// the extension, in a 20-character field (cut or blank-padded).
std::string jobFileName(std::string_view jobName, std::string_view extension);

// The name of a file to open: `typed` without leading and trailing blanks;
// when that is empty, asks "File name missing or blank - please enter file
// name" and UNIT n? until a non-blank line is typed.
std::string fileNameToOpen(Console& console, int unit, std::string_view typed);

// ---- Running a program ----

// Runs a program's main flow on the process's console. A normal return
// ends with the ordinary stop ("Stop - Program terminated.", status 0); an
// input/output failure ends with a one-line report on standard error and
// status 2.
int runProgram(std::string_view programName, const std::function<void(Console&)>& mainFlow);

}  // namespace vorn
