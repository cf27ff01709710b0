#include "digconv/setups.h"

#include "common/dialogue.h"
#include "common/records.h"
#include "digconv/fielddata.h"
#include "leveling/obsctl.h"
#include "leveling/reduction.h"

namespace vorn::digconv {

namespace {

const RecordFormat kBacksightRemark("('O 99 BS DIST =',F8.1,' FIELD H.I. =',F10.3,' LINE ',A)");
const RecordFormat kForesightRemark("('O 99 FS DIST =',F8.1,' FIELD ELEV =',F10.3,' LINE ',A)");
const RecordFormat kExtraReading("('O 09',62X,F7.4,F7.4)");
constexpr double kStadiaConstant = 100.0;

// The distance the sight reduction gives for a sight's derived wires.
double stadiaDistance(const TdsSight& sight) {
  return reduceSight(WireReadings{sight.upper, sight.reading, sight.lower}, kStadiaConstant).distance;
}

}  // namespace

RunState::RunState(std::int32_t suffix, std::string_view startName, double startElevation)
    : turningPointCounter(suffix),
      numbering(suffix),
      previousPointName(fixedText(startName, kNameLength)),
      runningElevation(startElevation) {}

std::string turningPointName(std::int32_t n) {
  IntegerText digits = integerText(n);
  return fixedText("TP" + digits.text.substr(0, static_cast<std::size_t>(digits.width)), kNameLength);
}

bool completeSetup(const TdsSetup& setup, RunState& run, RecordSink& observations, Console& console,
                   RecordSink& results) {
  const TdsSight& bs = setup.backsight;
  const TdsSight& fs = setup.foresight;

  ++run.stationCounter;
  const std::string turningPoint = turningPointName(run.turningPointCounter);
  ++run.turningPointCounter;
  run.lastTurningPointName = turningPoint;
  writeSetupStart(observations, setupName(run.stationCounter));

  writePointRecord(observations, bs.pointName == kNoPointName ? run.previousPointName : bs.pointName);
  observations.write(kBacksightRemark, {bs.distance, bs.fieldValue, bs.lineName});
  run.previousPointName = turningPoint;
  wireRecord(observations, bs.upper, bs.reading, bs.lower);
  if (setup.extraBacksight > 0) observations.write(kExtraReading, {setup.extraBacksight});

  writePointRecord(observations, fs.pointName == kNoPointName ? turningPoint : fs.pointName);
  observations.write(kForesightRemark, {fs.distance, fs.fieldValue, fs.lineName});
  run.runningElevation = run.runningElevation - fs.reading + bs.reading;
  wireRecord(observations, fs.upper, fs.reading, fs.lower);
  if (setup.extraForesight > 0) observations.write(kExtraReading, {setup.extraForesight});

  if (!setupIsValid(setup)) return false;

  run.backsightDistanceSum += stadiaDistance(bs);
  run.foresightDistanceSum += stadiaDistance(fs);
  ++run.setupNumber;
  listSetup(console, results,
            FieldDataRow{run.setupNumber, bs.reading, fs.reading, bs.distance, fs.distance, run.backsightDistanceSum,
                         run.foresightDistanceSum, run.runningElevation});
  return true;
}

bool RunHooks::setupCompleted() const { return run_.backsightDistanceSum != 0; }

double RunHooks::guessReading(double reading) { return digconv::guessReading(console_, scaling_, reading); }

double RunHooks::guessDistance(double distance) { return digconv::guessDistance(console_, scaling_, distance); }

void RunHooks::numberPoint(TdsSight& sight, bool isBacksight) { run_.numbering.numberPoint(sight, isBacksight); }

}  // namespace vorn::digconv
