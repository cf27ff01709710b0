// Runs a fuzz target's function once on every file named on the command
// line (a folder stands for the files in it), as the fuzzer would on its
// corpus, without the fuzzer: the regression run of an ordinary build.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

int runOne(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return 1;
  }
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // A copy of exactly the input's size, so that reading past its end is
  // seen by the address checker as it is under the fuzzer.
  std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(data.data(), data.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A target may move into a folder of its own when it starts.
  std::vector<std::filesystem::path> args;
  for (int i = 1; i < argc; ++i) args.push_back(std::filesystem::absolute(argv[i]));
  if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
  int failures = 0;
  int count = 0;
  for (const std::filesystem::path& arg : args) {
    if (std::filesystem::is_directory(arg)) {
      std::vector<std::filesystem::path> files;
      for (const auto& entry : std::filesystem::directory_iterator(arg))
        if (entry.is_regular_file()) files.push_back(entry.path());
      std::sort(files.begin(), files.end());
      for (const auto& f : files) {
        failures += runOne(f);
        ++count;
      }
    } else {
      failures += runOne(arg);
      ++count;
    }
  }
  std::printf("%d inputs replayed\n", count);
  return failures == 0 && count > 0 ? 0 : 1;
}
