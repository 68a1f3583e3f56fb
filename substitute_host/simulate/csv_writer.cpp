#include "simulate/csv_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "plant/controller_step.h"

namespace substitute_host::simulate {

using plant::kControlStep;
using plant::recordColumns;
using plant::StepRecord;

bool CsvWriter::writeHeader() {
  std::string header;
  for (const auto& column : recordColumns()) {
    if (!header.empty()) header += ',';
    header += column.header;
  }
  header += '\n';
  return std::fwrite(header.data(), 1, header.size(), out_) == header.size();
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
  const auto length = static_cast<std::size_t>(p - row);
  return std::fwrite(row, 1, length, out_) == length;
}

namespace {
// A row takes about 400 bytes (36 columns); more than a gigabyte may fill a disk.
constexpr double kBytesPerRow = 400.0;
constexpr double kWarningBytes = 1e9;
}  // namespace

std::string csvSizeWarning(double duration, int decimate) {
  const double steps = std::max(1.0, std::ceil(duration / kControlStep - 1e-9));
  const double bytes = std::ceil(steps / std::max(decimate, 1)) * kBytesPerRow;
  if (!(bytes > kWarningBytes)) return {};
  double enough = std::ceil(steps * kBytesPerRow / kWarningBytes);
  if (std::ceil(steps / enough) * kBytesPerRow > kWarningBytes) ++enough;
  return "the CSV will take about " + std::to_string(std::llround(bytes / 1e9)) +
         " GB; --decimate " + std::to_string(std::llround(enough)) + " brings it under 1 GB";
}

}  // namespace substitute_host::simulate
