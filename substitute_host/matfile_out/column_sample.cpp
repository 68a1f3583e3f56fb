#include "matfile_out/column_sample.h"

#include <matio.h>

#include <algorithm>
#include <climits>
#include <new>
#include <string_view>

namespace substitute_host::matfile_out {
namespace {

// Rows read at once while sampling a column: the library picks strided rows one at a
// time, far slower than reading every row of a slab and keeping each every-th here.
constexpr std::uint64_t kSlabRows = 32768;

// Every every-th of the column's rows, read a slab at a time, into values (as many as
// the column has sampled rows).
template <typename T>
bool sampleSlabs(mat_t* mat, matvar_t& info, std::uint64_t every, std::vector<double>& values) {
  const std::uint64_t rows = info.dims[0];
  std::vector<T> slab(static_cast<std::size_t>(std::min(rows, kSlabRows)));
  for (std::uint64_t first = 0; first < rows; first += kSlabRows) {
    const std::uint64_t count = std::min(kSlabRows, rows - first);
    int start[2] = {static_cast<int>(first), 0};
    int stride[2] = {1, 1};
    int edge[2] = {static_cast<int>(count), 1};
    if (Mat_VarReadData(mat, &info, slab.data(), start, stride, edge) != 0) return false;
    for (std::uint64_t row = (first + every - 1) / every * every; row < first + count; row += every)
      values[static_cast<std::size_t>(row / every)] = static_cast<double>(slab[row - first]);
  }
  return true;
}

// One column's sampled rows; false when it is no N-by-1 single or double column.
bool sampleColumn(mat_t* mat, matvar_t& info, std::uint64_t every, std::vector<double>& values) {
  if (info.rank != 2 || info.dims[1] != 1 || info.dims[0] > INT_MAX ||
      (info.class_type != MAT_C_DOUBLE && info.class_type != MAT_C_SINGLE)) {
    return false;
  }
  values.assign((info.dims[0] + every - 1) / every, 0.0);
  return info.class_type == MAT_C_DOUBLE ? sampleSlabs<double>(mat, info, every, values)
                                         : sampleSlabs<float>(mat, info, every, values);
}

// The named variables' descriptions, found in one walk over the file (looking each name
// up on its own walks the file from its start every time); null for a name not there.
std::vector<matvar_t*> describedVariables(mat_t* mat, const std::vector<std::string>& names) {
  std::vector<matvar_t*> found(names.size(), nullptr);
  while (matvar_t* info = Mat_VarReadNextInfo(mat)) {
    const auto named = info->name != nullptr
                           ? std::find(names.begin(), names.end(), std::string_view(info->name))
                           : names.end();
    const auto index = static_cast<std::size_t>(named - names.begin());
    if (named != names.end() && found[index] == nullptr) {
      found[index] = info;
    } else {
      Mat_VarFree(info);
    }
  }
  return found;
}

// Samples every described column, after the walk: reading values moves the file's
// position, which the walk goes on from.
bool sampleColumns(mat_t* mat, const std::vector<std::string>& names,
                   const std::vector<matvar_t*>& infos, std::uint64_t every,
                   std::vector<std::vector<double>>& columns, std::string& error) {
  columns.assign(names.size(), {});
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (infos[i] == nullptr || !sampleColumn(mat, *infos[i], every < 1 ? 1 : every, columns[i])) {
      error = "the column " + names[i] + " cannot be read from the MAT file";
      return false;
    }
  }
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
  std::vector<matvar_t*> infos;
  bool ok = true;
  try {
    infos = describedVariables(mat, names);
    ok = sampleColumns(mat, names, infos, every, columns, error);
  } catch (const std::bad_alloc&) {
    error = "out of memory reading the MAT file";
    ok = false;
  }
  for (matvar_t* info : infos) Mat_VarFree(info);
  Mat_Close(mat);
  return ok;
}

}  // namespace substitute_host::matfile_out
