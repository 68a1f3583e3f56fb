#include "replay/input_csv.h"

#include <algorithm>

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

}  // namespace

InputCsvReader::InputCsvReader(std::FILE* in) : table_(in, {}) {}

bool InputCsvReader::readHeader() {
  if (!table_.readHeader(isInputColumn)) return false;
  std::array<bool, kInputValueCount> found{};
  std::size_t placedCount = 0;
  const std::vector<std::string>& names = table_.names();
  for (std::size_t field = 0; field < names.size(); ++field) {
    const auto column = std::find(kInputColumns.begin(), kInputColumns.end(), names[field]);
    if (column == kInputColumns.end()) continue;
    const auto value = static_cast<std::size_t>(column - kInputColumns.begin());
    found[value] = true;
    placed_[placedCount++] = Placed{field, value};
  }
  const std::string missing = missingColumns(found);
  if (!missing.empty()) return table_.failHeader(missing);
  return true;
}

InputCsvReader::Status InputCsvReader::next(float values[kInputValueCount]) {
  const Status status = table_.next();
  if (status != Status::row) return status;
  for (const Placed& column : placed_) {
    if (!table_.readSingle(column.field, values[column.value])) return Status::badInput;
  }
  return Status::row;
}

}  // namespace substitute_host
