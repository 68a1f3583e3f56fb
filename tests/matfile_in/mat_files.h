#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <matio.h>

namespace matfile_test {

// A test value for row r and column c, away from any pattern the reader could fake.
double valueAt(std::size_t row, std::size_t column);

// A path in the tests' scratch folder (created on first use).
std::string scratchPath(const std::string& name);

// A column-major block of valueAt, rows by columns, starting at column `first`.
std::vector<double> block(std::size_t rows, std::size_t columns, std::size_t first = 0);

// A MAT file written through matio; each add... call writes one variable and is
// checked by the test that calls it.
class MatFileWriter {
 public:
  MatFileWriter(const std::string& path, mat_ft version, matio_compression compression);
  ~MatFileWriter();
  MatFileWriter(const MatFileWriter&) = delete;
  MatFileWriter& operator=(const MatFileWriter&) = delete;

  bool ok() const { return file_ != nullptr; }
  // rows by columns of valueAt from column `first`, as doubles or singles.
  bool addMatrix(const std::string& name, matio_classes kind, std::size_t rows,
                 std::size_t columns, std::size_t first = 0);
  // A structure with time: name.time rows-by-1, name.signals.values rows-by-columns.
  bool addStructWithTime(const std::string& name, std::size_t rows, std::size_t columns);
  bool addVariable(matvar_t* variable);

 private:
  mat_t* file_ = nullptr;
  matio_compression compression_;
};

}  // namespace matfile_test
