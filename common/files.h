// Text files of records: read line by line, written with CRLF line ends,
// every write checked. A ReplacementFile is written beside the file it
// replaces and renamed over it only when complete, so that a failure or a
// kill at any moment leaves the old file or the new one, never a part.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "console.h"
#include "freeformat.h"
#include "records.h"

namespace vorn {

bool fileExists(const std::string& path);
// True when both names exist and are the same file (same device and inode).
bool sameFile(const std::string& a, const std::string& b);
// Removes the file; a missing file is not an error, any other failure is.
void removeFile(const std::string& path);

// A text file read line by line. Lines may end in LF or CRLF; the line
// handed out has neither. One line can be pushed back.
class InputFile : public LineSource {
 public:
  // Opens an existing file; returns nothing when it does not exist. Any
  // other failure to open it is an input/output failure.
  static std::optional<InputFile> openExisting(const std::string& path);

  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile() override;

  // The next line, valid until the next call; false at the end of the file.
  bool readLine(std::string_view& line);
  bool nextLine(std::string_view& line) override { return readLine(line); }
  // The next readLine gives the line just read again.
  void pushBack() { pushedBack_ = true; }
  void rewind();
  // Reads the next record through a format: Done, End or Error.
  ReadOutcome read(const RecordFormat& format, std::initializer_list<Target> targets);

  const std::string& path() const { return path_; }

 private:
  InputFile(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
  std::FILE* file_ = nullptr;
  std::string path_;
  char* buffer_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t length_ = 0;
  bool haveLine_ = false;
  bool pushedBack_ = false;
};

// A file written record by record from its start (create-or-reuse: an
// earlier file of that name is replaced as the writing goes).
class OutputFile : public RecordSink {
 public:
  static OutputFile create(const std::string& path);
  OutputFile(OutputFile&& other) noexcept;
  OutputFile& operator=(OutputFile&& other) noexcept;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() override;

  // Writes a record as it stands (no format), then CRLF.
  void writeRaw(std::string_view record) { putRecord(record); }
  void flush();
  // Flushes and closes; a failure is an input/output failure.
  void close();
  const std::string& path() const { return path_; }

 protected:
  void putRecord(std::string_view record) override;

 private:
  OutputFile(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
  std::FILE* file_ = nullptr;
  std::string path_;
};

// The new content of a file, written to a temporary file in the same folder
// and renamed over the file by commit(). Destroyed without commit, it
// removes the temporary file and the old file stays as it was.
class ReplacementFile : public RecordSink {
 public:
  explicit ReplacementFile(std::string path);
  // As the constructor, but gives nothing when the temporary file cannot be
  // created or `path` names a folder, for callers that react to it.
  static std::optional<ReplacementFile> tryCreate(std::string path);
  ReplacementFile(ReplacementFile&& other) noexcept;
  ReplacementFile& operator=(ReplacementFile&&) = delete;
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  ~ReplacementFile() override;

  void writeRaw(std::string_view record) { putRecord(record); }
  // Flushes, syncs and closes the temporary file without renaming it, so
  // that several files can be complete on disk before any of them replaces
  // its old file. Any failure is an input/output failure and leaves the
  // old file. Nothing more can be written afterwards.
  void prepare();
  // Prepares the temporary file (unless done), then renames it over the
  // file. Any failure is an input/output failure and leaves the old file.
  void commit();
  const std::string& path() const { return path_; }

 protected:
  void putRecord(std::string_view record) override;

 private:
  ReplacementFile(std::string path, std::string tempPath, std::FILE* file)
      : path_(std::move(path)), tempPath_(std::move(tempPath)), file_(file) {}
  // Creates the temporary file beside `path`; nullptr with errno set when
  // it cannot be created.
  static std::FILE* createTemporary(const std::string& path, std::string& tempPath);
  void discard() noexcept;
  std::string path_;
  std::string tempPath_;
  std::FILE* file_ = nullptr;
};

}  // namespace vorn
