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
  std::array<double, plant::kRecordColumnCount> row;
  plant::recordValues(record, row);
  return file.appendRow(row);
}

}  // namespace substitute_host::simulate
