#include "leveling/questions.h"

#include "common/dialogue.h"
#include "common/files.h"

namespace vorn {

namespace {

const RecordFormat kSmallerSuffix("(/,' USE A SMALLER SUFFIX !!!!! <100000',/)");
const RecordFormat kStadiaQuestion("(' INPUT STADIA CONSTANT <100>')");
const RecordFormat kClosingQuestion(
    "(' ENDING UNADJUSTED ELEVATION IS ',F12.4,/,' WHAT IS THE KNOWN ELEVATION OF CLOSING STATION ',A,' ?')");
const RecordFormat kInputIsJobOutput("(' INPUT FILE IS ALSO AN OUTPUT FILE OF THE JOB - STOP')");

constexpr std::int32_t kLargestSuffix = 99999;
constexpr std::size_t kStadiaAnswerLength = 20;
constexpr double kLowestStadiaConstant = 49.0;
constexpr double kHighestStadiaConstant = 501.0;

}  // namespace

std::int32_t askTurningPointSuffix(Console& console, const RecordFormat& prompt) {
  for (;;) {
    std::int32_t suffix = askInteger(console, prompt);
    if (suffix > kLargestSuffix) {
      console.write(kSmallerSuffix);
    } else if (suffix >= 1) {
      return suffix;
    }
  }
}

double askStadiaConstant(Console& console) {
  return askNumberWithDefault(console, kStadiaQuestion, kDefaultStadiaConstant, kStadiaAnswerLength,
                              [](double k) { return k >= kLowestStadiaConstant && k <= kHighestStadiaConstant; });
}

double askKnownClosingElevation(Console& console, const StationEntry& closing) {
  return askNumber(console, kClosingQuestion, {closing.elevation, closing.name});
}

bool inputIsJobOutput(const std::string& inputPath, std::initializer_list<std::string_view> outputNames) {
  for (std::string_view name : outputNames)
    if (sameFile(inputPath, std::string(trimBlanks(name)))) return true;
  return false;
}

void writeInputIsJobOutput(Console& console) { console.write(kInputIsJobOutput); }

}  // namespace vorn
