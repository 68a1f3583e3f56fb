#include "table/single_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace substitute_host {

char* formatOutputValue(float value, char* out) {
  // to_chars would write "-nan" for a NaN with its sign bit set; NaN has one spelling here.
  if (std::isnan(value)) {
    std::memcpy(out, "nan", 3);
    return out + 3;
  }
  if (std::isinf(value)) {
    const char* text = value < 0.0f ? "-inf" : "inf";
    const std::size_t length = value < 0.0f ? 4 : 3;
    std::memcpy(out, text, length);
    return out + length;
  }
  // Without a format, to_chars picks the shortest text that round-trips.
  return std::to_chars(out, out + kMaxOutputValueChars, value).ptr;
}

}  // namespace substitute_host
