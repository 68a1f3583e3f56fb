#pragma once

// A test double of the host's code-generation writers: every text,
// pair and parameter write is kept, with copies of what can be read back, so that the
// record file can be checked as written. Each call answers a configurable result.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model_info.h"

namespace substitute_host {
class HostBlock;
}

namespace test_doubles {

struct RecordedWrite {
  enum class Kind { text, pair, parameter };
  Kind kind = Kind::text;
  std::string text;  // the text written, or the parameter text
  const void* second = nullptr;
  const void* third = nullptr;
  int typeCode = 0;
  std::string name;
  const void* value = nullptr;
  int32_t dataTypeWord = 0;
  int32_t rows = 0;
  int32_t columns = 0;
  // Copies of the value where its form is known: the text of codes 0 and 1, the numbers
  // of a double (id 0) or int32 (id 6) value that is not complex, and the parts of
  // codes 9 and 10 (the imaginary part only when the complex bit is set).
  std::string textValue;
  std::vector<double> real;
  std::vector<double> imaginary;
};

class WriterRecorder {
 public:
  // Offers the writers of this recorder in the model-info record.
  void plugInto(ModelInfo& info);
  void plugInto(substitute_host::HostBlock& block);

  std::vector<RecordedWrite> writes;
  int defaultResult = 1;
  std::map<std::size_t, int> resultAt;  // by 0-based call number, over all three writers

  // The writes as lines: "text <text>", "pair <code> <name> = <value>",
  // "param <code> <name> '<text>' = <value>". A value shows its copied text or numbers,
  // then "[rows x columns]" unless it is 1 by 1, then "word <data type word>", which
  // every code carries.
  std::vector<std::string> lines() const;

 private:
  int record(RecordedWrite write);
  static int writeText(void* context, const char* text, const void* second, const void* third);
  static int writePair(void* context, int code, const char* name, const void* value,
                       int32_t word, int32_t rows, int32_t columns);
  static int writeParameter(void* context, int code, const char* name, const char* text,
                            const void* data, int32_t word, int32_t rows, int32_t columns);
};

}  // namespace test_doubles
