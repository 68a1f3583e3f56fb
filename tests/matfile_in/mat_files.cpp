#include "tests/matfile_in/mat_files.h"

#include <cmath>
#include <filesystem>

namespace matfile_test {

double valueAt(std::size_t row, std::size_t column) {
  return std::sin(static_cast<double>(row * 13 + column) * 0.7) * 300.0 + 0.1 * column;
}

std::string scratchPath(const std::string& name) {
  std::filesystem::create_directories(CORVALENT2_SCRATCH);
  return std::string(CORVALENT2_SCRATCH) + "/" + name;
}

std::vector<double> block(std::size_t rows, std::size_t columns, std::size_t first) {
  std::vector<double> values(rows * columns);
  for (std::size_t c = 0; c < columns; ++c) {
    for (std::size_t r = 0; r < rows; ++r) values[c * rows + r] = valueAt(r, first + c);
  }
  return values;
}

MatFileWriter::MatFileWriter(const std::string& path, mat_ft version, matio_compression compression)
    : file_(Mat_CreateVer(path.c_str(), nullptr, version)), compression_(compression) {}

MatFileWriter::~MatFileWriter() {
  if (file_ != nullptr) Mat_Close(file_);
}

bool MatFileWriter::addVariable(matvar_t* variable) {
  if (variable == nullptr) return false;
  const bool written = Mat_VarWrite(file_, variable, compression_) == 0;
  Mat_VarFree(variable);
  return written;
}

bool MatFileWriter::addMatrix(const std::string& name, matio_classes kind, std::size_t rows,
                              std::size_t columns, std::size_t first) {
  const std::vector<double> values = block(rows, columns, first);
  std::vector<float> singles(values.begin(), values.end());
  std::size_t dims[2] = {rows, columns};
  void* data = kind == MAT_C_SINGLE ? static_cast<void*>(singles.data())
                                    : static_cast<void*>(const_cast<double*>(values.data()));
  const matio_types type = kind == MAT_C_SINGLE ? MAT_T_SINGLE : MAT_T_DOUBLE;
  return addVariable(Mat_VarCreate(name.c_str(), kind, type, 2, dims, data, 0));
}

bool MatFileWriter::addStructWithTime(const std::string& name, std::size_t rows,
                                      std::size_t columns) {
  std::vector<double> time(rows), values = block(rows, columns);
  for (std::size_t r = 0; r < rows; ++r) time[r] = static_cast<double>(r) * 5e-5;
  std::size_t one[2] = {1, 1}, timeDims[2] = {rows, 1}, valueDims[2] = {rows, columns};
  const char* outerFields[] = {"time", "signals"};
  const char* innerFields[] = {"values"};
  matvar_t* outer = Mat_VarCreateStruct(name.c_str(), 2, one, outerFields, 2);
  matvar_t* inner = Mat_VarCreateStruct("signals", 2, one, innerFields, 1);
  Mat_VarSetStructFieldByName(inner, "values", 0,
                              Mat_VarCreate("values", MAT_C_DOUBLE, MAT_T_DOUBLE, 2, valueDims,
                                            values.data(), MAT_F_DONT_COPY_DATA));
  Mat_VarSetStructFieldByName(outer, "time", 0,
                              Mat_VarCreate("time", MAT_C_DOUBLE, MAT_T_DOUBLE, 2, timeDims,
                                            time.data(), MAT_F_DONT_COPY_DATA));
  Mat_VarSetStructFieldByName(outer, "signals", 0, inner);
  return addVariable(outer);
}

}  // namespace matfile_test

// In a build with LeakSanitizer: blocks the HDF5 library keeps when it gives up on a
// damaged 7.3 file are its own, not the reader's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libhdf5\n"; }
