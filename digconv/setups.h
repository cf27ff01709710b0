// What becomes of each setup of a TDS run: the names of its station and of
// its two points, its records in the observation file, the running
// elevation, the distance sums and its line in the field-data listing.
#pragma once

#include <cstdint>
#include <string>

#include "common/console.h"
#include "digconv/numbering.h"
#include "digconv/tds.h"

namespace vorn::digconv {

// The state of the level run being converted.
struct RunState {
  RunState(std::int32_t suffix, std::string_view startName, double startElevation);

  std::int32_t turningPointCounter;  // number of the next turning-point name
  PointNumbering numbering;
  std::string previousPointName;     // the backsight point of a sight without point field
  std::int32_t stationCounter = 0;   // every complete setup
  std::int32_t setupNumber = 0;      // every valid setup
  double runningElevation;
  double backsightDistanceSum = 0;
  double foresightDistanceSum = 0;
  std::string lastTurningPointName{std::string(kNameLength, ' ')};
};

// "TP" and the digits of n, in 8 characters.
std::string turningPointName(std::int32_t n);

// Names the setup's station and points, writes its records to the
// observation file and carries the running elevation; then, when the setup
// is valid, adds its distances to the sums and lists it. Returns false for
// an invalid setup (its records are written all the same).
bool completeSetup(const TdsSetup& setup, RunState& run, RecordSink& observations, Console& console,
                   RecordSink& results);

// The setup pass's questions and numbering, answered by the console and
// the run state.
class RunHooks : public SetupPassHooks {
 public:
  RunHooks(Console& console, ScalingState& scaling, RunState& run) : console_(console), scaling_(scaling), run_(run) {}
  bool setupCompleted() const override;
  double guessReading(double reading) override;
  double guessDistance(double distance) override;
  void numberPoint(TdsSight& sight, bool isBacksight) override;

 private:
  Console& console_;
  ScalingState& scaling_;
  RunState& run_;
};

}  // namespace vorn::digconv
