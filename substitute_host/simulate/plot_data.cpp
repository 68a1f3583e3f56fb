#include "simulate/plot_data.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "matfile_out/column_sample.h"
#include "simulate/plot_script.h"
#include "table/output_file.h"

namespace substitute_host::simulate {
namespace {

// Ten digits, as the CSV log prints the plant's quantities: enough for a picture. The
// digits are those printf's "%.10g" gives, made without its slower general path, and a
// row goes to the file in one call.
void writeCsv(std::FILE* out, const std::vector<std::string>& names,
              const std::vector<std::vector<double>>& columns) {
  for (std::size_t c = 0; c < names.size(); ++c)
    std::fprintf(out, c == 0 ? "%s" : ",%s", names[c].c_str());
  std::fputc('\n', out);
  const std::size_t rows = columns.empty() ? 0 : columns.front().size();
  constexpr std::size_t kFieldBytes = 24;  // "-1.234567890e-308," at most
  std::vector<char> line(columns.size() * kFieldBytes + 1);
  for (std::size_t r = 0; r < rows; ++r) {
    char* next = line.data();
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (c > 0) *next++ = ',';
      next =
          std::to_chars(next, next + kFieldBytes - 1, columns[c][r], std::chars_format::general, 10)
              .ptr;
    }
    *next++ = '\n';
    std::fwrite(line.data(), 1, static_cast<std::size_t>(next - line.data()), out);
  }
}

}  // namespace

bool writePlotData(const std::filesystem::path& matLog, std::uint64_t logRows,
                   const std::filesystem::path& dataFile, long long& rows, std::string& error) {
  const std::vector<std::string>& names = plottedColumns();
  std::vector<std::vector<double>> columns;
  const auto every = static_cast<std::uint64_t>(plotEvery(static_cast<long long>(logRows)));
  if (!matfile_out::readEveryNthRow(matLog.string(), names, every, columns, error)) return false;
  OutputFile file;
  if (!file.open(dataFile.string())) {
    error = file.error();
    return false;
  }
  // A failed write leaves the stream's error flag, which the commit reports.
  writeCsv(file.stream(), names, columns);
  if (!file.commit()) {
    error = file.error();
    return false;
  }
  rows = columns.empty() ? 0 : static_cast<long long>(columns.front().size());
  return true;
}

}  // namespace substitute_host::simulate
