// Fixed-point rendering (Fw.d) of any double, as every report line and
// record of the suite renders values computed from untrusted input. The
// field must be exactly w characters; asterisks only when the value does
// not fit; otherwise a number with d decimals within half a unit of the
// last decimal (plus the rounding of the 17-digit form) of the value.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/records.h"
#include "fuzz_input.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

// The length printf's form takes in this notation: no zero before the
// point, no sign when every digit shown is zero.
std::size_t referenceLength(double value, int decimals) {
  char text[512];
  int n = std::snprintf(text, sizeof text, "%.*f", decimals, std::fabs(value));
  std::string s(text, static_cast<std::size_t>(n));
  if (s.size() > 1 && s[0] == '0' && s[1] == '.') s.erase(0, 1);
  if (s == "0" && decimals == 0) s = "0.";
  if (decimals == 0 && s.back() != '.') s.push_back('.');
  bool nonZero = s.find_first_of("123456789") != std::string::npos;
  return s.size() + (value < 0 && nonZero ? 1 : 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 10) return 0;
  double value;
  std::memcpy(&value, data, sizeof value);
  int width = 1 + data[8] % 40;
  int decimals = data[9] % 31;

  std::string out;
  vorn::renderFixed(value, width, decimals, out);
  check(out.size() == static_cast<std::size_t>(width));
  if (out.find_first_not_of('*') == std::string::npos) {
    check(!std::isfinite(value) || referenceLength(value, decimals) >= static_cast<std::size_t>(width));
    return 0;
  }
  check(std::isfinite(value));
  std::size_t begin = out.find_first_not_of(' ');
  check(begin != std::string::npos);
  std::string shown = out.substr(begin);
  std::size_t point = shown.find('.');
  check(point != std::string::npos && shown.size() - point - 1 == static_cast<std::size_t>(decimals));
  char* end = nullptr;
  double back = std::strtod(shown.c_str(), &end);
  check(*end == '\0');
  double tolerance = 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::fabs(value) * 1e-15 + 1e-300;
  check(std::fabs(back - value) <= tolerance);
  return 0;
}
