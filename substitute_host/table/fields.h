#pragma once

#include <string_view>
#include <vector>

namespace substitute_host {

// Strips the spaces and tabs that may surround a field or a header name.
std::string_view trimField(std::string_view field);

// Whether a line holds nothing but spaces and tabs.
inline bool isBlankLine(std::string_view line) { return trimField(line).empty(); }

// Splits line at its commas into fields, as written (untrimmed), reusing the vector's
// storage. Nothing is quoted: every comma separates two fields.
void splitFields(std::string_view line, std::vector<std::string_view>& fields);

}  // namespace substitute_host
