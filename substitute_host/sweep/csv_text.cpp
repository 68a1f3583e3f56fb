#include "sweep/csv_text.h"

#include <charconv>
#include <cmath>

namespace substitute_host::sweep {

std::string csvNumber(double value) {
  if (std::isnan(value)) return {};
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, written.ptr);
}

std::string csvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace substitute_host::sweep
