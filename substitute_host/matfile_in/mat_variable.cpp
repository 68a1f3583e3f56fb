#include "matfile_in/mat_variable.h"

namespace substitute_host {
namespace {

const char* integerName(matio_classes kind) {
  switch (kind) {
    case MAT_C_INT8: return "int8";
    case MAT_C_UINT8: return "uint8";
    case MAT_C_INT16: return "int16";
    case MAT_C_UINT16: return "uint16";
    case MAT_C_INT32: return "int32";
    case MAT_C_UINT32: return "uint32";
    case MAT_C_INT64: return "int64";
    case MAT_C_UINT64: return "uint64";
    default: return nullptr;
  }
}

// What the variable is, for a class that never holds numbers to read.
std::string classProblem(matio_classes kind) {
  if (const char* integer = integerName(kind)) {
    return std::string("is of the integer class ") + integer +
           "; only single or double values can be read";
  }
  switch (kind) {
    case MAT_C_CELL: return "is a cell array; only single or double values can be read";
    case MAT_C_STRUCT: return "is a structure where a block of numbers is needed";
    case MAT_C_CHAR: return "is text; only single or double values can be read";
    case MAT_C_SPARSE: return "is sparse; only full single or double values can be read";
    case MAT_C_OBJECT:
    case MAT_C_OPAQUE:
    case MAT_C_FUNCTION:
      return "is a class object, which cannot be read; save the signals in a plain form: a "
             "structure with time, a matrix, or one variable per signal";
    default: return "is of a class that cannot be read; only single or double values can be read";
  }
}

}  // namespace

std::string numericProblem(const matvar_t& variable) {
  if (variable.class_type != MAT_C_DOUBLE && variable.class_type != MAT_C_SINGLE) {
    return classProblem(variable.class_type);
  }
  if (variable.isComplex) return "is complex; only real single or double values can be read";
  if (variable.isLogical) return "is logical; only single or double values can be read";
  if (variable.rank != 2 || variable.dims == nullptr) {
    return "has " + std::to_string(variable.rank) + " dimensions; rows by columns are needed";
  }
  return {};
}

std::uint64_t rowCount(const matvar_t& variable) { return variable.dims[0]; }

std::uint64_t columnCount(const matvar_t& variable) { return variable.dims[1]; }

std::string mebibytes(std::uint64_t bytes) {
  const std::uint64_t tenths = (bytes * 10 + (std::uint64_t{1} << 19)) >> 20;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " MiB";
}

bool isScalarStruct(const matvar_t& variable) {
  return variable.class_type == MAT_C_STRUCT && variable.rank == 2 && variable.dims != nullptr &&
         variable.dims[0] == 1 && variable.dims[1] == 1;
}

}  // namespace substitute_host
