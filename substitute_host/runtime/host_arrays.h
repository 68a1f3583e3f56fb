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
  HOST_IMPORT void operator()(mxArray* array) const;
};
using OwnedArray = std::unique_ptr<mxArray, ArrayDeleter>;

HOST_IMPORT OwnedArray makeDoubleMatrix(std::size_t rows, std::size_t columns,
                                        const std::vector<double>& values = {});
HOST_IMPORT OwnedArray makeComplexScalar(double real, double imaginary);
HOST_IMPORT OwnedArray makeNumericMatrix(mxClassID classId, std::size_t rows,
                                         std::size_t columns);
HOST_IMPORT OwnedArray makeText(const std::string& text);
HOST_IMPORT OwnedArray makeCell(std::size_t count);

HOST_IMPORT std::string textOf(const mxArray* array);
HOST_IMPORT std::vector<double> valuesOf(const mxArray* array);

}  // namespace substitute_host
