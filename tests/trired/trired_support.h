// Field books, answers and the console and report lines of TRIRED runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/job_folder.h"

namespace trired_test {

using vorn::testing::JobFolder;
using vorn::testing::RunResult;

// The example field book: four setups, TP1 and TP3 named, the turning
// point after the second setup not named, the third foresight without its
// upper wire.
inline const std::string kExampleBook =
    "BM-17 1250.000\r\n"
    "5.430 4.876 4.320 2.110 1.556 1.000\r\n"
    "TP1\r\n"
    "4.012 3.500 2.990 3.902 3.390 2.880\r\n"
    "5.000 4.500 4.000 0 4.230 3.700\r\n"
    "TP3\r\n"
    "3.346 3.000 2.656 4.712 4.360 4.010\r\n"
    "BM-18\r\n";

// Answer lines joined with LF, each ended by one.
inline std::string answers(std::initializer_list<std::string_view> lines) { return vorn::testing::lf(lines); }

// The answers of the example: feet and feet, collimation +0.01, stadia
// 100, corrections on, 0.001 per setup, BM-18 known at 1252.35.
inline std::string exampleAnswers(std::string_view book = "LEVEL1.TXT") {
  return answers({book, "1", "1", "0.01", "", "", "0.001", "1252.35"});
}

// The lines of a text, without their line ends (`ending` is "\r\n" or "\n").
inline std::vector<std::string> splitLines(const std::string& text, std::string_view ending) {
  std::vector<std::string> out;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find(ending, begin);
    if (end == std::string::npos) {
      out.push_back(text.substr(begin) + "<no line end>");
      break;
    }
    out.push_back(text.substr(begin, end - begin));
    begin = end + ending.size();
  }
  return out;
}

// The console's form of report lines: the line-control character dropped.
inline std::vector<std::string> shownOnConsole(const std::vector<std::string>& records) {
  std::vector<std::string> out;
  for (const std::string& r : records) out.push_back(r.empty() ? r : r.substr(1));
  return out;
}

inline std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// The console from the banner to the last question, for a job SURVEY and
// feet for both units.
inline const std::vector<std::string> kDialogueConsole = {
    "COMPUTER PROGRAM TRIRED 12-06-93",
    "FILE NAME FOR INPUT 3 WIRE LEVELING DATA IS:",
    "FILE NAME FOR OUTPUT IS (RESULTS):SURVEY.3WR          ",
    "FILE NAME FOR LEAST SQUARES DATA IS:SURVEY.ZZZ          ",
    "ROD READINGS ARE IN ",
    "(1) FT",
    "(2) YARDS",
    "(3) METERS",
    "PICK A # <1>",
    "ELEVATIONS AND PRODUCED ELEV. DIFFERENCES ARE IN",
    "(1) FT",
    "(2) YARDS",
    "(3) METERS",
    "PICK A # <1>",
    "INPUT IN FEET   INCLINATION (+)/DECLINATION (-) ERROR PER 100 FEET  ",
    "INPUT ZERO IF NONE OR NO PEG TEST",
    "INPUT STADIA CONSTANT <100>",
    "CORRECT FOR CURVATURE & REFRACTION (Y/N)? <Y>",
    "INPUT ERROR ESTIMATE (LIKE 0.001) PER SETUP IN FEET  ",
};

inline const std::vector<std::string> kSetupHeading = {
    " DATA AND AVE. OF UPPER AND LOWER MINUS MIDDLE READINGS",
    "",
    " SETUP # BS UPP   BS MID   BS LOW   FS UPP   FS MID   FS LOW   BS ERR   FS ERR",
};

inline const std::string kStop = "Stop - Program terminated.";

inline const std::string kInputEnded = "trired: read failed on standard input: input ended while a question was waiting\n";

}  // namespace trired_test
