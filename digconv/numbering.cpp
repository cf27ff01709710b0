#include "digconv/numbering.h"

#include "common/records.h"

namespace vorn::digconv {

namespace {

constexpr std::int64_t kSeparation = 5000;

const RecordFormat kNumberFormats[] = {RecordFormat("(I1)"), RecordFormat("(I2)"), RecordFormat("(I3)"),
                                       RecordFormat("(I4)"), RecordFormat("(I5)"), RecordFormat("(I6)"),
                                       RecordFormat("(I7)"), RecordFormat("(I8)")};
const RecordFormat kNameFormat("(A8)");

}  // namespace

std::string PointNumberText(std::int64_t n) {
  int width = 1;
  for (std::int64_t limit = 10; width < 8 && n >= limit; limit *= 10) ++width;
  std::string record;
  if (n < 0 || n > 99999999) {
    record.assign(static_cast<std::size_t>(width), '*');
  } else {
    record = kNumberFormats[width - 1].render({static_cast<std::int32_t>(n)});
    record.pop_back();  // the record's line end
  }
  std::string name(kNameLength, ' ');
  kNameFormat.read(record, {name});
  return name;
}

std::int64_t PointNumbering::handOut(std::int64_t number) {
  while (usedSet_.contains(number)) {
    pointOffset_ += kSeparation;
    number += kSeparation;
  }
  used_.push_back(number);
  usedSet_.insert(number);
  return number;
}

void PointNumbering::numberPoint(TdsSight& sight, bool isBacksight) {
  if (!isBacksight) pointOffset_ = 0;
  if (!sight.pointNumber) return;
  std::int64_t number = *sight.pointNumber + pointAddition_;
  if (isBacksight) {
    if (pointOffset_ > 0) number += pointOffset_;
    if (!used_.empty() && used_.back() == number) {
      // The turning point just observed as a foresight.
      if (renumbered()) sight.pointName = PointNumberText(number);
      return;
    }
    pointOffset_ = 0;
  }
  number = handOut(number);
  if (renumbered()) sight.pointName = PointNumberText(number);
}

}  // namespace vorn::digconv
