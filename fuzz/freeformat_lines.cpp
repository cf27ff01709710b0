// The free-format read over several lines of one source (a read that
// continues on the next line while targets remain, as the console and the
// project definition file give it). The first two bytes choose the
// targets; the rest is split into lines at line feeds. The source must
// never be asked for a line after it has said it has none, and an End
// outcome must come only when every line has been taken.
#include <cstdlib>
#include <vector>

#include "common/freeformat.h"
#include "fuzz_input.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

class Lines : public vorn::LineSource {
 public:
  // "a\nb" is two lines, "a\n" one, an empty text none.
  explicit Lines(std::string_view text) {
    while (!text.empty()) {
      std::size_t end = text.find('\n');
      lines_.push_back(text.substr(0, end));
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
  }
  bool nextLine(std::string_view& line) override {
    check(!ended_);
    if (next_ == lines_.size()) {
      ended_ = true;
      return false;
    }
    line = lines_[next_++];
    return true;
  }
  bool allTaken() const { return next_ == lines_.size(); }

 private:
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  bool ended_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorn::fuzz::FuzzInput input(data, size);
  std::size_t count = input.byte() % 9;
  std::uint8_t kinds = input.byte();

  std::vector<double> reals(count, 0.0);
  std::vector<std::int32_t> integers(count, 0);
  std::vector<vorn::NumberTarget> targets;
  for (std::size_t i = 0; i < count; ++i) {
    if (kinds & (1u << i)) {
      targets.emplace_back(reals[i]);
    } else {
      targets.emplace_back(integers[i]);
    }
  }
  Lines lines(input.rest());
  vorn::ReadOutcome outcome = vorn::freeFormatRead(lines, targets);
  if (outcome == vorn::ReadOutcome::End) check(lines.allTaken());
  return 0;
}
