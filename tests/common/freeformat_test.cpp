#include "common/freeformat.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace vorn {
namespace {

using testing::Lines;

struct RealCase {
  const char* id;
  const char* text;
  ReadOutcome outcome;
  double value;  // when Done
};

const RealCase kOneReal[] = {
    {"R01 integer", "12", ReadOutcome::Done, 12},
    {"R02 negative", "-3.5", ReadOutcome::Done, -3.5},
    {"R03 no integer part", ".25", ReadOutcome::Done, 0.25},
    {"R04 no decimals", "4.", ReadOutcome::Done, 4},
    {"R05 exponent", "1.5E2", ReadOutcome::Done, 150},
    {"R06 D exponent", "1.5D-1", ReadOutcome::Done, 0.15},
    {"R07 plus sign", "+7", ReadOutcome::Done, 7},
    {"R08 first of two", "100 200", ReadOutcome::Done, 100},
    {"R09 comma separated", "  5.5,6", ReadOutcome::Done, 5.5},
    {"R10 leading commas skipped", ", ,8", ReadOutcome::Done, 8},
    {"R11 tab separates", "\t9\tX", ReadOutcome::Done, 9},
    {"R12 letters", "ABC", ReadOutcome::Error, 0},
    {"R13 number then letters", "12ABC", ReadOutcome::Error, 0},
    {"R14 lone point", ".", ReadOutcome::Error, 0},
    {"R15 empty", "", ReadOutcome::End, 0},
    {"R16 blanks only", "     ", ReadOutcome::End, 0},
    {"R17 exponent without digits", "1E", ReadOutcome::Error, 0},
    {"R18 repeat count", "2*3.5", ReadOutcome::Done, 3.5},
    {"R19 slash ends the read", "/ 5", ReadOutcome::Done, -1},
    {"R20 inf is not a number", "inf", ReadOutcome::Error, 0},
    {"R21 sign alone", "-", ReadOutcome::Error, 0},
    {"R22 Fortran exponent without letter", "1.5+2", ReadOutcome::Done, 150},
};

TEST(FreeFormatRead, OneRealTable) {
  for (const RealCase& c : kOneReal) {
    double v = -1;
    ReadOutcome outcome = freeFormatRead(std::string_view(c.text), {v});
    EXPECT_EQ(outcome, c.outcome) << c.id;
    if (outcome == ReadOutcome::Done) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.id;
    }
  }
}

// Decimal tokens of every length up to 18 digits, the point anywhere or
// absent, read exactly as the C library reads them.
TEST(FreeFormatRead, RealTokensReadExactly) {
  std::uint64_t state = 99;
  auto next = [&state](std::uint64_t n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (state >> 33) % n;
  };
  for (int i = 0; i < 100000; ++i) {
    std::string token;
    if (next(3) == 0) token += next(2) == 0 ? '-' : '+';
    std::size_t digits = 1 + next(18);
    std::size_t point = next(digits + 2);  // digits + 1: no point
    for (std::size_t d = 0; d < digits; ++d) {
      if (d == point) token += '.';
      token += static_cast<char>('0' + next(10));
    }
    if (point == digits) token += '.';
    double value = 0;
    ASSERT_TRUE(parseRealToken(token, value)) << token;
    double expected = std::strtod(token.c_str(), nullptr);
    ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << token << " " << value << " " << expected;
  }
}

TEST(FreeFormatRead, IntegerTargets) {
  struct Case {
    const char* id;
    const char* text;
    ReadOutcome outcome;
    std::int32_t value;
  } cases[] = {
      {"N01 plain", "500", ReadOutcome::Done, 500},
      {"N02 negative", "-3", ReadOutcome::Done, -3},
      {"N03 point refused", "5.0", ReadOutcome::Error, 0},
      {"N04 too large", "2147483648", ReadOutcome::Error, 0},
      {"N05 largest", "2147483647", ReadOutcome::Done, 2147483647},
      {"N06 letters", "X", ReadOutcome::Error, 0},
      {"N07 leading zero", "02", ReadOutcome::Done, 2},
  };
  for (const Case& c : cases) {
    std::int32_t v = -1;
    ReadOutcome outcome = freeFormatRead(std::string_view(c.text), {v});
    EXPECT_EQ(outcome, c.outcome) << c.id;
    if (outcome == ReadOutcome::Done) {
      EXPECT_EQ(v, c.value) << c.id;
    }
  }
}

TEST(FreeFormatRead, ContinuesOverLinesAndSkipsTheRest) {
  Lines lines({"", "1.0  2.0", "3.0 4 5 6 7 8", "next"});
  double v[6] = {};
  EXPECT_EQ(freeFormatRead(lines, {v[0], v[1], v[2], v[3], v[4], v[5]}), ReadOutcome::Done);
  EXPECT_EQ(lines.used(), 3u);
  EXPECT_DOUBLE_EQ(v[5], 6.0);
}

TEST(FreeFormatRead, EndKeepsValuesReadBefore) {
  Lines lines({"5.43 4.876 4.32"});
  double v[6] = {0, 0, 0, 0, 0, 0};
  EXPECT_EQ(freeFormatRead(lines, {v[0], v[1], v[2], v[3], v[4], v[5]}), ReadOutcome::End);
  EXPECT_DOUBLE_EQ(v[2], 4.32);
}

TEST(FreeFormatRead, NullValuesAndRepeats) {
  double a = 1, b = 2, c = 3;
  EXPECT_EQ(freeFormatRead(std::string_view("7,,9"), {a, b, c}), ReadOutcome::Done);
  EXPECT_EQ(a, 7);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, 9);
  a = 1, b = 2, c = 3;
  EXPECT_EQ(freeFormatRead(std::string_view("2*4 /"), {a, b, c}), ReadOutcome::Done);
  EXPECT_EQ(a, 4);
  EXPECT_EQ(b, 4);
  EXPECT_EQ(c, 3);
  a = 1, b = 2, c = 3;
  EXPECT_EQ(freeFormatRead(std::string_view("5 , 6 ,7"), {a, b, c}), ReadOutcome::Done);
  EXPECT_EQ(b, 6);
  EXPECT_EQ(c, 7);
}

}  // namespace
}  // namespace vorn
