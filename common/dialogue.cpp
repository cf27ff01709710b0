#include "dialogue.h"

#include <csignal>
#include <cstdio>
#include <exception>

namespace vorn {

namespace {

const RecordFormat kFileNameMissing("(' File name missing or blank - please enter file name',/,' UNIT ',I1,'? ')");
const RecordFormat kStop("(' Stop - Program terminated.')");

// Console lines as a source for the free-format read; the end of the
// console's input is an input/output failure.
class ConsoleSource : public LineSource {
 public:
  explicit ConsoleSource(Console& console) : console_(console) {}
  bool nextLine(std::string_view& line) override {
    line = console_.readRequiredLine();
    return true;
  }

 private:
  Console& console_;
};

}  // namespace

std::string answerText(std::string_view line, std::size_t n) { return fixedText(line, n); }

std::string askText(Console& console, const RecordFormat& prompt, std::initializer_list<Value> values,
                    std::size_t n) {
  console.write(prompt, values);
  return answerText(console.readRequiredLine(), n);
}

char askChoice(Console& console, const RecordFormat& prompt, char defaultChar, std::string_view accepted,
               std::initializer_list<Value> values) {
  for (;;) {
    char c = askText(console, prompt, values, 1)[0];
    if (c == ' ') return defaultChar;
    if (accepted.find(c) != std::string_view::npos) return c;
  }
}

char askYesNo(Console& console, const RecordFormat& prompt, char defaultLetter, std::initializer_list<Value> values) {
  for (;;) {
    char c = askText(console, prompt, values, 1)[0];
    if (c == ' ') c = defaultLetter;
    if (c == 'y') c = 'Y';
    if (c == 'n') c = 'N';
    if (c == 'Y' || c == 'N') return c;
  }
}

double askNumberWithDefault(Console& console, const RecordFormat& prompt, double defaultValue, std::size_t n,
                            const std::function<bool(double)>& accept, std::initializer_list<Value> values) {
  for (;;) {
    std::string answer = askText(console, prompt, values, n);
    if (isBlank(answer)) return defaultValue;
    double value = defaultValue;
    if (freeFormatRead(answer, {value}) == ReadOutcome::Done && accept(value)) return value;
  }
}

double askNumber(Console& console, const RecordFormat& prompt, std::initializer_list<Value> values) {
  for (;;) {
    console.write(prompt, values);
    ConsoleSource source(console);
    double value = 0;
    if (freeFormatRead(source, {value}) == ReadOutcome::Done) return value;
  }
}

std::int32_t askInteger(Console& console, const RecordFormat& prompt, std::initializer_list<Value> values) {
  for (;;) {
    console.write(prompt, values);
    ConsoleSource source(console);
    std::int32_t value = 0;
    if (freeFormatRead(source, {value}) == ReadOutcome::Done) return value;
  }
}

IntegerText integerText(std::int32_t n) {
  static const RecordFormat kWidths[] = {RecordFormat("(I1)"), RecordFormat("(I2)"), RecordFormat("(I3)"),
                                         RecordFormat("(I4)"), RecordFormat("(I5)"), RecordFormat("(I6)")};
  int width = 1;
  if (n >= 100000) {
    width = 6;
  } else if (n >= 10000) {
    width = 5;
  } else if (n >= 1000) {
    width = 4;
  } else if (n >= 100) {
    width = 3;
  } else if (n >= 10) {
    width = 2;
  }
  std::string record = kWidths[width - 1].render({n});
  record.pop_back();  // the record's line end
  return IntegerText{fixedText(record, 8), width};
}

std::optional<std::string> readJobFile() {
  std::optional<InputFile> file = InputFile::openExisting(kJobFile);
  if (!file) return std::nullopt;
  std::string_view line;
  if (!file->readLine(line)) return std::nullopt;
  return fixedText(line, kJobNameLength);
}

void writeJobFile(std::string_view line) {
  ReplacementFile file(kJobFile);
  file.writeRaw(line);
  file.commit();
}

std::string obtainJobName(Console& console, const RecordFormat& defaultNamePrompt, const RecordFormat& namePrompt) {
  std::optional<std::string> current = readJobFile();
  if (current) {
    std::string answer = askText(console, defaultNamePrompt, {*current}, kJobNameLength);
    if (isBlank(answer)) return *current;
    writeJobFile(answer);
    return answer;
  }
  std::string answer = askText(console, namePrompt, {}, kJobNameLength);
  writeJobFile(answer);
  return answer;
}

std::string jobFileName(std::string_view jobName, std::string_view extension) {
  std::string name(trimRight(jobName));
  name += extension;
  return fixedText(name, kFileNameLength);
}

std::string fileNameToOpen(Console& console, int unit, std::string_view typed) {
  std::string name(trimBlanks(typed));
  while (name.empty()) {
    console.write(kFileNameMissing, {unit});
    name = std::string(trimBlanks(console.readRequiredLine()));
  }
  return name;
}

int runProgram(std::string_view programName, const std::function<void(Console&)>& mainFlow) {
  // A console that goes away is a write failure, not a signal; so is a
  // file that reaches the file-size limit (EFBIG), which would otherwise
  // kill the program half way through a write.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  Console console(stdin, stdout);
  try {
    mainFlow(console);
    console.write(kStop);
    console.flush();
    return 0;
  } catch (const IoFailure& failure) {
    std::fflush(stdout);
    std::fprintf(stderr, "%.*s: %s failed on %s: %s\n", static_cast<int>(programName.size()), programName.data(),
                 failure.operation.c_str(), failure.file.c_str(), failure.reason.c_str());
    return 2;
  } catch (const std::exception& failure) {
    // Out of memory and the like: still one line and status 2, never a crash.
    std::fflush(stdout);
    std::fprintf(stderr, "%.*s: failed: %s\n", static_cast<int>(programName.size()), programName.data(),
                 failure.what());
    return 2;
  }
}

}  // namespace vorn
