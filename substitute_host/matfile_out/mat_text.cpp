#include "matfile_out/mat_text.h"

namespace substitute_host::matfile_out {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point of the sequence at text[i], and its length; a bad sequence gives the
// replacement character for its first byte alone.
char32_t decodeAt(std::string_view text, std::size_t i, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[i]);
  length = 1;
  if (lead < 0x80) return lead;
  const std::size_t count = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (count == 0 || lead > 0xF4 || i + count > text.size()) return kReplacement;
  char32_t code = lead & (0x7F >> count);
  for (std::size_t k = 1; k < count; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    code = (code << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and code points beyond Unicode are not text.
  const char32_t smallest = count == 2 ? 0x80 : count == 3 ? 0x800 : 0x10000;
  if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kReplacement;
  length = count;
  return code;
}

}  // namespace

std::vector<std::uint16_t> utf16Units(std::string_view utf8) {
  std::vector<std::uint16_t> units;
  units.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length = 1;
    const char32_t code = decodeAt(utf8, i, length);
    i += length;
    if (code < 0x10000) {
      units.push_back(static_cast<std::uint16_t>(code));
    } else {
      units.push_back(static_cast<std::uint16_t>(0xD800 + ((code - 0x10000) >> 10)));
      units.push_back(static_cast<std::uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    }
  }
  return units;
}

}  // namespace substitute_host::matfile_out
