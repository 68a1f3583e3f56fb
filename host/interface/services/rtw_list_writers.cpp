#include "rtw_list_writers.h"

#include <cstdarg>

#include "diagnostics.h"
#include "error_reporting.h"
#include "rtw_pair_shapes.h"
#include "rtw_pair_writers.h"

namespace {

int fail(SimStruct* block, const char* message) {
  reportBlockError(block, message);
  return 0;
}

// A parameter's own checks. The data of the split forms is the pair record, which is
// always there; its parts are the host's to read and are not looked at here.
bool parameterValid(const char* name, const ListItem& item) {
  if (name == nullptr || name[0] == '\0') return false;
  const int32_t rows = item.size.rows, columns = item.size.columns;
  if (item.value == nullptr && rows != 0) return false;
  if (rows < 0 || columns < 0) return false;
  return (rows == 0) == (columns == 0);
}

int writeParameter(SimStruct* block, int code, const char* name, const char* text,
                   const ListItem& item) {
  ParameterWriter writer = block->modelInfo->writeParameter;
  if (writer == nullptr) return 0;
  return writer(block->modelInfo->writerContext, code, name, text, item.value,
                item.dataTypeWord, item.size.rows, item.size.columns);
}

// Reads one parameter after its code, name and text and writes it; 0 after a refusal
// (reported) or the writer's own 0.
int nextParameter(SimStruct* block, va_list& arguments, int code, const char* name,
                  const char* text) {
  const PairShape* shape = pairShape(code);
  if (shape == nullptr || !shape->isParameter) return fail(block, kDiagInvalidRtwParamValueType);
  ListItem item;
  readListItem(arguments, *shape, item);
  // A parameter vector is count by 1, and an empty one 0 by 0.
  if (shape->size == PairSizeForm::count) item.size.columns = item.size.rows != 0 ? 1 : 0;
  if (!parameterValid(name, item)) return fail(block, kDiagInvalidRtwParamArgument);
  return writeParameter(block, code, name, text, item);
}

// Reads one setting after its code and name and writes its pair.
int nextSetting(SimStruct* block, va_list& arguments, int code, const char* name) {
  const PairShape* shape = pairShape(code);
  if (shape == nullptr) return fail(block, kDiagInvalidRtwParamSetting);
  ListItem item;
  readListItem(arguments, *shape, item);
  return writeRtwPairChecked(block, code, name, item.value, item.dataTypeWord, item.size.rows,
                             item.size.columns);
}

}  // namespace

int writeRtwParameters(SimStruct* block, int count, ...) {
  if (count <= 0) return 1;
  int result = 1;
  va_list arguments;
  va_start(arguments, count);
  for (int i = 0; i < count && result != 0; ++i) {
    const int code = va_arg(arguments, int);
    const char* name = va_arg(arguments, const char*);
    const char* text = va_arg(arguments, const char*);
    result = nextParameter(block, arguments, code, name, text);
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
    result = nextSetting(block, arguments, code, name);
  }
  va_end(arguments);
  if (result != 1) return result;
  return writeRtwText(block, "}", nullptr, nullptr);
}
