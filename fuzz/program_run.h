// Whole program runs inside a fuzz target: the program's main flow on a
// console of memory streams, in a job folder of its own on a memory file
// system, with the answers fixed by the target and the input files from
// the fuzzer.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "common/console.h"
#include "fuzz_input.h"

namespace vorn::fuzz {

// The job folder of the runs: made once, under /dev/shm when there is one
// (the programs sync every file they replace; on memory that costs
// nothing), and removed when the process ends.
inline const std::string& jobFolder() {
  // Never destroyed: the removal at exit still needs the name.
  static const std::string* folder = [] {
    std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "vorn-fuzz-XXXXXX").string();
    check(::mkdtemp(pattern.data()) != nullptr);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(jobFolder(), ec);
    });
    return new std::string(pattern);
  }();
  return *folder;
}

// While it lives, the current folder is the job folder, emptied of every
// file; the fuzzer's own folder is the current one again afterwards.
class InJobFolder {
 public:
  InJobFolder() : home_(::open(".", O_RDONLY | O_DIRECTORY)) {
    check(home_ >= 0 && ::chdir(jobFolder().c_str()) == 0);
    clear();
  }
  ~InJobFolder() {
    check(::fchdir(home_) == 0);
    ::close(home_);
  }
  InJobFolder(const InJobFolder&) = delete;
  InJobFolder& operator=(const InJobFolder&) = delete;

 private:
  static void clear();
  int home_;
};

inline void InJobFolder::clear() {
  DIR* dir = ::opendir(".");
  check(dir != nullptr);
  while (dirent* entry = ::readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name != "." && name != "..") ::unlink(entry->d_name);
  }
  ::closedir(dir);
}

inline void writeFile(const std::string& name, std::string_view content) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  check(static_cast<bool>(out));
}

// The file's content, or "<missing>".
inline std::string readFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs `flow` on the answers. True when it ended on its own; false when
// the answers ran out at a question (the console's input/output failure).
// Any other failure is a finding: an input/output failure on a file of a
// healthy folder, or any other exception, aborts.
// `allowedFailure` names a file whose input/output failure is a designed
// end of the run, not a finding.
template <class Flow>
bool runFlow(Flow flow, std::string_view answers, std::string& console, std::string_view allowedFailure = {}) {
  std::string input(answers);
  std::FILE* in = input.empty() ? std::fopen("/dev/null", "r") : ::fmemopen(input.data(), input.size(), "r");
  char* shown = nullptr;
  std::size_t shownSize = 0;
  std::FILE* out = ::open_memstream(&shown, &shownSize);
  check(in != nullptr && out != nullptr);
  bool ended = true;
  {
    Console c(in, out);
    try {
      flow(c);
      c.flush();
    } catch (const IoFailure& failure) {
      if (failure.file != "standard input" && (allowedFailure.empty() || failure.file != allowedFailure)) {
        std::fprintf(stderr, "unexpected failure: %s failed on %s: %s\n", failure.operation.c_str(),
                     failure.file.c_str(), failure.reason.c_str());
        std::abort();
      }
      ended = false;
    }
  }
  std::fclose(in);
  std::fclose(out);
  console.assign(shown, shownSize);
  std::free(shown);
  return ended;
}

}  // namespace vorn::fuzz
