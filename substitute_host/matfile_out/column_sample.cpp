#include "matfile_out/column_sample.h"

#include <matio.h>

#include <climits>
#include <new>

namespace substitute_host::matfile_out {
namespace {

// One column's sampled rows; false when it is no N-by-1 single or double column.
bool sampleColumn(mat_t* mat, matvar_t& info, std::uint64_t every, std::vector<double>& values) {
  if (info.rank != 2 || info.dims[1] != 1 || every > INT_MAX ||
      (info.class_type != MAT_C_DOUBLE && info.class_type != MAT_C_SINGLE)) {
    return false;
  }
  const std::uint64_t rows = info.dims[0];
  const std::uint64_t count = (rows + every - 1) / every;
  if (count > INT_MAX) return false;
  values.assign(count, 0.0);
  if (count == 0) return true;
  int start[2] = {0, 0};
  int stride[2] = {static_cast<int>(every), 1};
  int edge[2] = {static_cast<int>(count), 1};
  if (info.class_type == MAT_C_DOUBLE) return Mat_VarReadData(mat, &info, values.data(), start, stride, edge) == 0;
  std::vector<float> singles(count);
  if (Mat_VarReadData(mat, &info, singles.data(), start, stride, edge) != 0) return false;
  for (std::size_t i = 0; i < singles.size(); ++i) values[i] = singles[i];
  return true;
}

}  // namespace

bool readEveryNthRow(const std::string& path, const std::vector<std::string>& names,
                     std::uint64_t every, std::vector<std::vector<double>>& columns,
                     std::string& error) {
  mat_t* mat = Mat_Open(path.c_str(), MAT_ACC_RDONLY);
  if (mat == nullptr) {
    error = "the MAT file cannot be read";
    return false;
  }
  bool ok = true;
  try {
    columns.assign(names.size(), {});
    for (std::size_t i = 0; ok && i < names.size(); ++i) {
      matvar_t* info = Mat_VarReadInfo(mat, names[i].c_str());
      ok = info != nullptr && sampleColumn(mat, *info, every < 1 ? 1 : every, columns[i]);
      if (info != nullptr) Mat_VarFree(info);
      if (!ok) error = "the column " + names[i] + " cannot be read from the MAT file";
    }
  } catch (const std::bad_alloc&) {
    error = "out of memory reading the MAT file";
    ok = false;
  }
  Mat_Close(mat);
  return ok;
}

}  // namespace substitute_host::matfile_out
