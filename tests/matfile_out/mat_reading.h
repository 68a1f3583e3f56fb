#pragma once

// Reading back what the tool wrote, through libmatio, for the tests' checks.

#include <matio.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace corvalent2_test {

// One variable of a MAT file as the file declares it, with its data as bytes.
struct ReadVariable {
  bool found = false;
  matio_classes classType = MAT_C_EMPTY;
  std::size_t rows = 0;
  std::size_t columns = 0;
  std::vector<unsigned char> bytes;

  template <typename T>
  T at(std::size_t i) const {
    T value;
    std::memcpy(&value, bytes.data() + i * sizeof(T), sizeof(T));
    return value;
  }
};

inline ReadVariable readVariable(const std::string& path, const std::string& name) {
  ReadVariable read;
  mat_t* mat = Mat_Open(path.c_str(), MAT_ACC_RDONLY);
  if (mat == nullptr) return read;
  matvar_t* var = Mat_VarRead(mat, name.c_str());
  if (var != nullptr && var->rank == 2) {
    read.found = true;
    read.classType = var->class_type;
    read.rows = var->dims[0];
    read.columns = var->dims[1];
    const auto* data = static_cast<const unsigned char*>(var->data);
    if (data != nullptr) read.bytes.assign(data, data + var->nbytes);
  }
  if (var != nullptr) Mat_VarFree(var);
  Mat_Close(mat);
  return read;
}

}  // namespace corvalent2_test
