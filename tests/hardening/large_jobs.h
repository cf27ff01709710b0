// Large job inputs for the tests that interrupt the programs: field books
// and TDS level files of many setups, and old observation files of many
// records, made in memory.
#pragma once

#include <cstdio>
#include <string>

namespace vorn::testing {

// A field book of `setups` setup lines from BM-17 to BM-18, a named
// turning point after every tenth setup, the others unnamed.
inline std::string largeFieldBook(int setups) {
  std::string book = "LARGE LEVEL RUN\r\nBM-17 1250.000\r\n";
  char line[96];
  for (int i = 1; i <= setups; ++i) {
    double rise = (i % 7) * 0.013;
    std::snprintf(line, sizeof line, "%.3f %.3f %.3f %.3f %.3f %.3f\r\n", 5.43 + rise, 4.876 + rise, 4.32 + rise,
                  2.11, 1.556, 1.0);
    book += line;
    if (i % 10 == 0) {
      std::snprintf(line, sizeof line, "TP%d\r\n", i / 10);
      book += line;
    }
  }
  book += "BM-18\r\n";
  return book;
}

// A TDS level file of `setups` backsight and foresight pairs, every point
// numbered.
inline std::string largeLevelFile(int setups) {
  std::string file = "b 1  0                            ,1,0,BM-19,1247400\r\n";
  char line[96];
  int record = 2;
  for (int i = 1; i <= setups; ++i) {
    std::snprintf(line, sizeof line, "g 1  %d 4520 1252276            ,%d,%d,0,LINE3\r\n", 4000 + i % 900, record++,
                  i);
    file += line;
    std::snprintf(line, sizeof line, "i 1  %d 4480 1251056            ,%d,%d,0,LINE3\r\n", 1200 + i % 800, record++,
                  i + 1);
    file += line;
  }
  return file;
}

// An observation file of `setups` old setups (six records each).
inline std::string largeObservationFile(int setups) {
  std::string file = "H 00 SURVEY       CONVERTED FROM 3 WIRE FORMAT\r\nH 99 VERSION 01/31/00\r\n";
  char line[128];
  for (int i = 1; i <= setups; ++i) {
    std::snprintf(line, sizeof line, "S 00 OC%-6d                  P F1\r\nS 01                    .000\r\n", i);
    file += line;
    file += "O 00 OLD1                      P F1\r\n";
    file += "O 09                                                      5.4300 4.8760 4.3200\r\n";
    file += "O 00 OLD2                      P F1\r\n";
    file += "O 09                                                      2.1100 1.5560 1.0000\r\n";
  }
  return file;
}

// A least-squares data file of `lines` old difference records.
inline std::string largeLeastSquaresFile(int lines) {
  std::string file = " 0                       .0000      .0010 1\r\n";
  char line[96];
  for (int i = 1; i <= lines; ++i) {
    std::snprintf(line, sizeof line, "     OLD%-8d          OLD%-8d               .0100            .0010\r\n", i, i + 1);
    file += line;
  }
  return file;
}

inline const std::string kOldControlFile =
    "G 00 SURVEY.CTL          \r\n"
    "G 01 BM-17    BM-17                                              F\r\n"
    "G 02                              1250.0000\r\n";

}  // namespace vorn::testing
