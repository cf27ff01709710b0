#include "common/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace vorn {
namespace {

struct FixedCase {
  const char* id;
  double value;
  int width;
  int decimals;
  const char* expected;
};

// Each row probes one rule of the Fw.d rendering.
const FixedCase kFixedCases[] = {
    {"F01 half up from 17 digits", 0.125, 4, 2, " .13"},
    {"F02 half away, no decimals", 2.5, 3, 0, " 3."},
    {"F03 17-digit form below half", 2.675, 5, 2, " 2.67"},
    {"F04 printf would tie to even", 20.5, 12, 0, "         21."},
    {"F05 negative half away", -2.625, 6, 2, " -2.63"},
    {"F06 negative from 17 digits", -63.85145, 8, 4, "-63.8515"},
    {"F07 no zero before point", 0.5, 7, 4, "  .5000"},
    {"F08 zero", 0.0, 7, 3, "   .000"},
    {"F09 negative below one", -0.05, 8, 4, "  -.0500"},
    {"F10 rounds to zero, no sign", -0.00004, 8, 4, "   .0000"},
    {"F11 ordinary", 1.23456, 8, 4, "  1.2346"},
    {"F12 exactly fills", 123.45678, 8, 4, "123.4568"},
    {"F13 too wide", 1234.5678, 8, 4, "********"},
    {"F14 carry adds a digit", 9.99996, 7, 4, "10.0000"},
    {"F15 point always written", 1234.5, 12, 0, "       1235."},
    {"F16 zero integer part, no decimals", 0.3, 5, 0, "   0."},
    {"F17 elevation F12.4", 1252.3393, 12, 4, "   1252.3393"},
    {"F18 negative small in F12.4", -0.00004, 12, 4, "       .0000"},
    {"F19 G 02 limit fits", 999999.9999, 11, 4, "999999.9999"},
    {"F20 G 02 limit overflows", 1000000.0, 11, 4, "***********"},
    {"F21 carry overflows the width", 99.99996, 7, 4, "*******"},
    {"F22 beyond 16 significant digits print 0", 12345678901234567890.0, 24, 1, "  12345678901234570000.0"},
    {"F23 tiny positive", 1e-300, 6, 2, "   .00"},
    {"F24 negative rounds to -1", -0.96, 6, 1, "  -1.0"},
    {"F25 huge", 1e300, 10, 3, "**********"},
    {"F26 infinity", 1.0 / 0.0, 8, 4, "********"},
    {"F27 minus sign makes it too wide", -123.45678, 8, 4, "********"},
    {"F28 F8.3 error", 0.01, 8, 3, "    .010"},
};

TEST(RenderFixed, Table) {
  for (const FixedCase& c : kFixedCases) {
    std::string out;
    renderFixed(c.value, c.width, c.decimals, out);
    EXPECT_EQ(out, c.expected) << c.id;
  }
}

// Fw.d by the rule written out plainly: the 17-significant-digit form
// (from printf), cut after the d-th decimal or the 16th digit, rounded on
// the first dropped digit, laid out without a zero before the point.
std::string fixedByTheRule(double value, int width, int decimals) {
  char sci[40];
  std::snprintf(sci, sizeof sci, "%.16e", value);
  bool negative = sci[0] == '-';
  std::string digits;
  const char* p = sci + (negative ? 1 : 0);
  for (; *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  int exponent = std::atoi(p + 1);
  int pointAfter = exponent + 1;
  int keep = std::min(pointAfter + decimals, 16);
  std::string kept = keep > 0 ? digits.substr(0, static_cast<std::size_t>(keep)) : "";
  if (keep >= 0 && digits[static_cast<std::size_t>(keep)] >= '5') {
    int i = static_cast<int>(kept.size()) - 1;
    while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') kept[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
      ++kept[static_cast<std::size_t>(i)];
    } else {
      kept.insert(kept.begin(), '1');
      ++pointAfter;
    }
  }
  auto digitAt = [&](int i) { return i >= 0 && i < static_cast<int>(kept.size()) ? kept[static_cast<std::size_t>(i)] : '0'; };
  std::string integer;
  for (int i = 0; i < pointAfter; ++i)
    if (!(integer.empty() && digitAt(i) == '0')) integer += digitAt(i);
  std::string fraction;
  for (int k = 0; k < decimals; ++k) fraction += digitAt(pointAfter + k);
  if (decimals == 0 && integer.empty()) integer = "0";
  bool anyNonZero = integer.find_first_not_of('0') != std::string::npos ||
                    fraction.find_first_not_of('0') != std::string::npos;
  std::string text;
  if (negative && anyNonZero) text += '-';
  text += integer;
  text += '.';
  text += fraction;
  if (text.size() > static_cast<std::size_t>(width)) return std::string(static_cast<std::size_t>(width), '*');
  text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

TEST(RenderFixed, AgreesWithTheRuleOverManyValues) {
  std::uint64_t state = 12345;
  auto next = [&state]() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state >> 11) / 9007199254740992.0;
  };
  int checked = 0;
  for (int i = 0; i < 200000; ++i) {
    int decimals = static_cast<int>(next() * 5);
    double magnitude = std::pow(10.0, std::floor(next() * 16) - 6);
    double value = (next() - 0.5) * magnitude;
    if (i % 2 == 1) {
      // Halves at the last decimal, as close as a double comes to them.
      double scale = std::pow(10.0, decimals);
      value = (std::floor(value * scale) + 0.5) / scale;
    }
    std::string out;
    renderFixed(value, 24, decimals, out);
    ASSERT_EQ(out, fixedByTheRule(value, 24, decimals)) << value << " F24." << decimals;
    ++checked;
  }
  EXPECT_EQ(checked, 200000);
}

TEST(RenderInteger, Table) {
  struct Case {
    const char* id;
    int value, width;
    const char* expected;
  } cases[] = {
      {"I01 too wide", 12, 1, "*"}, {"I02 negative", -42, 5, "  -42"}, {"I03 zero", 0, 3, "  0"},
      {"I04 exact", 99999, 5, "99999"}, {"I05 sign overflows", -1, 1, "*"},
      {"I06 int min", -2147483647 - 1, 11, "-2147483648"},
  };
  for (const Case& c : cases) {
    std::string out;
    renderInteger(c.value, c.width, out);
    EXPECT_EQ(out, c.expected) << c.id;
  }
}

std::string render(const char* format, std::initializer_list<Value> values) {
  return RecordFormat(format).render(values);
}

TEST(RecordFormatWrite, RecordsAndFields) {
  // O 09 with two of three values: the record ends after the middle wire.
  std::string twoWires = render("('O 09',54X,F8.4,F7.4,F7.4)", {5.1234, 4.9876});
  EXPECT_EQ(twoWires, "O 09" + std::string(54, ' ') + "  5.1234 4.9876\n");
  EXPECT_EQ(twoWires.size(), 74u);
  EXPECT_EQ(render("('O 09',62X,F7.4,F7.4)", {4.23}), "O 09" + std::string(62, ' ') + " 4.2300\n");
  std::string row = render("(1X,I5,8(1X,F8.4))", {1, 5.43, 4.876, 4.32, 2.11, 1.556, 1.0, -0.001, -0.001});
  EXPECT_EQ(row, "     1   5.4300   4.8760   4.3200   2.1100   1.5560   1.0000   -.0010   -.0010\n");
  EXPECT_EQ(row.size(), 79u);
  EXPECT_EQ(render("('S 00 ',A8,18X,'P F1',/,'S 01 ',17X,F7.3)", {"OC1     ", 0.0}),
            "S 00 OC1" + std::string(23, ' ') + "P F1\nS 01 " + std::string(17, ' ') + "   .000\n");
}

// A real handed to an integer field is cut toward zero; one that no 32-bit
// integer holds shows asterisks, as any value too wide for its field.
TEST(RecordFormatWrite, RealInIntegerField) {
  EXPECT_EQ(render("(I6)", {-12.9}), "   -12\n");
  EXPECT_EQ(render("(I11)", {2147483647.0}), " 2147483647\n");
  EXPECT_EQ(render("(I4)", {1e10}), "****\n");
  EXPECT_EQ(render("(I4)", {-3e9}), "****\n");
  EXPECT_EQ(render("(I4)", {std::nan("")}), "****\n");
  EXPECT_EQ(render("(I4)", {HUGE_VAL}), "****\n");
}

TEST(RecordFormatWrite, EmptyRecordsFromSlashes) {
  EXPECT_EQ(render("(/,' USE A SMALLER SUFFIX !!!!! <100000',/)", {}),
            "\n USE A SMALLER SUFFIX !!!!! <100000\n\n");
  EXPECT_EQ(render("(/,/,/,/,/)", {}), "\n\n\n\n\n\n");
  EXPECT_EQ(render("(' STADIA CONSTANT IS ',F8.3,/)", {100.0}), " STADIA CONSTANT IS  100.000\n\n");
}

TEST(RecordFormatWrite, StopsAtValueItemWithoutValue) {
  // Literals before the item without a value are still written.
  EXPECT_EQ(render("(' A ',F8.3,' B ',F8.3,' C')", {1.0}), " A    1.000 B \n");
  EXPECT_EQ(render("('O 09',62X,F7.4,F7.4)", {}), "O 09\n");
  // (80A1) given n characters writes n characters.
  EXPECT_EQ(render("(80A1)", {Value::characters("ABC")}), "ABC\n");
  EXPECT_EQ(render("(80A1)", {Value::characters("")}), "\n");
  EXPECT_EQ(render("('COPY TEMP.DXF ',30A1)", {Value::characters("SURVEY.DXF")}), "COPY TEMP.DXF SURVEY.DXF\n");
}

TEST(RecordFormatWrite, TextFields) {
  EXPECT_EQ(render("(1X,A,2X,F12.4)", {"TP1         ", 1253.32}), " TP1" + std::string(9 + 2 + 3, ' ') + "1253.3200\n");
  EXPECT_EQ(render("(' PROJECT IS ',A30)", {std::string(20, 'X')}), " PROJECT IS           " + std::string(20, 'X') + "\n");
  EXPECT_EQ(render("('O 00 ',A8,18X,'P F1')", {"VERYLONGNAME"}), "O 00 VERYLONG                  P F1\n");
  // Aw right-justifies a shorter value; a left-aligned field is a padded text.
  EXPECT_EQ(render("(1X,A16,1X,F13.4,1X,F10.4,1X,I1)", {fixedText("0", 16), 0.0, 0.001, 1}),
            " 0" + std::string(15 + 1 + 8, ' ') + ".0000" + std::string(1 + 5, ' ') + ".0010 1\n");
  EXPECT_EQ(render("(1X,A16)", {"BM-17       "}), "     BM-17       \n");
  EXPECT_EQ(render("(2(1X,A),2(2X,F12.4))", {"BM-17       ", "TP1         ", 3.32, 0.001}),
            " BM-17        TP1         " + std::string(2 + 6, ' ') + "3.3200" + std::string(2 + 7, ' ') + ".0010\n");
  EXPECT_EQ(render("('G 01 ',A8,1X,A8,46X,A1,/,'G 02',27X,F11.4)", {"BM-17", "BM-17", "F", 1250.0}),
            "G 01    BM-17    BM-17" + std::string(46, ' ') + "F\nG 02" + std::string(27, ' ') + "  1250.0000\n");
}

TEST(RecordFormatRead, TextAndFixedFields) {
  RecordFormat a("(A)");
  std::string name(12, ' ');
  EXPECT_EQ(a.read("", {name}), ReadOutcome::Done);
  EXPECT_EQ(name, std::string(12, ' '));
  EXPECT_EQ(a.read("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234", {name}), ReadOutcome::Done);
  EXPECT_EQ(name, "ABCDEFGHIJKL");

  RecordFormat kindName("(A4,1X,A8)");
  std::string kind(4, ' '), point(8, ' ');
  EXPECT_EQ(kindName.read("G 01 BM-17    BM-17", {kind, point}), ReadOutcome::Done);
  EXPECT_EQ(kind, "G 01");
  EXPECT_EQ(point, "BM-17   ");

  RecordFormat kindElevation("(A4,27X,F11.4)");
  double elevation = -1;
  EXPECT_EQ(kindElevation.read("G 01    BM-17", {kind, elevation}), ReadOutcome::Done);
  EXPECT_EQ(kind, "G 01");
  EXPECT_EQ(elevation, 0.0);
  EXPECT_EQ(kindElevation.read("G 02" + std::string(27, ' ') + "  1250.0000", {kind, elevation}), ReadOutcome::Done);
  EXPECT_DOUBLE_EQ(elevation, 1250.0);
  EXPECT_EQ(kindElevation.read("G 02" + std::string(27, ' ') + "      12345", {kind, elevation}), ReadOutcome::Done);
  EXPECT_DOUBLE_EQ(elevation, 1.2345);
  EXPECT_EQ(kindElevation.read("G 02" + std::string(27, ' ') + "    1.25E+2", {kind, elevation}), ReadOutcome::Done);
  EXPECT_DOUBLE_EQ(elevation, 125.0);
  EXPECT_EQ(kindElevation.read("G 02" + std::string(27, ' ') + "  12.5 ABC ", {kind, elevation}), ReadOutcome::Error);
  EXPECT_EQ(kindElevation.read("G 02" + std::string(27, ' ') + "    1 2    ", {kind, elevation}), ReadOutcome::Error);

  RecordFormat characters("(20A1)");
  std::string twenty(20, '?');
  EXPECT_EQ(characters.read("SURVEY", {twenty}), ReadOutcome::Done);
  EXPECT_EQ(twenty, "SURVEY              ");

  RecordFormat one("(A1)");
  std::string c(1, '?');
  EXPECT_EQ(one.read("", {c}), ReadOutcome::Done);
  EXPECT_EQ(c, " ");
}

TEST(RecordFormatParse, FollowingTextIsNotPartOfTheFormat) {
  EXPECT_EQ(render("(' A')(' B')", {}), " A\n");
}

TEST(RecordFormatParseDeathTest, MalformedStringAborts) {
  EXPECT_DEATH(RecordFormat("(' A'"), "malformed format");
  EXPECT_DEATH(RecordFormat("(Q5)"), "malformed format");
  EXPECT_DEATH(RecordFormat("(F8)"), "malformed format");
}

}  // namespace
}  // namespace vorn
