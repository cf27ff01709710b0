#include "digconv/numbering.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorn::digconv {
namespace {

// One sight of a sequence: B or F, and its point field (0: none).
struct Step {
  char kind;
  int pointNumber;
  const char* expectedName;
};

void runSteps(PointNumbering& numbering, const std::vector<Step>& steps, const char* id) {
  for (std::size_t k = 0; k < steps.size(); ++k) {
    const Step& s = steps[k];
    TdsSight sight;
    if (s.pointNumber > 0) {
      sight.pointName = fixedText(std::to_string(s.pointNumber), 8);
      sight.pointNumber = s.pointNumber;
    }
    numbering.numberPoint(sight, s.kind == 'B');
    EXPECT_EQ(trimRight(sight.pointName), s.expectedName) << id << ", sight " << k + 1;
  }
}

TEST(PointNumbering, Sequences) {
  struct Case {
    const char* id;
    int suffix;
    std::vector<Step> steps;
    std::vector<std::int64_t> used;
  } cases[] = {
      {"suffix 1 keeps the file's numbers, a backsight on the last foresight adds none",
       1,
       {{'F', 5, "5"}, {'B', 5, "5"}, {'F', 6, "6"}, {'B', 6, "6"}, {'F', 7, "7"}},
       {5, 6, 7}},
      {"suffix 1000 adds 999", 1000, {{'F', 5, "1004"}, {'B', 5, "1004"}}, {1004}},
      {"a number used before moves up by 5000, then 10000",
       1,
       {{'F', 5, "5"}, {'B', 5, "5"}, {'F', 6, "6"}, {'B', 6, "6"}, {'F', 5, "5005"}, {'B', 5, "5005"},
        {'F', 5, "10005"}},
       {5, 6, 5005, 10005}},
      {"a foresight read twice on the same number", 1, {{'F', 8, "8"}, {'F', 8, "5008"}}, {8, 5008}},
      {"a backsight on another point is handed out", 1, {{'B', 9, "9"}, {'F', 3, "3"}, {'B', 9, "5009"}},
       {9, 3, 5009}},
      {"sights without number are left alone", 500, {{'B', 0, "JUNK"}, {'F', 0, "JUNK"}}, {}},
      {"a foresight without number clears the offset",
       1,
       {{'F', 5, "5"}, {'F', 5, "5005"}, {'F', 0, "JUNK"}, {'B', 5, "10005"}},
       {5, 5005, 10005}},
  };
  for (const Case& c : cases) {
    PointNumbering numbering(c.suffix);
    runSteps(numbering, c.steps, c.id);
    EXPECT_EQ(numbering.usedPointNumbers(), c.used) << c.id;
  }
}

TEST(PointNumbering, HasNoFixedLimit) {
  PointNumbering numbering(1);
  for (int n = 1; n <= 12000; ++n) {
    TdsSight sight;
    sight.pointNumber = n;
    numbering.numberPoint(sight, false);
  }
  TdsSight again;
  again.pointNumber = 7000;
  numbering.numberPoint(again, false);
  ASSERT_EQ(numbering.usedPointNumbers().size(), 12001u);
  // 7000 and 12000 are both taken: the number moves up twice.
  EXPECT_EQ(numbering.usedPointNumbers().back(), 17000);
  EXPECT_EQ(trimRight(again.pointName), "17000");
}

TEST(PointNumberText, Widths) {
  struct Case {
    std::int64_t n;
    const char* text;
  } cases[] = {{7, "7       "},         {0, "0       "},        {-3, "*       "},
               {99, "99      "},        {1000000, "1000000 "}, {12345678, "12345678"},
               {99999999, "99999999"}, {100000000, "********"}};
  for (const Case& c : cases) EXPECT_EQ(PointNumberText(c.n), c.text) << c.n;
}

}  // namespace
}  // namespace vorn::digconv
