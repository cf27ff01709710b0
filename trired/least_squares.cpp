#include "least_squares.h"

#include <optional>

#include "common/records.h"

namespace trired {

using namespace vorn;

namespace {

const RecordFormat kOpeningRecord("(1X,A16,1X,F13.4,1X,F10.4,1X,I1)");
const RecordFormat kDifferenceRecord("(1X,A16,2X,A16,2X,F13.4,4X,F13.4)");

constexpr std::size_t kKeptLineLength = 72;
constexpr std::size_t kOpeningNameLength = 16;
constexpr const char* kOpeningStation = "0";
constexpr double kOpeningElevation = 0.0;
constexpr double kOpeningStandardError = 0.001;
constexpr int kOpeningCode = 1;

}  // namespace

void createEmptyIfAbsent(const std::string& path) {
  if (fileExists(path)) return;
  OutputFile::create(path).close();
}

ReplacementFile beginLeastSquaresUpdate(const std::string& path) {
  ReplacementFile replacement(path);
  std::size_t kept = 0;
  if (std::optional<InputFile> old = InputFile::openExisting(path)) {
    std::string padded;
    std::string_view line;
    while (old->readLine(line)) {
      padded.assign(line.substr(0, kKeptLineLength));
      padded.resize(kKeptLineLength, ' ');
      replacement.writeRaw(padded);
      ++kept;
    }
  }
  if (kept == 0) {
    // The station name is left-aligned in its 16 positions.
    replacement.write(kOpeningRecord, {fixedText(kOpeningStation, kOpeningNameLength), kOpeningElevation,
                                       kOpeningStandardError, kOpeningCode});
  }
  return replacement;
}

void writeDifferenceRecord(RecordSink& file, const StationEntry& from, const StationEntry& to,
                           const StationDifference& difference) {
  file.write(kDifferenceRecord, {from.name, to.name, difference.difference, difference.errorEstimate});
}

}  // namespace trired
