#include "files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace vorn {

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void removeFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) throwIoFailure("delete", path, errno);
}

// ---- InputFile ----

std::optional<InputFile> InputFile::openExisting(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    throwIoFailure("open", path, errno);
  }
  return InputFile(f, path);
}

InputFile::InputFile(InputFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      path_(std::move(other.path_)),
      buffer_(std::exchange(other.buffer_, nullptr)),
      capacity_(std::exchange(other.capacity_, 0)),
      length_(other.length_),
      haveLine_(other.haveLine_),
      pushedBack_(other.pushedBack_) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this != &other) {
    if (file_ != nullptr) std::fclose(file_);
    std::free(buffer_);
    file_ = std::exchange(other.file_, nullptr);
    path_ = std::move(other.path_);
    buffer_ = std::exchange(other.buffer_, nullptr);
    capacity_ = std::exchange(other.capacity_, 0);
    length_ = other.length_;
    haveLine_ = other.haveLine_;
    pushedBack_ = other.pushedBack_;
  }
  return *this;
}

InputFile::~InputFile() {
  if (file_ != nullptr) std::fclose(file_);
  std::free(buffer_);
}

bool InputFile::readLine(std::string_view& line) {
  if (pushedBack_ && haveLine_) {
    pushedBack_ = false;
    line = std::string_view(buffer_, length_);
    return true;
  }
  pushedBack_ = false;
  errno = 0;
  ssize_t n = ::getline(&buffer_, &capacity_, file_);
  if (n < 0) {
    if (std::ferror(file_)) throwIoFailure("read", path_, errno);
    haveLine_ = false;
    return false;
  }
  std::size_t len = static_cast<std::size_t>(n);
  if (len > 0 && buffer_[len - 1] == '\n') --len;
  if (len > 0 && buffer_[len - 1] == '\r') --len;
  length_ = len;
  haveLine_ = true;
  line = std::string_view(buffer_, length_);
  return true;
}

void InputFile::rewind() {
  if (std::fseek(file_, 0, SEEK_SET) != 0) throwIoFailure("rewind", path_, errno);
  std::clearerr(file_);
  haveLine_ = false;
  pushedBack_ = false;
}

ReadOutcome InputFile::read(const RecordFormat& format, std::initializer_list<Target> targets) {
  std::string_view line;
  if (!readLine(line)) return ReadOutcome::End;
  return format.read(line, targets);
}

// ---- OutputFile ----

OutputFile OutputFile::create(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) throwIoFailure("create", path, errno);
  return OutputFile(f, path);
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), path_(std::move(other.path_)) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this != &other) {
    if (file_ != nullptr) std::fclose(file_);
    file_ = std::exchange(other.file_, nullptr);
    path_ = std::move(other.path_);
  }
  return *this;
}

OutputFile::~OutputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void OutputFile::putRecord(std::string_view record) {
  if ((!record.empty() && std::fwrite(record.data(), 1, record.size(), file_) != record.size()) ||
      std::fwrite("\r\n", 1, 2, file_) != 2)
    throwIoFailure("write", path_, errno);
}

void OutputFile::flush() {
  if (std::fflush(file_) != 0) throwIoFailure("write", path_, errno);
}

void OutputFile::close() {
  if (file_ == nullptr) return;
  std::FILE* f = std::exchange(file_, nullptr);
  bool failed = std::ferror(f) != 0;
  int err = errno;
  if (std::fclose(f) != 0 && !failed) {
    failed = true;
    err = errno;
  }
  if (failed) throwIoFailure("write", path_, err);
}

// ---- ReplacementFile ----

std::FILE* ReplacementFile::createTemporary(const std::string& path, std::string& tempPath) {
  std::string pattern = path + "~XXXXXX";
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "wb");
  if (file == nullptr) {
    int err = errno;
    ::close(fd);
    ::unlink(pattern.c_str());
    errno = err;
    return nullptr;
  }
  tempPath = pattern;
  return file;
}

ReplacementFile::ReplacementFile(std::string path) : path_(std::move(path)) {
  file_ = createTemporary(path_, tempPath_);
  if (file_ == nullptr) throwIoFailure("create", path_, errno);
}

std::optional<ReplacementFile> ReplacementFile::tryCreate(std::string path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return std::nullopt;
  std::string tempPath;
  std::FILE* file = createTemporary(path, tempPath);
  if (file == nullptr) return std::nullopt;
  return ReplacementFile(std::move(path), std::move(tempPath), file);
}

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : path_(std::move(other.path_)),
      tempPath_(std::move(other.tempPath_)),
      file_(std::exchange(other.file_, nullptr)) {
  other.tempPath_.clear();
}

ReplacementFile::~ReplacementFile() { discard(); }

void ReplacementFile::discard() noexcept {
  if (file_ != nullptr) std::fclose(std::exchange(file_, nullptr));
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
  tempPath_.clear();
}

void ReplacementFile::putRecord(std::string_view record) {
  if (file_ == nullptr) throwIoFailure("write", path_, "the file is already closed");
  if ((!record.empty() && std::fwrite(record.data(), 1, record.size(), file_) != record.size()) ||
      std::fwrite("\r\n", 1, 2, file_) != 2)
    throwIoFailure("write", path_, errno);
}

void ReplacementFile::prepare() {
  if (file_ == nullptr) return;
  // The new file takes the old one's permissions, or the usual ones.
  struct stat st {};
  mode_t mode;
  if (::stat(path_.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  int err = 0;
  if (std::fflush(file_) != 0 || std::ferror(file_) != 0) err = errno ? errno : EIO;
  if (err == 0 && ::fchmod(::fileno(file_), mode) != 0) err = errno;
  if (err == 0 && ::fsync(::fileno(file_)) != 0) err = errno;
  std::FILE* f = std::exchange(file_, nullptr);
  if (std::fclose(f) != 0 && err == 0) err = errno;
  if (err != 0) {
    discard();
    throwIoFailure("write", path_, err);
  }
}

void ReplacementFile::commit() {
  prepare();
  if (tempPath_.empty()) return;
  if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
    int err = errno;
    discard();
    throwIoFailure("write", path_, err);
  }
  tempPath_.clear();
}

}  // namespace vorn
