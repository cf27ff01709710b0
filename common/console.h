// Destinations of records (the console, text files) and the console's
// line input. Every write is checked: a failure throws IoFailure, which the
// program's entry point turns into a one-line report and exit status 2.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "records.h"

namespace vorn {

// An input/output failure the program has no designed reaction for.
struct IoFailure {
  std::string operation;  // "read", "write", "create", "open", ...
  std::string file;       // the file's name, or "standard input" / "standard output"
  std::string reason;     // the system's reason
};

// Throws IoFailure with the reason taken from errno (or `reason` when given).
[[noreturn]] void throwIoFailure(std::string_view operation, std::string_view file, int errorNumber);
[[noreturn]] void throwIoFailure(std::string_view operation, std::string_view file, std::string_view reason);

// Something records are written to.
class RecordSink {
 public:
  virtual ~RecordSink() = default;
  void write(const RecordFormat& format, std::initializer_list<Value> values = {}) {
    write(format, std::span<const Value>(values.begin(), values.size()));
  }
  void write(const RecordFormat& format, std::span<const Value> values);

  // Renders the records once and writes them to each sink in turn, in the
  // order given.
  static void writeEach(std::initializer_list<RecordSink*> sinks, const RecordFormat& format,
                        std::initializer_list<Value> values = {});

 protected:
  // Receives one record, without its line end.
  virtual void putRecord(std::string_view record) = 0;

 private:
  std::string rendered_;
};

// The console: standard output for records, standard input for answers.
// On output the first character of every record is line control: it is not
// shown; "0" shows an empty line first. Every record ends with a line feed.
class Console : public RecordSink {
 public:
  Console(std::FILE* in, std::FILE* out);
  ~Console() override;
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Reads one line (without LF or a trailing CR) after flushing the output.
  // Returns false when the input has ended.
  bool readLine(std::string& line);
  // As readLine, but the end of the input is an input/output failure.
  std::string_view readRequiredLine();

  // Flushes the output; a failure is an input/output failure.
  void flush();

 protected:
  void putRecord(std::string_view record) override;

 private:
  std::FILE* in_;
  std::FILE* out_;
  char* lineBuffer_ = nullptr;
  std::size_t lineCapacity_ = 0;
  std::string line_;
};

}  // namespace vorn
