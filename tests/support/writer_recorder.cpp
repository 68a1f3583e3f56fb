#include "writer_recorder.h"

#include <cstdio>
#include <cstring>

#include "records/host_block.h"
#include "host_numbering.h"

namespace test_doubles {

namespace {

void copyNumbers(const void* data, int32_t word, std::size_t count, std::vector<double>& into) {
  const int32_t typeId = word & ~kDataTypeComplexBit;
  for (std::size_t i = 0; i < count; ++i) {
    if (typeId == kDataTypeDouble) {
      double value;
      std::memcpy(&value, static_cast<const char*>(data) + i * sizeof value, sizeof value);
      into.push_back(value);
    } else {
      int32_t value;
      std::memcpy(&value, static_cast<const char*>(data) + i * sizeof value, sizeof value);
      into.push_back(value);
    }
  }
}

// Copies what the host would read of a value, as far as its form is known here.
void copyValue(RecordedWrite& write) {
  const int code = write.typeCode;
  if (write.value == nullptr) return;
  if (code == 0 || code == 1) {
    write.textValue = static_cast<const char*>(write.value);
    return;
  }
  const int32_t typeId = write.dataTypeWord & ~kDataTypeComplexBit;
  const bool complex = (write.dataTypeWord & kDataTypeComplexBit) != 0;
  if (code < 3 || code > 10 || (typeId != kDataTypeDouble && typeId != kDataTypeInt32)) return;
  if (write.rows <= 0 || write.columns <= 0) return;
  const std::size_t count = static_cast<std::size_t>(write.rows) * write.columns;
  if (code == 9 || code == 10) {
    const void* const* parts = static_cast<const void* const*>(write.value);
    if (parts[0] != nullptr) copyNumbers(parts[0], write.dataTypeWord, count, write.real);
    if (complex && parts[1] != nullptr)
      copyNumbers(parts[1], write.dataTypeWord, count, write.imaginary);
  } else if (!complex) {
    copyNumbers(write.value, write.dataTypeWord, count, write.real);
  }
}

std::string shown(const RecordedWrite& write) {
  std::string text = write.textValue;
  char number[32];
  for (std::size_t i = 0; i < write.real.size(); ++i) {
    std::snprintf(number, sizeof number, "%s%.17g", i == 0 ? "" : " ", write.real[i]);
    text += number;
  }
  for (double part : write.imaginary) {
    std::snprintf(number, sizeof number, " %+.17gi", part);
    text += number;
  }
  if (write.rows != 1 || write.columns != 1) {
    std::snprintf(number, sizeof number, "%s[%d x %d]", text.empty() ? "" : " ", write.rows,
                  write.columns);
    text += number;
  }
  text += (text.empty() ? "word " : " word ") + std::to_string(write.dataTypeWord);
  return text;
}

}  // namespace

void WriterRecorder::plugInto(ModelInfo& info) {
  info.writerContext = this;
  info.writeText = &WriterRecorder::writeText;
  info.writePair = &WriterRecorder::writePair;
  info.writeParameter = &WriterRecorder::writeParameter;
}

void WriterRecorder::plugInto(substitute_host::HostBlock& block) { plugInto(block.modelInfo()); }

int WriterRecorder::record(RecordedWrite write) {
  const std::size_t call = writes.size();
  writes.push_back(std::move(write));
  const auto answer = resultAt.find(call);
  return answer != resultAt.end() ? answer->second : defaultResult;
}

int WriterRecorder::writeText(void* context, const char* text, const void* second,
                              const void* third) {
  RecordedWrite write;
  write.kind = RecordedWrite::Kind::text;
  if (text != nullptr) write.text = text;
  write.second = second;
  write.third = third;
  return static_cast<WriterRecorder*>(context)->record(std::move(write));
}

int WriterRecorder::writePair(void* context, int code, const char* name, const void* value,
                              int32_t word, int32_t rows, int32_t columns) {
  RecordedWrite write;
  write.kind = RecordedWrite::Kind::pair;
  write.typeCode = code;
  if (name != nullptr) write.name = name;
  write.value = value;
  write.dataTypeWord = word;
  write.rows = rows;
  write.columns = columns;
  copyValue(write);
  return static_cast<WriterRecorder*>(context)->record(std::move(write));
}

int WriterRecorder::writeParameter(void* context, int code, const char* name, const char* text,
                                   const void* data, int32_t word, int32_t rows,
                                   int32_t columns) {
  RecordedWrite write;
  write.kind = RecordedWrite::Kind::parameter;
  write.typeCode = code;
  if (name != nullptr) write.name = name;
  if (text != nullptr) write.text = text;
  write.value = data;
  write.dataTypeWord = word;
  write.rows = rows;
  write.columns = columns;
  copyValue(write);
  return static_cast<WriterRecorder*>(context)->record(std::move(write));
}

std::vector<std::string> WriterRecorder::lines() const {
  std::vector<std::string> out;
  for (const RecordedWrite& write : writes) {
    const std::string code = std::to_string(write.typeCode);
    switch (write.kind) {
      case RecordedWrite::Kind::text:
        out.push_back("text " + write.text);
        break;
      case RecordedWrite::Kind::pair:
        out.push_back("pair " + code + " " + write.name + " = " + shown(write));
        break;
      case RecordedWrite::Kind::parameter:
        out.push_back("param " + code + " " + write.name + " '" + write.text + "' = " +
                      shown(write));
        break;
    }
  }
  return out;
}

}  // namespace test_doubles
