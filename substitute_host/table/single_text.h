#pragma once

#include <cstddef>
#include <string_view>

namespace substitute_host {

// Reads one field as the nearest single-precision value. Accepted: a decimal number
// (digits with an optional point and exponent, e.g. "-7.57", ".5", "1E-3"), or "nan" /
// "inf" in any letter case; each may carry one leading '+' or '-'. Spaces and tabs
// around the field are ignored. Magnitudes beyond the single range round as IEEE does:
// to infinity above, to zero below. Anything else (empty, hexadecimal, "infinity",
// "nan(...)", quotes, inner spaces) is refused. Returns false without touching value.
bool parseInputValue(std::string_view field, float& value);

// Longest text formatOutputValue writes, e.g. "-1.17549435e-38".
inline constexpr std::size_t kMaxOutputValueChars = 16;

// Writes value as the shortest decimal that reads back as the same single, or as
// "nan" (whatever its sign and payload), "inf", "-inf". Needs kMaxOutputValueChars of
// room at out; returns one past the last character written.
char* formatOutputValue(float value, char* out);

}  // namespace substitute_host
