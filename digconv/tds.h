// Reading a digital level's TDS file (the job's .LEV file): its lines and
// fields, the starting benchmark, and the setups the backsight and
// foresight records make up.
//
// The file is read twice: scanStartingBenchmark finds the benchmark the run
// starts from, then a SetupReader walks the file again and hands out one
// complete setup at a time. The decimal-point questions and the point
// numbering are reached through SetupPassHooks, so this unit knows nothing
// of the console or of point names beyond what the file holds.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/files.h"
#include "common/freeformat.h"

namespace vorn::digconv {

inline constexpr std::size_t kLineLength = 80;
inline constexpr std::size_t kNameLength = 8;
// The marker of a sight whose line has no point field.
inline constexpr std::string_view kNoPointName = "JUNK    ";
inline constexpr std::string_view kNoLineName = "NONE    ";

// One line of the file: exactly 80 characters, read as "(80A1)" (a shorter
// line blank-padded, a longer one cut).
struct TdsLine {
  TdsLine() : text(kLineLength, ' ') {}
  explicit TdsLine(std::string_view raw);

  // The character at `position`, counted from 1.
  char at(std::size_t position) const { return text[position - 1]; }
  char letter() const { return at(1); }
  char code() const { return at(3); }
  char precisionFlag() const { return at(4); }
  // Positions 6 to 34.
  std::string_view numberArea() const { return std::string_view(text).substr(5, 29); }

  std::string text;
};

// Replaces the last non-blank character by a blank when it is a comma.
void stripTrailingComma(TdsLine& line);

// The divisors that turn the file's raw numbers into readings and distances.
struct ScalingState {
  double rodDivisor = 1000.0;      // readings, recorded H.I. and elevations, extra readings
  double distanceDivisor = 100.0;  // sight distances
};

// The first `count` numbers of the number area, read in free format; false
// when fewer are present or one is not a number.
bool readNumberArea(const TdsLine& line, std::span<double> numbers);

struct SightFields {
  std::string lineName{kNoLineName};    // 8 characters
  std::string pointName{kNoPointName};  // 8 characters
  std::optional<std::int32_t> pointNumber;
};

// The line name (the last field) and the point field (the third from the
// end) of a sight line.
SightFields sightFields(const TdsLine& line);

struct TdsSight {
  double reading = 0;
  double distance = 0;
  double fieldValue = 0;  // H.I. recorded with a backsight, elevation with a foresight
  double upper = 0;
  double lower = 0;
  std::string lineName{kNoLineName};
  std::string pointName{kNoPointName};
  std::optional<std::int32_t> pointNumber;
};

struct TdsSetup {
  TdsSight backsight;
  TdsSight foresight;
  double extraBacksight = 0;
  double extraForesight = 0;
};

// Reads the one number of an h or j line into the extra backsight (h) or
// foresight (j) reading, divided by the rod divisor; an unreadable number
// changes nothing.
void readExtraReading(const TdsLine& line, double& extraBacksight, double& extraForesight, double rodDivisor);

// False when either sight has both wires zero, a reading outside its wires,
// or its upper wire below its lower wire.
bool setupIsValid(const TdsSetup& setup);

struct StartingBenchmark {
  std::string name{"1       "};  // 8 characters
  double elevation = 100.0;
};

// The benchmark scan over the lines of `source`: the first b or c record
// with three commas gives the name and elevation; a precision flag "4" on a
// qualifying record met on the way sets the rod divisor to 100.
StartingBenchmark scanStartingBenchmark(LineSource& source, ScalingState& scaling);
// The same over the file, which is left rewound.
StartingBenchmark scanStartingBenchmark(InputFile& file, ScalingState& scaling);

// What the setup pass asks of the rest of the program.
class SetupPassHooks {
 public:
  virtual ~SetupPassHooks() = default;
  // True once a setup has been completed; until then every backsight read
  // asks the two decimal-point questions.
  virtual bool setupCompleted() const = 0;
  // Correct the first backsight's scaled reading or distance; may change
  // the divisors in the scaling state.
  virtual double guessReading(double reading) = 0;
  virtual double guessDistance(double distance) = 0;
  // Called for every sight read, right after its fields are taken; numbers
  // the point when the sight carries a point number.
  virtual void numberPoint(TdsSight& sight, bool isBacksight) = 0;
};

// The setup pass: one complete setup at a time out of the lines of a
// source, with one line of look-ahead.
class SetupReader {
 public:
  SetupReader(LineSource& source, ScalingState& scaling, SetupPassHooks& hooks)
      : source_(source), scaling_(scaling), hooks_(hooks) {}

  // The next complete setup, or nothing when the lines are used up.
  std::optional<TdsSetup> nextSetup();

  // The number of lines read so far, each counted once.
  std::int32_t lineCounter() const { return lineCounter_; }
  // The line read last (all blanks before the first).
  const TdsLine& lastLine() const { return line_; }

 private:
  bool readLine();
  void pushBack() { pushedBack_ = true; }
  bool readBacksight(TdsSight& sight);
  bool readForesight(TdsSight& sight);

  LineSource& source_;
  ScalingState& scaling_;
  SetupPassHooks& hooks_;
  TdsLine line_;
  bool pushedBack_ = false;
  bool ended_ = false;
  std::int32_t lineCounter_ = 0;
};

}  // namespace vorn::digconv
