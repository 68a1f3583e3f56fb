#include "simulate/mat_log.h"

#include <array>
#include <string>

namespace substitute_host::simulate {

using plant::recordColumns;

std::vector<matfile_out::MatColumn> matLogColumns() {
  std::vector<matfile_out::MatColumn> columns;
  for (const auto& column : recordColumns())
    columns.push_back(matfile_out::MatColumn{std::string(column.header), column.isFloat});
  return columns;
}

bool writeMatRow(matfile_out::MatColumnFile& file, const plant::StepRecord& record) {
  // The log has 36 columns; room for a few more keeps this a fixed array.
  std::array<double, 64> row{};
  std::size_t n = 0;
  for (const auto& column : recordColumns()) {
    if (n == row.size()) break;
    row[n++] = column.read(record);
  }
  return file.appendRow(std::span<const double>(row.data(), n));
}

}  // namespace substitute_host::simulate
