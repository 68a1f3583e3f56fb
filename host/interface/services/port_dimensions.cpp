#include "port_dimensions.h"

#include <cstdint>

const DimensionsRecord kUnsetDimensionsRecord = {-1, -1, nullptr, nullptr};

namespace {

int32_t declareDimensions(SimStruct* block, DimensionInfoService service, int32_t port,
                          const DimensionsRecord& dimensions) {
  if (service == nullptr) return 1;
  return service(block, port, &dimensions);
}

int32_t declareVector(SimStruct* block, DimensionInfoService service, int32_t port,
                      int32_t width) {
  DimensionsRecord dimensions = kUnsetDimensionsRecord;
  dimensions.width = width;
  dimensions.dimensionCount = 1;
  dimensions.dimensions = &dimensions.width;  // a vector's one dimension is its width
  dimensions.further = nullptr;
  return declareDimensions(block, service, port, dimensions);
}

int32_t declareMatrix(SimStruct* block, DimensionInfoService service, int32_t port,
                      int32_t rows, int32_t columns) {
  int32_t sizes[2] = {rows, columns};
  DimensionsRecord dimensions = kUnsetDimensionsRecord;
  dimensions.dimensionCount = 2;
  dimensions.dimensions = sizes;
  if (rows == -1 || columns == -1) {
    dimensions.width = -1;
  } else {
    if (columns != 0 && rows > INT32_MAX / columns) return 0;
    // The test above lets through negative sizes whose product still leaves the range.
    const int64_t width = int64_t{rows} * columns;
    if (width < INT32_MIN || width > INT32_MAX) return 0;
    dimensions.width = static_cast<int32_t>(width);
  }
  return declareDimensions(block, service, port, dimensions);
}

int32_t currentWidth(int32_t declaredWidth, int32_t dimensionsMode, int32_t dimensionCount,
                     const int32_t* const* currentDimensions, int32_t port) {
  if (dimensionsMode == 0) return declaredWidth;
  if (dimensionCount <= 0) return 1;
  if (currentDimensions == nullptr || currentDimensions[port] == nullptr) return declaredWidth;
  uint32_t product = 1;  // wraps where 32-bit signed arithmetic would overflow
  for (int32_t i = 0; i < dimensionCount; ++i)
    product *= static_cast<uint32_t>(currentDimensions[port][i]);
  return static_cast<int32_t>(product);
}

}  // namespace

int32_t setInputPortVectorDimensions(SimStruct* block, int32_t port, int32_t width) {
  return declareVector(block, block->modelInfo->setInputPortDimensionInfo, port, width);
}

int32_t setOutputPortVectorDimensions(SimStruct* block, int32_t port, int32_t width) {
  return declareVector(block, block->modelInfo->setOutputPortDimensionInfo, port, width);
}

int32_t setInputPortMatrixDimensions(SimStruct* block, int32_t port, int32_t rows,
                                     int32_t columns) {
  return declareMatrix(block, block->modelInfo->setInputPortDimensionInfo, port, rows, columns);
}

int32_t setOutputPortMatrixDimensions(SimStruct* block, int32_t port, int32_t rows,
                                      int32_t columns) {
  return declareMatrix(block, block->modelInfo->setOutputPortDimensionInfo, port, rows,
                       columns);
}

int32_t currentInputPortWidth(SimStruct* block, int32_t port) {
  const InputPortRecord& record = block->inputPorts[port];
  return currentWidth(record.width, record.dimensionsMode, record.dimensionCount,
                      block->inputPortCurrentDimensions, port);
}

int32_t currentOutputPortWidth(SimStruct* block, int32_t port) {
  const OutputPortRecord& record = block->outputPorts[port];
  return currentWidth(record.width, record.dimensionsMode, record.dimensionCount,
                      block->outputPortCurrentDimensions, port);
}
