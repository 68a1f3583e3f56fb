#include "rtw_pair_writers.h"

#include <cstdarg>

#include "diagnostics.h"
#include "error_reporting.h"
#include "rtw_pair_shapes.h"

namespace {

bool isMatrixCode(int code) { return pairShape(code)->size == PairSizeForm::matrix; }

bool isSplitComplexCode(int code) { return pairShape(code)->value == PairValueForm::parts; }

int fail(SimStruct* block, const char* message) {
  reportBlockError(block, message);
  return 0;
}

// A value the writer is going to read must be there: the real part always, the
// imaginary part when the word marks the data complex.
bool valuePresent(int code, const void* value, int32_t dataTypeWord) {
  if (!isSplitComplexCode(code)) return value != nullptr;
  // The pair record itself is read for its parts, so a missing one counts as missing
  // parts rather than being read through.
  const auto* pair = static_cast<const RtwComplexPair*>(value);
  if (pair == nullptr || pair->real == nullptr) return false;
  return pair->imaginary != nullptr || (dataTypeWord & kDataTypeComplexBit) == 0;
}

}  // namespace

int writeRtwPairChecked(SimStruct* block, int code, const char* name, const void* value,
                        int32_t dataTypeWord, int32_t rows, int32_t columns) {
  if (pairShape(code) == nullptr) return fail(block, kDiagInvalidRtwPairValueType);
  if (name == nullptr || name[0] == '\0') return fail(block, kDiagInvalidRtwPairName);
  // A matrix with rows but no columns (or the other way round) has no shape the host
  // can declare; an empty matrix is 0 by 0.
  if (rows < 0 || columns < 0 || (isMatrixCode(code) && ((rows == 0) != (columns == 0))))
    return fail(block, kDiagInvalidRtwPairDimension);
  // An empty value is never read, so it may come without data.
  if (rows != 0 && !valuePresent(code, value, dataTypeWord))
    return fail(block, kDiagNullRtwPair);
  PairWriter writer = block->modelInfo->writePair;
  if (writer == nullptr) return 0;
  return writer(block->modelInfo->writerContext, code, name, value, dataTypeWord, rows,
                columns);
}

int writeRtwPair(SimStruct* block, int code, const char* name, const void* value, ...) {
  // An unknown code says nothing about the arguments that follow: none is read.
  const PairShape* shape = pairShape(code);
  if (shape == nullptr) return fail(block, kDiagInvalidRtwPairValueType);
  va_list arguments;
  va_start(arguments, value);
  const int32_t dataTypeWord = pairTakesWord(*shape) ? va_arg(arguments, int32_t) : 0;
  const PairSize size = readPairSize(arguments, shape->size);
  va_end(arguments);
  return writeRtwPairChecked(block, code, name, value, dataTypeWord, size.rows, size.columns);
}

int writeRtwComplexVectorPair(SimStruct* block, const char* name, const void* real,
                              const void* imaginary, int32_t dataTypeWord, int32_t count) {
  const RtwComplexPair pair{real, imaginary};
  return writeRtwPair(block, kRtwPairComplexVector, name, &pair, dataTypeWord, count);
}

int writeRtwComplexMatrixPair(SimStruct* block, const char* name, const void* real,
                              const void* imaginary, int32_t dataTypeWord, int32_t rows,
                              int32_t columns) {
  const RtwComplexPair pair{real, imaginary};
  return writeRtwPair(block, kRtwPairComplexMatrix, name, &pair, dataTypeWord, rows, columns);
}

int writeRtwText(SimStruct* block, const char* text, const void* second, const void* third) {
  TextWriter writer = block->modelInfo->writeText;
  if (writer == nullptr) return 0;
  return writer(block->modelInfo->writerContext, text, second, third);
}
