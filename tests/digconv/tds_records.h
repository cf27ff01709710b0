// TDS records for test files.
#pragma once

#include <string>
#include <string_view>

namespace vorn::digconv {

// A record: the letter at position 1, the code at 3, the precision flag at
// 4, the number area from 6 to 34, then whatever follows from 35 on.
inline std::string record(char letter, char code, std::string_view numbers, std::string_view tail = "",
                          char flag = ' ') {
  std::string line{letter, ' ', code, flag, ' '};
  line += std::string(numbers);
  line.resize(34, ' ');
  line += tail;
  return line;
}

}  // namespace vorn::digconv
