#include "matfile_out/matio_calls.h"

#include <hdf5.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <string_view>
#include <unordered_map>

namespace substitute_host::matfile_out {

namespace {

// What matio said last, instead of on standard error: a failure's message carries it.
thread_local std::string lastMatioMessage;

void keepMessage(int, char* message) {
  try {
    lastMatioMessage = message != nullptr ? message : "";
  } catch (...) {
    // Out of memory for a message: the caller still sees the failure, without the detail.
  }
}

// Before each call: matio's messages kept rather than printed, and errno cleared so that
// a write the system refused can be told afterwards. HDF5 is kept from closing its files
// again as the process exits: after a close that failed (a full disk) it would do so on
// freed state and crash; every file of ours is closed or abandoned by then anyway.
void quietMatio() {
  static std::once_flag once;
  std::call_once(once, [] {
    H5dont_atexit();
    Mat_LogInitFunc("corvalent2", keepMessage);
  });
  lastMatioMessage.clear();
  errno = 0;
}

// Error numbers that only a write the system refused leaves behind.
bool writeRefused(int error) {
  return error == ENOSPC || error == EDQUOT || error == EFBIG || error == EIO;
}

// what, and why: the system's reason for a refused write, else the first line of what
// matio said.
bool failure(std::string& error, const std::string& what) {
  const int cause = errno;
  error = what;
  if (writeRefused(cause)) {
    error += ": " + std::string(std::strerror(cause));
  } else if (!lastMatioMessage.empty()) {
    error += " (" + lastMatioMessage.substr(0, lastMatioMessage.find('\n')) + ")";
  }
  return false;
}

matvar_t* column(const std::string& name, bool single, const void* data, std::size_t rows) {
  size_t dims[2] = {rows, 1};
  return Mat_VarCreate(name.c_str(), single ? MAT_C_SINGLE : MAT_C_DOUBLE,
                       single ? MAT_T_SINGLE : MAT_T_DOUBLE, 2, dims, const_cast<void*>(data),
                       MAT_F_DONT_COPY_DATA);
}

// Writes var (appending along the rows when append) and frees it.
bool writeVariable(mat_t* mat, matvar_t* var, bool append, const std::string& name,
                   std::string& error) {
  if (var == nullptr) return failure(error, "cannot describe the variable " + name);
  const int status = append ? Mat_VarWriteAppend(mat, var, MAT_COMPRESSION_NONE, 1)
                            : Mat_VarWrite(mat, var, MAT_COMPRESSION_NONE);
  const int cause = errno;
  Mat_VarFree(var);
  errno = cause;
  // A level-5 write reports success even when the system refused the bytes: errno tells.
  if (status != 0 || writeRefused(errno))
    return failure(error, "writing the variable " + name + " failed");
  return true;
}

}  // namespace

mat_t* createMat(const std::filesystem::path& path, MatVersion version, std::string& error) {
  quietMatio();
  mat_t* mat = Mat_CreateVer(path.c_str(), "corvalent2",
                             version == MatVersion::v73 ? MAT_FT_MAT73 : MAT_FT_MAT5);
  if (mat == nullptr) failure(error, "cannot create the MAT file");
  return mat;
}

bool appendColumn(mat_t* mat, const std::string& name, bool single, const void* data,
                  std::size_t rows, std::string& error) {
  quietMatio();
  return writeVariable(mat, column(name, single, data, rows), true, name, error);
}

bool writeColumn(mat_t* mat, const std::string& name, bool single, const void* data,
                 std::size_t rows, std::string& error) {
  quietMatio();
  return writeVariable(mat, column(name, single, data, rows), false, name, error);
}

bool writeText(mat_t* mat, const std::string& name, const std::vector<std::uint16_t>& units,
               std::string& error) {
  quietMatio();
  size_t dims[2] = {1, units.size()};
  matvar_t* var = Mat_VarCreate(name.c_str(), MAT_C_CHAR, MAT_T_UINT16, 2, dims,
                                const_cast<std::uint16_t*>(units.data()), MAT_F_DONT_COPY_DATA);
  return writeVariable(mat, var, false, name, error);
}

bool writeScalar(mat_t* mat, const std::string& name, double value, std::string& error) {
  quietMatio();
  size_t dims[2] = {1, 1};
  matvar_t* var = Mat_VarCreate(name.c_str(), MAT_C_DOUBLE, MAT_T_DOUBLE, 2, dims, &value,
                                MAT_F_DONT_COPY_DATA);
  return writeVariable(mat, var, false, name, error);
}

bool closeMat(mat_t* mat, std::string& error) {
  quietMatio();
  if (Mat_Close(mat) == 0 && !writeRefused(errno)) return true;
  return failure(error, "closing the MAT file failed");
}

namespace {

// True when info is an N-by-1 variable of `rows` rows.
bool hasRows(const matvar_t& info, std::uint64_t rows) {
  return info.rank == 2 && info.dims[0] == rows && info.dims[1] == 1;
}

}  // namespace

// The file's variables are walked once, in their order: looking each name up on its own
// walks the file from its start every time (in a 7.3 file, reading every variable's
// attributes again), which for the log's 36 columns cost more than writing them.
bool checkColumns(const std::filesystem::path& path, const std::vector<std::string>& names,
                  std::uint64_t rows, std::string& error) {
  quietMatio();
  mat_t* mat = Mat_Open(path.c_str(), MAT_ACC_RDONLY);
  if (mat == nullptr) return failure(error, "the written MAT file does not read back");
  std::unordered_map<std::string_view, bool> found;  // name -> whether it has every row
  for (const std::string& name : names) found.emplace(name, false);
  while (matvar_t* info = Mat_VarReadNextInfo(mat)) {
    const auto named = info->name != nullptr ? found.find(info->name) : found.end();
    if (named != found.end()) named->second = hasRows(*info, rows);
    Mat_VarFree(info);
  }
  Mat_Close(mat);  // only read: nothing to lose
  for (const std::string& name : names) {
    if (!found[name]) return failure(error, "the written MAT file lacks rows of " + name);
  }
  return true;
}

}  // namespace substitute_host::matfile_out
