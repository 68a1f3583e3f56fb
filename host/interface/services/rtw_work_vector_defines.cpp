#include "rtw_work_vector_defines.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "diagnostics.h"
#include "error_reporting.h"
#include "rtw_pair_writers.h"

namespace {

// The record names fit 40 bytes; a formatted message is as long as the root's error buffer.
enum { kRecordNameSize = 40, kMessageSize = kErrorBufferSize };

// The size record entry that declares the vector's length, or -1 for no work vector.
int declaredSizeEntry(const char* vectorName) {
  if (vectorName == nullptr) return -1;
  if (std::strcmp(vectorName, "RWork") == 0) return kSizeRealWork;
  if (std::strcmp(vectorName, "IWork") == 0) return kSizeIntegerWork;
  if (std::strcmp(vectorName, "PWork") == 0) return kSizePointerWork;
  return -1;
}

int writeInt32Pair(SimStruct* block, const char* name, const int32_t* value) {
  return writeRtwPair(block, kRtwPairTypedNumber, name, value, int32_t{kDataTypeInt32});
}

// One <vector>Define record: its opening text, Name, Width and StartIndex, and "}".
int writeDefineRecord(SimStruct* block, const char* vectorName, const char* partName,
                      int32_t width, int32_t start) {
  char opening[kRecordNameSize] = {};
  std::snprintf(opening, sizeof opening, "%sDefine {", vectorName);
  int result = writeRtwText(block, opening, nullptr, nullptr);
  if (result == 1) result = writeRtwPair(block, kRtwPairTextOtherKind, "Name", partName);
  if (result == 1) result = writeInt32Pair(block, "Width", &width);
  if (result == 1) result = writeInt32Pair(block, "StartIndex", &start);
  if (result == 1) result = writeRtwText(block, "}", nullptr, nullptr);
  return result;
}

int reportSizeMismatch(SimStruct* block, const char* vectorName, int32_t total,
                       int32_t declared) {
  char message[kMessageSize];
  std::snprintf(message, sizeof message, kDiagWorkVectorSizeMismatchFormat, vectorName, total,
                vectorName, declared);
  reportFormattedBlockError(block, message);
  return 0;
}

}  // namespace

int writeRtwWorkVectorDefines(SimStruct* block, const char* vectorName, int count, ...) {
  const int entry = declaredSizeEntry(vectorName);
  if (entry < 0) {
    reportBlockError(block, kDiagInvalidRtwWorkVectorName);
    return 0;
  }
  if (count <= 0) {
    reportBlockError(block, kDiagInvalidRtwWorkVectorNumArgs);
    return 0;
  }
  const int32_t declared = block->sizes.entry[entry];

  char countName[kRecordNameSize] = {};
  std::snprintf(countName, sizeof countName, "Num%sDefines", vectorName);
  const int32_t defineCount = count;
  int result = writeInt32Pair(block, countName, &defineCount);
  if (result != 1) return result;

  // The widths add up in the host's 32-bit arithmetic; a sum past its range wraps
  // instead of being undefined.
  uint32_t startIndex = 0;
  va_list arguments;
  va_start(arguments, count);
  for (int i = 0; i < count && result == 1; ++i) {
    const char* partName = va_arg(arguments, const char*);
    const int32_t width = va_arg(arguments, int32_t);
    result = writeDefineRecord(block, vectorName, partName, width,
                               static_cast<int32_t>(startIndex));
    startIndex += static_cast<uint32_t>(width);
  }
  va_end(arguments);
  if (result != 1) return result;
  const int32_t total = static_cast<int32_t>(startIndex);
  return total == declared ? 1 : reportSizeMismatch(block, vectorName, total, declared);
}
