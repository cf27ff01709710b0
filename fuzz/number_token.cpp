// The token conversions of the free-format read against a reference: the
// token grammar checked character by character, the value by strtod and
// strtoll. Accepting a token the grammar refuses (or the reverse), or a
// value that differs in any bit, is a fault.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/freeformat.h"

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

// [sign] digits [. digits] (at least one digit) [(E|e|D|d)[sign] | sign] digits
bool referenceReal(std::string_view token, double& value) {
  std::string text;
  std::size_t i = 0;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) text.push_back(token[i++]);
  std::size_t mantissa = 0;
  while (i < token.size() && digit(token[i])) text.push_back(token[i++]), ++mantissa;
  if (i < token.size() && token[i] == '.') {
    text.push_back(token[i++]);
    while (i < token.size() && digit(token[i])) text.push_back(token[i++]), ++mantissa;
  }
  if (mantissa == 0) return false;
  if (i < token.size()) {
    char c = token[i];
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
      ++i;
    } else if (c != '+' && c != '-') {
      return false;
    }
    text.push_back('e');
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) text.push_back(token[i++]);
    std::size_t exponent = 0;
    while (i < token.size() && digit(token[i])) text.push_back(token[i++]), ++exponent;
    if (exponent == 0 || i != token.size()) return false;
  }
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0';
}

bool referenceInteger(std::string_view token, std::int32_t& value) {
  std::size_t i = 0;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  if (i == token.size()) return false;
  for (std::size_t k = i; k < token.size(); ++k)
    if (!digit(token[k])) return false;
  std::string text(token);
  errno = 0;
  long long v = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view token(reinterpret_cast<const char*>(data), size);

  double value = 1.25, expected = 0;
  bool accepted = vorn::parseRealToken(token, value);
  check(accepted == referenceReal(token, expected));
  if (accepted) {
    check(std::memcmp(&value, &expected, sizeof value) == 0);
  } else {
    check(value == 1.25);  // a refused token leaves the target alone
  }

  std::int32_t integer = 7, expectedInteger = 0;
  accepted = vorn::parseIntegerToken(token, integer);
  check(accepted == referenceInteger(token, expectedInteger));
  check(accepted ? integer == expectedInteger : integer == 7);
  return 0;
}
