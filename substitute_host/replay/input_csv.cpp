#include "replay/input_csv.h"

#include <algorithm>
#include <cstdlib>

#include "text/display_text.h"

namespace substitute_host {
namespace {

bool isInputColumn(std::string_view name) {
  return std::find(kInputColumns.begin(), kInputColumns.end(), name) != kInputColumns.end();
}

std::string missingColumns(const std::array<bool, kInputValueCount>& found) {
  std::string missing;
  std::size_t missingCount = 0;
  for (std::size_t value = 0; value < kInputValueCount; ++value) {
    if (found[value]) continue;
    missing += (missingCount++ == 0 ? "'" : ", '") + std::string(kInputColumns[value]) + "'";
  }
  if (missingCount == 0) return {};
  return "the header lacks the required column" + std::string(missingCount > 1 ? "s " : " ") +
         missing;
}

constexpr std::string_view kTimeColumn = "time";

}  // namespace

InputCsvReader::InputCsvReader(std::FILE* in) : table_(in, {}) {}

InputCsvReader::InputCsvReader(RowSource& source) : table_(nullptr, {}), source_(&source) {}

bool InputCsvReader::readHeader() {
  if (source_ == &table_ && !table_.readHeader(isInputColumn)) return false;
  return placeColumns();
}

bool InputCsvReader::placeColumns() {
  std::array<bool, kInputValueCount> found{};
  std::size_t placedCount = 0;
  const std::vector<std::string>& names = source_->names();
  for (std::size_t field = 0; field < names.size(); ++field) {
    if (names[field] == kTimeColumn && timeField_ == kNoField) timeField_ = field;
    const auto column = std::find(kInputColumns.begin(), kInputColumns.end(), names[field]);
    if (column == kInputColumns.end()) continue;
    const auto value = static_cast<std::size_t>(column - kInputColumns.begin());
    found[value] = true;
    placed_[placedCount++] = Placed{field, value};
  }
  const std::string missing = missingColumns(found);
  if (!missing.empty()) return source_->failHeader(missing);
  return true;
}

InputCsvReader::Status InputCsvReader::next(float values[kInputValueCount]) {
  if (source_ == &table_) return nextFrom(table_, values);
  const Status status = source_->next();
  const float* row = status == Status::row ? source_->rowSingles() : nullptr;
  if (row == nullptr) return status == Status::row ? readFields(*source_, values) : status;
  for (const Placed& column : placed_) values[column.value] = row[column.field];
  return Status::row;
}

template <typename Source>
InputCsvReader::Status InputCsvReader::readFields(Source& source, float values[kInputValueCount]) {
  for (const Placed& column : placed_) {
    if (!source.readSingle(column.field, values[column.value])) return Status::badInput;
  }
  return Status::row;
}

template <typename Source>
InputCsvReader::Status InputCsvReader::nextFrom(Source& source, float values[kInputValueCount]) {
  const Status status = source.next();
  if (status != Status::row) return status;
  return readFields(source, values);
}

InputCsvReader::Status InputCsvReader::readTime(double& value) {
  if (source_ != &table_) {
    return source_->readDouble(timeField_, value) ? Status::row : Status::badInput;
  }
  const std::string text(table_.field(timeField_));
  char* stop = nullptr;
  // The C library's reading, correctly rounded, as a reader of the CSV would take it.
  value = text.empty() ? 0.0 : std::strtod(text.c_str(), &stop);
  if (!text.empty() && stop == text.c_str() + text.size()) return Status::row;
  return table_.failField(timeField_, "'" + displayText(text, 40) + "' is not a number");
}

}  // namespace substitute_host
