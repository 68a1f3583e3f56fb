#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace substitute_host {

// How much of a token a message shows by default: enough to recognise it.
inline constexpr std::size_t kShownTokenBytes = 60;
// A limit no text reaches: the text is shown whole, escaped.
inline constexpr std::size_t kWholeText = std::numeric_limits<std::size_t>::max();

// Text read from a file or given as an argument, made fit to print in a message on a
// terminal: control bytes, bytes that are not UTF-8 and the C1 controls are shown as
// \xNN, so nothing the text holds can move the cursor, recolour the terminal or cut
// the message short; a text longer than `limit` bytes is cut there (at a character
// boundary) with a note of its full length.
std::string displayText(std::string_view text, std::size_t limit = kShownTokenBytes);

// A name or field inside a sentence, between single quotes: escaped as displayText
// does, cut after 40 bytes with a short note of its full length.
std::string quotedForMessage(std::string_view text);

}  // namespace substitute_host
