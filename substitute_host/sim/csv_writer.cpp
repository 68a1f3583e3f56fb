#include "sim/csv_writer.h"

#include <charconv>

namespace substitute_host::sim {

bool CsvWriter::writeHeader() {
  bool first = true;
  for (const auto& column : recordColumns()) {
    if (!first) out_ << ',';
    out_ << column.header;
    first = false;
  }
  out_ << '\n';
  return static_cast<bool>(out_);
}

bool CsvWriter::write(const StepRecord& record) {
  // 36 columns of at most ~16 characters each.
  char row[1024];
  char* p = row;
  char* const end = row + sizeof row;
  for (const auto& column : recordColumns()) {
    if (p != row) *p++ = ',';
    const double value = column.read(record);
    const auto r = column.isFloat ? std::to_chars(p, end, static_cast<float>(value))
                                  : std::to_chars(p, end, value, std::chars_format::general, 10);
    p = r.ptr;
  }
  *p++ = '\n';
  out_.write(row, p - row);
  return static_cast<bool>(out_);
}

}  // namespace substitute_host::sim
