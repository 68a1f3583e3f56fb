// The host's arrays (its matrix library, libmx): the matrix operations the plug-in
// imports, and the host's own.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <new>

#include "array_record.h"

namespace substitute_host {

std::size_t elementSize(mxClassID classId) {
  switch (classId) {
    case mxDOUBLE_CLASS: case mxINT64_CLASS: case mxUINT64_CLASS: return 8;
    case mxSINGLE_CLASS: case mxINT32_CLASS: case mxUINT32_CLASS: return 4;
    case mxINT16_CLASS: case mxUINT16_CLASS: case mxCHAR_CLASS: return 2;
    case mxINT8_CLASS: case mxUINT8_CLASS: case mxLOGICAL_CLASS: return 1;
    default: return sizeof(mxArray*);  // cells hold arrays
  }
}

// The bytes of rows x columns elements, or false when that count does not fit a size_t:
// a wrapped product would give a small block under a large shape, and every read of
// the array by its shape would run past the block's end.
static bool elementBytes(mxClassID classId, std::size_t rows, std::size_t columns,
                         std::size_t& bytes) {
  const std::size_t size = elementSize(classId);
  if (rows != 0 && columns > SIZE_MAX / rows) return false;
  const std::size_t count = rows * columns;
  if (count != 0 && size > SIZE_MAX / count) return false;
  bytes = count * size;
  return true;
}

// Null when the shape's bytes overflow or cannot be had, as a host's allocation fails.
mxArray* newArray(mxClassID classId, std::size_t rows, std::size_t columns, bool complex) {
  std::size_t bytes = 0;
  if (!elementBytes(classId, rows, columns, bytes)) return nullptr;
  mxArray* array = new (std::nothrow) mxArray;
  if (array == nullptr) return nullptr;
  array->classId = classId;
  array->rows = rows;
  array->columns = columns;
  array->complex = complex;
  try {
    array->real.assign(bytes, 0);
    if (complex) array->imaginary.assign(bytes, 0);
  } catch (const std::exception&) {
    delete array;
    return nullptr;
  }
  // Arrays made during a gateway call are the call's unless handed back as results.
  if (CallScope* scope = currentCallScope()) scope->arrays.push_back(array);
  return array;
}

void destroyArray(mxArray* array) { delete array; }

void ArrayDeleter::operator()(mxArray* array) const { destroyArray(array); }

static OwnedArray owned(mxArray* array) {
  if (array == nullptr) return OwnedArray();
  if (CallScope* scope = currentCallScope()) std::erase(scope->arrays, array);
  return OwnedArray(array);
}

OwnedArray makeDoubleMatrix(std::size_t rows, std::size_t columns,
                            const std::vector<double>& values) {
  mxArray* array = newArray(mxDOUBLE_CLASS, rows, columns, false);
  if (array == nullptr) return OwnedArray();
  const std::size_t bytes = std::min(values.size() * sizeof(double), array->real.size());
  if (bytes > 0) std::memcpy(array->real.data(), values.data(), bytes);
  return owned(array);
}

OwnedArray makeComplexScalar(double real, double imaginary) {
  mxArray* array = newArray(mxDOUBLE_CLASS, 1, 1, true);
  if (array == nullptr) return OwnedArray();
  std::memcpy(array->real.data(), &real, sizeof real);
  std::memcpy(array->imaginary.data(), &imaginary, sizeof imaginary);
  return owned(array);
}

OwnedArray makeNumericMatrix(mxClassID classId, std::size_t rows, std::size_t columns) {
  return owned(newArray(classId, rows, columns, false));
}

static mxArray* newText(const char* text) {
  const std::size_t length = std::strlen(text);
  mxArray* array = newArray(mxCHAR_CLASS, length == 0 ? 0 : 1, length, false);
  if (array == nullptr) return nullptr;
  for (std::size_t i = 0; i < length; ++i) array->real[2 * i] = static_cast<unsigned char>(text[i]);
  return array;
}

OwnedArray makeText(const std::string& text) { return owned(newText(text.c_str())); }

OwnedArray makeCell(std::size_t count) { return owned(newArray(mxCELL_CLASS, 1, count, false)); }

std::string textOf(const mxArray* array) {
  std::string text;
  if (array == nullptr || array->classId != mxCHAR_CLASS) return text;
  for (std::size_t i = 0; i + 1 < array->real.size(); i += 2) text += static_cast<char>(array->real[i]);
  return text;
}

std::vector<double> valuesOf(const mxArray* array) {
  std::vector<double> values;
  if (array == nullptr || array->classId != mxDOUBLE_CLASS) return values;
  values.resize(array->real.size() / sizeof(double));
  if (!values.empty()) std::memcpy(values.data(), array->real.data(), array->real.size());
  return values;
}

}  // namespace substitute_host

using substitute_host::newArray;

extern "C" {

mxArray* mxCreateString(const char* text) {
  return substitute_host::newText(text == nullptr ? "" : text);
}

mxArray* mxCreateDoubleScalar(double value) {
  mxArray* array = newArray(mxDOUBLE_CLASS, 1, 1, false);
  if (array == nullptr) return nullptr;
  std::memcpy(array->real.data(), &value, sizeof value);
  return array;
}

mxArray* mxCreateDoubleMatrix_700(size_t rows, size_t columns, mxComplexity complexity) {
  return newArray(mxDOUBLE_CLASS, rows, columns, complexity == mxCOMPLEX);
}

size_t mxGetM(const mxArray* array) { return array->rows; }
size_t mxGetN(const mxArray* array) { return array->columns; }

double* mxGetPr(const mxArray* array) {
  if (array->real.empty()) return nullptr;
  return reinterpret_cast<double*>(const_cast<unsigned char*>(array->real.data()));
}

bool mxIsComplex(const mxArray* array) { return array->complex; }

bool mxIsNumeric(const mxArray* array) {
  return array->classId >= mxDOUBLE_CLASS && array->classId <= mxUINT64_CLASS;
}

mxClassID mxGetClassID(const mxArray* array) {
  return array->isMessage ? mxUNKNOWN_CLASS : array->classId;
}

}  // extern "C"
