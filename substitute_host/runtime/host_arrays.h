#pragma once

// The substitute host's side of its arrays: what the host does with an mxArray beyond
// the operations the plug-in calls (making arrays of any class, reading them, freeing
// them). Every mxArray made outside a gateway call belongs to whoever made it.

#include <memory>
#include <string>
#include <vector>

#include "export.h"
#include "matrix_api.h"

namespace substitute_host {

struct ArrayDeleter {
  MATRIX_LIBRARY_API void operator()(mxArray* array) const;
};
using OwnedArray = std::unique_ptr<mxArray, ArrayDeleter>;

MATRIX_LIBRARY_API OwnedArray makeDoubleMatrix(std::size_t rows, std::size_t columns,
                                        const std::vector<double>& values = {});
MATRIX_LIBRARY_API OwnedArray makeComplexScalar(double real, double imaginary);
MATRIX_LIBRARY_API OwnedArray makeNumericMatrix(mxClassID classId, std::size_t rows,
                                         std::size_t columns);
MATRIX_LIBRARY_API OwnedArray makeText(const std::string& text);
MATRIX_LIBRARY_API OwnedArray makeCell(std::size_t count);

MATRIX_LIBRARY_API std::string textOf(const mxArray* array);
MATRIX_LIBRARY_API std::vector<double> valuesOf(const mxArray* array);

// Bytes handed out by mxCalloc that the host has not reclaimed yet.
MATRIX_LIBRARY_API std::size_t outstandingCallocBytes();

}  // namespace substitute_host
