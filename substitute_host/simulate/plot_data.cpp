#include "simulate/plot_data.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <vector>

#include "matfile_out/column_sample.h"
#include "simulate/plot_script.h"
#include "table/output_file.h"

namespace substitute_host::simulate {
namespace {

// Ten digits, as the CSV log prints the plant's quantities: enough for a picture. The
// digits are those printf's "%.10g" gives, made without its slower general path.
void writeCsv(std::FILE* out, const std::vector<std::string>& names,
              const std::vector<std::vector<double>>& columns) {
  for (std::size_t c = 0; c < names.size(); ++c) std::fprintf(out, c == 0 ? "%s" : ",%s", names[c].c_str());
  std::fputc('\n', out);
  const std::size_t rows = columns.empty() ? 0 : columns.front().size();
  std::array<char, 32> field{};
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (c > 0) std::fputc(',', out);
      const auto made = std::to_chars(field.data(), field.data() + field.size(), columns[c][r],
                                      std::chars_format::general, 10);
      std::fwrite(field.data(), 1, static_cast<std::size_t>(made.ptr - field.data()), out);
    }
    std::fputc('\n', out);
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
