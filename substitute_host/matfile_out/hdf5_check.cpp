#include "matfile_out/hdf5_check.h"

#include <hdf5.h>

namespace substitute_host::matfile_out {

namespace {

// HDF5 prints every failure on standard error unless told not to: a variable missing
// from a damaged file is an answer here, told in the error.
class QuietHdf5 {
 public:
  QuietHdf5() {
    H5Eget_auto2(H5E_DEFAULT, &function_, &data_);
    H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);
  }
  ~QuietHdf5() { H5Eset_auto2(H5E_DEFAULT, function_, data_); }
  QuietHdf5(const QuietHdf5&) = delete;
  QuietHdf5& operator=(const QuietHdf5&) = delete;

 private:
  H5E_auto2_t function_ = nullptr;
  void* data_ = nullptr;
};

// An N-by-1 column in the file's terms: a MAT file stores the dimensions in the other
// order, so its HDF5 data set is 1 by N.
bool isColumnOfRows(hid_t file, const std::string& name, std::uint64_t rows) {
  const hid_t set = H5Dopen2(file, name.c_str(), H5P_DEFAULT);
  if (set < 0) return false;
  const hid_t space = H5Dget_space(set);
  hsize_t dims[2] = {0, 0};
  const bool ok = space >= 0 && H5Sget_simple_extent_ndims(space) == 2 &&
                  H5Sget_simple_extent_dims(space, dims, nullptr) == 2 && dims[0] == 1 &&
                  dims[1] == rows;
  if (space >= 0) H5Sclose(space);
  H5Dclose(set);
  return ok;
}

}  // namespace

bool checkColumns73(const std::filesystem::path& path, const std::vector<std::string>& names,
                    std::uint64_t rows, std::string& error) {
  const QuietHdf5 quiet;
  const hid_t file = H5Fopen(path.c_str(), H5F_ACC_RDONLY, H5P_DEFAULT);
  if (file < 0) {
    error = "the written MAT file does not read back";
    return false;
  }
  bool ok = true;
  for (const std::string& name : names) {
    ok = isColumnOfRows(file, name, rows);
    if (!ok) {
      error = "the written MAT file lacks rows of " + name;
      break;
    }
  }
  H5Fclose(file);  // only read: nothing to lose
  return ok;
}

}  // namespace substitute_host::matfile_out
