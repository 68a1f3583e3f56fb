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

// The record's values go straight into the row the file keeps; a file of other
// columns than the log's takes them as any row.
bool writeMatRow(matfile_out::MatColumnFile& file, const plant::StepRecord& record) {
  const std::span<double> room = file.nextRow();
  if (room.size() == plant::kRecordColumnCount) {
    plant::recordValues(record, room.first<plant::kRecordColumnCount>());
    return file.finishRow();
  }
  std::array<double, plant::kRecordColumnCount> row;
  plant::recordValues(record, row);
  return file.appendRow(row);
}

}  // namespace substitute_host::simulate
