// The conversions into observation and control files, run by the built
// programs (answers piped in, console to /dev/null) side by side with awk
// doing the least equivalent work on the same file:
// - TRICONV on a field book of 1,000,000 setup lines; awk reads the six
//   numbers of each setup line and prints its six observation records;
// - DIGCONV on a .LEV file of 1,000,000 setups; awk picks the three
//   numbers and the fields of every backsight and foresight line and prints
//   the eight records of each setup;
// - TRICONV appending a short run onto an observation file of 1,000,000
//   records; awk carries the old records over (cut to 80 columns, trailing
//   blanks and blank lines dropped).
// Peak memory and processor time (user and system) of each child are
// reported as counters; on a busy machine the processor time compares
// better than the elapsed time.
//
// Run: build-bench/bin/conversion_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "child_benchmark.h"
#include "fieldbook_generator.h"

namespace {

using vorn::bench::benchmarkChild;

constexpr std::int64_t kSetups = 1'000'000;
constexpr std::int64_t kOldRecords = 1'000'000;

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path);
}

// A TDS level file: a benchmark record, then a backsight and a foresight
// line per setup, every point numbered, now and then an extra reading.
void writeLevelFile(const std::string& path, std::int64_t setups) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  if (out == nullptr) throw std::runtime_error("cannot write " + path);
  std::fprintf(out, "b 1  0                            ,1,0,BM-1,1000000\r\n");
  std::int64_t record = 2;
  for (std::int64_t i = 1; i <= setups; ++i) {
    std::fprintf(out, "g 1  %lld %lld 1252276            ,%lld,%lld,0,LINE3\r\n",
                 static_cast<long long>(1000 + (i * 37) % 3000), static_cast<long long>(2000 + (i * 13) % 5000), static_cast<long long>(record++), static_cast<long long>(i));
    if (i % 50 == 0) std::fprintf(out, "h 1  %lld                         ,%lld\r\n", static_cast<long long>(1000 + i % 3000),
                                  static_cast<long long>(record++));
    std::fprintf(out, "i 1  %lld %lld 1251056            ,%lld,%lld,0,LINE3\r\n",
                 static_cast<long long>(1000 + (i * 53) % 3000), static_cast<long long>(2000 + (i * 29) % 5000), static_cast<long long>(record++), static_cast<long long>(i + 1));
  }
  if (std::fclose(out) != 0) throw std::runtime_error("cannot write " + path);
}

// An observation file of `records` records: six per old setup.
void writeObservationFile(const std::string& path, std::int64_t records) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  if (out == nullptr) throw std::runtime_error("cannot write " + path);
  std::fprintf(out, "H 00 SURVEY       CONVERTED FROM 3 WIRE FORMAT\r\nH 99 VERSION 01/31/00\r\n");
  for (std::int64_t n = 2, setup = 1; n < records; n += 6, ++setup) {
    std::fprintf(out, "S 00 OC%-6lld                  P F1\r\nS 01                    .000\r\n",
                 static_cast<long long>(setup));
    std::fprintf(out, "O 00 P%-7lld                  P F1\r\n", static_cast<long long>(setup));
    std::fprintf(out, "O 09%54s  5.4300 4.8760 4.3200\r\n", "");
    std::fprintf(out, "O 00 P%-7lld                  P F1\r\n", static_cast<long long>(setup + 1));
    std::fprintf(out, "O 09%54s  2.1100 1.5560 1.0000\r\n", "");
  }
  if (std::fclose(out) != 0) throw std::runtime_error("cannot write " + path);
}

// A job folder with the large inputs, made once.
class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorn-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    writeFile(file("TEMP.JOB"), "SURVEY\r\n");
    vorn::bench::FieldBookShape shape;
    shape.setups = kSetups;
    if (!vorn::bench::writeFieldBookFile(file("BOOK.TXT"), shape)) throw std::runtime_error("cannot write book");
    shape.setups = 10;
    if (!vorn::bench::writeFieldBookFile(file("SHORT.TXT"), shape)) throw std::runtime_error("cannot write book");
    writeLevelFile(file("SURVEY.LEV"), kSetups);
    writeObservationFile(file("OLD.OBS"), kOldRecords);
    writeFile(file("OLD.CTL"), "G 00 SURVEY.CTL          \r\nG 01 BM-START   BM-START                                          F\r\n"
                               "G 02                              1000.0000\r\n");
    // New job: no .OBS, so no append question.
    writeFile(file("triconv.answers"), "\nTP\n90000\nBOOK.TXT\n1\n\n1000\n");
    writeFile(file("append.answers"), "\nTP\n90000\nSHORT.TXT\n1\n1\n\n1000\n");
    writeFile(file("digconv.answers"), "\n1\n1\n\n\n\n\n\n\n");
  }
  ~BenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string file(const char* name) const { return path_ + "/" + name; }
  // Removes the job's observation and control files.
  void clearJobFiles() const {
    std::filesystem::remove(file("SURVEY.OBS"));
    std::filesystem::remove(file("SURVEY.CTL"));
  }
  // The old observation and control files to append to.
  void restoreOldJobFiles() const {
    std::filesystem::copy_file(file("OLD.OBS"), file("SURVEY.OBS"), std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(file("OLD.CTL"), file("SURVEY.CTL"), std::filesystem::copy_options::overwrite_existing);
  }

 private:
  std::string path_;
};

const BenchFolder& folder() {
  static BenchFolder f;
  return f;
}

std::string program(const char* name) { return std::string(VORN_BIN_DIR) + "/" + name; }

void BM_TriconvMillionSetupLines(benchmark::State& state) {
  const BenchFolder& f = folder();
  benchmarkChild(state, {program("triconv")}, f.file("triconv.answers"), f.path(), [&f] { f.clearJobFiles(); });
}
BENCHMARK(BM_TriconvMillionSetupLines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_AwkSetupLinesToObservationRecords(benchmark::State& state) {
  const BenchFolder& f = folder();
  const std::string script =
      "NF == 6 { n++; printf \"S 00 OC%-6d                  P F1\\nS 01                    .000\\n\", n;"
      " printf \"O 00 %-8s                  P F1\\n%58s%8.4f%7.4f%7.4f\\n\", \"P\" n, \"O 09\", $1, $2, $3;"
      " printf \"O 00 %-8s                  P F1\\n%58s%8.4f%7.4f%7.4f\\n\", \"P\" n + 1, \"O 09\", $4, $5, $6 }";
  benchmarkChild(state, {"/usr/bin/awk", script, f.file("BOOK.TXT")}, "/dev/null", f.path());
}
BENCHMARK(BM_AwkSetupLinesToObservationRecords)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_DigconvMillionSetups(benchmark::State& state) {
  const BenchFolder& f = folder();
  benchmarkChild(state, {program("digconv")}, f.file("digconv.answers"), f.path(), [&f] { f.clearJobFiles(); });
}
BENCHMARK(BM_DigconvMillionSetups)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_AwkSightLinesToObservationRecords(benchmark::State& state) {
  const BenchFolder& f = folder();
  // Three numbers from columns 6 to 34 and the fields after the commas of
  // each g and i line; a setup's eight records once its foresight is read.
  const std::string script =
      "BEGIN { FS = \",\" }"
      " /^[gi]/ { split(substr($0, 6, 29), v, \" \"); reading = v[1] / 1000; distance = v[2] / 100;"
      "   point = $(NF - 2); line = $NF }"
      " /^g/ { bsr = reading; bsd = distance; bsp = point; bsl = line }"
      " /^i/ { n++; printf \"S 00 OC%-6d                  P F1\\nS 01                    .000\\n\", n;"
      "   printf \"O 00 %-8s                  P F1\\nO 99 BS DIST =%8.1f LINE %s\\n%58s%8.4f%7.4f%7.4f\\n\","
      "     bsp, bsd, bsl, \"O 09\", bsr + bsd * .005, bsr, bsr - bsd * .005;"
      "   printf \"O 00 %-8s                  P F1\\nO 99 FS DIST =%8.1f LINE %s\\n%58s%8.4f%7.4f%7.4f\\n\","
      "     point, distance, line, \"O 09\", reading + distance * .005, reading, reading - distance * .005 }";
  benchmarkChild(state, {"/usr/bin/awk", script, f.file("SURVEY.LEV")}, "/dev/null", f.path());
}
BENCHMARK(BM_AwkSightLinesToObservationRecords)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_TriconvAppendOntoMillionRecords(benchmark::State& state) {
  const BenchFolder& f = folder();
  benchmarkChild(state, {program("triconv")}, f.file("append.answers"), f.path(), [&f] { f.restoreOldJobFiles(); });
}
BENCHMARK(BM_TriconvAppendOntoMillionRecords)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_AwkCarryMillionRecordsOver(benchmark::State& state) {
  const BenchFolder& f = folder();
  // Trailing blanks dropped by a loop: mawk's sub(/ +$/, ...) takes time
  // that grows with the square of the blanks.
  const std::string script =
      "BEGIN { RS = \"\\r\\n\" } { s = substr($0, 1, 80); n = length(s);"
      " while (n > 0 && substr(s, n, 1) == \" \") n--; if (n) print substr(s, 1, n) }";
  benchmarkChild(state, {"/usr/bin/awk", script, f.file("OLD.OBS")}, "/dev/null", f.path());
}
BENCHMARK(BM_AwkCarryMillionRecordsOver)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
