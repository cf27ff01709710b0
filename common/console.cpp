#include "console.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vorn {

void throwIoFailure(std::string_view operation, std::string_view file, int errorNumber) {
  throw IoFailure{std::string(operation), std::string(file),
                  errorNumber != 0 ? std::strerror(errorNumber) : "unknown error"};
}

void throwIoFailure(std::string_view operation, std::string_view file, std::string_view reason) {
  throw IoFailure{std::string(operation), std::string(file), std::string(reason)};
}

void RecordSink::write(const RecordFormat& format, std::span<const Value> values) {
  rendered_.clear();
  format.render(values, rendered_);
  std::string_view all(rendered_);
  std::size_t begin = 0;
  while (begin < all.size()) {
    std::size_t end = all.find('\n', begin);
    putRecord(all.substr(begin, end - begin));
    begin = end + 1;
  }
}

Console::Console(std::FILE* in, std::FILE* out) : in_(in), out_(out) {}

Console::~Console() { std::free(lineBuffer_); }

void Console::putRecord(std::string_view record) {
  std::string_view shown;
  bool emptyLineFirst = false;
  if (!record.empty()) {
    emptyLineFirst = record[0] == '0';
    shown = record.substr(1);
  }
  if (emptyLineFirst && std::fputc('\n', out_) == EOF) throwIoFailure("write", "standard output", errno);
  if (!shown.empty() && std::fwrite(shown.data(), 1, shown.size(), out_) != shown.size())
    throwIoFailure("write", "standard output", errno);
  if (std::fputc('\n', out_) == EOF) throwIoFailure("write", "standard output", errno);
}

void Console::flush() {
  if (std::fflush(out_) != 0) throwIoFailure("write", "standard output", errno);
}

bool Console::readLine(std::string& line) {
  flush();
  errno = 0;
  ssize_t n = ::getline(&lineBuffer_, &lineCapacity_, in_);
  if (n < 0) {
    if (std::ferror(in_)) throwIoFailure("read", "standard input", errno);
    return false;
  }
  std::size_t len = static_cast<std::size_t>(n);
  if (len > 0 && lineBuffer_[len - 1] == '\n') --len;
  if (len > 0 && lineBuffer_[len - 1] == '\r') --len;
  line.assign(lineBuffer_, len);
  return true;
}

std::string_view Console::readRequiredLine() {
  if (!readLine(line_)) throwIoFailure("read", "standard input", "input ended while a question was waiting");
  return line_;
}

}  // namespace vorn
