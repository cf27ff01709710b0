#include "records.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vorn {

namespace {

[[noreturn]] void malformedFormat(std::string_view text, const char* why) {
  std::fprintf(stderr, "internal error: malformed format string (%s): %.*s\n", why,
               static_cast<int>(text.size()), text.data());
  std::abort();
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an unsigned decimal number at text[pos], advancing pos; -1 if none.
int parseCount(std::string_view text, std::size_t& pos) {
  if (pos >= text.size() || !isDigit(text[pos])) return -1;
  int n = 0;
  while (pos < text.size() && isDigit(text[pos])) {
    n = n * 10 + (text[pos] - '0');
    if (n > 100000) return -1;
    ++pos;
  }
  return n;
}

}  // namespace

std::string fixedText(std::string_view text, std::size_t length) {
  std::string out(text.substr(0, length));
  out.resize(length, ' ');
  return out;
}

std::string_view trimRight(std::string_view text) {
  std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string_view trimBlanks(std::string_view text) {
  std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return {};
  return trimRight(text.substr(begin));
}

bool isBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

RecordFormat::RecordFormat(std::string_view text) {
  std::size_t pos = text.find_first_not_of(' ');
  if (pos == std::string_view::npos || text[pos] != '(') malformedFormat(text, "no opening parenthesis");
  ++pos;
  bool inGroup = false;
  bool expectItem = true;  // after '(' or ','
  for (;;) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos >= text.size()) malformedFormat(text, "unbalanced parentheses");
    char c = text[pos];
    if (c == ')') {
      ++pos;
      if (inGroup) {
        items_.push_back(Item{ItemKind::GroupEnd});
        inGroup = false;
        expectItem = false;
        continue;
      }
      return;  // whatever follows is not part of this format
    }
    if (c == ',') {
      if (expectItem) malformedFormat(text, "empty item");
      expectItem = true;
      ++pos;
      continue;
    }
    if (c == '/') {
      items_.push_back(Item{ItemKind::RecordEnd});
      ++pos;
      expectItem = false;
      continue;
    }
    if (!expectItem) malformedFormat(text, "missing comma");
    expectItem = false;
    if (c == '\'') {
      std::size_t close = text.find('\'', pos + 1);
      if (close == std::string_view::npos) malformedFormat(text, "unterminated literal");
      Item item{ItemKind::Literal};
      item.literal = std::string(text.substr(pos + 1, close - pos - 1));
      items_.push_back(std::move(item));
      pos = close + 1;
      continue;
    }
    int count = parseCount(text, pos);
    if (pos >= text.size()) malformedFormat(text, "truncated item");
    char d = text[pos];
    if (d == 'X') {
      if (count < 1) malformedFormat(text, "skip without count");
      Item item{ItemKind::Skip};
      item.width = count;
      items_.push_back(item);
      ++pos;
    } else if (d == '(') {
      if (inGroup || count < 1) malformedFormat(text, "bad group");
      Item item{ItemKind::GroupStart};
      item.repeat = count;
      items_.push_back(item);
      inGroup = true;
      expectItem = true;
      ++pos;
    } else if (d == 'A') {
      ++pos;
      Item item{ItemKind::Text};
      item.repeat = count < 0 ? 1 : count;
      item.width = parseCount(text, pos);
      if (item.width == 0 || item.repeat == 0) malformedFormat(text, "bad A width");
      if (item.width < 0) {
        if (count >= 0) malformedFormat(text, "repeated A without width");
        item.width = 0;
      }
      items_.push_back(item);
    } else if (d == 'I' || d == 'F') {
      if (count >= 0) malformedFormat(text, "repeat count on I or F");
      ++pos;
      Item item{d == 'I' ? ItemKind::Integer : ItemKind::Fixed};
      item.width = parseCount(text, pos);
      if (item.width < 1 || item.width > 200) malformedFormat(text, "bad field width");
      if (d == 'F') {
        if (pos >= text.size() || text[pos] != '.') malformedFormat(text, "F without decimals");
        ++pos;
        item.decimals = parseCount(text, pos);
        if (item.decimals < 0 || item.decimals > 30) malformedFormat(text, "bad decimals");
      }
      items_.push_back(item);
    } else {
      malformedFormat(text, "unknown descriptor");
    }
  }
}

void renderInteger(std::int32_t value, int width, std::string& out) {
  std::array<char, 16> buf{};
  auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value);
  (void)ec;
  int len = static_cast<int>(end - buf.data());
  if (len > width) {
    out.append(static_cast<std::size_t>(width), '*');
    return;
  }
  out.append(static_cast<std::size_t>(width - len), ' ');
  out.append(buf.data(), static_cast<std::size_t>(len));
}

namespace {

constexpr std::uint64_t kPowersOfTen[] = {1,         10,         100,         1000,         10000,
                                          100000,    1000000,    10000000,    100000000,    1000000000};

// The common case of Fw.d without the 17-digit form: a value whose scaled
// magnitude |value| x 10^d is below 2^43 (so the scaling is exact to a
// thousandth and no digit beyond the 16th is printed) and whose scaled
// fraction is clearly away from one half (so rounding the exact value and
// rounding its 17-digit form agree). Gives false when it does not apply.
bool renderFixedQuickly(double value, int width, int decimals, std::string& out) {
  if (decimals < 0 || decimals > 9) return false;
  const double scaled = std::fabs(value) * static_cast<double>(kPowersOfTen[decimals]);
  if (!(scaled < 8796093022208.0)) return false;  // 2^43, also false for NaN
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (std::fabs(fraction - 0.5) < 0.01) return false;
  std::uint64_t n = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  const bool withSign = value < 0 && n != 0;

  // The digits of n from the right, at least d of them; those left of the
  // last d are the integer part (with no leading zero, since n has none,
  // and "0" alone when n is 0 and d is 0).
  std::array<char, 32> text{};
  std::size_t end = text.size();
  int produced = 0;
  do {
    if (produced == decimals) text[--end] = '.';
    text[--end] = static_cast<char>('0' + n % 10);
    n /= 10;
    ++produced;
  } while (n != 0 || produced < decimals);
  if (produced == decimals) text[--end] = '.';
  if (withSign) text[--end] = '-';
  const std::size_t length = text.size() - end;
  if (length > static_cast<std::size_t>(width)) {
    out.append(static_cast<std::size_t>(width), '*');
  } else {
    out.append(static_cast<std::size_t>(width) - length, ' ');
    out.append(text.data() + end, length);
  }
  return true;
}

}  // namespace

void renderFixed(double value, int width, int decimals, std::string& out) {
  if (!std::isfinite(value)) {
    out.append(static_cast<std::size_t>(width), '*');
    return;
  }
  if (renderFixedQuickly(value, width, decimals, out)) return;
  // The nearest 17-significant-digit decimal form: d.dddddddddddddddde+XX.
  std::array<char, 40> sci{};
  auto [sciEnd, ec] = std::to_chars(sci.data(), sci.data() + sci.size(), value, std::chars_format::scientific, 16);
  (void)ec;
  const char* p = sci.data();
  bool negative = false;
  if (*p == '-') {
    negative = true;
    ++p;
  }
  std::array<char, 17> digits{};
  int nd = 0;
  for (; p < sciEnd && *p != 'e'; ++p) {
    if (isDigit(*p)) digits[static_cast<std::size_t>(nd++)] = *p;
  }
  int exponent = std::atoi(p + 1);  // value = d.ddd... x 10^exponent

  // Keep the digits up to the d-th decimal, at most 16 significant ones;
  // round on the first dropped digit, halves away from zero.
  int keep = exponent + 1 + decimals;
  if (keep > 16) keep = 16;
  // kept[] holds the kept digits with one spare position in front for a carry.
  std::array<char, 18> kept{};
  int nk = 0;
  int pointAfter = exponent + 1;  // digits of kept[] before the decimal point
  if (keep < 0) {
    nk = 0;  // everything dropped, the first dropped digit lies beyond the form
  } else {
    for (int i = 0; i < keep; ++i) kept[static_cast<std::size_t>(nk++)] = digits[static_cast<std::size_t>(i)];
    if (digits[static_cast<std::size_t>(keep)] >= '5') {
      int i = nk - 1;
      while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') kept[static_cast<std::size_t>(i--)] = '0';
      if (i >= 0) {
        ++kept[static_cast<std::size_t>(i)];
      } else {
        // Carry out of the leading digit: one more digit in front.
        for (int j = nk; j > 0; --j) kept[static_cast<std::size_t>(j)] = kept[static_cast<std::size_t>(j - 1)];
        kept[0] = '1';
        ++nk;
        ++pointAfter;
      }
    }
  }
  // Digit at a position counted from the decimal point: position k >= 0 is
  // the k-th integer digit from the left of kept[], k < 0 are decimals.
  auto digitAt = [&](int index) -> char {  // index into kept[] (may be out of range)
    if (index < 0 || index >= nk) return '0';
    return kept[static_cast<std::size_t>(index)];
  };
  std::array<char, 400> text{};
  std::size_t len = 0;
  bool anyNonZero = false;
  std::size_t signPos = len;
  text[len++] = '-';
  if (pointAfter > 0) {
    if (pointAfter > width) {
      out.append(static_cast<std::size_t>(width), '*');
      return;
    }
    bool leading = true;
    for (int i = 0; i < pointAfter; ++i) {
      char c = digitAt(i);
      if (leading && c == '0') continue;
      leading = false;
      text[len++] = c;
      if (c != '0') anyNonZero = true;
    }
  }
  bool integerPartEmpty = (len == signPos + 1);
  if (decimals == 0 && integerPartEmpty) text[len++] = '0';
  text[len++] = '.';
  for (int k = 0; k < decimals; ++k) {
    char c = digitAt(pointAfter + k);
    text[len++] = c;
    if (c != '0') anyNonZero = true;
  }
  std::string_view shown(text.data() + 1, len - 1);
  bool withSign = negative && anyNonZero;
  std::size_t shownLen = shown.size() + (withSign ? 1 : 0);
  if (shownLen > static_cast<std::size_t>(width)) {
    out.append(static_cast<std::size_t>(width), '*');
    return;
  }
  out.append(static_cast<std::size_t>(width) - shownLen, ' ');
  if (withSign) out.push_back('-');
  out.append(shown);
}

namespace {

// True when the real, cut toward zero, is a 32-bit integer (false for NaN).
bool realFitsInteger(double x) { return x > -2147483649.0 && x < 2147483648.0; }

// Writes `field` at `position` of the current record (positions count from
// 0 within the record that starts at `recordStart` of `out`).
void putAt(std::string& out, std::size_t recordStart, std::size_t position, std::string_view field) {
  std::size_t have = out.size() - recordStart;
  if (position > have) out.append(position - have, ' ');
  out.append(field);
}

}  // namespace

void RecordFormat::render(std::span<const Value> values, std::string& out) const {
  std::size_t next = 0;        // next value
  std::size_t charOffset = 0;  // characters already taken from a Characters value
  std::size_t recordStart = out.size();
  std::size_t position = 0;

  auto valueLeft = [&]() {
    while (next < values.size() && values[next].kind() == Value::Kind::Characters &&
           charOffset >= values[next].text().size()) {
      ++next;
      charOffset = 0;
    }
    return next < values.size();
  };
  auto endRecord = [&]() {
    out.push_back('\n');
    recordStart = out.size();
    position = 0;
  };

  std::size_t groupStart = 0;
  int groupLeft = 0;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const Item& item = items_[i];
    switch (item.kind) {
      case ItemKind::GroupStart:
        groupStart = i;
        groupLeft = item.repeat;
        break;
      case ItemKind::GroupEnd:
        if (--groupLeft > 0) i = groupStart;
        break;
      case ItemKind::Literal:
        putAt(out, recordStart, position, item.literal);
        position += item.literal.size();
        break;
      case ItemKind::Skip:
        position += static_cast<std::size_t>(item.width);
        break;
      case ItemKind::RecordEnd:
        endRecord();
        break;
      case ItemKind::Integer:
      case ItemKind::Fixed:
      case ItemKind::Text:
        for (int r = 0; r < item.repeat; ++r) {
          if (!valueLeft()) {
            endRecord();
            return;
          }
          const Value& v = values[next];
          // The field is rendered in place, at the current position.
          putAt(out, recordStart, position, {});
          const std::size_t fieldStart = out.size();
          if (item.kind == ItemKind::Integer) {
            if (v.kind() != Value::Kind::Real) {
              renderInteger(v.integer(), item.width, out);
            } else if (realFitsInteger(v.real())) {
              renderInteger(static_cast<std::int32_t>(v.real()), item.width, out);
            } else {
              out.append(static_cast<std::size_t>(item.width), '*');
            }
            ++next;
          } else if (item.kind == ItemKind::Fixed) {
            double x = v.kind() == Value::Kind::Integer ? static_cast<double>(v.integer()) : v.real();
            renderFixed(x, item.width, item.decimals, out);
            ++next;
          } else if (v.kind() == Value::Kind::Characters) {
            std::string_view rest = v.text().substr(charOffset);
            std::size_t take = item.width == 0 ? rest.size() : std::min(rest.size(), static_cast<std::size_t>(item.width));
            if (item.width > 0 && take < static_cast<std::size_t>(item.width))
              out.append(static_cast<std::size_t>(item.width) - take, ' ');
            out.append(rest.substr(0, take));
            charOffset += take;
          } else {
            std::string_view t = v.text();
            std::size_t w = item.width == 0 ? t.size() : static_cast<std::size_t>(item.width);
            if (w >= t.size()) {
              out.append(w - t.size(), ' ');
              out.append(t);
            } else {
              out.append(t.substr(0, w));
            }
            ++next;
          }
          position += out.size() - fieldStart;
        }
        break;
    }
  }
  endRecord();
}

std::string RecordFormat::render(std::initializer_list<Value> values) const {
  std::string out;
  render(std::span<const Value>(values.begin(), values.size()), out);
  return out;
}

namespace {

// Reads an Fw.d field: blanks around the number are ignored, all blanks is
// 0, no decimal point makes the last d digits decimals, E or D exponents.
bool readFixedField(std::string_view field, int decimals, double& result) {
  std::string_view t = trimBlanks(field);
  if (t.empty()) {
    result = 0.0;
    return true;
  }
  std::size_t pos = 0;
  std::string number;
  if (t[pos] == '+' || t[pos] == '-') number.push_back(t[pos++]);
  std::size_t digitsBefore = 0, digitsAfter = 0;
  bool point = false;
  while (pos < t.size() && isDigit(t[pos])) {
    number.push_back(t[pos++]);
    ++digitsBefore;
  }
  if (pos < t.size() && t[pos] == '.') {
    point = true;
    number.push_back(t[pos++]);
    while (pos < t.size() && isDigit(t[pos])) {
      number.push_back(t[pos++]);
      ++digitsAfter;
    }
  }
  if (digitsBefore + digitsAfter == 0) return false;
  long exponent = 0;
  if (pos < t.size() && (t[pos] == 'E' || t[pos] == 'e' || t[pos] == 'D' || t[pos] == 'd' || t[pos] == '+' ||
                         t[pos] == '-')) {
    if (t[pos] != '+' && t[pos] != '-') ++pos;
    bool negativeExponent = false;
    if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) negativeExponent = t[pos++] == '-';
    std::size_t expDigits = 0;
    while (pos < t.size() && isDigit(t[pos])) {
      if (exponent < 100000) exponent = exponent * 10 + (t[pos] - '0');
      ++pos;
      ++expDigits;
    }
    if (expDigits == 0) return false;
    if (negativeExponent) exponent = -exponent;
  }
  if (pos != t.size()) return false;
  if (!point) exponent -= decimals;
  number.push_back('e');
  number += std::to_string(exponent);
  result = std::strtod(number.c_str(), nullptr);
  return true;
}

}  // namespace

ReadOutcome RecordFormat::read(std::string_view record, std::span<const Target> targets) const {
  std::size_t column = 0;  // 0-based
  std::size_t next = 0;
  std::size_t filled = 0;  // characters already put into the current text target
  auto columns = [&](std::size_t n) {
    std::string_view piece = column < record.size() ? record.substr(column, n) : std::string_view();
    column += n;
    return piece;
  };
  std::size_t groupStart = 0;
  int groupLeft = 0;
  for (std::size_t i = 0; i < items_.size() && next < targets.size(); ++i) {
    const Item& item = items_[i];
    switch (item.kind) {
      case ItemKind::GroupStart:
        groupStart = i;
        groupLeft = item.repeat;
        break;
      case ItemKind::GroupEnd:
        if (--groupLeft > 0) i = groupStart;
        break;
      case ItemKind::Skip:
        column += static_cast<std::size_t>(item.width);
        break;
      case ItemKind::Literal:
      case ItemKind::RecordEnd:
      case ItemKind::Integer:
        break;  // not used for input
      case ItemKind::Fixed: {
        double* real = targets[next].real();
        std::string_view piece = columns(static_cast<std::size_t>(item.width));
        if (real == nullptr) return ReadOutcome::Error;
        if (!readFixedField(piece, item.decimals, *real)) return ReadOutcome::Error;
        ++next;
        break;
      }
      case ItemKind::Text:
        for (int r = 0; r < item.repeat && next < targets.size(); ++r) {
          std::string* text = targets[next].text();
          if (text == nullptr) return ReadOutcome::Error;
          std::size_t room = text->size() - filled;
          std::size_t width = item.width == 0 ? room : static_cast<std::size_t>(item.width);
          std::string_view piece = columns(width);
          std::size_t take = std::min(width, room);
          for (std::size_t k = 0; k < take; ++k) (*text)[filled + k] = k < piece.size() ? piece[k] : ' ';
          filled += take;
          if (filled >= text->size()) {
            ++next;
            filled = 0;
          }
        }
        break;
    }
  }
  return ReadOutcome::Done;
}

}  // namespace vorn
