#include "digconv/tds.h"

#include <array>
#include <vector>

#include "common/records.h"

namespace vorn::digconv {

namespace {

const RecordFormat kLineFormat("(80A1)");

constexpr std::string_view kSightCodes = "15AE2B";
constexpr std::string_view kBenchmarkCodes = "1AE2B";

bool isSightLine(const TdsLine& line, char letter) {
  return line.letter() == letter && kSightCodes.find(line.code()) != std::string_view::npos;
}

bool isBlankChar(char c) { return c == ' '; }

// The text of positions `first` to `last` (counted from 1; empty when last
// is before first) held in 8 characters.
std::string nameFromPositions(const TdsLine& line, std::size_t first, std::size_t last) {
  if (last < first) return std::string(kNameLength, ' ');
  return fixedText(std::string_view(line.text).substr(first - 1, last - first + 1), kNameLength);
}

// The position of the next comma scanning back from `from` down to
// `lowest`, or 0 when there is none.
std::size_t commaBackFrom(const TdsLine& line, std::size_t from, std::size_t lowest) {
  for (std::size_t p = from; p >= lowest && p > 0; --p) {
    if (line.at(p) == ',') return p;
  }
  return 0;
}

}  // namespace

TdsLine::TdsLine(std::string_view raw) : text(kLineLength, ' ') { kLineFormat.read(raw, {text}); }

void stripTrailingComma(TdsLine& line) {
  std::size_t last = line.text.find_last_not_of(' ');
  if (last != std::string::npos && line.text[last] == ',') line.text[last] = ' ';
}

bool readNumberArea(const TdsLine& line, std::span<double> numbers) {
  std::vector<NumberTarget> targets;
  for (double& number : numbers) {
    number = 0;
    targets.emplace_back(number);
  }
  SingleLineSource source(line.numberArea());
  return freeFormatRead(source, targets) == ReadOutcome::Done;
}

SightFields sightFields(const TdsLine& line) {
  SightFields fields;
  std::size_t last = 0;
  for (std::size_t p = kLineLength; p >= 2; --p) {
    if (!isBlankChar(line.at(p))) {
      last = p;
      break;
    }
  }
  if (last == 0) return fields;
  std::size_t lastFieldEnd = line.at(last) == ',' ? last - 1 : last;
  std::size_t first = commaBackFrom(line, last - 1, 2);
  if (first == 0) return fields;
  fields.lineName = nameFromPositions(line, first + 1, lastFieldEnd);
  std::size_t second = commaBackFrom(line, first - 1, 2);
  if (second == 0) return fields;
  std::size_t third = commaBackFrom(line, second - 1, 2);
  if (third == 0) return fields;
  if (third + 1 == second) return fields;  // an empty point field
  fields.pointName = nameFromPositions(line, third + 1, second - 1);
  std::int32_t number = 0;
  if (freeFormatRead(fields.pointName, {number}) == ReadOutcome::Done && number > 0) fields.pointNumber = number;
  return fields;
}

void readExtraReading(const TdsLine& line, double& extraBacksight, double& extraForesight, double rodDivisor) {
  double number = 0;
  if (!readNumberArea(line, std::span<double>(&number, 1))) return;
  if (line.letter() == 'h') extraBacksight = number / rodDivisor;
  if (line.letter() == 'j') extraForesight = number / rodDivisor;
}

namespace {

bool sightIsValid(const TdsSight& sight) {
  if (sight.upper == 0 && sight.lower == 0) return false;
  if (sight.upper != 0 && (sight.reading > sight.upper || sight.upper < sight.lower)) return false;
  if (sight.lower != 0 && sight.reading < sight.lower) return false;
  return true;
}

}  // namespace

bool setupIsValid(const TdsSetup& setup) { return sightIsValid(setup.backsight) && sightIsValid(setup.foresight); }

StartingBenchmark scanStartingBenchmark(LineSource& source, ScalingState& scaling) {
  StartingBenchmark benchmark;
  scaling.rodDivisor = 1000.0;
  std::string_view raw;
  while (source.nextLine(raw)) {
    TdsLine line(raw);
    stripTrailingComma(line);
    char letter = line.letter();
    if (letter != 'b' && letter != 'g' && letter != 'i' && letter != 'c') continue;
    if (kBenchmarkCodes.find(line.code()) == std::string_view::npos) continue;
    if (line.precisionFlag() == '4') scaling.rodDivisor = 100.0;
    if (letter != 'b' && letter != 'c') continue;

    std::array<std::size_t, 4> commas{};
    std::size_t found = 0;
    for (std::size_t p = 1; p <= kLineLength && found < commas.size(); ++p) {
      if (line.at(p) == ',') commas[found++] = p;
    }
    if (found < 3) continue;
    std::size_t nameEnd = found == 4 ? commas[3] - 1 : kLineLength;
    benchmark.name = nameFromPositions(line, commas[2] + 1, nameEnd);
    if (found == 4 && commas[3] < kLineLength) {
      std::string_view elevationText = std::string_view(line.text).substr(commas[3], 12);
      double elevation = 0;
      if (freeFormatRead(elevationText, {elevation}) == ReadOutcome::Done)
        benchmark.elevation = elevation / scaling.rodDivisor;
    }
    break;
  }
  return benchmark;
}

StartingBenchmark scanStartingBenchmark(InputFile& file, ScalingState& scaling) {
  StartingBenchmark benchmark = scanStartingBenchmark(static_cast<LineSource&>(file), scaling);
  file.rewind();
  return benchmark;
}

// ---- The setup pass ----

bool SetupReader::readLine() {
  if (pushedBack_) {
    pushedBack_ = false;
    return true;
  }
  if (ended_) return false;
  std::string_view raw;
  if (!source_.nextLine(raw)) {
    ended_ = true;
    return false;
  }
  ++lineCounter_;
  line_ = TdsLine(raw);
  stripTrailingComma(line_);
  return true;
}

namespace {

void deriveWires(TdsSight& sight) {
  sight.upper = sight.reading + 0.005 * sight.distance;
  sight.lower = sight.reading - 0.005 * sight.distance;
}

void takeFields(TdsSight& sight, const TdsLine& line) {
  SightFields fields = sightFields(line);
  sight.lineName = fields.lineName;
  sight.pointName = fields.pointName;
  sight.pointNumber = fields.pointNumber;
}

}  // namespace

bool SetupReader::readBacksight(TdsSight& sight) {
  std::array<double, 3> raw{};
  if (!readNumberArea(line_, raw)) return false;
  sight = TdsSight{};
  bool guessing = !hooks_.setupCompleted();
  sight.reading = raw[0] / scaling_.rodDivisor;
  if (guessing) sight.reading = hooks_.guessReading(sight.reading);
  sight.distance = raw[1] / scaling_.distanceDivisor;
  if (guessing) sight.distance = hooks_.guessDistance(sight.distance);
  sight.fieldValue = raw[2] / scaling_.rodDivisor;
  deriveWires(sight);
  takeFields(sight, line_);
  hooks_.numberPoint(sight, true);
  return true;
}

bool SetupReader::readForesight(TdsSight& sight) {
  std::array<double, 3> raw{};
  if (!readNumberArea(line_, raw)) return false;
  sight = TdsSight{};
  sight.reading = raw[0] / scaling_.rodDivisor;
  sight.distance = raw[1] / scaling_.distanceDivisor;
  sight.fieldValue = raw[2] / scaling_.rodDivisor;
  deriveWires(sight);
  takeFields(sight, line_);
  hooks_.numberPoint(sight, false);
  return true;
}

std::optional<TdsSetup> SetupReader::nextSetup() {
  enum class State { SeekingBacksight, AfterBacksight, AfterForesight };
  State state = State::SeekingBacksight;
  TdsSetup setup;
  for (;;) {
    if (!readLine()) {
      if (state == State::AfterForesight) return setup;
      return std::nullopt;
    }
    char letter = line_.letter();
    switch (state) {
      case State::SeekingBacksight:
        if (isSightLine(line_, 'g') && readBacksight(setup.backsight)) {
          setup.extraBacksight = 0;
          setup.extraForesight = 0;
          state = State::AfterBacksight;
        }
        break;
      case State::AfterBacksight:
        if (letter == 'h' || letter == 'j') {
          readExtraReading(line_, setup.extraBacksight, setup.extraForesight, scaling_.rodDivisor);
        } else if (isSightLine(line_, 'g')) {
          pushBack();  // the backsight is dropped with its extra readings
          state = State::SeekingBacksight;
        } else if (isSightLine(line_, 'i')) {
          state = readForesight(setup.foresight) ? State::AfterForesight : State::SeekingBacksight;
        }
        break;
      case State::AfterForesight:
        if (letter == 'h' || letter == 'j') {
          readExtraReading(line_, setup.extraBacksight, setup.extraForesight, scaling_.rodDivisor);
        } else if (isSightLine(line_, 'i')) {
          pushBack();  // read again after the backsight: it replaces the foresight
          state = State::AfterBacksight;
        } else if (isSightLine(line_, 'g')) {
          pushBack();
          return setup;
        }
        break;
    }
  }
}

}  // namespace vorn::digconv
