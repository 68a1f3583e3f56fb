#pragma once

#include <string_view>

namespace substitute_host {

// Reads one input field as the nearest single-precision value. Accepted: a decimal
// number (digits with an optional point and exponent, e.g. "-7.57", ".5", "1E-3"), or
// "nan" / "inf" in any letter case; each may carry one leading '+' or '-'. Spaces and
// tabs around the field are ignored. Magnitudes beyond the single range round as IEEE
// does: to infinity above, to zero below. Anything else (empty, hexadecimal, "infinity",
// "nan(...)", quotes, inner spaces) is refused. Returns false without touching value.
bool parseInputValue(std::string_view field, float& value);

// Strips the spaces and tabs that may surround a field or a header name.
std::string_view trimField(std::string_view field);

}  // namespace substitute_host
