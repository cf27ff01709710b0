// Fixed-column records described by format strings.
//
// A format string such as "(' STADIA CONSTANT IS ',F8.3,/)" is parsed once
// into a RecordFormat. Writing lays an ordered list of values out as one or
// more records; reading picks fields out of the columns of one record.
//
// The notation is the subset the suite uses: 'literal', nX, /, Iw, Fw.d, A,
// Aw, rAw and r(items) groups (not nested).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// One value handed to a format. Text values keep their trailing blanks.
// A character-array value feeds its characters to consecutive text items
// (one character per A1 item), the way a list of single characters would.
class Value {
 public:
  enum class Kind : std::uint8_t { Text, Characters, Integer, Real };

  Value(std::string_view text) : kind_(Kind::Text), text_(text) {}
  Value(const std::string& text) : kind_(Kind::Text), text_(text) {}
  Value(const char* text) : kind_(Kind::Text), text_(text) {}
  Value(int integer) : kind_(Kind::Integer), integer_(integer) {}
  Value(double real) : kind_(Kind::Real), real_(real) {}

  static Value characters(std::string_view chars) {
    Value v(chars);
    v.kind_ = Kind::Characters;
    return v;
  }

  Kind kind() const { return kind_; }
  std::string_view text() const { return text_; }
  std::int32_t integer() const { return integer_; }
  double real() const { return real_; }

 private:
  Kind kind_;
  std::string_view text_{};
  std::int32_t integer_ = 0;
  double real_ = 0.0;
};

// Where a read puts a field: a fixed-length text (its size is its declared
// length; consecutive text items fill it left to right) or a real.
class Target {
 public:
  Target(std::string& text) : text_(&text) {}
  Target(double& real) : real_(&real) {}
  std::string* text() const { return text_; }
  double* real() const { return real_; }

 private:
  std::string* text_ = nullptr;
  double* real_ = nullptr;
};

enum class ReadOutcome { Done, End, Error };

class RecordFormat {
 public:
  // Parses the format text up to the parenthesis that balances the first
  // one. A malformed string is a programming error and aborts.
  explicit RecordFormat(std::string_view text);

  // Appends the records to `out`, each followed by '\n'.
  void render(std::span<const Value> values, std::string& out) const;
  std::string render(std::initializer_list<Value> values) const;

  // Reads one record into the targets. Never gives End (that is the
  // source's outcome); Error when a numeric field cannot be converted.
  ReadOutcome read(std::string_view record, std::span<const Target> targets) const;
  ReadOutcome read(std::string_view record, std::initializer_list<Target> targets) const {
    return read(record, std::span<const Target>(targets.begin(), targets.size()));
  }

  enum class ItemKind : std::uint8_t { Literal, Skip, RecordEnd, Integer, Fixed, Text, GroupStart, GroupEnd };
  struct Item {
    ItemKind kind;
    int width = 0;     // Iw, Fw.d, Aw (0 for A without width), nX count, group repeat
    int decimals = 0;  // Fw.d
    int repeat = 1;    // rAw, r(...)
    std::string literal{};
  };

 private:
  std::vector<Item> items_;
};

// Rendering of single fields, exposed for tests and for callers that need
// one field alone.
void renderInteger(std::int32_t value, int width, std::string& out);
void renderFixed(double value, int width, int decimals, std::string& out);

// `text` left-justified in `length` characters: cut or blank-padded.
std::string fixedText(std::string_view text, std::size_t length);

// `text` without its trailing blanks.
std::string_view trimRight(std::string_view text);
// `text` without its leading and trailing blanks.
std::string_view trimBlanks(std::string_view text);
bool isBlank(std::string_view text);

}  // namespace vorn
