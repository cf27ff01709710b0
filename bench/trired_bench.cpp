// The whole reduction of a field book of 1,000,000 setup lines by the
// built trired program (answers piped in, console to /dev/null), side by
// side with awk doing the least equivalent work on the same file: read six
// numbers per setup line and print one formatted row per setup. The peak
// memory and the processor time (user and system) of each child process
// are reported as counters: on a busy machine the processor time compares
// better than the elapsed time.
//
// Run: build-bench/bin/trired_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/console.h"
#include "child_benchmark.h"
#include "fieldbook_generator.h"
#include "leveling/fieldbook.h"
#include "leveling/reduction.h"
#include "leveling/report.h"

namespace {

constexpr std::int64_t kSetupLines = 1'000'000;

// A job folder holding TEMP.JOB, the large field book and the answers.
class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorn-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::ofstream(path_ + "/TEMP.JOB") << "SURVEY\r\n";
    std::ofstream(path_ + "/answers") << "BOOK.TXT\n1\n1\n0.01\n\n\n0.001\n1000\n";
    vorn::bench::FieldBookShape shape;
    shape.setups = kSetupLines;
    if (!vorn::bench::writeFieldBookFile(path_ + "/BOOK.TXT", shape)) throw std::runtime_error("cannot write book");
  }
  ~BenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string file(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

const BenchFolder& folder() {
  static BenchFolder f;
  return f;
}

void BM_TriredWholeReduction(benchmark::State& state) {
  const BenchFolder& f = folder();
  const std::string program = std::string(VORN_BIN_DIR) + "/trired";
  // Each run starts from an absent least-squares data file.
  vorn::bench::benchmarkChild(state, {program}, f.file("answers"), f.path(),
                              [&f] { std::filesystem::remove(f.file("SURVEY.ZZZ")); });
}
BENCHMARK(BM_TriredWholeReduction)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_AwkSixNumbersAndARowPerSetup(benchmark::State& state) {
  const BenchFolder& f = folder();
  const std::string script =
      "NF == 6 { printf \"%6d %8.4f %8.4f %8.4f %8.4f %8.4f %8.4f\\n\", ++n, $1, $2, $3, $4, $5, $6 }";
  vorn::bench::benchmarkChild(state, {"/usr/bin/awk", script, f.file("BOOK.TXT")}, "/dev/null", f.path());
}
BENCHMARK(BM_AwkSixNumbersAndARowPerSetup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// A sink that only counts what it is given.
class NullSink : public vorn::RecordSink {
 public:
  std::size_t bytes = 0;

 protected:
  void putRecord(std::string_view record) override { bytes += record.size(); }
};

// The per-line work alone, in memory: classify, check, reduce and render
// the setup row to two destinations.
void BM_SetupLineInMemory(benchmark::State& state) {
  const std::string line = "5.430 4.876 4.320 2.110 1.556 1.000";
  vorn::ReductionSettings settings = vorn::settingsForUnits(vorn::LengthUnit::Feet, vorn::LengthUnit::Feet);
  vorn::LevelRun run = vorn::openRun("A", 0.0);
  vorn::LevelSetup setup;
  NullSink console, results;
  for (auto _ : state) {
    vorn::FieldLine fieldLine = vorn::classifyRunLine(line);
    if (!vorn::setupPassesWireChecks(fieldLine.backsight, fieldLine.foresight)) state.SkipWithError("checks");
    setup.backsight = fieldLine.backsight;
    setup.foresight = fieldLine.foresight;
    vorn::reduceSetup(setup, settings, run);
    vorn::writeSetupRow({&console, &results}, setup);
  }
  benchmark::DoNotOptimize(results.bytes);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetupLineInMemory);

}  // namespace

BENCHMARK_MAIN();
