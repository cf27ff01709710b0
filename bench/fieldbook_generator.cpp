#include "fieldbook_generator.h"

namespace vorn::bench {

namespace {

// A small deterministic generator (64-bit linear congruential).
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed * 6364136223846793005ULL + 1442695040888963407ULL) {}
  // A number in [0, 1).
  double next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) / 9007199254740992.0;
  }

 private:
  std::uint64_t state_;
};

// One sight: middle between 0.5 and 11.5, half interval 0.2 to 0.6, a
// check error within a few thousandths; 1 in 50 without its upper wire and
// 1 in 50 without its lower wire.
void sight(Random& random, double& upper, double& middle, double& lower) {
  middle = 0.5 + 11.0 * random.next();
  double half = 0.2 + 0.4 * random.next();
  double check = (random.next() - 0.5) * 0.004;
  upper = middle + half + check;
  lower = middle - half + check;
  double missing = random.next();
  if (missing < 0.02) {
    upper = 0.0;
  } else if (missing < 0.04) {
    lower = 0.0;
  }
}

}  // namespace

bool writeFieldBook(std::FILE* out, const FieldBookShape& shape) {
  Random random(shape.seed);
  bool ok = std::fprintf(out, "GENERATED LEVEL LINE, %lld SETUPS\nBM-START 1000.000\n",
                         static_cast<long long>(shape.setups)) > 0;
  for (std::int64_t i = 1; ok && i <= shape.setups; ++i) {
    double bu, bm, bl, fu, fm, fl;
    sight(random, bu, bm, bl);
    sight(random, fu, fm, fl);
    ok = std::fprintf(out, "%.3f %.3f %.3f %.3f %.3f %.3f\n", bu, bm, bl, fu, fm, fl) > 0;
    if (ok && i == shape.setups) {
      ok = std::fputs("BM-END\n", out) >= 0;
    } else if (ok && shape.setupsPerStation > 0 && i % shape.setupsPerStation == 0) {
      ok = std::fprintf(out, "TP%lld\n", static_cast<long long>(i / shape.setupsPerStation)) > 0;
    }
  }
  return ok;
}

bool writeFieldBookFile(const std::string& path, const FieldBookShape& shape) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  if (out == nullptr) return false;
  bool ok = writeFieldBook(out, shape);
  if (std::fclose(out) != 0) ok = false;
  return ok;
}

}  // namespace vorn::bench
