#include "freeformat.h"

#include <array>
#include <cstdint>
#include <charconv>
#include <cstdlib>

namespace vorn {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlankOrTab(char c) { return c == ' ' || c == '\t'; }
bool endsToken(char c) { return c == ' ' || c == '\t' || c == ',' || c == '/'; }

}  // namespace

namespace {

// Checks the grammar of a real token and copies it, normalised for
// from_chars (no '+' sign, 'e' for the exponent letter), into `out`.
template <class Out>
bool normaliseReal(std::string_view token, Out& out) {
  std::size_t pos = 0;
  if (pos < token.size() && (token[pos] == '+' || token[pos] == '-')) {
    if (token[pos] == '-') out.push_back('-');
    ++pos;
  }
  std::size_t mantissaDigits = 0;
  while (pos < token.size() && isDigit(token[pos])) {
    out.push_back(token[pos++]);
    ++mantissaDigits;
  }
  if (pos < token.size() && token[pos] == '.') {
    out.push_back(token[pos++]);
    while (pos < token.size() && isDigit(token[pos])) {
      out.push_back(token[pos++]);
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return false;
  if (pos == token.size()) return true;
  char c = token[pos];
  if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
    ++pos;
  } else if (c != '+' && c != '-') {
    return false;
  }
  out.push_back('e');
  if (pos < token.size() && (token[pos] == '+' || token[pos] == '-')) out.push_back(token[pos++]);
  std::size_t exponentDigits = 0;
  while (pos < token.size() && isDigit(token[pos])) {
    out.push_back(token[pos++]);
    ++exponentDigits;
  }
  return exponentDigits > 0 && pos == token.size();
}

struct SmallBuffer {
  std::array<char, 64> chars{};
  std::size_t size = 0;
  void push_back(char c) { chars[size++] = c; }
};

template <class Out>
bool convertReal(const Out& text, const char* data, std::size_t size, double& value) {
  (void)text;
  double v = 0;
  auto [end, ec] = std::from_chars(data, data + size, v);
  if (ec == std::errc::result_out_of_range) {
    // Overflow and underflow: strtod gives the infinity or the tiny value.
    std::string copy(data, size);
    v = std::strtod(copy.c_str(), nullptr);
  } else if (ec != std::errc() || end != data + size) {
    return false;
  }
  value = v;
  return true;
}

}  // namespace

namespace {

constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The usual token, an optional sign and at most 15 digits with an optional
// point and no exponent, converted without a copy: its digits form an
// integer below 2^53 and the power of ten is exact, so one division gives
// the correctly rounded value. Gives false for any other token.
bool parsePlainDecimal(std::string_view token, double& value) {
  std::size_t pos = 0;
  bool negative = false;
  if (pos < token.size() && (token[pos] == '+' || token[pos] == '-')) negative = token[pos++] == '-';
  std::uint64_t mantissa = 0;
  int digits = 0;
  int decimals = 0;
  bool point = false;
  for (; pos < token.size(); ++pos) {
    char c = token[pos];
    if (isDigit(c)) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      ++digits;
      if (point) ++decimals;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (digits == 0 || digits > 15) return false;
  double v = static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
  value = negative ? -v : v;
  return true;
}

}  // namespace

bool parseRealToken(std::string_view token, double& value) {
  if (parsePlainDecimal(token, value)) return true;
  if (token.size() < 60) {
    SmallBuffer buf;
    if (!normaliseReal(token, buf)) return false;
    return convertReal(buf, buf.chars.data(), buf.size, value);
  }
  std::string buf;
  if (!normaliseReal(token, buf)) return false;
  return convertReal(buf, buf.data(), buf.size(), value);
}

bool parseIntegerToken(std::string_view token, std::int32_t& value) {
  std::size_t pos = 0;
  if (!token.empty() && token[0] == '+') pos = 1;
  if (pos >= token.size() || (pos == 1 && token[1] == '-')) return false;
  std::int32_t result = 0;
  auto [end, ec] = std::from_chars(token.data() + pos, token.data() + token.size(), result);
  if (ec != std::errc() || end != token.data() + token.size()) return false;
  value = result;
  return true;
}

ReadOutcome freeFormatRead(LineSource& source, std::span<const NumberTarget> targets) {
  std::string_view line;
  std::size_t pos = 0;
  bool haveLine = false;
  bool started = false;       // a value or a null has been taken
  bool afterSeparatorComma = false;  // a comma separator was just consumed
  std::size_t t = 0;
  while (t < targets.size()) {
    if (!haveLine) {
      if (!source.nextLine(line)) return ReadOutcome::End;
      haveLine = true;
      pos = 0;
    }
    while (pos < line.size() && isBlankOrTab(line[pos])) ++pos;
    if (pos >= line.size()) {
      haveLine = false;  // the end of a line separates like a blank
      continue;
    }
    char c = line[pos];
    if (c == '/') return ReadOutcome::Done;
    if (c == ',') {
      ++pos;
      if (!started) continue;  // leading separators are skipped
      if (afterSeparatorComma) {
        ++t;  // two commas with nothing between: this target is left alone
      }
      afterSeparatorComma = true;
      continue;
    }
    std::size_t begin = pos;
    while (pos < line.size() && !endsToken(line[pos])) ++pos;
    std::string_view token = line.substr(begin, pos - begin);
    // r*v: r copies of v; r* alone: r null values.
    std::size_t repeat = 1;
    std::size_t star = token.find('*');
    bool nullValues = false;
    if (star != std::string_view::npos) {
      std::int32_t r = 0;
      std::string_view count = token.substr(0, star);
      if (count.empty() || count[0] == '+' || count[0] == '-' || !parseIntegerToken(count, r) || r < 1)
        return ReadOutcome::Error;
      repeat = static_cast<std::size_t>(r);
      token = token.substr(star + 1);
      nullValues = token.empty();
    }
    for (std::size_t k = 0; k < repeat && t < targets.size(); ++k, ++t) {
      if (nullValues) continue;
      const NumberTarget& target = targets[t];
      if (target.real() != nullptr) {
        double v = 0;
        if (!parseRealToken(token, v)) return ReadOutcome::Error;
        *target.real() = v;
      } else {
        std::int32_t v = 0;
        if (!parseIntegerToken(token, v)) return ReadOutcome::Error;
        *target.integer() = v;
      }
    }
    started = true;
    // The separator after a value: blanks, then at most one comma.
    while (pos < line.size() && isBlankOrTab(line[pos])) ++pos;
    afterSeparatorComma = false;
    if (pos < line.size() && line[pos] == ',') {
      ++pos;
      afterSeparatorComma = true;
    }
  }
  return ReadOutcome::Done;
}

}  // namespace vorn
