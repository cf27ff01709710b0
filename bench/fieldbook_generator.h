// Large three-wire field books for benchmarks: a title, a start line, then
// setups with a named station every few setups, closing on a named
// benchmark. The readings vary and pass the wire checks; now and then a
// sight lacks its upper or lower wire.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace vorn::bench {

struct FieldBookShape {
  std::int64_t setups = 1'000'000;
  std::int64_t setupsPerStation = 10;
  std::uint64_t seed = 1;
};

// Writes the field book to `out` (LF line ends); false when a write fails.
bool writeFieldBook(std::FILE* out, const FieldBookShape& shape);

// Writes the field book to the file at `path`; false on failure.
bool writeFieldBookFile(const std::string& path, const FieldBookShape& shape);

}  // namespace vorn::bench
