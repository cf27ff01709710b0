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

namespace {

// Hands each record of `rendered` (records ended by '\n') to `put`.
template <class Put>
void forEachRecord(std::string_view rendered, Put put) {
  std::size_t begin = 0;
  while (begin < rendered.size()) {
    std::size_t end = rendered.find('\n', begin);
    put(rendered.substr(begin, end - begin));
    begin = end + 1;
  }
}

}  // namespace

void RecordSink::write(const RecordFormat& format, std::span<const Value> values) {
  rendered_.clear();
  format.render(values, rendered_);
  forEachRecord(rendered_, [this](std::string_view record) { putRecord(record); });
}

void RecordSink::writeEach(std::initializer_list<RecordSink*> sinks, const RecordFormat& format,
                           std::initializer_list<Value> values) {
  if (sinks.size() == 0) return;
  std::string& rendered = (*sinks.begin())->rendered_;
  rendered.clear();
  format.render(std::span<const Value>(values.begin(), values.size()), rendered);
  for (RecordSink* sink : sinks) {
    forEachRecord(rendered, [sink](std::string_view record) { sink->putRecord(record); });
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
