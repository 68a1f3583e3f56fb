#include "rtw_list_writers.h"

#include <cstdarg>

#include "diagnostics.h"
#include "error_reporting.h"
#include "rtw_pair_writers.h"

namespace {

int fail(SimStruct* block, const char* message) {
  reportBlockError(block, message);
  return 0;
}

// One parameter as the parameter writer receives it.
struct ParameterItem {
  int code = 0;
  const char* name = nullptr;
  const char* text = nullptr;
  const void* data = nullptr;
  int32_t dataTypeWord = 0;
  int32_t rows = 0;
  int32_t columns = 0;
  RtwComplexPair parts{};
};

// A vector is count by 1, and an empty one 0 by 0.
int32_t vectorColumns(int32_t count) { return count != 0 ? 1 : 0; }

// Reads the arguments of the parameter's code; false for a code parameters do not have.
bool readParameter(va_list& arguments, ParameterItem& item) {
  switch (item.code) {
    case kRtwPairVector:
      item.data = va_arg(arguments, const void*);
      item.rows = va_arg(arguments, int32_t);
      item.columns = vectorColumns(item.rows);
      return true;
    case kRtwPairMatrix:
      item.data = va_arg(arguments, const void*);
      item.rows = va_arg(arguments, int32_t);
      item.columns = va_arg(arguments, int32_t);
      return true;
    case kRtwPairTypedVector:
      item.data = va_arg(arguments, const void*);
      item.rows = va_arg(arguments, int32_t);
      item.dataTypeWord = va_arg(arguments, int32_t);
      item.columns = vectorColumns(item.rows);
      return true;
    case kRtwPairTypedMatrix:
      item.data = va_arg(arguments, const void*);
      item.rows = va_arg(arguments, int32_t);
      item.columns = va_arg(arguments, int32_t);
      item.dataTypeWord = va_arg(arguments, int32_t);
      return true;
    case kRtwPairComplexVector:
      item.parts.real = va_arg(arguments, const void*);
      item.parts.imaginary = va_arg(arguments, const void*);
      item.rows = va_arg(arguments, int32_t);
      item.dataTypeWord = va_arg(arguments, int32_t);
      item.columns = vectorColumns(item.rows);
      item.data = &item.parts;
      return true;
    case kRtwPairComplexMatrix:
      item.parts.real = va_arg(arguments, const void*);
      item.parts.imaginary = va_arg(arguments, const void*);
      item.rows = va_arg(arguments, int32_t);
      item.columns = va_arg(arguments, int32_t);
      item.dataTypeWord = va_arg(arguments, int32_t);
      item.data = &item.parts;
      return true;
    default:
      return false;
  }
}

bool parameterValid(const ParameterItem& item) {
  if (item.name == nullptr || item.name[0] == '\0') return false;
  if (item.rows != 0) {
    // The writer reads the data of a non-empty parameter; for the split forms that is
    // the parts behind the pair record, not the record itself.
    if (item.data == &item.parts) {
      if (item.parts.real == nullptr) return false;
      if (item.parts.imaginary == nullptr && (item.dataTypeWord & kDataTypeComplexBit) != 0)
        return false;
    } else if (item.data == nullptr) {
      return false;
    }
  }
  if (item.rows < 0 || item.columns < 0) return false;
  return (item.rows == 0) == (item.columns == 0);
}

// Reads one setting's arguments and writes its pair.
int writeSetting(SimStruct* block, va_list& arguments, int code, const char* name) {
  int32_t dataTypeWord = 0, rows = 1, columns = 1;
  const void* value = nullptr;
  double number = 0.0;
  RtwComplexPair parts{};
  switch (code) {
    case kRtwPairText:
    case kRtwPairTextOtherKind:
      value = va_arg(arguments, const void*);
      break;
    case kRtwPairItems:
      value = va_arg(arguments, const void*);
      rows = va_arg(arguments, int32_t);
      break;
    case kRtwPairNumber:
      // Given by value; the pair carries the address of this copy for the write.
      number = va_arg(arguments, double);
      value = &number;
      break;
    case kRtwPairVector:
      value = va_arg(arguments, const void*);
      rows = va_arg(arguments, int32_t);
      break;
    case kRtwPairMatrix:
      value = va_arg(arguments, const void*);
      rows = va_arg(arguments, int32_t);
      columns = va_arg(arguments, int32_t);
      break;
    case kRtwPairTypedNumber:
      value = va_arg(arguments, const void*);
      dataTypeWord = va_arg(arguments, int32_t);
      break;
    case kRtwPairTypedVector:
      value = va_arg(arguments, const void*);
      rows = va_arg(arguments, int32_t);
      dataTypeWord = va_arg(arguments, int32_t);
      break;
    case kRtwPairTypedMatrix:
      value = va_arg(arguments, const void*);
      rows = va_arg(arguments, int32_t);
      columns = va_arg(arguments, int32_t);
      dataTypeWord = va_arg(arguments, int32_t);
      break;
    case kRtwPairComplexVector:
      parts.real = va_arg(arguments, const void*);
      parts.imaginary = va_arg(arguments, const void*);
      rows = va_arg(arguments, int32_t);
      dataTypeWord = va_arg(arguments, int32_t);
      value = &parts;
      break;
    case kRtwPairComplexMatrix:
      parts.real = va_arg(arguments, const void*);
      parts.imaginary = va_arg(arguments, const void*);
      rows = va_arg(arguments, int32_t);
      columns = va_arg(arguments, int32_t);
      dataTypeWord = va_arg(arguments, int32_t);
      value = &parts;
      break;
    default:
      return fail(block, kDiagInvalidRtwParamSetting);
  }
  return writeRtwPairChecked(block, code, name, value, dataTypeWord, rows, columns);
}

}  // namespace

int writeRtwParameters(SimStruct* block, int count, ...) {
  if (count <= 0) return 1;
  int result = 1;
  va_list arguments;
  va_start(arguments, count);
  for (int i = 0; i < count; ++i) {
    ParameterItem item;
    item.code = va_arg(arguments, int);
    item.name = va_arg(arguments, const char*);
    item.text = va_arg(arguments, const char*);
    if (!readParameter(arguments, item)) {
      result = fail(block, kDiagInvalidRtwParamValueType);
      break;
    }
    if (!parameterValid(item)) {
      result = fail(block, kDiagInvalidRtwParamArgument);
      break;
    }
    ParameterWriter writer = block->modelInfo->writeParameter;
    result = writer == nullptr ? 0
                               : writer(block->modelInfo->writerContext, item.code, item.name,
                                        item.text, item.data, item.dataTypeWord, item.rows,
                                        item.columns);
    if (result == 0) break;
  }
  va_end(arguments);
  return result;
}

int writeRtwParamSettings(SimStruct* block, int count, ...) {
  if (count <= 0) return 0;
  int result = writeRtwText(block, "SFcnParamSettings {", nullptr, nullptr);
  if (result != 1) return result;
  va_list arguments;
  va_start(arguments, count);
  for (int i = 0; i < count && result == 1; ++i) {
    const int code = va_arg(arguments, int);
    const char* name = va_arg(arguments, const char*);
    result = writeSetting(block, arguments, code, name);
  }
  va_end(arguments);
  if (result != 1) return result;
  return writeRtwText(block, "}", nullptr, nullptr);
}
