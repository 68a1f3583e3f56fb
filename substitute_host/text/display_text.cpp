#include "text/display_text.h"

namespace substitute_host {
namespace {

// Length of the well-formed UTF-8 sequence starting at text[at] that encodes a
// printable character, or 0 when the byte there must be shown escaped.
std::size_t printableSequence(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead >= 0x20 && lead < 0x7F) return 1;
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07;
  } else {
    return 0;  // a control byte, DEL, or no lead byte of UTF-8
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool wellFormed =
      code >= smallest[length] && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
  const bool c1Control = code >= 0x80 && code <= 0x9F;
  return wellFormed && !c1Control ? length : 0;
}

void appendEscaped(std::string& out, unsigned char byte) {
  constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

// Appends the escaped head of text that fits in limit bytes, never splitting a
// character; returns how many bytes of text it took.
std::size_t appendShown(std::string& shown, std::string_view text, std::size_t limit) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t length = printableSequence(text, at);
    const std::size_t taken = length == 0 ? 1 : length;
    if (taken > limit - at) break;
    if (length == 0) {
      appendEscaped(shown, static_cast<unsigned char>(text[at]));
    } else {
      shown.append(text.substr(at, length));
    }
    at += taken;
  }
  return at;
}

}  // namespace

std::string displayText(std::string_view text, std::size_t limit) {
  std::string shown;
  if (appendShown(shown, text, limit) < text.size()) {
    shown += "... (" + std::to_string(text.size()) + " bytes in all)";
  }
  return shown;
}

std::string quotedForMessage(std::string_view text) {
  constexpr std::size_t kQuotedBytes = 40;
  std::string quoted = "'";
  if (appendShown(quoted, text, kQuotedBytes) < text.size()) {
    quoted += "... (" + std::to_string(text.size()) + " bytes)";
  }
  return quoted + "'";
}

}  // namespace substitute_host
