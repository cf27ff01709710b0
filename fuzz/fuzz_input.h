// Splits a fuzzer's input into the few control bytes a target needs and
// the text it parses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorn::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : text_(reinterpret_cast<const char*>(data), size) {}
  // The next byte, or 0 when the input is used up.
  std::uint8_t byte() {
    if (text_.empty()) return 0;
    auto b = static_cast<std::uint8_t>(text_[0]);
    text_.remove_prefix(1);
    return b;
  }
  std::string_view rest() const { return text_; }

 private:
  std::string_view text_;
};

}  // namespace vorn::fuzz
