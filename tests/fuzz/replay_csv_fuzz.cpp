// The replay's input CSV from arbitrary bytes. Besides not crashing: every number the
// field reader accepts is the nearest single to its decimal (checked against the C
// library's strtof), every output value reads back bit for bit, and the output has one
// line per row the reader accepted.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "replay/csv_replay.h"
#include "table/fields.h"
#include "table/single_text.h"

namespace {

using namespace substitute_host;

constexpr std::size_t kOutputs = 6;
using OutputRow = std::array<float, kOutputs>;

// The block's stand-in hands six of its inputs back (iabc1, theta1, omega1, iabc2_a), so
// what each output line must hold is known to the bit.
std::vector<OutputRow>* echoed = nullptr;

void echoStep(void*, const float* const inputs[9], float* const outputs[2]) {
  const OutputRow row = {inputs[0][0], inputs[0][1], inputs[0][2],
                         inputs[1][0], inputs[2][0], inputs[3][0]};
  for (std::size_t i = 0; i < 3; ++i) outputs[0][i] = row[i];
  for (std::size_t i = 0; i < 3; ++i) outputs[1][i] = row[3 + i];
  echoed->push_back(row);
}

bool sameValue(float a, float b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  std::uint32_t x, y;
  std::memcpy(&x, &a, sizeof x);
  std::memcpy(&y, &b, sizeof y);
  return x == y;
}

bool isDecimal(std::string_view token) {
  if (!token.empty() && (token.front() == '+' || token.front() == '-')) token.remove_prefix(1);
  return !token.empty() && (token.front() == '.' || (token.front() >= '0' && token.front() <= '9'));
}

// Every field of the input, read alone: an accepted decimal is strtof's value.
void checkFieldReading(std::string_view text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t stop = text.find_first_of(",\n", start);
    if (stop == std::string_view::npos) stop = text.size();
    const std::string_view field = text.substr(start, stop - start);
    float parsed = 0.0f;
    const std::string_view trimmed = trimField(field);
    if (parseInputValue(field, parsed) && isDecimal(trimmed)) {
      const std::string copy(trimmed);
      char* end = nullptr;
      const float expected = std::strtof(copy.c_str(), &end);
      fuzz::check(end == copy.c_str() + copy.size(),
                  "accepted a field strtof does not take whole: " + copy);
      fuzz::check(sameValue(parsed, expected), "not the nearest single: " + copy);
    }
    start = stop + 1;
  }
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t stop = text.find(separator, start);
    parts.push_back(text.substr(start, stop - start));
    if (stop == std::string_view::npos) return parts;
    start = stop + 1;
  }
}

// The output: its header, then one line per echoed row, each value reading back as
// the same single.
void checkOutput(std::string_view output, const std::vector<OutputRow>& rows) {
  if (output.empty()) {
    fuzz::check(rows.empty(), "rows replayed but nothing written");
    return;
  }
  fuzz::check(output.back() == '\n', "the output does not end a line");
  const std::vector<std::string_view> lines = split(output.substr(0, output.size() - 1), '\n');
  fuzz::check(
      lines.front() == "vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,vabcNorm2_b,vabcNorm2_c",
      "the output header is wrong");
  fuzz::check(lines.size() == rows.size() + 1, "not one output line per accepted row");
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::vector<std::string_view> fields = split(lines[r + 1], ',');
    fuzz::check(fields.size() == kOutputs, "an output line without six fields");
    for (std::size_t i = 0; i < kOutputs; ++i) {
      float back = 0.0f;
      fuzz::check(parseInputValue(fields[i], back), "an output value does not read back");
      fuzz::check(sameValue(back, rows[r][i]), "an output value reads back as another single");
    }
  }
}

std::FILE* openInput(std::string& bytes) {
  if (bytes.empty()) return std::fopen("/dev/null", "rb");
  return fmemopen(bytes.data(), bytes.size(), "rb");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  checkFieldReading(input);

  std::FILE* in = openInput(input);
  char* outputBytes = nullptr;
  std::size_t outputSize = 0;
  std::FILE* out = open_memstream(&outputBytes, &outputSize);
  fuzz::check(in != nullptr && out != nullptr, "cannot open the memory streams");
  std::vector<OutputRow> rows;
  echoed = &rows;
  const ReplayOutcome outcome = replayCsv(in, out, echoStep, nullptr);
  std::fclose(in);
  std::fclose(out);
  const std::string output(outputBytes, outputSize);
  std::free(outputBytes);

  fuzz::check(outcome.status != ReplayOutcome::Status::writeFailed &&
                  outcome.status != ReplayOutcome::Status::readFailed,
              "a memory stream failed");
  fuzz::check(outcome.rowsWritten == rows.size(), "rows written differ from rows replayed");
  fuzz::check((outcome.status == ReplayOutcome::Status::ok) == outcome.error.empty(),
              "an outcome with the wrong message");
  fuzz::check(outcome.error.size() < 1024, "a message that floods the terminal");
  for (const char c : outcome.error) {
    fuzz::check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F,
                "a control byte printed raw in the message: " + outcome.error);
  }
  checkOutput(output, rows);
  return 0;
}
